<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
    <context>
        <name>BarChartWidget</name>
        <message>
            <source>ToF</source>
            <translation>ToF</translation>
        </message>
        <message>
            <source>1 landing</source>
            <translation>1 landing</translation>
        </message>
        <message>
            <source>%1 landings</source>
            <translation>%1 landings</translation>
        </message>
    </context>
    <context>
        <name>ContinuousResultWidget</name>
        <message>
            <source>TRAMPOLINE 2</source>
            <translation>TRAMPOLINE 2</translation>
        </message>
        <message>
            <source>TRAMPOLINE 1</source>
            <translation>TRAMPOLINE 1</translation>
        </message>
    </context>
    <context>
        <name>HorizontalDisplacementResultWidget</name>
        <message>
            <source>Swap trampolines</source>
            <translation>Swap trampolines</translation>
        </message>
        <message>
            <source>Horizontal Displacement Trampoline 1</source>
            <translation>Horizontal Displacement Trampoline 1</translation>
        </message>
        <message>
            <source>Horizontal Displacement Trampoline 2</source>
            <translation>Horizontal Displacement Trampoline 2</translation>
        </message>
        <message>
            <source>Horizontal Displacement</source>
            <translation>Horizontal Displacement</translation>
        </message>
    </context>
    <context>
        <name>LogWidget</name>
        <message>
            <source>Saved files</source>
            <translation>Saved files</translation>
        </message>
        <message>
            <source>Automatic saving to files is switched off.</source>
            <translation>Automatic saving to files is switched off.</translation>
        </message>
        <message>
            <source>Open autosave config</source>
            <translation>Open autosave config</translation>
        </message>
        <message>
            <source>Open folder in explorer</source>
            <translation>Open folder in explorer</translation>
        </message>
        <message>
            <source>Reverse sort order</source>
            <translation>Reverse sort order</translation>
        </message>
        <message>
            <source>Delete selected file</source>
            <translation>Delete selected file</translation>
        </message>
    </context>
    <context>
        <name>OverviewResultWidget</name>
        <message>
            <source>Individual</source>
            <translation>Individual</translation>
        </message>
        <message>
            <source>37.2s</source>
            <translation>37.2s</translation>
        </message>
        <message>
            <source>Penalty</source>
            <translation>Penalty</translation>
        </message>
        <message>
            <source>0.0</source>
            <translation>0.0</translation>
        </message>
        <message>
            <source>Deduction from</source>
            <translation>Deduction from</translation>
        </message>
        <message>
            <source>Routine shifted</source>
            <translation>Routine shifted</translation>
        </message>
        <message>
            <source>Started after</source>
            <translation>Started after</translation>
        </message>
        <message>
            <source>Arrow keys up and down</source>
            <translation>Arrow keys up and down</translation>
        </message>
        <message>
            <source>lengthen or shorten the routine</source>
            <translation>lengthen or shorten the routine</translation>
        </message>
        <message>
            <source>Arrow keys left and right</source>
            <translation>Arrow keys left and right</translation>
        </message>
        <message>
            <source>shift the routine</source>
            <translation>shift the routine</translation>
        </message>
        <message>
            <source>%1 / %2</source>
            <translation>%1 / %2</translation>
        </message>
        <message>
            <source>Synchronized</source>
            <translation>Synchronized</translation>
        </message>
        <message>
            <source>%1s</source>
            <translation>%1s</translation>
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
            <translation>&amp;File</translation>
        </message>
        <message>
            <source>Quit</source>
            <translation>Quit</translation>
        </message>
        <message>
            <source>Simulation</source>
            <translation>Simulation</translation>
        </message>
        <message>
            <source>Connect USB-Master</source>
            <translation>Connect USB-Master</translation>
        </message>
        <message>
            <source>Simulate Input</source>
            <translation>Simulate Input</translation>
        </message>
        <message>
            <source>No Activity</source>
            <translation>No Activity</translation>
        </message>
        <message>
            <source>Trampoline 1</source>
            <translation>Trampoline 1</translation>
        </message>
        <message>
            <source>Trampoline 2</source>
            <translation>Trampoline 2</translation>
        </message>
        <message>
            <source>Both Trampolines</source>
            <translation>Both Trampolines</translation>
        </message>
    </context>
    <context>
        <name>PlotterWidget</name>
        <message>
            <source>scale automatically</source>
            <translation>scale automatically</translation>
        </message>
        <message>
            <source>draw individual forces</source>
            <translation>draw individual forces</translation>
        </message>
    </context>
    <context>
        <name>PreviousResultWidget</name>
        <message>
            <source>Right-click to select highlight information</source>
            <translation>Right-click to select highlight information</translation>
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
            <translation>previous HD</translation>
        </message>
        <message>
            <source>previous Time-of-Flight</source>
            <translation>previous Time-of-Flight</translation>
        </message>
        <message>
            <source>%1 / %2</source>
            <translation>%1 / %2</translation>
        </message>
        <message>
            <source>previous Syn</source>
            <translation>previous Syn</translation>
        </message>
        <message>
            <source>Context menu</source>
            <translation>Context menu</translation>
        </message>
        <message>
            <source>highlight nothing</source>
            <translation>highlight nothing</translation>
        </message>
    </context>
    <context>
        <name>SecondScreenResultWindow</name>
        <message>
            <source>Results</source>
            <translation>Results</translation>
        </message>
        <message>
            <source>READY</source>
            <translation>READY</translation>
        </message>
        <message>
            <source>START</source>
            <translation>START</translation>
        </message>
        <message>
            <source>ROUTINE</source>
            <translation>ROUTINE</translation>
        </message>
        <message>
            <source>REVIEW</source>
            <translation>REVIEW</translation>
        </message>
        <message>
            <source>full screen</source>
            <translation>full screen</translation>
        </message>
        <message>
            <source>show state widget</source>
            <translation>show state widget</translation>
        </message>
    </context>
    <context>
        <name>SecondScreenTrampolineWindow</name>
        <message>
            <source>Trampoline</source>
            <translation>Trampoline</translation>
        </message>
        <message>
            <source>TRAMPOLINE 2</source>
            <translation>TRAMPOLINE 2</translation>
        </message>
        <message>
            <source>TRAMPOLINE 1</source>
            <translation>TRAMPOLINE 1</translation>
        </message>
        <message>
            <source>full screen</source>
            <translation>full screen</translation>
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
            <translation>Time-of-Flight</translation>
        </message>
    </context>
    <context>
        <name>WeightClasses</name>
        <message>
            <source>Children (800N)</source>
            <translation>Children (800N)</translation>
        </message>
        <message>
            <source>Teenager (1150N)</source>
            <translation>Teenager (1150N)</translation>
        </message>
        <message>
            <source>Normal (2500N)</source>
            <translation>Normal (2500N)</translation>
        </message>
        <message>
            <source>Adults (5000N)</source>
            <translation>Adults (5000N)</translation>
        </message>
        <message>
            <source>Automatic (800N)</source>
            <translation>Automatic (800N)</translation>
        </message>
    </context>
    <context>
        <name>widget::individual::IndividualResultsTableModel</name>
        <message>
            <source>Tot</source>
            <translation>Tot</translation>
        </message>
        <message>
            <source>ToF [s]</source>
            <translation>ToF [s]</translation>
        </message>
        <message>
            <source>HD-Ded</source>
            <translation>HD-Ded</translation>
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
            <translation>Not synchronous: this pair and all later pairs do not count</translation>
        </message>
        <message>
            <source>Tot</source>
            <translation>Tot</translation>
        </message>
        <message>
            <source>HD1-Ded</source>
            <translation>HD1-Ded</translation>
        </message>
        <message>
            <source>HD2-Ded</source>
            <translation>HD2-Ded</translation>
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
            <translation>Syn-Ded</translation>
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
