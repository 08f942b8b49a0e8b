<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
    <context>
        <name>AutoSaveDialog</name>
        <message>
            <source>Autosave</source>
            <translation>Autosave</translation>
        </message>
        <message>
            <source>File system</source>
            <translation>File system</translation>
        </message>
        <message>
            <source>Enable autosave to file</source>
            <translation>Enable autosave to file</translation>
        </message>
        <message>
            <source>Path</source>
            <translation>Path</translation>
        </message>
        <message>
            <source>Filename template</source>
            <translation>Filename template</translation>
        </message>
        <message>
            <source>Use {{date}}, {{time}} and the keys of the routine information in double braces; a "/" in the template creates a subfolder.</source>
            <translation>Use {{date}}, {{time}} and the keys of the routine information in double braces; a "/" in the template creates a subfolder.</translation>
        </message>
        <message>
            <source>Restore default</source>
            <translation>Restore default</translation>
        </message>
        <message>
            <source>Remove spaces</source>
            <translation>Remove spaces</translation>
        </message>
        <message>
            <source>Resulting filename:</source>
            <translation>Resulting filename:</translation>
        </message>
        <message>
            <source>Database</source>
            <translation>Database</translation>
        </message>
        <message>
            <source>Enable autosave to database</source>
            <translation>Enable autosave to database</translation>
        </message>
        <message>
            <source>Open Directory</source>
            <translation>Open Directory</translation>
        </message>
    </context>
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
        <name>NetworkDialog</name>
        <message>
            <source>Network</source>
            <translation>Network</translation>
        </message>
        <message>
            <source>IP-V4 address(es) of this computer</source>
            <translation>IP-V4 address(es) of this computer</translation>
        </message>
        <message>
            <source>Server settings</source>
            <translation>Server settings</translation>
        </message>
        <message>
            <source>Enable HTTP server on port</source>
            <translation>Enable HTTP server on port</translation>
        </message>
        <message>
            <source>Enable WebSocket server on port</source>
            <translation>Enable WebSocket server on port</translation>
        </message>
        <message>
            <source>Client settings</source>
            <translation>Client settings</translation>
        </message>
        <message>
            <source>Label</source>
            <translation>Label</translation>
        </message>
        <message>
            <source>URL</source>
            <translation>URL</translation>
        </message>
        <message>
            <source>Show advanced settings</source>
            <translation>Show advanced settings</translation>
        </message>
        <message>
            <source>HTTPS is not supported!</source>
            <translation>HTTPS is not supported!</translation>
        </message>
        <message>
            <source>Test</source>
            <translation>Test</translation>
        </message>
        <message>
            <source>Send sample</source>
            <translation>Send sample</translation>
        </message>
        <message>
            <source>intermediate results</source>
            <translation>intermediate results</translation>
        </message>
        <message>
            <source>state transitions</source>
            <translation>state transitions</translation>
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
        <message>
            <source>AutoSave on</source>
            <translation>AutoSave on</translation>
        </message>
        <message>
            <source>AutoSave off</source>
            <translation>AutoSave off</translation>
        </message>
        <message>
            <source>Tramp 1 selected</source>
            <translation>Tramp 1 selected</translation>
        </message>
        <message>
            <source>Tramp 2 selected</source>
            <translation>Tramp 2 selected</translation>
        </message>
        <message>
            <source>Tramp 1 and 2 selected</source>
            <translation>Tramp 1 and 2 selected</translation>
        </message>
        <message>
            <source>No Tramp selected</source>
            <translation>No Tramp selected</translation>
        </message>
        <message>
            <source>READY (TRAINING)</source>
            <translation>READY (TRAINING)</translation>
        </message>
        <message>
            <source>READY TO GO</source>
            <translation>READY TO GO</translation>
        </message>
        <message>
            <source>Open file</source>
            <translation>Open file</translation>
        </message>
        <message>
            <source>Ctrl+L: Load data</source>
            <translation>Ctrl+L: Load data</translation>
        </message>
        <message>
            <source>Save file</source>
            <translation>Save file</translation>
        </message>
        <message>
            <source>Ctrl+S: Save data as...</source>
            <translation>Ctrl+S: Save data as...</translation>
        </message>
        <message>
            <source>&amp;Quit</source>
            <translation>&amp;Quit</translation>
        </message>
        <message>
            <source>&amp;Settings</source>
            <translation>&amp;Settings</translation>
        </message>
        <message>
            <source>F2: Trampoline configuration</source>
            <translation>F2: Trampoline configuration</translation>
        </message>
        <message>
            <source>Autosave &amp;config</source>
            <translation>Autosave &amp;config</translation>
        </message>
        <message>
            <source>F5: Config Autosave function</source>
            <translation>F5: Config Autosave function</translation>
        </message>
        <message>
            <source>Rules</source>
            <translation>Rules</translation>
        </message>
        <message>
            <source>Single &amp;Drop Test</source>
            <translation>Single &amp;Drop Test</translation>
        </message>
        <message>
            <source>&amp;Network</source>
            <translation>&amp;Network</translation>
        </message>
        <message>
            <source>&amp;Font</source>
            <translation>&amp;Font</translation>
        </message>
        <message>
            <source>&amp;Move selection right</source>
            <translation>&amp;Move selection right</translation>
        </message>
        <message>
            <source>Move &amp;selection left</source>
            <translation>Move &amp;selection left</translation>
        </message>
        <message>
            <source>&amp;Increase selection</source>
            <translation>&amp;Increase selection</translation>
        </message>
        <message>
            <source>&amp;Decrease selection</source>
            <translation>&amp;Decrease selection</translation>
        </message>
        <message>
            <source>&amp;Events</source>
            <translation>&amp;Events</translation>
        </message>
        <message>
            <source>&amp;Competitions</source>
            <translation>&amp;Competitions</translation>
        </message>
        <message>
            <source>&amp;Groups</source>
            <translation>&amp;Groups</translation>
        </message>
        <message>
            <source>&amp;Athlets</source>
            <translation>&amp;Athlets</translation>
        </message>
        <message>
            <source>&amp;Import CSV file</source>
            <translation>&amp;Import CSV file</translation>
        </message>
        <message>
            <source>&amp;DB Browser</source>
            <translation>&amp;DB Browser</translation>
        </message>
        <message>
            <source>DB &amp;Config</source>
            <translation>DB &amp;Config</translation>
        </message>
        <message>
            <source>Continuous Mode</source>
            <translation>Continuous Mode</translation>
        </message>
        <message>
            <source>Fewer Landings</source>
            <translation>Fewer Landings</translation>
        </message>
        <message>
            <source>More Landings</source>
            <translation>More Landings</translation>
        </message>
        <message>
            <source>Trampoline Window</source>
            <translation>Trampoline Window</translation>
        </message>
        <message>
            <source>Trampolines on second screen</source>
            <translation>Trampolines on second screen</translation>
        </message>
        <message>
            <source>Result Window</source>
            <translation>Result Window</translation>
        </message>
        <message>
            <source>Results on second screen</source>
            <translation>Results on second screen</translation>
        </message>
        <message>
            <source>Result Details</source>
            <translation>Result Details</translation>
        </message>
        <message>
            <source>Show detailed results (Press D)</source>
            <translation>Show detailed results (Press D)</translation>
        </message>
        <message>
            <source>&amp;Setup Instructions</source>
            <translation>&amp;Setup Instructions</translation>
        </message>
        <message>
            <source>UI &amp;Tutorial</source>
            <translation>UI &amp;Tutorial</translation>
        </message>
        <message>
            <source>&amp;Network Tutorial</source>
            <translation>&amp;Network Tutorial</translation>
        </message>
        <message>
            <source>Self &amp;Diagnosis</source>
            <translation>Self &amp;Diagnosis</translation>
        </message>
        <message>
            <source>&amp;Export Competition Protocol</source>
            <translation>&amp;Export Competition Protocol</translation>
        </message>
        <message>
            <source>&amp;About Ovra</source>
            <translation>&amp;About Ovra</translation>
        </message>
        <message>
            <source>&amp;ovraState</source>
            <translation>&amp;ovraState</translation>
        </message>
        <message>
            <source>&amp;Position Test</source>
            <translation>&amp;Position Test</translation>
        </message>
        <message>
            <source>Fi&amp;le</source>
            <translation>Fi&amp;le</translation>
        </message>
        <message>
            <source>&amp;Config</source>
            <translation>&amp;Config</translation>
        </message>
        <message>
            <source>Res&amp;ults</source>
            <translation>Res&amp;ults</translation>
        </message>
        <message>
            <source>S&amp;tructure</source>
            <translation>S&amp;tructure</translation>
        </message>
        <message>
            <source>Database</source>
            <translation>Database</translation>
        </message>
        <message>
            <source>Training</source>
            <translation>Training</translation>
        </message>
        <message>
            <source>View</source>
            <translation>View</translation>
        </message>
        <message>
            <source>Hel&amp;p</source>
            <translation>Hel&amp;p</translation>
        </message>
        <message>
            <source>Configuration</source>
            <translation>Configuration</translation>
        </message>
        <message>
            <source>TARA</source>
            <translation>TARA</translation>
        </message>
        <message>
            <source>Tramp  select</source>
            <translation>Tramp  select</translation>
        </message>
        <message>
            <source>Trampolines 1+2</source>
            <translation>Trampolines 1+2</translation>
        </message>
        <message>
            <source>Automatic</source>
            <translation>Automatic</translation>
        </message>
        <message>
            <source>Weight Class</source>
            <translation>Weight Class</translation>
        </message>
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
            <source>X</source>
            <translation>X</translation>
        </message>
        <message>
            <source>NO USB</source>
            <translation>NO USB</translation>
        </message>
        <message>
            <source>Connect the USB master box or load a routine</source>
            <translation>Connect the USB master box or load a routine</translation>
        </message>
        <message>
            <source>Configure warnings from the Settings menu</source>
            <translation>Configure warnings from the Settings menu</translation>
        </message>
        <message>
            <source>press space to start</source>
            <translation>press space to start</translation>
        </message>
        <message>
            <source>please wait</source>
            <translation>please wait</translation>
        </message>
        <message>
            <source>NO FOCUS</source>
            <translation>NO FOCUS</translation>
        </message>
        <message>
            <source>window has no focus
click here or close menu</source>
            <translation>window has no focus
click here or close menu</translation>
        </message>
        <message>
            <source>TRAMPOLINE 1</source>
            <translation>TRAMPOLINE 1</translation>
        </message>
        <message>
            <source>TRAMPOLINE 2</source>
            <translation>TRAMPOLINE 2</translation>
        </message>
        <message>
            <source>CONFIRM
press space</source>
            <translation>CONFIRM
press space</translation>
        </message>
        <message>
            <source>DISMISS
press X</source>
            <translation>DISMISS
press X</translation>
        </message>
        <message>
            <source>LOADING</source>
            <translation>LOADING</translation>
        </message>
        <message>
            <source>Routine Information</source>
            <translation>Routine Information</translation>
        </message>
        <message>
            <source>HTTP Server</source>
            <translation>HTTP Server</translation>
        </message>
        <message>
            <source>WebSocket Server</source>
            <translation>WebSocket Server</translation>
        </message>
        <message>
            <source>Self Diagnosis</source>
            <translation>Self Diagnosis</translation>
        </message>
        <message>
            <source>USB-Connection</source>
            <translation>USB-Connection</translation>
        </message>
        <message>
            <source>connected</source>
            <translation>connected</translation>
        </message>
        <message>
            <source>not connected</source>
            <translation>not connected</translation>
        </message>
        <message>
            <source>Ovra</source>
            <translation>Ovra</translation>
        </message>
        <message>
            <source>It's not possible to write the file</source>
            <translation>It's not possible to write the file</translation>
        </message>
        <message>
            <source>No permissions!</source>
            <translation>No permissions!</translation>
        </message>
        <message>
            <source>Save as</source>
            <translation>Save as</translation>
        </message>
        <message>
            <source>Open</source>
            <translation>Open</translation>
        </message>
        <message>
            <source>Recover data...</source>
            <translation>Recover data...</translation>
        </message>
        <message>
            <source>Ctrl+R: Recover the last minutes from the last-chance recorder</source>
            <translation>Ctrl+R: Recover the last minutes from the last-chance recorder</translation>
        </message>
        <message>
            <source>Network error</source>
            <translation>Network error</translation>
        </message>
        <message>
            <source>Failed to send result to "%1"</source>
            <translation>Failed to send result to "%1"</translation>
        </message>
        <message>
            <source>Unable to start the Ovra server. This can, for example, happen when the configured port is already taken by another application. Consider using a different port or disabling the server functionality in the network configuration dialog.</source>
            <translation>Unable to start the Ovra server. This can, for example, happen when the configured port is already taken by another application. Consider using a different port or disabling the server functionality in the network configuration dialog.</translation>
        </message>
        <message>
            <source>Unable to start the WebSocket server. This can, for example, happen when the configured port is already taken by another application. Consider using a different port or disabling the server functionality in the network configuration dialog.</source>
            <translation>Unable to start the WebSocket server. This can, for example, happen when the configured port is already taken by another application. Consider using a different port or disabling the server functionality in the network configuration dialog.</translation>
        </message>
        <message>
            <source>Scoring System 1: </source>
            <translation>Scoring System 1: </translation>
        </message>
        <message>
            <source>Scoring System 2: </source>
            <translation>Scoring System 2: </translation>
        </message>
        <message>
            <source>Scoring System 3: </source>
            <translation>Scoring System 3: </translation>
        </message>
        <message>
            <source>Only commited results can be queried by 3rd party software. Commit results and try again.</source>
            <translation>Only commited results can be queried by 3rd party software. Commit results and try again.</translation>
        </message>
    </context>
    <context>
        <name>OvraEval</name>
        <message>
            <source>usage: %1</source>
            <translation>usage: %1</translation>
        </message>
        <message>
            <source>--hd-rule needs a value</source>
            <translation>--hd-rule needs a value</translation>
        </message>
        <message>
            <source>--hd-rule takes 0 or 1, not '%1'</source>
            <translation>--hd-rule takes 0 or 1, not '%1'</translation>
        </message>
        <message>
            <source>unknown option '%1'</source>
            <translation>unknown option '%1'</translation>
        </message>
        <message>
            <source>only one file can be evaluated</source>
            <translation>only one file can be evaluated</translation>
        </message>
        <message>
            <source>no file given</source>
            <translation>no file given</translation>
        </message>
        <message>
            <source>cannot read %1</source>
            <translation>cannot read %1</translation>
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
        <name>RecoveryDialog</name>
        <message>
            <source>Recovery Dialog</source>
            <translation>Recovery Dialog</translation>
        </message>
        <message>
            <source>Trampoline</source>
            <translation>Trampoline</translation>
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
            <source>Synchronized</source>
            <translation>Synchronized</translation>
        </message>
        <message>
            <source>From </source>
            <translation>From </translation>
        </message>
        <message>
            <source>To </source>
            <translation>To </translation>
        </message>
        <message>
            <source>Routine begin </source>
            <translation>Routine begin </translation>
        </message>
    </context>
    <context>
        <name>Scoreboard</name>
        <message>
            <source>Scoreboard</source>
            <translation>Scoreboard</translation>
        </message>
        <message>
            <source>Athlete</source>
            <translation>Athlete</translation>
        </message>
        <message>
            <source>Live result</source>
            <translation>Live result</translation>
        </message>
        <message>
            <source>Last confirmed result</source>
            <translation>Last confirmed result</translation>
        </message>
        <message>
            <source>connected</source>
            <translation>connected</translation>
        </message>
        <message>
            <source>not connected</source>
            <translation>not connected</translation>
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
            <source>OTHER</source>
            <translation>OTHER</translation>
        </message>
        <message>
            <source>Synchronisation</source>
            <translation>Synchronisation</translation>
        </message>
        <message>
            <source>HD</source>
            <translation>HD</translation>
        </message>
        <message>
            <source>Elements</source>
            <translation>Elements</translation>
        </message>
        <message>
            <source>Time difference (s)</source>
            <translation>Time difference (s)</translation>
        </message>
        <message>
            <source>Time of flight</source>
            <translation>Time of flight</translation>
        </message>
        <message>
            <source>Time of flight (s)</source>
            <translation>Time of flight (s)</translation>
        </message>
        <message>
            <source>Start penalty</source>
            <translation>Start penalty</translation>
        </message>
        <message>
            <source>Zone</source>
            <translation>Zone</translation>
        </message>
        <message>
            <source>No result yet</source>
            <translation>No result yet</translation>
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
        <name>StateWidget</name>
        <message>
            <source>NO USB</source>
            <translation>NO USB</translation>
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
            <source>DIAGNOSIS</source>
            <translation>DIAGNOSIS</translation>
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
        <name>ovra::util::Warnings</name>
        <message>
            <source>- Trampoline is not set to 'Automatic'</source>
            <translation>- Trampoline is not set to 'Automatic'</translation>
        </message>
        <message>
            <source>- Weight Class is not set to 'Automatic'</source>
            <translation>- Weight Class is not set to 'Automatic'</translation>
        </message>
        <message>
            <source>- No client is connected to the WebSocket server</source>
            <translation>- No client is connected to the WebSocket server</translation>
        </message>
        <message>
            <source>- Not all sensors are connected properly - run diagnosis</source>
            <translation>- Not all sensors are connected properly - run diagnosis</translation>
        </message>
        <message>
            <source>- Unexpected sensor data collected - run diagnosis</source>
            <translation>- Unexpected sensor data collected - run diagnosis</translation>
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
