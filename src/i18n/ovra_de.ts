<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
    <context>
        <name>AboutDialog</name>
        <message>
            <source>About Ovra</source>
            <translation>Über Ovra</translation>
        </message>
        <message>
            <source>Ovra v%1</source>
            <translation>Ovra v%1</translation>
        </message>
        <message>
            <source>Measurement workstation for competitive trampolining</source>
            <translation>Messplatz für das Wettkampf-Trampolinturnen</translation>
        </message>
        <message>
            <source>About Qt</source>
            <translation>Über Qt</translation>
        </message>
        <message>
            <source>Version %1
Revision %2
Build number %3
Built %4</source>
            <translation>Version %1
Revision %2
Build-Nummer %3
Erstellt %4</translation>
        </message>
        <message>
            <source>GNU Lesser General Public License v3</source>
            <translation>GNU Lesser General Public License v3</translation>
        </message>
        <message>
            <source>public domain</source>
            <translation>gemeinfrei (Public Domain)</translation>
        </message>
        <message>
            <source>BSD-style licence (one of the three licences it is offered under)</source>
            <translation>BSD-artige Lizenz (eine der drei Lizenzen, unter denen es angeboten wird)</translation>
        </message>
        <message>
            <source>MIT licence</source>
            <translation>MIT-Lizenz</translation>
        </message>
        <message>
            <source>Copyright © the Ovra developers. All rights reserved.</source>
            <translation>Copyright © die Entwickler von Ovra. Alle Rechte vorbehalten.</translation>
        </message>
        <message>
            <source>Ovra uses these libraries under their licences:</source>
            <translation>Ovra verwendet diese Bibliotheken unter ihren Lizenzen:</translation>
        </message>
        <message>
            <source>Qt is linked dynamically: it can be replaced by another build of the same version.</source>
            <translation>Qt ist dynamisch gebunden: Es kann durch einen anderen Build derselben Version ersetzt werden.</translation>
        </message>
    </context>
    <context>
        <name>AthletDialog</name>
        <message>
            <source>Athlets</source>
            <translation>Athleten</translation>
        </message>
        <message>
            <source>Last Name</source>
            <translation>Nachname</translation>
        </message>
        <message>
            <source>First Name</source>
            <translation>Vorname</translation>
        </message>
        <message>
            <source>Gender</source>
            <translation>Geschlecht</translation>
        </message>
        <message>
            <source>Year</source>
            <translation>Jahrgang</translation>
        </message>
        <message>
            <source>NOC</source>
            <translation>Nation</translation>
        </message>
        <message>
            <source>NOC-Code</source>
            <translation>NOK-Kürzel</translation>
        </message>
        <message>
            <source>FIG-Lic.</source>
            <translation>FIG-Lizenz</translation>
        </message>
        <message>
            <source>Nat.-Lic.</source>
            <translation>Nat.-Lizenz</translation>
        </message>
        <message>
            <source>Email</source>
            <translation>E-Mail</translation>
        </message>
        <message>
            <source>Male</source>
            <translation>männlich</translation>
        </message>
        <message>
            <source>Female</source>
            <translation>weiblich</translation>
        </message>
        <message>
            <source>Other</source>
            <translation>divers</translation>
        </message>
        <message>
            <source>Year of birth</source>
            <translation>Geburtsjahr</translation>
        </message>
        <message>
            <source>Nation</source>
            <translation>Nation</translation>
        </message>
        <message>
            <source>The athletes could not be saved in the database.</source>
            <translation>Die Athleten konnten nicht in der Datenbank gespeichert werden.</translation>
        </message>
    </context>
    <context>
        <name>AutoSaveDialog</name>
        <message>
            <source>Autosave</source>
            <translation>Automatisch speichern</translation>
        </message>
        <message>
            <source>File system</source>
            <translation>Dateisystem</translation>
        </message>
        <message>
            <source>Enable autosave to file</source>
            <translation>Automatisch in Datei speichern</translation>
        </message>
        <message>
            <source>Path</source>
            <translation>Pfad</translation>
        </message>
        <message>
            <source>Filename template</source>
            <translation>Vorlage für den Dateinamen</translation>
        </message>
        <message>
            <source>Use {{date}}, {{time}} and the keys of the routine information in double braces; a "/" in the template creates a subfolder.</source>
            <translation>Verwenden Sie {{date}}, {{time}} und die Schlüssel der Übungsinformationen in doppelten geschweiften Klammern; ein "/" in der Vorlage legt einen Unterordner an.</translation>
        </message>
        <message>
            <source>Restore default</source>
            <translation>Standard wiederherstellen</translation>
        </message>
        <message>
            <source>Remove spaces</source>
            <translation>Leerzeichen entfernen</translation>
        </message>
        <message>
            <source>Resulting filename:</source>
            <translation>Ergebnis-Dateiname:</translation>
        </message>
        <message>
            <source>Database</source>
            <translation>Datenbank</translation>
        </message>
        <message>
            <source>Enable autosave to database</source>
            <translation>Automatisch in Datenbank speichern</translation>
        </message>
        <message>
            <source>Open Directory</source>
            <translation>Verzeichnis öffnen</translation>
        </message>
    </context>
    <context>
        <name>BarChartWidget</name>
        <message>
            <source>ToF</source>
            <translation>Flugzeit</translation>
        </message>
        <message>
            <source>1 landing</source>
            <translation>1 Landung</translation>
        </message>
        <message>
            <source>%1 landings</source>
            <translation>%1 Landungen</translation>
        </message>
    </context>
    <context>
        <name>CompetitionDialog</name>
        <message>
            <source>Competitions</source>
            <translation>Wettkämpfe</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>Gender</source>
            <translation>Geschlecht</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Art</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Veranstaltung</translation>
        </message>
        <message>
            <source>(no event chosen)</source>
            <translation>(keine Veranstaltung gewählt)</translation>
        </message>
    </context>
    <context>
        <name>ContinuousResultWidget</name>
        <message>
            <source>TRAMPOLINE 2</source>
            <translation>TRAMPOLIN 2</translation>
        </message>
        <message>
            <source>TRAMPOLINE 1</source>
            <translation>TRAMPOLIN 1</translation>
        </message>
    </context>
    <context>
        <name>CsvImportDialog</name>
        <message>
            <source>(file contains a header row)</source>
            <translation>(Datei hat eine Kopfzeile)</translation>
        </message>
        <message>
            <source>CSV Import</source>
            <translation>CSV-Import</translation>
        </message>
        <message>
            <source>Comma</source>
            <translation>Komma</translation>
        </message>
        <message>
            <source>Colon</source>
            <translation>Doppelpunkt</translation>
        </message>
        <message>
            <source>Semicolon</source>
            <translation>Semikolon</translation>
        </message>
        <message>
            <source>Pipe</source>
            <translation>Senkrechter Strich</translation>
        </message>
        <message>
            <source>Tab</source>
            <translation>Tabulator</translation>
        </message>
        <message>
            <source>File:</source>
            <translation>Datei:</translation>
        </message>
        <message>
            <source>Separator:</source>
            <translation>Trennzeichen:</translation>
        </message>
        <message>
            <source>Header:</source>
            <translation>Kopfzeile:</translation>
        </message>
        <message>
            <source>Preview</source>
            <translation>Vorschau</translation>
        </message>
        <message>
            <source>Open</source>
            <translation>Öffnen</translation>
        </message>
        <message>
            <source>Encoding: %1</source>
            <translation>Zeichenkodierung: %1</translation>
        </message>
        <message numerus="yes">
            <source>%n row(s) cannot be read and will not be imported:</source>
            <translation>
                <numerusform>%n Zeile(n) können nicht gelesen werden und werden nicht importiert:</numerusform>
                <numerusform>%n Zeile(n) können nicht gelesen werden und werden nicht importiert:</numerusform>
            </translation>
        </message>
        <message>
            <source>line %1: %2 (%3)</source>
            <translation>Zeile %1: %2 (%3)</translation>
        </message>
        <message>
            <source>The file cannot be read: %1</source>
            <translation>Die Datei kann nicht gelesen werden: %1</translation>
        </message>
    </context>
    <context>
        <name>CsvSource</name>
        <message>
            <source>a start list takes at most %1 columns with titles of at most %2 characters</source>
            <translation>eine Startliste hat höchstens %1 Spalten mit Überschriften von höchstens %2 Zeichen</translation>
        </message>
        <message>
            <source>a field is longer than %1 characters</source>
            <translation>ein Feld ist länger als %1 Zeichen</translation>
        </message>
        <message>
            <source>%1 fields, but the header names %2 columns</source>
            <translation>%1 Felder, aber die Kopfzeile nennt %2 Spalten</translation>
        </message>
        <message>
            <source>the file is larger than %1 MB</source>
            <translation>die Datei ist größer als %1 MB</translation>
        </message>
        <message>
            <source>a quote is out of place</source>
            <translation>ein Anführungszeichen steht an falscher Stelle</translation>
        </message>
        <message>
            <source>a quote is never closed</source>
            <translation>ein Anführungszeichen wird nie geschlossen</translation>
        </message>
    </context>
    <context>
        <name>CsvWidget</name>
        <message>
            <source>Starting List</source>
            <translation>Startliste</translation>
        </message>
        <message>
            <source>Right-click for more options</source>
            <translation>Rechtsklick für weitere Optionen</translation>
        </message>
        <message>
            <source>Open CSV import dialog</source>
            <translation>CSV-Import öffnen</translation>
        </message>
        <message>
            <source>Clear list</source>
            <translation>Liste leeren</translation>
        </message>
        <message>
            <source>Automatically proceed</source>
            <translation>Automatisch weiter</translation>
        </message>
        <message>
            <source>Restart after last</source>
            <translation>Nach dem Letzten von vorn</translation>
        </message>
        <message>
            <source>Deselect</source>
            <translation>Auswahl aufheben</translation>
        </message>
    </context>
    <context>
        <name>DatabaseBrowserDialog</name>
        <message>
            <source>Database Browser</source>
            <translation>Datenbank-Browser</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>Date</source>
            <translation>Datum</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Veranstaltung</translation>
        </message>
        <message>
            <source>Competition</source>
            <translation>Wettkampf</translation>
        </message>
        <message>
            <source>City</source>
            <translation>Ort</translation>
        </message>
        <message>
            <source>NOCCode</source>
            <translation>NOK-Kürzel</translation>
        </message>
        <message>
            <source>All</source>
            <translation>Alle</translation>
        </message>
        <message>
            <source>Male</source>
            <translation>männlich</translation>
        </message>
        <message>
            <source>Female</source>
            <translation>weiblich</translation>
        </message>
        <message>
            <source>Individual</source>
            <translation>Einzel</translation>
        </message>
        <message>
            <source>Synchron</source>
            <translation>Synchron</translation>
        </message>
        <message>
            <source>Clear Filter</source>
            <translation>Filter leeren</translation>
        </message>
        <message>
            <source>Gender</source>
            <translation>Geschlecht</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Art</translation>
        </message>
        <message>
            <source>Idx</source>
            <translation>Nr.</translation>
        </message>
        <message>
            <source>FileName</source>
            <translation>Messung</translation>
        </message>
        <message>
            <source>(no database open)</source>
            <translation>(keine Datenbank geöffnet)</translation>
        </message>
    </context>
    <context>
        <name>DatabaseConfigDialog</name>
        <message>
            <source>DB Config</source>
            <translation>DB-Einstellungen</translation>
        </message>
        <message>
            <source>Browse and Load</source>
            <translation>Auswählen und laden</translation>
        </message>
        <message>
            <source>Browse and Save as</source>
            <translation>Auswählen und speichern unter</translation>
        </message>
        <message>
            <source>Browse and Create</source>
            <translation>Auswählen und anlegen</translation>
        </message>
        <message>
            <source>Browse and Merge</source>
            <translation>Auswählen und zusammenführen</translation>
        </message>
        <message>
            <source>Athlets</source>
            <translation>Athleten</translation>
        </message>
        <message>
            <source>Events</source>
            <translation>Veranstaltungen</translation>
        </message>
        <message>
            <source>Competitions</source>
            <translation>Wettkämpfe</translation>
        </message>
        <message>
            <source>Groups</source>
            <translation>Gruppen</translation>
        </message>
        <message>
            <source>Measures</source>
            <translation>Messungen</translation>
        </message>
        <message>
            <source>Load</source>
            <translation>Laden</translation>
        </message>
        <message>
            <source>Save as</source>
            <translation>Speichern unter</translation>
        </message>
        <message>
            <source>Save the current DB file as...</source>
            <translation>Die aktuelle DB-Datei speichern unter ...</translation>
        </message>
        <message>
            <source>Create</source>
            <translation>Anlegen</translation>
        </message>
        <message>
            <source>Create a new DB file and copy the following tables, if desired...</source>
            <translation>Eine neue DB-Datei anlegen und auf Wunsch diese Tabellen übernehmen ...</translation>
        </message>
        <message>
            <source>Merge</source>
            <translation>Zusammenführen</translation>
        </message>
        <message>
            <source>(no database open)</source>
            <translation>(keine Datenbank geöffnet)</translation>
        </message>
        <message>
            <source>Open Database</source>
            <translation>Datenbank öffnen</translation>
        </message>
        <message>
            <source>Database (*.db)</source>
            <translation>Datenbank (*.db)</translation>
        </message>
        <message>
            <source>%1 is not an Ovra database. The current database stays open.</source>
            <translation>%1 ist keine Ovra-Datenbank. Die aktuelle Datenbank bleibt geöffnet.</translation>
        </message>
        <message>
            <source>Loaded %1.</source>
            <translation>%1 geladen.</translation>
        </message>
        <message>
            <source>The database could not be written to %1. The current database stays open.</source>
            <translation>Die Datenbank konnte nicht nach %1 geschrieben werden. Die aktuelle Datenbank bleibt geöffnet.</translation>
        </message>
        <message>
            <source>The database was written to %1 but could not be opened. The current database stays open.</source>
            <translation>Die Datenbank wurde nach %1 geschrieben, ließ sich aber nicht öffnen. Die aktuelle Datenbank bleibt geöffnet.</translation>
        </message>
        <message>
            <source>Now working on %1.</source>
            <translation>Es wird jetzt mit %1 gearbeitet.</translation>
        </message>
        <message>
            <source>Save Database as</source>
            <translation>Datenbank speichern unter</translation>
        </message>
        <message>
            <source>Create Database</source>
            <translation>Datenbank anlegen</translation>
        </message>
        <message>
            <source>Merge Database, Select Source File</source>
            <translation>Datenbank zusammenführen: Quelldatei wählen</translation>
        </message>
        <message>
            <source>%1 could not be merged; nothing was added.</source>
            <translation>%1 konnte nicht zusammengeführt werden; es wurde nichts hinzugefügt.</translation>
        </message>
        <message>
            <source>Merged %1:</source>
            <translation>%1 zusammengeführt:</translation>
        </message>
        <message>
            <source>Open an existing database file...</source>
            <translation>Eine vorhandene Datenbankdatei öffnen...</translation>
        </message>
        <message>
            <source>Database</source>
            <translation>Datenbank</translation>
        </message>
        <message>
            <source>Local file</source>
            <translation>Lokale Datei</translation>
        </message>
        <message>
            <source>Competition server</source>
            <translation>Wettkampfserver</translation>
        </message>
        <message>
            <source>from ~/.pgpass or PGPASSWORD</source>
            <translation>aus ~/.pgpass oder PGPASSWORD</translation>
        </message>
        <message>
            <source>Test</source>
            <translation>Testen</translation>
        </message>
        <message>
            <source>Use</source>
            <translation>Verwenden</translation>
        </message>
        <message>
            <source>Host</source>
            <translation>Host</translation>
        </message>
        <message>
            <source>Port</source>
            <translation>Port</translation>
        </message>
        <message>
            <source>Database name</source>
            <translation>Datenbankname</translation>
        </message>
        <message>
            <source>User</source>
            <translation>Benutzer</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Passwort</translation>
        </message>
        <message>
            <source>Merge from Server</source>
            <translation>Vom Server zusammenführen</translation>
        </message>
        <message>
            <source>Current database</source>
            <translation>Aktuelle Datenbank</translation>
        </message>
        <message>
            <source>Add data from another DB file without duplicates, or from the competition server into the current file</source>
            <translation>Daten einer anderen DB-Datei ohne Duplikate hinzufügen, oder die des Wettkampfservers in die aktuelle Datei</translation>
        </message>
        <message>
            <source>Competition server %1</source>
            <translation>Wettkampfserver %1</translation>
        </message>
        <message>
            <source>The password could not be written into %1: %2</source>
            <translation>Das Passwort konnte nicht in %1 geschrieben werden: %2</translation>
        </message>
        <message>
            <source>Connecting to %1 ...</source>
            <translation>Verbinde mit %1 ...</translation>
        </message>
        <message>
            <source>(the competition tables are there)</source>
            <translation>(die Wettkampftabellen sind vorhanden)</translation>
        </message>
        <message>
            <source>(the competition tables will be created)</source>
            <translation>(die Wettkampftabellen werden angelegt)</translation>
        </message>
        <message>
            <source>The competition server %1 does not answer. The current database stays open.</source>
            <translation>Der Wettkampfserver %1 antwortet nicht. Die aktuelle Datenbank bleibt geöffnet.</translation>
        </message>
        <message>
            <source>Now working on the competition server %1.</source>
            <translation>Es wird jetzt mit dem Wettkampfserver %1 gearbeitet.</translation>
        </message>
        <message>
            <source>The competition server was copied to %1; the server stays in use.</source>
            <translation>Der Wettkampfserver wurde nach %1 kopiert; der Server bleibt in Gebrauch.</translation>
        </message>
        <message>
            <source>The database could not be written to %1.</source>
            <translation>Die Datenbank konnte nicht nach %1 geschrieben werden.</translation>
        </message>
        <message numerus="yes">
            <source>%n routine(s) still wait for the competition server %1; they are stored there when it is used again.</source>
            <translation>
                <numerusform>%n Übung(en) warten noch auf den Wettkampfserver %1; sie werden dort gespeichert, sobald er wieder verwendet wird.</numerusform>
                <numerusform>%n Übung(en) warten noch auf den Wettkampfserver %1; sie werden dort gespeichert, sobald er wieder verwendet wird.</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>DatabaseStatusIndicator</name>
        <message>
            <source>Server %1</source>
            <translation>Server %1</translation>
        </message>
        <message>
            <source>Database</source>
            <translation>Datenbank</translation>
        </message>
        <message numerus="yes">
            <source>%n routine(s) waiting</source>
            <translation>
                <numerusform>%n Übung(en) warten</numerusform>
                <numerusform>%n Übung(en) warten</numerusform>
            </translation>
        </message>
        <message>
            <source>The competition server does not answer; routines wait on this workstation and are stored there as soon as it answers again</source>
            <translation>Der Wettkampfserver antwortet nicht; Übungen warten auf diesem Messplatz und werden dort gespeichert, sobald er wieder antwortet</translation>
        </message>
        <message>
            <source>Connecting to the competition server</source>
            <translation>Verbindung zum Wettkampfserver wird aufgebaut</translation>
        </message>
    </context>
    <context>
        <name>EventDialog</name>
        <message>
            <source>Events</source>
            <translation>Veranstaltungen</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>City</source>
            <translation>Ort</translation>
        </message>
        <message>
            <source>NOC-Code</source>
            <translation>NOK-Kürzel</translation>
        </message>
        <message>
            <source>From</source>
            <translation>Von</translation>
        </message>
        <message>
            <source>To</source>
            <translation>Bis</translation>
        </message>
        <message>
            <source>Date from</source>
            <translation>Datum von</translation>
        </message>
        <message>
            <source>Date to</source>
            <translation>Datum bis</translation>
        </message>
        <message>
            <source>An event named %1 exists already; it was not added again.</source>
            <translation>Eine Veranstaltung namens %1 gibt es schon; sie wurde nicht noch einmal angelegt.</translation>
        </message>
    </context>
    <context>
        <name>ExportCompetitionProtocolDialog</name>
        <message>
            <source>Export Competition Protocol</source>
            <translation>Wettkampfprotokoll exportieren</translation>
        </message>
        <message>
            <source>Folder containing routine protocols</source>
            <translation>Ordner mit den Übungsprotokollen</translation>
        </message>
        <message>
            <source>Path</source>
            <translation>Pfad</translation>
        </message>
        <message>
            <source>include subfolders</source>
            <translation>Unterordner einbeziehen</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>Start</translation>
        </message>
        <message>
            <source>Save as</source>
            <translation>Speichern unter</translation>
        </message>
        <message>
            <source>Open Directory</source>
            <translation>Verzeichnis öffnen</translation>
        </message>
        <message>
            <source>The folder %1 does not exist.</source>
            <translation>Der Ordner %1 existiert nicht.</translation>
        </message>
        <message>
            <source>The competition protocol could not be written to %1.</source>
            <translation>Das Wettkampfprotokoll konnte nicht nach %1 geschrieben werden.</translation>
        </message>
        <message>
            <source>The heat map could not be written to %1.</source>
            <translation>Die Heatmap konnte nicht nach %1 geschrieben werden.</translation>
        </message>
        <message>
            <source>Written: %1 and %2</source>
            <translation>Geschrieben: %1 und %2</translation>
        </message>
        <message>
            <source>The heat map %1 exists already. Replace it?</source>
            <translation>Die Heatmap %1 gibt es schon. Ersetzen?</translation>
        </message>
        <message>
            <source>Nothing written: the heat map %1 was kept.</source>
            <translation>Nichts geschrieben: die Heatmap %1 bleibt erhalten.</translation>
        </message>
    </context>
    <context>
        <name>ExportDialog</name>
        <message>
            <source>Standard frame (3644 × 2423 mm)</source>
            <translation>Standardrahmen (3644 × 2423 mm)</translation>
        </message>
        <message>
            <source>Standard frame, wide (3650 × 2425 mm)</source>
            <translation>Standardrahmen, breit (3650 × 2425 mm)</translation>
        </message>
        <message>
            <source>Long frame (4013 × 2423 mm)</source>
            <translation>Langer Rahmen (4013 × 2423 mm)</translation>
        </message>
        <message>
            <source>Other</source>
            <translation>Anderer</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>Einstellungen</translation>
        </message>
        <message>
            <source>Geometry</source>
            <translation>Geometrie</translation>
        </message>
        <message>
            <source>L [mm]</source>
            <translation>L [mm]</translation>
        </message>
        <message>
            <source>B [mm]</source>
            <translation>B [mm]</translation>
        </message>
        <message>
            <source>Synchronisation</source>
            <translation>Synchronisation</translation>
        </message>
        <message>
            <source>Pulse after every x'th value (0=off)</source>
            <translation>Impuls nach jedem x-ten Wert (0=aus)</translation>
        </message>
        <message>
            <source>Warnings</source>
            <translation>Warnungen</translation>
        </message>
        <message>
            <source>show warning when trampoline is not set to 'Automatic'</source>
            <translation>Warnung zeigen, wenn das Trampolin nicht auf 'Automatisch' steht</translation>
        </message>
        <message>
            <source>show warning when weight class is not set to 'Automatic'</source>
            <translation>Warnung zeigen, wenn die Gewichtsklasse nicht auf 'Automatisch' steht</translation>
        </message>
        <message>
            <source>show warning when not all sensors are connected properly</source>
            <translation>Warnung zeigen, wenn nicht alle Sensoren richtig angeschlossen sind</translation>
        </message>
        <message>
            <source>show warning when unusual sensor data is detected</source>
            <translation>Warnung zeigen, wenn ungewöhnliche Sensordaten erkannt werden</translation>
        </message>
        <message>
            <source>show warning when no client is connected to the websocket server</source>
            <translation>Warnung zeigen, wenn kein Client mit dem WebSocket-Server verbunden ist</translation>
        </message>
        <message>
            <source>Miscellaneous</source>
            <translation>Sonstiges</translation>
        </message>
        <message>
            <source>Minimal delay between state transitions (ms)</source>
            <translation>Mindestabstand zwischen Zustandswechseln (ms)</translation>
        </message>
        <message>
            <source>Logging</source>
            <translation>Protokollierung</translation>
        </message>
        <message>
            <source>Save logs to file</source>
            <translation>Protokoll in Datei speichern</translation>
        </message>
        <message>
            <source>Select Folder</source>
            <translation>Ordner wählen</translation>
        </message>
        <message>
            <source>Length and width of the bed must lie between %1 and %2 mm.</source>
            <translation>Länge und Breite des Sprungtuchs müssen zwischen %1 und %2 mm liegen.</translation>
        </message>
    </context>
    <context>
        <name>FileUtils</name>
        <message>
            <source>the routine start time or penalty is out of range: '%1'</source>
            <translation>die Startzeit oder der Strafabzug der Übung liegt außerhalb des gültigen Bereichs: '%1'</translation>
        </message>
        <message>
            <source>it is a folder, not a file</source>
            <translation>es ist ein Ordner, keine Datei</translation>
        </message>
        <message>
            <source>the file cannot be read (%1)</source>
            <translation>die Datei kann nicht gelesen werden (%1)</translation>
        </message>
    </context>
    <context>
        <name>GroupDialog</name>
        <message>
            <source>Groups</source>
            <translation>Gruppen</translation>
        </message>
        <message>
            <source>Add Group</source>
            <translation>Gruppe hinzufügen</translation>
        </message>
        <message>
            <source>Delete Group</source>
            <translation>Gruppe löschen</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Veranstaltung</translation>
        </message>
        <message>
            <source>Competition</source>
            <translation>Wettkampf</translation>
        </message>
        <message>
            <source>Group</source>
            <translation>Gruppe</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>NOC-Code</source>
            <translation>NOK-Kürzel</translation>
        </message>
        <message>
            <source>All</source>
            <translation>Alle</translation>
        </message>
        <message>
            <source>Last Name</source>
            <translation>Nachname</translation>
        </message>
        <message>
            <source>First Name</source>
            <translation>Vorname</translation>
        </message>
        <message>
            <source>Gender</source>
            <translation>Geschlecht</translation>
        </message>
        <message>
            <source>Year</source>
            <translation>Jahrgang</translation>
        </message>
        <message>
            <source>FIG-Lic.</source>
            <translation>FIG-Lizenz</translation>
        </message>
        <message>
            <source>Athlets (double-click to add)</source>
            <translation>Athleten (Doppelklick fügt hinzu)</translation>
        </message>
        <message>
            <source>Order</source>
            <translation>Reihenfolge</translation>
        </message>
        <message>
            <source>No. 1</source>
            <translation>Nr. 1</translation>
        </message>
        <message>
            <source>Name 1</source>
            <translation>Name 1</translation>
        </message>
        <message>
            <source>No. 2</source>
            <translation>Nr. 2</translation>
        </message>
        <message>
            <source>Name 2</source>
            <translation>Name 2</translation>
        </message>
        <message>
            <source>Up</source>
            <translation>Nach oben</translation>
        </message>
        <message>
            <source>Down</source>
            <translation>Nach unten</translation>
        </message>
        <message>
            <source>Delete Item</source>
            <translation>Eintrag löschen</translation>
        </message>
        <message>
            <source>Replace Item</source>
            <translation>Eintrag ersetzen</translation>
        </message>
        <message>
            <source>Start list</source>
            <translation>Startliste</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>(no event chosen)</source>
            <translation>(keine Veranstaltung gewählt)</translation>
        </message>
        <message>
            <source>Select Competition</source>
            <translation>Wettkampf wählen</translation>
        </message>
        <message>
            <source>Select Group</source>
            <translation>Gruppe wählen</translation>
        </message>
        <message>
            <source>Group %1</source>
            <translation>Gruppe %1</translation>
        </message>
        <message>
            <source>The start list could not be saved in the database.</source>
            <translation>Die Startliste konnte nicht in der Datenbank gespeichert werden.</translation>
        </message>
        <message>
            <source>Last name 1</source>
            <translation>Nachname 1</translation>
        </message>
        <message>
            <source>First name 1</source>
            <translation>Vorname 1</translation>
        </message>
        <message>
            <source>Gender 1</source>
            <translation>Geschlecht 1</translation>
        </message>
        <message>
            <source>Year 1</source>
            <translation>Jahrgang 1</translation>
        </message>
        <message>
            <source>NOC-Code 1</source>
            <translation>NOK-Kürzel 1</translation>
        </message>
        <message>
            <source>FIG-Lic. 1</source>
            <translation>FIG-Lizenz 1</translation>
        </message>
        <message>
            <source>Last name 2</source>
            <translation>Nachname 2</translation>
        </message>
        <message>
            <source>First name 2</source>
            <translation>Vorname 2</translation>
        </message>
        <message>
            <source>Gender 2</source>
            <translation>Geschlecht 2</translation>
        </message>
        <message>
            <source>Year 2</source>
            <translation>Jahrgang 2</translation>
        </message>
        <message>
            <source>NOC-Code 2</source>
            <translation>NOK-Kürzel 2</translation>
        </message>
        <message>
            <source>FIG-Lic. 2</source>
            <translation>FIG-Lizenz 2</translation>
        </message>
        <message>
            <source>Gender of the competition</source>
            <translation>Geschlecht des Wettkampfs</translation>
        </message>
        <message>
            <source>Type of the competition</source>
            <translation>Art des Wettkampfs</translation>
        </message>
    </context>
    <context>
        <name>HorizontalDisplacementResultWidget</name>
        <message>
            <source>Swap trampolines</source>
            <translation>Trampoline tauschen</translation>
        </message>
        <message>
            <source>Horizontal Displacement Trampoline 1</source>
            <translation>Horizontale Abweichung Trampolin 1</translation>
        </message>
        <message>
            <source>Horizontal Displacement Trampoline 2</source>
            <translation>Horizontale Abweichung Trampolin 2</translation>
        </message>
        <message>
            <source>Horizontal Displacement</source>
            <translation>Horizontale Abweichung</translation>
        </message>
    </context>
    <context>
        <name>LandingHeatMap</name>
        <message>
            <source>Landing positions</source>
            <translation>Landepositionen</translation>
        </message>
        <message>
            <source>Trampoline 1</source>
            <translation>Trampolin 1</translation>
        </message>
        <message>
            <source>Trampoline 2</source>
            <translation>Trampolin 2</translation>
        </message>
        <message numerus="yes">
            <source>%n landing(s)</source>
            <translation>
                <numerusform>%n Landung</numerusform>
                <numerusform>%n Landungen</numerusform>
            </translation>
        </message>
        <message>
            <source>Landings per m²</source>
            <translation>Landungen pro m²</translation>
        </message>
        <message>
            <source>Each landing is spread over about %1 cm around its position.</source>
            <translation>Jede Landung ist über etwa %1 cm um ihre Position verteilt.</translation>
        </message>
    </context>
    <context>
        <name>LogWidget</name>
        <message>
            <source>Saved files</source>
            <translation>Gespeicherte Dateien</translation>
        </message>
        <message>
            <source>Automatic saving to files is switched off.</source>
            <translation>Das automatische Speichern in Dateien ist ausgeschaltet.</translation>
        </message>
        <message>
            <source>Open autosave config</source>
            <translation>Autosave-Einstellungen öffnen</translation>
        </message>
        <message>
            <source>Reverse sort order</source>
            <translation>Sortierung umkehren</translation>
        </message>
        <message>
            <source>Open folder in the file manager</source>
            <translation>Ordner im Dateimanager öffnen</translation>
        </message>
        <message>
            <source>Move selected file to the trash</source>
            <translation>Ausgewählte Datei in den Papierkorb</translation>
        </message>
        <message>
            <source>Delete file</source>
            <translation>Datei löschen</translation>
        </message>
        <message>
            <source>%1 cannot be moved to the trash. Delete it for good?</source>
            <translation>%1 kann nicht in den Papierkorb verschoben werden. Endgültig löschen?</translation>
        </message>
    </context>
    <context>
        <name>MetaHighlights</name>
        <message>
            <source>Right-click to select highlight information</source>
            <translation>Rechtsklick wählt die hervorgehobene Information</translation>
        </message>
        <message>
            <source>Info 1</source>
            <translation>Info 1</translation>
        </message>
        <message>
            <source>Info 2</source>
            <translation>Info 2</translation>
        </message>
        <message>
            <source>Context menu</source>
            <translation>Kontextmenü</translation>
        </message>
        <message>
            <source>highlight nothing</source>
            <translation>nichts hervorheben</translation>
        </message>
        <message>
            <source>Pair</source>
            <translation>Paar</translation>
        </message>
        <message>
            <source>Athlete</source>
            <translation>Athlet</translation>
        </message>
        <message>
            <source>Athlete or pair</source>
            <translation>Athlet oder Paar</translation>
        </message>
    </context>
    <context>
        <name>NetworkDialog</name>
        <message>
            <source>Network</source>
            <translation>Netzwerk</translation>
        </message>
        <message>
            <source>IP-V4 address(es) of this computer</source>
            <translation>IPv4-Adresse(n) dieses Computers</translation>
        </message>
        <message>
            <source>Server settings</source>
            <translation>Server-Einstellungen</translation>
        </message>
        <message>
            <source>Enable HTTP server on port</source>
            <translation>HTTP-Server aktivieren auf Port</translation>
        </message>
        <message>
            <source>Enable WebSocket server on port</source>
            <translation>WebSocket-Server aktivieren auf Port</translation>
        </message>
        <message>
            <source>Client settings</source>
            <translation>Client-Einstellungen</translation>
        </message>
        <message>
            <source>Label</source>
            <translation>Bezeichnung</translation>
        </message>
        <message>
            <source>URL</source>
            <translation>URL</translation>
        </message>
        <message>
            <source>Show advanced settings</source>
            <translation>Erweiterte Einstellungen anzeigen</translation>
        </message>
        <message>
            <source>HTTPS is not supported!</source>
            <translation>HTTPS wird nicht unterstützt!</translation>
        </message>
        <message>
            <source>Test</source>
            <translation>Testen</translation>
        </message>
        <message>
            <source>Send sample</source>
            <translation>Beispiel senden</translation>
        </message>
        <message>
            <source>intermediate results</source>
            <translation>Zwischenergebnisse</translation>
        </message>
        <message>
            <source>state transitions</source>
            <translation>Zustandswechsel</translation>
        </message>
        <message>
            <source>Enter the scoring system's address, for example http://192.168.0.10:8080/api</source>
            <translation>Adresse des Wertungssystems eingeben, zum Beispiel http://192.168.0.10:8080/api</translation>
        </message>
        <message>
            <source>The address must begin with http:// or https://, for example http://%1</source>
            <translation>Die Adresse muss mit http:// oder https:// beginnen, zum Beispiel http://%1</translation>
        </message>
        <message>
            <source>The address cannot be read: %1</source>
            <translation>Die Adresse ist nicht lesbar: %1</translation>
        </message>
        <message>
            <source>Only http:// and https:// addresses are supported, not %1://</source>
            <translation>Nur http:// und https:// werden unterstützt, nicht %1://</translation>
        </message>
        <message>
            <source>The address names no computer, for example http://192.168.0.10:8080/api</source>
            <translation>Die Adresse nennt keinen Rechner, zum Beispiel http://192.168.0.10:8080/api</translation>
        </message>
        <message>
            <source>A server port is a number from 1 to 65535.</source>
            <translation>Ein Server-Port ist eine Zahl von 1 bis 65535.</translation>
        </message>
        <message>
            <source>The HTTP and the WebSocket server cannot share a port.</source>
            <translation>HTTP- und WebSocket-Server können sich keinen Port teilen.</translation>
        </message>
        <message>
            <source>Enter a label: the status bar shows the system by it.</source>
            <translation>Eine Bezeichnung eingeben: unter ihr zeigt die Statusleiste das System.</translation>
        </message>
        <message>
            <source>Enter a label. %1</source>
            <translation>Eine Bezeichnung eingeben. %1</translation>
        </message>
        <message>
            <source>Test failed: the scoring system did not answer.</source>
            <translation>Test fehlgeschlagen: das Wertungssystem hat nicht geantwortet.</translation>
        </message>
        <message>
            <source>Test failed: %1</source>
            <translation>Test fehlgeschlagen: %1</translation>
        </message>
        <message>
            <source>Results waiting to be sent</source>
            <translation>Ergebnisse, die auf das Senden warten</translation>
        </message>
        <message>
            <source>Scoring system</source>
            <translation>Wertungssystem</translation>
        </message>
        <message>
            <source>Athlete</source>
            <translation>Athlet</translation>
        </message>
        <message>
            <source>Committed</source>
            <translation>Übernommen</translation>
        </message>
        <message>
            <source>Send now</source>
            <translation>Jetzt senden</translation>
        </message>
        <message>
            <source>Discard</source>
            <translation>Verwerfen</translation>
        </message>
        <message>
            <source>%1 (not enabled)</source>
            <translation>%1 (nicht aktiviert)</translation>
        </message>
        <message>
            <source>Idempotency-Key %1</source>
            <translation>Idempotency-Key %1</translation>
        </message>
        <message>
            <source>No results are waiting.</source>
            <translation>Es warten keine Ergebnisse.</translation>
        </message>
        <message>
            <source>Each result is sent by itself as soon as its scoring system answers again.</source>
            <translation>Jedes Ergebnis wird von selbst gesendet, sobald sein Wertungssystem wieder antwortet.</translation>
        </message>
        <message>
            <source>Not sent: a result is on its way to that scoring system already, or it is not enabled.</source>
            <translation>Nicht gesendet: Ein Ergebnis ist schon auf dem Weg zu diesem Wertungssystem, oder es ist nicht aktiviert.</translation>
        </message>
        <message>
            <source>the routine committed on %1</source>
            <translation>die am %1 übernommene Übung</translation>
        </message>
        <message>
            <source>Discard result</source>
            <translation>Ergebnis verwerfen</translation>
        </message>
        <message>
            <source>Discard the result of %1 for "%2"? It will never be sent to this scoring system.</source>
            <translation>Das Ergebnis von %1 für „%2“ verwerfen? Es wird nie an dieses Wertungssystem gesendet.</translation>
        </message>
    </context>
    <context>
        <name>OverviewResultWidget</name>
        <message>
            <source>Individual</source>
            <translation>Einzel</translation>
        </message>
        <message>
            <source>37.2s</source>
            <translation>37,2 s</translation>
        </message>
        <message>
            <source>Penalty</source>
            <translation>Strafabzug</translation>
        </message>
        <message>
            <source>0.0</source>
            <translation>0.0</translation>
        </message>
        <message>
            <source>Routine shifted</source>
            <translation>Übung verschoben</translation>
        </message>
        <message>
            <source>Started after</source>
            <translation>Begonnen nach</translation>
        </message>
        <message>
            <source>Arrow keys up and down</source>
            <translation>Pfeiltasten auf und ab</translation>
        </message>
        <message>
            <source>lengthen or shorten the routine</source>
            <translation>Übung verlängern oder verkürzen</translation>
        </message>
        <message>
            <source>Arrow keys left and right</source>
            <translation>Pfeiltasten links und rechts</translation>
        </message>
        <message>
            <source>shift the routine</source>
            <translation>Übung verschieben</translation>
        </message>
        <message>
            <source>%1 / %2</source>
            <translation>%1 / %2</translation>
        </message>
        <message>
            <source>Synchronized</source>
            <translation>Synchron</translation>
        </message>
        <message>
            <source>%1s</source>
            <translation>%1 s</translation>
        </message>
        <message>
            <source>deducted from the routine's score</source>
            <translation>wird von der Wertung der Übung abgezogen</translation>
        </message>
    </context>
    <context>
        <name>OvraDb</name>
        <message>
            <source>usage: %1</source>
            <translation>Aufruf: %1</translation>
        </message>
        <message>
            <source>   or: %1</source>
            <translation> oder: %1</translation>
        </message>
        <message>
            <source>merge needs a target and at least one source</source>
            <translation>merge braucht ein Ziel und mindestens eine Quelle</translation>
        </message>
        <message>
            <source>%1 is not an Ovra database; nothing was merged</source>
            <translation>%1 ist keine Ovra-Datenbank; nichts wurde zusammengeführt</translation>
        </message>
        <message>
            <source>%1 is unchanged</source>
            <translation>%1 ist unverändert</translation>
        </message>
        <message>
            <source>%1 could not be copied: %2</source>
            <translation>%1 konnte nicht kopiert werden: %2</translation>
        </message>
        <message>
            <source>%1 could not be written</source>
            <translation>%1 konnte nicht geschrieben werden</translation>
        </message>
        <message>
            <source>%1 is open in another program; close it there and merge again</source>
            <translation>%1 ist in einem anderen Programm geöffnet; dort schließen und erneut zusammenführen</translation>
        </message>
        <message>
            <source>%1 could not be replaced</source>
            <translation>%1 konnte nicht ersetzt werden</translation>
        </message>
        <message>
            <source>Merged into %1 (sources: %2)</source>
            <translation>In %1 zusammengeführt (Quellen: %2)</translation>
        </message>
        <message>
            <source>check needs one database file</source>
            <translation>check braucht eine Datenbankdatei</translation>
        </message>
        <message>
            <source>%1 cannot be opened: %2</source>
            <translation>%1 kann nicht geöffnet werden: %2</translation>
        </message>
        <message>
            <source>integrity: %1</source>
            <translation>Integrität: %1</translation>
        </message>
        <message>
            <source>missing</source>
            <translation>fehlt</translation>
        </message>
        <message>
            <source>measures without an id (added when the workstation opens the file): %1</source>
            <translation>Messungen ohne Kennung (wird beim Öffnen am Arbeitsplatz ergänzt): %1</translation>
        </message>
        <message>
            <source>measures kept as conflicting versions of another: %1</source>
            <translation>Messungen, die als abweichende Fassung einer anderen erhalten sind: %1</translation>
        </message>
        <message>
            <source>unknown argument %1</source>
            <translation>unbekanntes Argument %1</translation>
        </message>
        <message>
            <source>startlist needs a CSV file</source>
            <translation>startlist braucht eine CSV-Datei</translation>
        </message>
        <message>
            <source>the separator is one of , : ; | tab</source>
            <translation>das Trennzeichen ist eines von , : ; | tab</translation>
        </message>
        <message>
            <source>--header takes yes or no</source>
            <translation>--header nimmt yes oder no</translation>
        </message>
        <message>
            <source>%1 cannot be read: %2</source>
            <translation>%1 kann nicht gelesen werden: %2</translation>
        </message>
        <message>
            <source>unknown command %1</source>
            <translation>unbekannter Befehl %1</translation>
        </message>
        <message>
            <source>A database is a file (.db) or a competition server (postgresql://USER@HOST:PORT/DATABASE); the password comes from ~/.pgpass or PGPASSWORD.</source>
            <translation>Eine Datenbank ist eine Datei (.db) oder ein Wettkampfserver (postgresql://BENUTZER@HOST:PORT/DATENBANK); das Passwort kommt aus ~/.pgpass oder PGPASSWORD.</translation>
        </message>
        <message>
            <source>%1 cannot be reached: %2</source>
            <translation>%1 ist nicht erreichbar: %2</translation>
        </message>
        <message>
            <source>the tables cannot be created on %1: %2</source>
            <translation>die Tabellen können auf %1 nicht angelegt werden: %2</translation>
        </message>
        <message>
            <source>%1 cannot be opened</source>
            <translation>%1 kann nicht geöffnet werden</translation>
        </message>
        <message>
            <source>%1 could not be merged: %2</source>
            <translation>%1 konnte nicht zusammengeführt werden: %2</translation>
        </message>
        <message>
            <source>history needs a database</source>
            <translation>history braucht eine Datenbank</translation>
        </message>
        <message>
            <source>--athlete needs a name as "Last, First"</source>
            <translation>--athlete braucht einen Namen als "Nachname, Vorname"</translation>
        </message>
        <message>
            <source>%1 holds no measures that can be read: %2</source>
            <translation>%1 enthält keine lesbaren Messungen: %2</translation>
        </message>
        <message>
            <source>%1 holds no routine of %2</source>
            <translation>%1 enthält keine Übung von %2</translation>
        </message>
        <message>
            <source>the routines of %1 cannot be read: %2</source>
            <translation>die Übungen von %1 können nicht gelesen werden: %2</translation>
        </message>
    </context>
    <context>
        <name>OvraDialog</name>
        <message>
            <source>Ovra v%1</source>
            <translation>Ovra v%1</translation>
        </message>
        <message>
            <source>Connect USB-Master</source>
            <translation>USB-Master verbinden</translation>
        </message>
        <message>
            <source>No Activity</source>
            <translation>Keine Aktivität</translation>
        </message>
        <message>
            <source>Trampoline 1</source>
            <translation>Trampolin 1</translation>
        </message>
        <message>
            <source>Trampoline 2</source>
            <translation>Trampolin 2</translation>
        </message>
        <message>
            <source>Both Trampolines</source>
            <translation>Beide Trampoline</translation>
        </message>
        <message>
            <source>AutoSave on</source>
            <translation>AutoSave an</translation>
        </message>
        <message>
            <source>AutoSave off</source>
            <translation>AutoSave aus</translation>
        </message>
        <message>
            <source>Tramp 1 selected</source>
            <translation>Trampolin 1 gewählt</translation>
        </message>
        <message>
            <source>Tramp 2 selected</source>
            <translation>Trampolin 2 gewählt</translation>
        </message>
        <message>
            <source>Tramp 1 and 2 selected</source>
            <translation>Trampolin 1 und 2 gewählt</translation>
        </message>
        <message>
            <source>No Tramp selected</source>
            <translation>Kein Trampolin gewählt</translation>
        </message>
        <message>
            <source>READY (TRAINING)</source>
            <translation>BEREIT (TRAINING)</translation>
        </message>
        <message>
            <source>READY TO GO</source>
            <translation>STARTBEREIT</translation>
        </message>
        <message>
            <source>Open file</source>
            <translation>Datei öffnen</translation>
        </message>
        <message>
            <source>Ctrl+L: Load data</source>
            <translation>Strg+L: Daten laden</translation>
        </message>
        <message>
            <source>Save file</source>
            <translation>Datei speichern</translation>
        </message>
        <message>
            <source>Ctrl+S: Save data as...</source>
            <translation>Strg+S: Daten speichern unter...</translation>
        </message>
        <message>
            <source>&amp;Quit</source>
            <translation>&amp;Beenden</translation>
        </message>
        <message>
            <source>&amp;Settings</source>
            <translation>&amp;Einstellungen</translation>
        </message>
        <message>
            <source>F2: Trampoline configuration</source>
            <translation>F2: Trampolin-Konfiguration</translation>
        </message>
        <message>
            <source>Autosave &amp;config</source>
            <translation>Autosave-&amp;Konfiguration</translation>
        </message>
        <message>
            <source>F5: Config Autosave function</source>
            <translation>F5: Autosave-Funktion konfigurieren</translation>
        </message>
        <message>
            <source>Rules</source>
            <translation>Regeln</translation>
        </message>
        <message>
            <source>Single &amp;Drop Test</source>
            <translation>Einzelner &amp;Falltest</translation>
        </message>
        <message>
            <source>&amp;Network</source>
            <translation>&amp;Netzwerk</translation>
        </message>
        <message>
            <source>&amp;Font</source>
            <translation>&amp;Schriftart</translation>
        </message>
        <message>
            <source>&amp;Move selection right</source>
            <translation>Auswahl nach rechts &amp;verschieben</translation>
        </message>
        <message>
            <source>Move &amp;selection left</source>
            <translation>Auswahl nach &amp;links verschieben</translation>
        </message>
        <message>
            <source>&amp;Increase selection</source>
            <translation>Auswahl &amp;vergrößern</translation>
        </message>
        <message>
            <source>&amp;Decrease selection</source>
            <translation>Auswahl ver&amp;kleinern</translation>
        </message>
        <message>
            <source>&amp;Events</source>
            <translation>&amp;Veranstaltungen</translation>
        </message>
        <message>
            <source>&amp;Competitions</source>
            <translation>&amp;Wettkämpfe</translation>
        </message>
        <message>
            <source>&amp;Groups</source>
            <translation>&amp;Gruppen</translation>
        </message>
        <message>
            <source>&amp;Athlets</source>
            <translation>&amp;Athleten</translation>
        </message>
        <message>
            <source>&amp;Import CSV file</source>
            <translation>CSV-Datei &amp;importieren</translation>
        </message>
        <message>
            <source>&amp;DB Browser</source>
            <translation>&amp;DB-Browser</translation>
        </message>
        <message>
            <source>DB &amp;Config</source>
            <translation>DB-&amp;Konfiguration</translation>
        </message>
        <message>
            <source>Continuous Mode</source>
            <translation>Dauermodus</translation>
        </message>
        <message>
            <source>Fewer Landings</source>
            <translation>Weniger Landungen</translation>
        </message>
        <message>
            <source>More Landings</source>
            <translation>Mehr Landungen</translation>
        </message>
        <message>
            <source>Trampoline Window</source>
            <translation>Trampolin-Fenster</translation>
        </message>
        <message>
            <source>Trampolines on second screen</source>
            <translation>Trampoline auf dem zweiten Bildschirm</translation>
        </message>
        <message>
            <source>Result Window</source>
            <translation>Ergebnis-Fenster</translation>
        </message>
        <message>
            <source>Results on second screen</source>
            <translation>Ergebnisse auf dem zweiten Bildschirm</translation>
        </message>
        <message>
            <source>Result Details</source>
            <translation>Ergebnisdetails</translation>
        </message>
        <message>
            <source>Show detailed results (Press D)</source>
            <translation>Detaillierte Ergebnisse anzeigen (Taste D)</translation>
        </message>
        <message>
            <source>&amp;Setup Instructions</source>
            <translation>&amp;Aufbauanleitung</translation>
        </message>
        <message>
            <source>UI &amp;Tutorial</source>
            <translation>&amp;Bedienungsanleitung</translation>
        </message>
        <message>
            <source>&amp;Network Tutorial</source>
            <translation>&amp;Netzwerk-Anleitung</translation>
        </message>
        <message>
            <source>Self &amp;Diagnosis</source>
            <translation>Selbst&amp;diagnose</translation>
        </message>
        <message>
            <source>&amp;Export Competition Protocol</source>
            <translation>Wettkampfprotokoll &amp;exportieren</translation>
        </message>
        <message>
            <source>&amp;About Ovra</source>
            <translation>&amp;Über Ovra</translation>
        </message>
        <message>
            <source>&amp;ovraState</source>
            <translation>&amp;Ovra-Zustand</translation>
        </message>
        <message>
            <source>&amp;Position Test</source>
            <translation>&amp;Positionstest</translation>
        </message>
        <message>
            <source>Fi&amp;le</source>
            <translation>&amp;Datei</translation>
        </message>
        <message>
            <source>&amp;Config</source>
            <translation>&amp;Konfiguration</translation>
        </message>
        <message>
            <source>Res&amp;ults</source>
            <translation>&amp;Ergebnisse</translation>
        </message>
        <message>
            <source>S&amp;tructure</source>
            <translation>S&amp;truktur</translation>
        </message>
        <message>
            <source>Database</source>
            <translation>Datenbank</translation>
        </message>
        <message>
            <source>Hel&amp;p</source>
            <translation>&amp;Hilfe</translation>
        </message>
        <message>
            <source>Configuration</source>
            <translation>Konfiguration</translation>
        </message>
        <message>
            <source>TARA</source>
            <translation>TARA</translation>
        </message>
        <message>
            <source>Tramp  select</source>
            <translation>Trampolin-Auswahl</translation>
        </message>
        <message>
            <source>Trampolines 1+2</source>
            <translation>Trampoline 1+2</translation>
        </message>
        <message>
            <source>Automatic</source>
            <translation>Automatisch</translation>
        </message>
        <message>
            <source>Weight Class</source>
            <translation>Gewichtsklasse</translation>
        </message>
        <message>
            <source>Children (800N)</source>
            <translation>Kinder (800N)</translation>
        </message>
        <message>
            <source>Teenager (1150N)</source>
            <translation>Jugendliche (1150N)</translation>
        </message>
        <message>
            <source>Normal (2500N)</source>
            <translation>Normal (2500N)</translation>
        </message>
        <message>
            <source>Adults (5000N)</source>
            <translation>Erwachsene (5000N)</translation>
        </message>
        <message>
            <source>X</source>
            <translation>X</translation>
        </message>
        <message>
            <source>NO USB</source>
            <translation>KEIN USB</translation>
        </message>
        <message>
            <source>Connect the USB master box or load a routine</source>
            <translation>USB-Master-Box anschließen oder eine Übung laden</translation>
        </message>
        <message>
            <source>Configure warnings from the Settings menu</source>
            <translation>Warnungen im Einstellungsmenü konfigurieren</translation>
        </message>
        <message>
            <source>press space to start</source>
            <translation>Leertaste drücken zum Starten</translation>
        </message>
        <message>
            <source>please wait</source>
            <translation>bitte warten</translation>
        </message>
        <message>
            <source>NO FOCUS</source>
            <translation>KEIN FOKUS</translation>
        </message>
        <message>
            <source>window has no focus
click here or close menu</source>
            <translation>Fenster hat keinen Fokus
hier klicken oder Menü schließen</translation>
        </message>
        <message>
            <source>TRAMPOLINE 1</source>
            <translation>TRAMPOLIN 1</translation>
        </message>
        <message>
            <source>TRAMPOLINE 2</source>
            <translation>TRAMPOLIN 2</translation>
        </message>
        <message>
            <source>CONFIRM
press space</source>
            <translation>BESTÄTIGEN
Leertaste drücken</translation>
        </message>
        <message>
            <source>DISMISS
press X</source>
            <translation>VERWERFEN
Taste X drücken</translation>
        </message>
        <message>
            <source>LOADING</source>
            <translation>LADEN</translation>
        </message>
        <message>
            <source>Routine Information</source>
            <translation>Übungsinformation</translation>
        </message>
        <message>
            <source>HTTP Server</source>
            <translation>HTTP-Server</translation>
        </message>
        <message>
            <source>WebSocket Server</source>
            <translation>WebSocket-Server</translation>
        </message>
        <message>
            <source>Ovra</source>
            <translation>Ovra</translation>
        </message>
        <message>
            <source>It's not possible to write the file</source>
            <translation>Die Datei kann nicht geschrieben werden</translation>
        </message>
        <message>
            <source>No permissions!</source>
            <translation>Keine Berechtigung!</translation>
        </message>
        <message>
            <source>Save as</source>
            <translation>Speichern unter</translation>
        </message>
        <message>
            <source>Open</source>
            <translation>Öffnen</translation>
        </message>
        <message>
            <source>Recover data...</source>
            <translation>Daten wiederherstellen...</translation>
        </message>
        <message>
            <source>Ctrl+R: Recover the last minutes from the last-chance recorder</source>
            <translation>Strg+R: Die letzten Minuten aus dem Notfallspeicher wiederherstellen</translation>
        </message>
        <message>
            <source>Not loaded: a stored measure can be loaded only in READY or while another one is shown.</source>
            <translation>Nicht geladen: Eine gespeicherte Messung lässt sich nur in BEREIT laden oder während eine andere angezeigt wird.</translation>
        </message>
        <message>
            <source>%1s</source>
            <translation>%1 s</translation>
        </message>
        <message>
            <source>Routine complete: press space to finish</source>
            <translation>Übung vollständig: Leertaste drücken zum Beenden</translation>
        </message>
        <message>
            <source>Started after</source>
            <translation>Begonnen nach</translation>
        </message>
        <message>
            <source>Penalty</source>
            <translation>Strafabzug</translation>
        </message>
        <message>
            <source>Network error</source>
            <translation>Netzwerkfehler</translation>
        </message>
        <message>
            <source>Failed to send result to "%1"</source>
            <translation>Das Ergebnis konnte nicht an „%1“ gesendet werden</translation>
        </message>
        <message>
            <source>Unable to start the Ovra server. This can, for example, happen when the configured port is already taken by another application. Consider using a different port or disabling the server functionality in the network configuration dialog.</source>
            <translation>Der Ovra-Server konnte nicht gestartet werden. Das kann zum Beispiel passieren, wenn der eingestellte Port bereits von einer anderen Anwendung belegt ist. Wählen Sie im Netzwerkdialog einen anderen Port oder schalten Sie den Server dort aus.</translation>
        </message>
        <message>
            <source>Unable to start the WebSocket server. This can, for example, happen when the configured port is already taken by another application. Consider using a different port or disabling the server functionality in the network configuration dialog.</source>
            <translation>Der WebSocket-Server konnte nicht gestartet werden. Das kann zum Beispiel passieren, wenn der eingestellte Port bereits von einer anderen Anwendung belegt ist. Wählen Sie im Netzwerkdialog einen anderen Port oder schalten Sie den Server dort aus.</translation>
        </message>
        <message>
            <source>Scoring System 1: </source>
            <translation>Wertungssystem 1: </translation>
        </message>
        <message>
            <source>Scoring System 2: </source>
            <translation>Wertungssystem 2: </translation>
        </message>
        <message>
            <source>Scoring System 3: </source>
            <translation>Wertungssystem 3: </translation>
        </message>
        <message>
            <source>Not loaded: %1</source>
            <translation>Nicht geladen: %1</translation>
        </message>
        <message>
            <source>stored measure %1</source>
            <translation>gespeicherte Messung %1</translation>
        </message>
        <message>
            <source>it cannot be read from the database %1</source>
            <translation>sie kann nicht aus der Datenbank %1 gelesen werden</translation>
        </message>
        <message>
            <source>The routines that waited are now stored in the database</source>
            <translation>Die wartenden Übungen sind jetzt in der Datenbank gespeichert</translation>
        </message>
        <message>
            <source>The start list %1 cannot be read: %2</source>
            <translation>Die Startliste %1 kann nicht gelesen werden: %2</translation>
        </message>
        <message>
            <source>line %1: %2</source>
            <translation>Zeile %1: %2</translation>
        </message>
        <message numerus="yes">
            <source>%n row(s) of the start list cannot be read and were not imported:</source>
            <translation>
                <numerusform>%n Zeile(n) der Startliste können nicht gelesen werden und wurden nicht importiert:</numerusform>
                <numerusform>%n Zeile(n) der Startliste können nicht gelesen werden und wurden nicht importiert:</numerusform>
            </translation>
        </message>
        <message>
            <source>Software on the network asked for this result. It gets the result once you commit the routine.</source>
            <translation>Software im Netzwerk hat dieses Ergebnis angefragt. Sie erhält es, sobald Sie die Übung bestätigen.</translation>
        </message>
        <message>
            <source>Start list: database</source>
            <translation>Startliste: Datenbank</translation>
        </message>
        <message>
            <source>Start list: CSV file</source>
            <translation>Startliste: CSV-Datei</translation>
        </message>
        <message>
            <source>Send again?</source>
            <translation>Erneut senden?</translation>
        </message>
        <message>
            <source>Send this routine again? It names no athlete.</source>
            <translation>Diese Übung erneut senden? Sie nennt keinen Athleten.</translation>
        </message>
        <message>
            <source>Send the routine of %1 again?</source>
            <translation>Die Übung von %1 erneut senden?</translation>
        </message>
        <message>
            <source>It was loaded from a file or the database. It is saved and sent to the scoring systems once more, under the athlete it names.</source>
            <translation>Sie wurde aus einer Datei oder der Datenbank geladen. Sie wird noch einmal gespeichert und an die Wertungssysteme gesendet, unter dem Athleten, den sie nennt.</translation>
        </message>
        <message>
            <source>Send again</source>
            <translation>Erneut senden</translation>
        </message>
        <message>
            <source>&amp;Next athlete</source>
            <translation>&amp;Nächster Athlet</translation>
        </message>
        <message>
            <source>The next athlete of the start list in use comes up next</source>
            <translation>Der nächste Athlet der verwendeten Startliste ist als Nächster an der Reihe</translation>
        </message>
        <message>
            <source>&amp;Previous athlete</source>
            <translation>&amp;Vorheriger Athlet</translation>
        </message>
        <message>
            <source>The previous athlete of the start list in use comes up next</source>
            <translation>Der vorherige Athlet der verwendeten Startliste ist als Nächster an der Reihe</translation>
        </message>
        <message>
            <source>&amp;Database</source>
            <translation>Date&amp;nbank</translation>
        </message>
        <message>
            <source>T&amp;raining</source>
            <translation>T&amp;raining</translation>
        </message>
        <message>
            <source>&amp;Simulation</source>
            <translation>&amp;Simulation</translation>
        </message>
        <message>
            <source>Simulate &amp;Input</source>
            <translation>Eingabe &amp;simulieren</translation>
        </message>
        <message>
            <source>&amp;View</source>
            <translation>&amp;Ansicht</translation>
        </message>
        <message>
            <source>Moved to the trash: %1</source>
            <translation>In den Papierkorb verschoben: %1</translation>
        </message>
        <message>
            <source>Deleted: %1</source>
            <translation>Gelöscht: %1</translation>
        </message>
        <message>
            <source>%1 landings instead of %2 measured</source>
            <translation>%1 statt %2 gemessener Landungen</translation>
        </message>
        <message>
            <source>shifted 1 landing later</source>
            <translation>um 1 Landung später verschoben</translation>
        </message>
        <message>
            <source>shifted %1 landings later</source>
            <translation>um %1 Landungen später verschoben</translation>
        </message>
        <message>
            <source>shifted 1 landing earlier</source>
            <translation>um 1 Landung früher verschoben</translation>
        </message>
        <message>
            <source>shifted %1 landings earlier</source>
            <translation>um %1 Landungen früher verschoben</translation>
        </message>
        <message>
            <source>other landings than measured</source>
            <translation>andere Landungen als gemessen</translation>
        </message>
        <message>
            <source>EDITED: %1 · R restores the routine as measured</source>
            <translation>GEÄNDERT: %1 · R stellt die Übung wie gemessen wieder her</translation>
        </message>
        <message>
            <source>&amp;Restore routine as measured</source>
            <translation>Übung wie gemessen wieder&amp;herstellen</translation>
        </message>
        <message>
            <source>R: undo every edit of the routine under review</source>
            <translation>R: alle Änderungen an der geprüften Übung zurücknehmen</translation>
        </message>
        <message>
            <source>Synchronized, but only trampoline %1 is jumping: no pairs are counted. For one athlete choose trampoline %1 under "Tramp select".</source>
            <translation>Synchron, aber nur auf Trampolin %1 wird gesprungen: es werden keine Paare gezählt. Für einen Athleten unter „Trampolin-Auswahl“ Trampolin %1 wählen.</translation>
        </message>
        <message>
            <source>Athlete &amp;list</source>
            <translation>Athleten&amp;liste</translation>
        </message>
        <message>
            <source>F3: the athlete list takes the arrow keys</source>
            <translation>F3: die Athletenliste nimmt die Pfeiltasten</translation>
        </message>
        <message>
            <source>The routine itself is saved.</source>
            <translation>Die Übung selbst ist gespeichert.</translation>
        </message>
        <message>
            <source>Autosave is off: the routine itself is not saved.</source>
            <translation>Automatisches Speichern ist aus: Die Übung selbst ist nicht gespeichert.</translation>
        </message>
        <message>
            <source>The routine itself is kept in %1.</source>
            <translation>Die Übung selbst wird in %1 aufbewahrt.</translation>
        </message>
        <message>
            <source>The routine itself was not saved.</source>
            <translation>Die Übung selbst wurde nicht gespeichert.</translation>
        </message>
        <message>
            <source>file</source>
            <translation>Datei</translation>
        </message>
        <message>
            <source>database</source>
            <translation>Datenbank</translation>
        </message>
        <message>
            <source>This routine was committed on %1 and is not sent again. Saving it failed (%2): the next step repeats only that.</source>
            <translation>Diese Übung wurde am %1 übernommen und wird nicht noch einmal gesendet. Das Speichern ist fehlgeschlagen (%2): Der nächste Schritt wiederholt nur das.</translation>
        </message>
        <message>
            <source>This routine was committed on %1; the next step does not commit it again.</source>
            <translation>Diese Übung wurde am %1 übernommen; der nächste Schritt übernimmt sie nicht noch einmal.</translation>
        </message>
        <message>
            <source>Retry sends the result again now. Cancel means send later: the result waits in the outbox and goes to "%1" by itself as soon as it answers again.</source>
            <translation>Wiederholen sendet das Ergebnis jetzt noch einmal. Abbrechen heißt später senden: Das Ergebnis wartet im Postausgang und geht von selbst an „%1“, sobald es wieder antwortet.</translation>
        </message>
        <message>
            <source>%1 waiting</source>
            <translation>%1 wartend</translation>
        </message>
        <message>
            <source>Committed results that this scoring system has not taken yet. They are sent by themselves as soon as it answers again; the network dialog lists them.</source>
            <translation>Übernommene Ergebnisse, die dieses Wertungssystem noch nicht angenommen hat. Sie werden von selbst gesendet, sobald es wieder antwortet; der Netzwerkdialog listet sie auf.</translation>
        </message>
        <message>
            <source>The results for the scoring systems could not be written to %1 (%2). They are sent while Ovra runs, but would be lost if it ended before.</source>
            <translation>Die Ergebnisse für die Wertungssysteme konnten nicht in %1 geschrieben werden (%2). Sie werden gesendet, solange Ovra läuft, gingen aber verloren, wenn es vorher endet.</translation>
        </message>
        <message>
            <source>Athlete &amp;history</source>
            <translation>Athleten&amp;verlauf</translation>
        </message>
        <message>
            <source>Ctrl+H: Every routine of an athlete across the competitions of the database</source>
            <translation>Strg+H: Jede Übung eines Athleten über alle Wettkämpfe der Datenbank</translation>
        </message>
        <message>
            <source>Personal best %1 s</source>
            <translation>Persönliche Bestleistung %1 s</translation>
        </message>
    </context>
    <context>
        <name>OvraEval</name>
        <message>
            <source>usage: %1</source>
            <translation>Aufruf: %1</translation>
        </message>
        <message>
            <source>--hd-rule takes 0 or 1, not '%1'</source>
            <translation>--hd-rule nimmt 0 oder 1, nicht '%1'</translation>
        </message>
        <message>
            <source>unknown option '%1'</source>
            <translation>unbekannte Option '%1'</translation>
        </message>
        <message>
            <source>no file given</source>
            <translation>keine Datei angegeben</translation>
        </message>
        <message>
            <source>cannot read %1</source>
            <translation>%1 kann nicht gelesen werden</translation>
        </message>
        <message>
            <source>   or: %1</source>
            <translation> oder: %1</translation>
        </message>
        <message>
            <source>%1 needs a value</source>
            <translation>%1 braucht einen Wert</translation>
        </message>
        <message>
            <source>--protocol takes a folder and no files or rule</source>
            <translation>--protocol nimmt einen Ordner und keine Dateien oder Regel</translation>
        </message>
        <message>
            <source>--subfolders and --heatmap belong to --protocol</source>
            <translation>--subfolders und --heatmap gehören zu --protocol</translation>
        </message>
        <message>
            <source>%1 is not a folder</source>
            <translation>%1 ist kein Ordner</translation>
        </message>
        <message>
            <source>cannot write %1</source>
            <translation>%1 kann nicht geschrieben werden</translation>
        </message>
        <message>
            <source>cannot read %1: %2</source>
            <translation>%1 kann nicht gelesen werden: %2</translation>
        </message>
    </context>
    <context>
        <name>PlotterWidget</name>
        <message>
            <source>scale automatically</source>
            <translation>automatisch skalieren</translation>
        </message>
        <message>
            <source>draw individual forces</source>
            <translation>Einzelkräfte zeichnen</translation>
        </message>
    </context>
    <context>
        <name>PreviousResultWidget</name>
        <message>
            <source>previous HD</source>
            <translation>vorherige HD</translation>
        </message>
        <message>
            <source>previous Time-of-Flight</source>
            <translation>vorherige Flugzeit</translation>
        </message>
        <message>
            <source>%1 / %2</source>
            <translation>%1 / %2</translation>
        </message>
        <message>
            <source>previous Syn</source>
            <translation>vorherige Syn</translation>
        </message>
    </context>
    <context>
        <name>RecoveryDialog</name>
        <message>
            <source>Recovery Dialog</source>
            <translation>Wiederherstellung</translation>
        </message>
        <message>
            <source>Trampoline</source>
            <translation>Trampolin</translation>
        </message>
        <message>
            <source>Trampoline 1</source>
            <translation>Trampolin 1</translation>
        </message>
        <message>
            <source>Trampoline 2</source>
            <translation>Trampolin 2</translation>
        </message>
        <message>
            <source>Synchronized</source>
            <translation>Synchron</translation>
        </message>
        <message>
            <source>From </source>
            <translation>Von </translation>
        </message>
        <message>
            <source>To </source>
            <translation>Bis </translation>
        </message>
        <message>
            <source>Routine begin </source>
            <translation>Übungsbeginn </translation>
        </message>
        <message>
            <source>Nothing has been received from the master box yet, so there is nothing to recover.</source>
            <translation>Von der Master-Box ist noch nichts empfangen worden, daher gibt es nichts wiederherzustellen.</translation>
        </message>
        <message>
            <source>Every sample of the last ten minutes is kept here, also when no routine was recorded. Pick the stretch that holds the lost routine and where it begins; it is then shown for review as a loaded routine is.</source>
            <translation>Hier wird jeder Messwert der letzten zehn Minuten aufbewahrt, auch wenn keine Übung aufgezeichnet wurde. Wählen Sie den Abschnitt mit der verlorenen Übung und deren Beginn; sie wird dann wie eine geladene Übung zur Prüfung angezeigt.</translation>
        </message>
        <message>
            <source>No routine was measured here: the routine goes to the athlete up next.</source>
            <translation>Hier wurde keine Übung gemessen: die Übung geht an den Athleten, der als Nächster dran ist.</translation>
        </message>
        <message>
            <source>The routine measured here named no athlete.</source>
            <translation>Die hier gemessene Übung nannte keinen Athleten.</translation>
        </message>
        <message>
            <source>The routine of %1 was measured here; it keeps that athlete.</source>
            <translation>Hier wurde die Übung von %1 gemessen; sie behält diesen Athleten.</translation>
        </message>
    </context>
    <context>
        <name>RoutineGuard</name>
        <message>
            <source>Discard this routine? It names no athlete.
X again to discard, Esc to keep</source>
            <translation>Diese Übung verwerfen? Sie nennt keinen Athleten.
Nochmals X verwirft, Esc behält sie</translation>
        </message>
        <message>
            <source>Discard %1's routine?
X again to discard, Esc to keep</source>
            <translation>Übung von %1 verwerfen?
Nochmals X verwirft, Esc behält sie</translation>
        </message>
        <message>
            <source>Commit a routine of only 1 landing? It names no athlete.
Enter to commit, Esc to go on reviewing</source>
            <translation>Eine Übung mit nur 1 Landung bestätigen? Sie nennt keinen Athleten.
Eingabe bestätigt, Esc prüft weiter</translation>
        </message>
        <message>
            <source>Commit a routine of only %1 landings? It names no athlete.
Enter to commit, Esc to go on reviewing</source>
            <translation>Eine Übung mit nur %1 Landungen bestätigen? Sie nennt keinen Athleten.
Eingabe bestätigt, Esc prüft weiter</translation>
        </message>
        <message>
            <source>Commit %1's routine of only 1 landing?
Enter to commit, Esc to go on reviewing</source>
            <translation>Übung von %1 mit nur 1 Landung bestätigen?
Eingabe bestätigt, Esc prüft weiter</translation>
        </message>
        <message>
            <source>Commit %1's routine of only %2 landings?
Enter to commit, Esc to go on reviewing</source>
            <translation>Übung von %1 mit nur %2 Landungen bestätigen?
Eingabe bestätigt, Esc prüft weiter</translation>
        </message>
    </context>
    <context>
        <name>RoutineMetaWidget</name>
        <message>
            <source>Clear information</source>
            <translation>Informationen löschen</translation>
        </message>
    </context>
    <context>
        <name>RulesDialog</name>
        <message>
            <source>Rules Dialog</source>
            <translation>Regeln</translation>
        </message>
        <message>
            <source>Play warning sound after 151s</source>
            <translation>Warnton nach 151 s abspielen</translation>
        </message>
        <message>
            <source>Test</source>
            <translation>Testen</translation>
        </message>
        <message>
            <source>up to 0.3 (2026)</source>
            <translation>bis 0,3 (2026)</translation>
        </message>
        <message>
            <source>up to 0.5 (2027)</source>
            <translation>bis 0,5 (2027)</translation>
        </message>
        <message>
            <source>Horizontal Displacement Deductions</source>
            <translation>Abzüge für horizontale Abweichung</translation>
        </message>
    </context>
    <context>
        <name>SaveReport</name>
        <message>
            <source>Saved: %1</source>
            <translation>Gespeichert: %1</translation>
        </message>
        <message>
            <source>Not saved: %1</source>
            <translation>Nicht gespeichert: %1</translation>
        </message>
        <message>
            <source>Stored in the database</source>
            <translation>In der Datenbank gespeichert</translation>
        </message>
        <message>
            <source>Not stored in the database</source>
            <translation>Nicht in der Datenbank gespeichert</translation>
        </message>
        <message>
            <source>Not stored in the database yet: it is tried again automatically</source>
            <translation>Noch nicht in der Datenbank gespeichert: es wird automatisch erneut versucht</translation>
        </message>
        <message>
            <source>Not stored anywhere: autosave to file and to the database is off (F5)</source>
            <translation>Nirgends gespeichert: Autosave in Datei und Datenbank ist aus (F5)</translation>
        </message>
    </context>
    <context>
        <name>Scoreboard</name>
        <message>
            <source>Scoreboard</source>
            <translation>Anzeigetafel</translation>
        </message>
        <message>
            <source>Athlete</source>
            <translation>Athlet</translation>
        </message>
        <message>
            <source>Live result</source>
            <translation>Aktuelles Ergebnis</translation>
        </message>
        <message>
            <source>Last confirmed result</source>
            <translation>Zuletzt bestätigtes Ergebnis</translation>
        </message>
        <message>
            <source>connected</source>
            <translation>verbunden</translation>
        </message>
        <message>
            <source>not connected</source>
            <translation>nicht verbunden</translation>
        </message>
        <message>
            <source>READY</source>
            <translation>BEREIT</translation>
        </message>
        <message>
            <source>START</source>
            <translation>START</translation>
        </message>
        <message>
            <source>ROUTINE</source>
            <translation>ÜBUNG</translation>
        </message>
        <message>
            <source>REVIEW</source>
            <translation>PRÜFUNG</translation>
        </message>
        <message>
            <source>OTHER</source>
            <translation>ANDERES</translation>
        </message>
        <message>
            <source>Synchronisation</source>
            <translation>Synchronität</translation>
        </message>
        <message>
            <source>HD</source>
            <translation>HD</translation>
        </message>
        <message>
            <source>Elements</source>
            <translation>Elemente</translation>
        </message>
        <message>
            <source>Time difference (s)</source>
            <translation>Zeitdifferenz (s)</translation>
        </message>
        <message>
            <source>Time of flight</source>
            <translation>Flugzeit</translation>
        </message>
        <message>
            <source>Time of flight (s)</source>
            <translation>Flugzeit (s)</translation>
        </message>
        <message>
            <source>Start penalty</source>
            <translation>Startabzug</translation>
        </message>
        <message>
            <source>Zone</source>
            <translation>Zone</translation>
        </message>
        <message>
            <source>No result yet</source>
            <translation>Noch kein Ergebnis</translation>
        </message>
        <message>
            <source>Up next</source>
            <translation>Als Nächstes</translation>
        </message>
        <message>
            <source>Personal best</source>
            <translation>Persönliche Bestleistung</translation>
        </message>
        <message>
            <source>Show the personal best</source>
            <translation>Persönliche Bestleistung zeigen</translation>
        </message>
    </context>
    <context>
        <name>SecondScreenResultWindow</name>
        <message>
            <source>Results</source>
            <translation>Ergebnisse</translation>
        </message>
        <message>
            <source>READY</source>
            <translation>BEREIT</translation>
        </message>
        <message>
            <source>START</source>
            <translation>START</translation>
        </message>
        <message>
            <source>ROUTINE</source>
            <translation>ÜBUNG</translation>
        </message>
        <message>
            <source>REVIEW</source>
            <translation>PRÜFUNG</translation>
        </message>
        <message>
            <source>full screen</source>
            <translation>Vollbild</translation>
        </message>
        <message>
            <source>show state widget</source>
            <translation>Zustandsanzeige zeigen</translation>
        </message>
        <message>
            <source>swap trampolines</source>
            <translation>Trampoline tauschen</translation>
        </message>
        <message>
            <source>show personal best</source>
            <translation>persönliche Bestleistung zeigen</translation>
        </message>
    </context>
    <context>
        <name>SecondScreenTrampolineWindow</name>
        <message>
            <source>Trampoline</source>
            <translation>Trampolin</translation>
        </message>
        <message>
            <source>TRAMPOLINE 2</source>
            <translation>TRAMPOLIN 2</translation>
        </message>
        <message>
            <source>TRAMPOLINE 1</source>
            <translation>TRAMPOLIN 1</translation>
        </message>
        <message>
            <source>full screen</source>
            <translation>Vollbild</translation>
        </message>
    </context>
    <context>
        <name>SelfDiagnosisDialog</name>
        <message>
            <source>Self Diagnosis</source>
            <translation>Selbstdiagnose</translation>
        </message>
        <message>
            <source>USB-Connection</source>
            <translation>USB-Verbindung</translation>
        </message>
        <message>
            <source>TRAMPOLINE 1</source>
            <translation>TRAMPOLIN 1</translation>
        </message>
        <message>
            <source>TRAMPOLINE 2</source>
            <translation>TRAMPOLIN 2</translation>
        </message>
        <message>
            <source>Sensor %1</source>
            <translation>Sensor %1</translation>
        </message>
        <message>
            <source>Trampoline 1</source>
            <translation>Trampolin 1</translation>
        </message>
        <message>
            <source>Trampoline 2</source>
            <translation>Trampolin 2</translation>
        </message>
        <message>
            <source>TARA</source>
            <translation>TARA</translation>
        </message>
        <message>
            <source>please wait...</source>
            <translation>bitte warten...</translation>
        </message>
        <message>
            <source>show details</source>
            <translation>Details zeigen</translation>
        </message>
        <message>
            <source>P: present value · T: tara, the zero offset · N: net force, P minus T (newtons)</source>
            <translation>P: aktueller Wert · T: Tara, der Nullpunkt · N: Nettokraft, P minus T (Newton)</translation>
        </message>
    </context>
    <context>
        <name>SelfDiagnosisTrampoline</name>
        <message>
            <source>P: %1
T: %2
N: %3</source>
            <translation>P: %1
T: %2
N: %3</translation>
        </message>
        <message>
            <source>Sensor %1</source>
            <translation>Sensor %1</translation>
        </message>
    </context>
    <context>
        <name>StartListDialogs</name>
        <message>
            <source>Female</source>
            <translation>weiblich</translation>
        </message>
        <message>
            <source>Mixed</source>
            <translation>gemischt</translation>
        </message>
        <message>
            <source>Male</source>
            <translation>männlich</translation>
        </message>
        <message>
            <source>Synchron</source>
            <translation>Synchron</translation>
        </message>
        <message>
            <source>Individual</source>
            <translation>Einzel</translation>
        </message>
        <message>
            <source>Add</source>
            <translation>Hinzufügen</translation>
        </message>
        <message>
            <source>Replace</source>
            <translation>Ersetzen</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Löschen</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>Other</source>
            <translation>divers</translation>
        </message>
    </context>
    <context>
        <name>StartListSelection</name>
        <message>
            <source>Select Event</source>
            <translation>Veranstaltung wählen</translation>
        </message>
        <message>
            <source>Select Competition</source>
            <translation>Wettkampf wählen</translation>
        </message>
        <message>
            <source>Select Group</source>
            <translation>Gruppe wählen</translation>
        </message>
    </context>
    <context>
        <name>StateBanner</name>
        <message>
            <source>START: waiting for the first landing · Esc: back to READY</source>
            <translation>START: warten auf die erste Landung · Esc: zurück zu BEREIT</translation>
        </message>
        <message>
            <source>ROUTINE: landings are counted · Space ends the routine</source>
            <translation>ÜBUNG: Landungen werden gezählt · Leertaste beendet die Übung</translation>
        </message>
        <message>
            <source>REVIEW · Space: confirm · X: dismiss · D: details · arrow keys: edit</source>
            <translation>PRÜFEN · Leertaste: bestätigen · X: verwerfen · D: Details · Pfeiltasten: ändern</translation>
        </message>
        <message>
            <source>CONFIRMED: saving and sending the routine</source>
            <translation>BESTÄTIGT: die Übung wird gespeichert und gesendet</translation>
        </message>
        <message>
            <source>SINGLE DROP TEST: drop the weight on trampoline 1</source>
            <translation>FALLTEST: das Gewicht auf Trampolin 1 fallen lassen</translation>
        </message>
        <message>
            <source>TRAINING: landings are counted · Space: pause · Esc: end training</source>
            <translation>TRAINING: Landungen werden gezählt · Leertaste: Pause · Esc: Training beenden</translation>
        </message>
        <message>
            <source>PAUSE · Space: go on training · Esc: end training</source>
            <translation>PAUSE · Leertaste: weiter trainieren · Esc: Training beenden</translation>
        </message>
    </context>
    <context>
        <name>StateWidget</name>
        <message>
            <source>NO USB</source>
            <translation>KEIN USB</translation>
        </message>
        <message>
            <source>READY</source>
            <translation>BEREIT</translation>
        </message>
        <message>
            <source>START</source>
            <translation>START</translation>
        </message>
        <message>
            <source>ROUTINE</source>
            <translation>ÜBUNG</translation>
        </message>
        <message>
            <source>REVIEW</source>
            <translation>PRÜFEN</translation>
        </message>
        <message>
            <source>DIAGNOSIS</source>
            <translation>DIAGNOSE</translation>
        </message>
        <message>
            <source>PAUSE</source>
            <translation>PAUSE</translation>
        </message>
    </context>
    <context>
        <name>TofSynResultWidget</name>
        <message>
            <source>Syn</source>
            <translation>Syn</translation>
        </message>
        <message>
            <source>Time-of-Flight</source>
            <translation>Flugzeit</translation>
        </message>
    </context>
    <context>
        <name>TutorialDialog</name>
        <message>
            <source>Show this dialog on every startup</source>
            <translation>Diesen Dialog bei jedem Start zeigen</translation>
        </message>
        <message>
            <source>Previous</source>
            <translation>Zurück</translation>
        </message>
        <message>
            <source>Next</source>
            <translation>Weiter</translation>
        </message>
        <message>
            <source>There are no tutorial pages available.</source>
            <translation>Es sind keine Anleitungsseiten vorhanden.</translation>
        </message>
        <message>
            <source>Finish</source>
            <translation>Fertig</translation>
        </message>
    </context>
    <context>
        <name>Tutorials</name>
        <message>
            <source>Setup Instructions</source>
            <translation>Aufbauanleitung</translation>
        </message>
        <message>
            <source>UI Tutorial</source>
            <translation>Bedienungsanleitung</translation>
        </message>
        <message>
            <source>Network Tutorial</source>
            <translation>Netzwerk-Anleitung</translation>
        </message>
        <message>
            <source>Place the four force sensors under the frame of each trampoline and lead their cables to the master box: the sensors of trampoline 1 into the four sockets on the left, those of trampoline 2 into the four on the right. Help &gt; Self Diagnosis shows the whole chain from the computer to the sensors. Here no master box is connected yet: the box is crossed out and every check is red.</source>
            <translation>Stellen Sie die vier Kraftsensoren unter den Rahmen jedes Trampolins und führen Sie ihre Kabel zur Master-Box: die Sensoren von Trampolin 1 in die vier Buchsen links, die von Trampolin 2 in die vier rechts. Hilfe &gt; Selbstdiagnose zeigt die ganze Kette vom Computer bis zu den Sensoren. Hier ist noch keine Master-Box angeschlossen: Die Box ist durchgestrichen und jedes Häkchen ist rot.</translation>
        </message>
        <message>
            <source>Connect the master box to the computer with its USB cable. Ovra finds it within a second: the box turns blue, the USB connection gets a green check, and every sensor that delivers a signal gets one too. A trampoline is ready when its four sensors and the trampoline itself are green. A red sensor delivers no signal: check its cable and socket.</source>
            <translation>Verbinden Sie die Master-Box über ihr USB-Kabel mit dem Computer. Ovra findet sie innerhalb einer Sekunde: Die Box wird blau, die USB-Verbindung bekommt ein grünes Häkchen, und jeder Sensor, der ein Signal liefert, ebenfalls. Ein Trampolin ist bereit, wenn seine vier Sensoren und das Trampolin selbst grün sind. Ein roter Sensor liefert kein Signal: Prüfen Sie sein Kabel und seine Buchse.</translation>
        </message>
        <message>
            <source>Press on the bed near each sensor in turn: the blue marker follows the load towards that sensor. With "show details" every sensor shows its present raw value (P), its zero offset (T) and their difference (N). A sensor whose N does not rise under load, or a marker that moves towards the wrong corner, points to a swapped or faulty cable.</source>
            <translation>Drücken Sie nacheinander neben jedem Sensor auf das Sprungtuch: Die blaue Markierung folgt der Last zu diesem Sensor. Mit "Details zeigen" zeigt jeder Sensor seinen aktuellen Rohwert (P), seinen Nullpunkt (T) und ihre Differenz (N). Ein Sensor, dessen N unter Last nicht steigt, oder eine Markierung, die in die falsche Ecke wandert, deutet auf ein vertauschtes oder defektes Kabel hin.</translation>
        </message>
        <message>
            <source>Config &gt; Settings (F2): choose the trampoline type under Geometry. The built-in frames fill in the distances between the sensors along (L) and across (B) the bed; "Other" lets you enter them for another frame. Landing positions and deductions depend on them, so check them before the competition. A new geometry applies at once.</source>
            <translation>Konfiguration &gt; Einstellungen (F2): Wählen Sie unter Geometrie den Trampolintyp. Die eingebauten Rahmen tragen die Abstände der Sensoren längs (L) und quer (B) zum Sprungtuch ein; mit "Anderer" geben Sie sie für einen anderen Rahmen selbst ein. Landepositionen und Abzüge hängen davon ab, prüfen Sie sie daher vor dem Wettkampf. Eine neue Geometrie gilt sofort.</translation>
        </message>
        <message>
            <source>With both beds empty, press TARA. For 1.8 seconds Ovra measures the empty beds and takes the result as the zero of every sensor; nobody may touch the beds meanwhile. Ovra also zeroes by itself the first time the master box is connected.</source>
            <translation>Drücken Sie bei leeren Sprungtüchern TARA. 1,8 Sekunden lang misst Ovra die leeren Tücher und nimmt das Ergebnis als Nullpunkt jedes Sensors; währenddessen darf niemand die Tücher berühren. Ovra nullt auch von selbst, wenn die Master-Box zum ersten Mal angeschlossen wird.</translation>
        </message>
        <message>
            <source>Ready to go: the state display shows READY and the page says READY TO GO. Leave the trampoline selection and the weight class on "Automatic"; a warning above READY TO GO names anything that is not set as recommended, such as a sensor without signal.</source>
            <translation>Startbereit: Die Zustandsanzeige zeigt BEREIT und die Seite STARTBEREIT. Lassen Sie die Trampolin-Auswahl und die Gewichtsklasse auf "Automatisch"; eine Warnung über STARTBEREIT nennt alles, was nicht wie empfohlen eingestellt ist, etwa einen Sensor ohne Signal.</translation>
        </message>
        <message>
            <source>The main window. On the left the state display, the configuration, the start list and the saved files; on the right the page of the current state; at the bottom the status bar. The next pages show each area.</source>
            <translation>Das Hauptfenster. Links die Zustandsanzeige, die Konfiguration, die Startliste und die gespeicherten Dateien; rechts die Seite des aktuellen Zustands; unten die Statusleiste. Die nächsten Seiten zeigen jeden Bereich.</translation>
        </message>
        <message>
            <source>Space starts a routine: START. The time since START runs in large figures; it is the start time of the routine. After 151 seconds a warning sound plays (Config &gt; Rules), after 300 seconds the start ends by itself.</source>
            <translation>Die Leertaste startet eine Übung: START. Die Zeit seit START läuft in großen Ziffern; sie ist die Startzeit der Übung. Nach 151 Sekunden ertönt ein Warnton (Konfiguration &gt; Regeln), nach 300 Sekunden endet der Start von selbst.</translation>
        </message>
        <message>
            <source>Space again when the athlete begins the routine: ROUTINE. Every landing appears on the bed with its number, the table lists time of flight, position and deduction of each element, and the read-outs add up time of flight and horizontal displacement. The tenth landing closes the routine.</source>
            <translation>Noch einmal die Leertaste, wenn der Athlet die Übung beginnt: ÜBUNG. Jede Landung erscheint mit ihrer Nummer auf dem Tuch, die Tabelle nennt Flugzeit, Position und Abzug jedes Elements, und die Anzeigen summieren Flugzeit und horizontale Abweichung. Die zehnte Landung schließt die Übung.</translation>
        </message>
        <message>
            <source>Back in READY the result of the previous routine stays at the top of the page, so the next athlete can be started while the judges still read it.</source>
            <translation>Zurück in BEREIT bleibt das Ergebnis der vorigen Übung oben auf der Seite stehen, so kann der nächste Athlet starten, während die Kampfrichter es noch lesen.</translation>
        </message>
        <message>
            <source>The status bar: the routine time in seconds and in minutes, the trampoline in use, the measurement on display, the autosave, whether information for the next routine has arrived, and the connection lights of the scoring systems and of the HTTP and WebSocket servers.</source>
            <translation>Die Statusleiste: die Übungszeit in Sekunden und in Minuten, das verwendete Trampolin, die angezeigte Messung, die automatische Speicherung, ob Informationen für die nächste Übung angekommen sind, und die Verbindungslampen der Wertungssysteme sowie des HTTP- und des WebSocket-Servers.</translation>
        </message>
        <message>
            <source>The Help menu opens these tutorials again, the self-diagnosis of the sensors, the export of the competition protocol (statistics and a heat map of the landings) and the information about Ovra.</source>
            <translation>Das Menü Hilfe öffnet diese Anleitungen wieder, die Selbstdiagnose der Sensoren, den Export des Wettkampfprotokolls (Statistik und eine Heatmap der Landungen) und die Informationen über Ovra.</translation>
        </message>
        <message>
            <source>Ovra works with scoring software in three ways: it sends every committed result to up to three scoring systems over HTTP, it answers requests on its own HTTP server, and it pushes states and results to WebSocket clients. The right end of the status bar shows each connection: green works, red failed, yellow is not known yet, grey is switched off.</source>
            <translation>Ovra arbeitet auf drei Wegen mit Wertungssoftware zusammen: Es sendet jedes übernommene Ergebnis über HTTP an bis zu drei Wertungssysteme, es beantwortet Anfragen auf seinem eigenen HTTP-Server, und es schickt Zustände und Ergebnisse an WebSocket-Clients. Das rechte Ende der Statusleiste zeigt jede Verbindung: grün funktioniert, rot fehlgeschlagen, gelb noch unbekannt, grau ausgeschaltet.</translation>
        </message>
        <message>
            <source>Config &gt; Network sets them up: the address of every scoring system and whether it also receives the states and intermediate results, and the ports of the HTTP and WebSocket servers.</source>
            <translation>Konfiguration &gt; Netzwerk richtet sie ein: die Adresse jedes Wertungssystems und ob es auch die Zustände und Zwischenergebnisse erhält, sowie die Ports des HTTP- und des WebSocket-Servers.</translation>
        </message>
        <message>
            <source>Scoring software may send the information of the next routine: the athlete, the competition, the group. The indicator "Routine Information" in the status bar lights up, and the information joins the routine when START is pressed.</source>
            <translation>Wertungssoftware kann die Informationen der nächsten Übung senden: den Athleten, den Wettkampf, die Gruppe. Die Anzeige "Übungsinformation" in der Statusleiste leuchtet auf, und die Informationen gehen in die Übung ein, wenn START gedrückt wird.</translation>
        </message>
        <message>
            <source>The state display shows where the routine stands: NO USB, READY, START, ROUTINE or REVIEW (PAUSE while training pauses); from START on, a banner above the page names the state and its keys in large type. Beside it the configuration: TARA zeroes the sensors, "Tramp select" chooses the trampoline ("Automatic" follows the activity on the beds) and "Weight Class" sets the contact threshold ("Automatic" adapts it to the athlete).</source>
            <translation>Die Zustandsanzeige zeigt, wo die Übung steht: KEIN USB, BEREIT, START, ÜBUNG oder PRÜFEN (PAUSE, wenn das Training pausiert); ab START nennt ein Band über der Seite den Zustand und seine Tasten in großer Schrift. Daneben die Konfiguration: TARA nullt die Sensoren, "Trampolin-Auswahl" wählt das Trampolin ("Automatisch" folgt der Aktivität auf den Tüchern) und "Gewichtsklasse" setzt die Kontaktschwelle ("Automatisch" passt sie dem Athleten an).</translation>
        </message>
        <message>
            <source>The start list: choose the event, the competition and the group, then the athlete (F3 gives the list the arrow keys; Page Down and Page Up move to the next and previous athlete). The choice travels with the routine into the data file, the database and to the scoring systems. While a start list is in use and nobody is chosen, READY warns.</source>
            <translation>Die Startliste: Wählen Sie die Veranstaltung, den Wettkampf und die Gruppe, dann den Athleten (F3 gibt der Liste die Pfeiltasten; Bild ab und Bild auf gehen zum nächsten und vorherigen Athleten). Die Auswahl reist mit der Übung in die Datendatei, die Datenbank und zu den Wertungssystemen. Solange eine Startliste benutzt wird und niemand gewählt ist, warnt BEREIT.</translation>
        </message>
        <message>
            <source>REVIEW: the result of the routine. The arrow keys shift the routine by one landing or lengthen and shorten it; an edited routine is marked with what changed, and R restores it as measured. D shows the details. Space or CONFIRM commits the result: it is saved and sent to the scoring systems; a routine of fewer than three landings asks first (Enter commits it). X or DISMISS throws the routine away after asking: X again discards it, Esc keeps it.</source>
            <translation>PRÜFEN: das Ergebnis der Übung. Die Pfeiltasten verschieben die Übung um eine Landung oder verlängern und verkürzen sie; eine geänderte Übung wird mit der Änderung markiert, und R stellt sie wie gemessen wieder her. D zeigt die Details. Leertaste oder BESTÄTIGEN übernimmt das Ergebnis: Es wird gespeichert und an die Wertungssysteme gesendet; eine Übung mit weniger als drei Landungen fragt vorher (Eingabe bestätigt sie). X oder VERWERFEN verwirft die Übung nach einer Rückfrage: nochmals X verwirft sie, Esc behält sie.</translation>
        </message>
        <message>
            <source>A committed result waits until every scoring system has taken it. When one fails, a message offers to send it again; the next routine starts when all have answered or the sending was put off with Cancel. A result put off is not lost: it waits in the outbox, goes by itself as soon as its system answers again, also after a restart, and the status bar counts what waits.</source>
            <translation>Ein übernommenes Ergebnis wartet, bis jedes Wertungssystem es angenommen hat. Schlägt eines fehl, bietet eine Meldung an, es erneut zu senden; die nächste Übung beginnt, wenn alle geantwortet haben oder das Senden mit Abbrechen aufgeschoben wurde. Ein aufgeschobenes Ergebnis geht nicht verloren: Es wartet im Postausgang, geht von selbst, sobald sein System wieder antwortet, auch nach einem Neustart, und die Statusleiste zählt, was wartet.</translation>
        </message>
    </context>
    <context>
        <name>UpcomingRoutineMetaWidget</name>
        <message>
            <source>up next:</source>
            <translation>als Nächstes:</translation>
        </message>
        <message>
            <source>RE-JUMP: the dismissed routine is jumped again</source>
            <translation>WIEDERHOLUNG: die verworfene Übung wird noch einmal geturnt</translation>
        </message>
    </context>
    <context>
        <name>WeightClasses</name>
        <message>
            <source>Children (800N)</source>
            <translation>Kinder (800N)</translation>
        </message>
        <message>
            <source>Teenager (1150N)</source>
            <translation>Jugendliche (1150N)</translation>
        </message>
        <message>
            <source>Normal (2500N)</source>
            <translation>Normal (2500N)</translation>
        </message>
        <message>
            <source>Adults (5000N)</source>
            <translation>Erwachsene (5000N)</translation>
        </message>
        <message>
            <source>Automatic (800N)</source>
            <translation>Automatisch (800N)</translation>
        </message>
    </context>
    <context>
        <name>ovra::db::PostgresConnection</name>
        <message>
            <source>The database %1 does not keep its text as UTF-8; create it with the encoding UTF8</source>
            <translation>Die Datenbank %1 speichert Text nicht als UTF-8; legen Sie sie mit der Kodierung UTF8 an</translation>
        </message>
        <message>
            <source>The database does not keep its text as UTF-8; create it with the encoding UTF8</source>
            <translation>Die Datenbank speichert Text nicht als UTF-8; legen Sie sie mit der Kodierung UTF8 an</translation>
        </message>
        <message>
            <source>Connected to PostgreSQL %1</source>
            <translation>Verbunden mit PostgreSQL %1</translation>
        </message>
        <message>
            <source>The database server %1 does not answer</source>
            <translation>Der Datenbankserver %1 antwortet nicht</translation>
        </message>
    </context>
    <context>
        <name>ovra::db::Transfer</name>
        <message>
            <source>%1 (table %2)</source>
            <translation>%1 (Tabelle %2)</translation>
        </message>
    </context>
    <context>
        <name>ovra::history::AthleteHistoryWindow</name>
        <message>
            <source>Date</source>
            <translation>Datum</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Veranstaltung</translation>
        </message>
        <message>
            <source>Competition</source>
            <translation>Wettkampf</translation>
        </message>
        <message>
            <source>Group</source>
            <translation>Gruppe</translation>
        </message>
        <message>
            <source>Elements</source>
            <translation>Elemente</translation>
        </message>
        <message>
            <source>Total ToF (s)</source>
            <translation>Flugzeit gesamt (s)</translation>
        </message>
        <message>
            <source>Total HD</source>
            <translation>HD gesamt</translation>
        </message>
        <message>
            <source>Mean distance (cm)</source>
            <translation>Mittlerer Abstand (cm)</translation>
        </message>
        <message>
            <source>Synchronisation</source>
            <translation>Synchronität</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>Status</translation>
        </message>
        <message>
            <source>athlete ambiguous</source>
            <translation>Athlet nicht eindeutig</translation>
        </message>
        <message>
            <source>not scored yet</source>
            <translation>noch nicht bewertet</translation>
        </message>
        <message>
            <source>stored result unreadable</source>
            <translation>gespeichertes Ergebnis unlesbar</translation>
        </message>
        <message>
            <source>no samples</source>
            <translation>keine Messwerte</translation>
        </message>
        <message>
            <source>Mean distance of the routine's landings from the bed centre</source>
            <translation>Mittlerer Abstand der Landungen der Übung von der Tuchmitte</translation>
        </message>
        <message>
            <source>Athlete history</source>
            <translation>Athletenverlauf</translation>
        </message>
        <message>
            <source>Search athletes and pairs</source>
            <translation>Athleten und Paare suchen</translation>
        </message>
        <message>
            <source>Open routine</source>
            <translation>Übung öffnen</translation>
        </message>
        <message>
            <source>Show the chosen routine in the main window as a stored measure</source>
            <translation>Die gewählte Übung im Hauptfenster als gespeicherte Messung zeigen</translation>
        </message>
        <message>
            <source>Export table (CSV)...</source>
            <translation>Tabelle exportieren (CSV)...</translation>
        </message>
        <message>
            <source>Export chart (PNG)...</source>
            <translation>Diagramm exportieren (PNG)...</translation>
        </message>
        <message>
            <source>Scoring older routines: %v of %m</source>
            <translation>Ältere Übungen werden bewertet: %v von %m</translation>
        </message>
        <message>
            <source>FIG %1</source>
            <translation>FIG %1</translation>
        </message>
        <message>
            <source>born %1</source>
            <translation>Jahrgang %1</translation>
        </message>
        <message>
            <source>pair</source>
            <translation>Paar</translation>
        </message>
        <message numerus="yes">
            <source>ambiguous: %n athletes of this name</source>
            <translation>
                <numerusform>nicht eindeutig: %n Athleten dieses Namens</numerusform>
                <numerusform>nicht eindeutig: %n Athleten dieses Namens</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n routine(s)</source>
            <translation>
                <numerusform>%n Übung</numerusform>
                <numerusform>%n Übungen</numerusform>
            </translation>
        </message>
        <message>
            <source>These routines name an athlete that several athletes in the database could be: without a FIG id or year of birth they are not counted for any of them.</source>
            <translation>Diese Übungen nennen einen Athleten, der mehrere Athleten der Datenbank sein könnte: ohne FIG-ID oder Geburtsjahr werden sie keinem von ihnen zugerechnet.</translation>
        </message>
        <message>
            <source>No stored routine names an athlete yet.</source>
            <translation>Noch keine gespeicherte Übung nennt einen Athleten.</translation>
        </message>
        <message>
            <source>Choose an athlete or a pair to see every routine stored.</source>
            <translation>Wählen Sie einen Athleten oder ein Paar, um jede gespeicherte Übung zu sehen.</translation>
        </message>
        <message numerus="yes">
            <source>ambiguous: these routines could belong to any of %n athletes of this name</source>
            <translation>
                <numerusform>nicht eindeutig: diese Übungen könnten zu jedem von %n Athleten dieses Namens gehören</numerusform>
                <numerusform>nicht eindeutig: diese Übungen könnten zu jedem von %n Athleten dieses Namens gehören</numerusform>
            </translation>
        </message>
        <message>
            <source>No routine stored for this athlete.</source>
            <translation>Für diesen Athleten ist keine Übung gespeichert.</translation>
        </message>
        <message>
            <source>No scored routine yet: nothing to draw.</source>
            <translation>Noch keine bewertete Übung: nichts zu zeichnen.</translation>
        </message>
        <message>
            <source>One routine is not a trend yet: the chart starts with the second scored routine.</source>
            <translation>Eine Übung ist noch kein Verlauf: das Diagramm beginnt mit der zweiten bewerteten Übung.</translation>
        </message>
        <message>
            <source>Best synchronisation</source>
            <translation>Beste Synchronität</translation>
        </message>
        <message>
            <source>Personal best ToF</source>
            <translation>Persönliche Bestleistung Flugzeit</translation>
        </message>
        <message>
            <source>Best HD</source>
            <translation>Beste HD</translation>
        </message>
        <message>
            <source>%1 against the routine before</source>
            <translation>%1 gegenüber der Übung davor</translation>
        </message>
        <message>
            <source>no routine before</source>
            <translation>keine Übung davor</translation>
        </message>
        <message>
            <source>the best so far</source>
            <translation>die bisher beste</translation>
        </message>
        <message>
            <source>%1 against the best (%2%3)</source>
            <translation>%1 gegenüber der besten (%2%3)</translation>
        </message>
        <message>
            <source>Total ToF</source>
            <translation>Flugzeit gesamt</translation>
        </message>
        <message>
            <source> s</source>
            <translation> s</translation>
        </message>
        <message>
            <source>Chosen routine</source>
            <translation>Gewählte Übung</translation>
        </message>
        <message>
            <source>Latest routine</source>
            <translation>Letzte Übung</translation>
        </message>
        <message>
            <source>Measure</source>
            <translation>Messung</translation>
        </message>
        <message>
            <source>Export table</source>
            <translation>Tabelle exportieren</translation>
        </message>
        <message>
            <source>CSV files (*.csv)</source>
            <translation>CSV-Dateien (*.csv)</translation>
        </message>
        <message>
            <source>Export chart</source>
            <translation>Diagramm exportieren</translation>
        </message>
        <message>
            <source>PNG pictures (*.png)</source>
            <translation>PNG-Bilder (*.png)</translation>
        </message>
        <message>
            <source>No competition database is open, or its server does not answer.</source>
            <translation>Keine Wettkampfdatenbank geöffnet, oder ihr Server antwortet nicht.</translation>
        </message>
    </context>
    <context>
        <name>ovra::rest::server::NetworkServers</name>
        <message>
            <source>The HTTP server was not started: the host name "%1" in the settings is not a valid host name or address. Accepting the network configuration dialog resets it to all interfaces.</source>
            <translation>Der HTTP-Server wurde nicht gestartet: Der Hostname „%1“ in den Einstellungen ist kein gültiger Hostname und keine gültige Adresse. Wenn Sie den Dialog der Netzwerkkonfiguration mit OK bestätigen, wird er auf alle Schnittstellen zurückgesetzt.</translation>
        </message>
        <message>
            <source>The HTTP server was not started: its port %1 in the settings is outside 1 to 65535. Choose a port in the network configuration dialog.</source>
            <translation>Der HTTP-Server wurde nicht gestartet: Sein Port %1 in den Einstellungen liegt nicht zwischen 1 und 65535. Wählen Sie im Dialog der Netzwerkkonfiguration einen Port.</translation>
        </message>
        <message>
            <source>The WebSocket server was not started: its port %1 in the settings is outside 1 to 65535. Choose a port in the network configuration dialog.</source>
            <translation>Der WebSocket-Server wurde nicht gestartet: Sein Port %1 in den Einstellungen liegt nicht zwischen 1 und 65535. Wählen Sie im Dialog der Netzwerkkonfiguration einen Port.</translation>
        </message>
    </context>
    <context>
        <name>ovra::util::Warnings</name>
        <message>
            <source>- Trampoline is not set to 'Automatic'</source>
            <translation>- Trampolin ist nicht auf 'Automatisch' gestellt</translation>
        </message>
        <message>
            <source>- Weight Class is not set to 'Automatic'</source>
            <translation>- Gewichtsklasse ist nicht auf 'Automatisch' gestellt</translation>
        </message>
        <message>
            <source>- No client is connected to the WebSocket server</source>
            <translation>- Kein Client ist mit dem WebSocket-Server verbunden</translation>
        </message>
        <message>
            <source>- Not all sensors are connected properly - run diagnosis</source>
            <translation>- Nicht alle Sensoren sind richtig angeschlossen - Diagnose ausführen</translation>
        </message>
        <message>
            <source>- Unexpected sensor data collected - run diagnosis</source>
            <translation>- Unerwartete Sensordaten erfasst - Diagnose ausführen</translation>
        </message>
        <message>
            <source>- Committed routines are not stored: autosave to file and database is off</source>
            <translation>- Bestätigte Übungen werden nicht gespeichert: Autosave in Datei und Datenbank ist aus</translation>
        </message>
        <message>
            <source>- Routines wait to be stored in the database; it is tried again automatically</source>
            <translation>- Übungen warten auf das Speichern in der Datenbank; es wird automatisch erneut versucht</translation>
        </message>
        <message>
            <source>- No athlete is chosen in the start list: the routine would be stored and sent without a name</source>
            <translation>- In der Startliste ist kein Athlet gewählt: die Übung würde ohne Namen gespeichert und gesendet</translation>
        </message>
    </context>
    <context>
        <name>widget::individual::IndividualResultsTableModel</name>
        <message>
            <source>Tot</source>
            <translation>Ges</translation>
        </message>
        <message>
            <source>ToF [s]</source>
            <translation>Flugzeit [s]</translation>
        </message>
        <message>
            <source>HD-Ded</source>
            <translation>HD-Abz</translation>
        </message>
        <message>
            <source>HD</source>
            <translation>HD</translation>
        </message>
        <message>
            <source>X [cm]</source>
            <translation>X [cm]</translation>
        </message>
        <message>
            <source>Y [cm]</source>
            <translation>Y [cm]</translation>
        </message>
    </context>
    <context>
        <name>widget::synchronized::SynchronizedResultsTableModel</name>
        <message>
            <source>Not synchronous: this pair and all later pairs do not count</source>
            <translation>Nicht synchron: dieses Paar und alle folgenden zählen nicht</translation>
        </message>
        <message>
            <source>Tot</source>
            <translation>Ges</translation>
        </message>
        <message>
            <source>HD1-Ded</source>
            <translation>HD1-Abz</translation>
        </message>
        <message>
            <source>HD2-Ded</source>
            <translation>HD2-Abz</translation>
        </message>
        <message>
            <source>HD1</source>
            <translation>HD1</translation>
        </message>
        <message>
            <source>HD2</source>
            <translation>HD2</translation>
        </message>
        <message>
            <source>Syn-Ded</source>
            <translation>Syn-Abz</translation>
        </message>
        <message>
            <source>Syn</source>
            <translation>Syn</translation>
        </message>
        <message>
            <source>dT [s]</source>
            <translation>dT [s]</translation>
        </message>
        <message>
            <source>Does not count: an earlier pair was not synchronous</source>
            <translation>Zählt nicht: ein früheres Paar war nicht synchron</translation>
        </message>
    </context>
    <context>
        <name>wsdb</name>
        <message>
            <source>%1: %2 added, %3 skipped as identical, %4 kept as conflicting</source>
            <translation>%1: %2 hinzugefügt, %3 als gleich übersprungen, %4 als abweichend behalten</translation>
        </message>
        <message>
            <source>No database is open.</source>
            <translation>Keine Datenbank ist geöffnet.</translation>
        </message>
        <message>
            <source>%1 is not an Ovra database.</source>
            <translation>%1 ist keine Ovra-Datenbank.</translation>
        </message>
        <message>
            <source>%1 could not be opened: %2</source>
            <translation>%1 konnte nicht geöffnet werden: %2</translation>
        </message>
        <message>
            <source>%1 could not be merged; nothing was added. %2</source>
            <translation>%1 konnte nicht zusammengeführt werden; nichts wurde hinzugefügt. %2</translation>
        </message>
        <message>
            <source>%1 does not exist.</source>
            <translation>%1 gibt es nicht.</translation>
        </message>
        <message>
            <source>No database file is open.</source>
            <translation>Es ist keine Datenbankdatei geöffnet.</translation>
        </message>
        <message>
            <source>The database server %1 does not answer: %2</source>
            <translation>Der Datenbankserver %1 antwortet nicht: %2</translation>
        </message>
        <message>
            <source>table %1 cannot be read: %2</source>
            <translation>Tabelle %1 kann nicht gelesen werden: %2</translation>
        </message>
        <message>
            <source>the measures carry no id: %1</source>
            <translation>die Messungen haben keine Kennung: %1</translation>
        </message>
    </context>
</TS>
