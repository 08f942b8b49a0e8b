<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
            <source>&amp;File</source>
            <translation>&amp;Datei</translation>
        </message>
        <message>
            <source>Quit</source>
            <translation>Beenden</translation>
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
