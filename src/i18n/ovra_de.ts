<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
            <source>Open folder in explorer</source>
            <translation>Ordner im Dateimanager öffnen</translation>
        </message>
        <message>
            <source>Reverse sort order</source>
            <translation>Sortierung umkehren</translation>
        </message>
        <message>
            <source>Delete selected file</source>
            <translation>Ausgewählte Datei löschen</translation>
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
            <source>Deduction from</source>
            <translation>Abzug durch</translation>
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
    </context>
    <context>
        <name>OvraDialog</name>
        <message>
            <source>Ovra v%1</source>
            <translation>Ovra v%1</translation>
        </message>
        <message>
            <source>Simulation</source>
            <translation>Simulation</translation>
        </message>
        <message>
            <source>Connect USB-Master</source>
            <translation>USB-Master verbinden</translation>
        </message>
        <message>
            <source>Simulate Input</source>
            <translation>Eingabe simulieren</translation>
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
            <source>Training</source>
            <translation>Training</translation>
        </message>
        <message>
            <source>View</source>
            <translation>Ansicht</translation>
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
            <source>Self Diagnosis</source>
            <translation>Selbstdiagnose</translation>
        </message>
        <message>
            <source>USB-Connection</source>
            <translation>USB-Verbindung</translation>
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
            <source>Only commited results can be queried by 3rd party software. Commit results and try again.</source>
            <translation>Fremdsoftware kann nur bestätigte Ergebnisse abfragen. Bestätigen Sie das Ergebnis und versuchen Sie es erneut.</translation>
        </message>
    </context>
    <context>
        <name>OvraEval</name>
        <message>
            <source>usage: %1</source>
            <translation>Aufruf: %1</translation>
        </message>
        <message>
            <source>--hd-rule needs a value</source>
            <translation>--hd-rule braucht einen Wert</translation>
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
            <source>only one file can be evaluated</source>
            <translation>es kann nur eine Datei ausgewertet werden</translation>
        </message>
        <message>
            <source>no file given</source>
            <translation>keine Datei angegeben</translation>
        </message>
        <message>
            <source>cannot read %1</source>
            <translation>%1 kann nicht gelesen werden</translation>
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
        <message>
            <source>Context menu</source>
            <translation>Kontextmenü</translation>
        </message>
        <message>
            <source>highlight nothing</source>
            <translation>nichts hervorheben</translation>
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
    </context>
</TS>
