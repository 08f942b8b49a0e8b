<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
    <context>
        <name>AboutDialog</name>
        <message>
            <source>About Ovra</source>
            <translation>About Ovra</translation>
        </message>
        <message>
            <source>Ovra v%1</source>
            <translation>Ovra v%1</translation>
        </message>
        <message>
            <source>Measurement workstation for competitive trampolining</source>
            <translation>Measurement workstation for competitive trampolining</translation>
        </message>
        <message>
            <source>About Qt</source>
            <translation>About Qt</translation>
        </message>
        <message>
            <source>Version %1
Revision %2
Build number %3
Built %4</source>
            <translation>Version %1
Revision %2
Build number %3
Built %4</translation>
        </message>
        <message>
            <source>GNU Lesser General Public License v3</source>
            <translation>GNU Lesser General Public License v3</translation>
        </message>
        <message>
            <source>public domain</source>
            <translation>public domain</translation>
        </message>
        <message>
            <source>BSD-style licence (one of the three licences it is offered under)</source>
            <translation>BSD-style licence (one of the three licences it is offered under)</translation>
        </message>
        <message>
            <source>MIT licence</source>
            <translation>MIT licence</translation>
        </message>
        <message>
            <source>Copyright © the Ovra developers. All rights reserved.</source>
            <translation>Copyright © the Ovra developers. All rights reserved.</translation>
        </message>
        <message>
            <source>Ovra uses these libraries under their licences:</source>
            <translation>Ovra uses these libraries under their licences:</translation>
        </message>
        <message>
            <source>Qt is linked dynamically: it can be replaced by another build of the same version.</source>
            <translation>Qt is linked dynamically: it can be replaced by another build of the same version.</translation>
        </message>
    </context>
    <context>
        <name>AthletDialog</name>
        <message>
            <source>Athlets</source>
            <translation>Athlets</translation>
        </message>
        <message>
            <source>Last Name</source>
            <translation>Last Name</translation>
        </message>
        <message>
            <source>First Name</source>
            <translation>First Name</translation>
        </message>
        <message>
            <source>Gender</source>
            <translation>Gender</translation>
        </message>
        <message>
            <source>Year</source>
            <translation>Year</translation>
        </message>
        <message>
            <source>NOC</source>
            <translation>NOC</translation>
        </message>
        <message>
            <source>NOC-Code</source>
            <translation>NOC-Code</translation>
        </message>
        <message>
            <source>FIG-Lic.</source>
            <translation>FIG-Lic.</translation>
        </message>
        <message>
            <source>Nat.-Lic.</source>
            <translation>Nat.-Lic.</translation>
        </message>
        <message>
            <source>Email</source>
            <translation>Email</translation>
        </message>
        <message>
            <source>Male</source>
            <translation>Male</translation>
        </message>
        <message>
            <source>Female</source>
            <translation>Female</translation>
        </message>
        <message>
            <source>Other</source>
            <translation>Other</translation>
        </message>
        <message>
            <source>Year of birth</source>
            <translation>Year of birth</translation>
        </message>
        <message>
            <source>Nation</source>
            <translation>Nation</translation>
        </message>
        <message>
            <source>The athletes could not be saved in the database.</source>
            <translation>The athletes could not be saved in the database.</translation>
        </message>
    </context>
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
        <name>CompetitionDialog</name>
        <message>
            <source>Competitions</source>
            <translation>Competitions</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>Gender</source>
            <translation>Gender</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Type</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Event</translation>
        </message>
        <message>
            <source>(no event chosen)</source>
            <translation>(no event chosen)</translation>
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
        <name>CsvImportDialog</name>
        <message>
            <source>(file contains a header row)</source>
            <translation>(file contains a header row)</translation>
        </message>
        <message>
            <source>CSV Import</source>
            <translation>CSV Import</translation>
        </message>
        <message>
            <source>Comma</source>
            <translation>Comma</translation>
        </message>
        <message>
            <source>Colon</source>
            <translation>Colon</translation>
        </message>
        <message>
            <source>Semicolon</source>
            <translation>Semicolon</translation>
        </message>
        <message>
            <source>Pipe</source>
            <translation>Pipe</translation>
        </message>
        <message>
            <source>Tab</source>
            <translation>Tab</translation>
        </message>
        <message>
            <source>File:</source>
            <translation>File:</translation>
        </message>
        <message>
            <source>Separator:</source>
            <translation>Separator:</translation>
        </message>
        <message>
            <source>Header:</source>
            <translation>Header:</translation>
        </message>
        <message>
            <source>Preview</source>
            <translation>Preview</translation>
        </message>
        <message>
            <source>Open</source>
            <translation>Open</translation>
        </message>
        <message>
            <source>Encoding: %1</source>
            <translation>Encoding: %1</translation>
        </message>
        <message numerus="yes">
            <source>%n row(s) cannot be read and will not be imported:</source>
            <translation>
                <numerusform>%n row(s) cannot be read and will not be imported:</numerusform>
                <numerusform>%n row(s) cannot be read and will not be imported:</numerusform>
            </translation>
        </message>
        <message>
            <source>line %1: %2 (%3)</source>
            <translation>line %1: %2 (%3)</translation>
        </message>
        <message>
            <source>The file cannot be read: %1</source>
            <translation>The file cannot be read: %1</translation>
        </message>
    </context>
    <context>
        <name>CsvSource</name>
        <message>
            <source>a start list takes at most %1 columns with titles of at most %2 characters</source>
            <translation>a start list takes at most %1 columns with titles of at most %2 characters</translation>
        </message>
        <message>
            <source>a field is longer than %1 characters</source>
            <translation>a field is longer than %1 characters</translation>
        </message>
        <message>
            <source>%1 fields, but the header names %2 columns</source>
            <translation>%1 fields, but the header names %2 columns</translation>
        </message>
        <message>
            <source>the file is larger than %1 MB</source>
            <translation>the file is larger than %1 MB</translation>
        </message>
        <message>
            <source>a quote is out of place</source>
            <translation>a quote is out of place</translation>
        </message>
        <message>
            <source>a quote is never closed</source>
            <translation>a quote is never closed</translation>
        </message>
    </context>
    <context>
        <name>CsvWidget</name>
        <message>
            <source>Starting List</source>
            <translation>Starting List</translation>
        </message>
        <message>
            <source>Right-click for more options</source>
            <translation>Right-click for more options</translation>
        </message>
        <message>
            <source>Open CSV import dialog</source>
            <translation>Open CSV import dialog</translation>
        </message>
        <message>
            <source>Clear list</source>
            <translation>Clear list</translation>
        </message>
        <message>
            <source>Automatically proceed</source>
            <translation>Automatically proceed</translation>
        </message>
        <message>
            <source>Restart after last</source>
            <translation>Restart after last</translation>
        </message>
        <message>
            <source>Deselect</source>
            <translation>Deselect</translation>
        </message>
    </context>
    <context>
        <name>DatabaseBrowserDialog</name>
        <message>
            <source>Database Browser</source>
            <translation>Database Browser</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>Date</source>
            <translation>Date</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Event</translation>
        </message>
        <message>
            <source>Competition</source>
            <translation>Competition</translation>
        </message>
        <message>
            <source>City</source>
            <translation>City</translation>
        </message>
        <message>
            <source>NOCCode</source>
            <translation>NOCCode</translation>
        </message>
        <message>
            <source>All</source>
            <translation>All</translation>
        </message>
        <message>
            <source>Male</source>
            <translation>Male</translation>
        </message>
        <message>
            <source>Female</source>
            <translation>Female</translation>
        </message>
        <message>
            <source>Individual</source>
            <translation>Individual</translation>
        </message>
        <message>
            <source>Synchron</source>
            <translation>Synchron</translation>
        </message>
        <message>
            <source>Clear Filter</source>
            <translation>Clear Filter</translation>
        </message>
        <message>
            <source>Gender</source>
            <translation>Gender</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Type</translation>
        </message>
        <message>
            <source>Idx</source>
            <translation>Idx</translation>
        </message>
        <message>
            <source>FileName</source>
            <translation>FileName</translation>
        </message>
        <message>
            <source>(no database open)</source>
            <translation>(no database open)</translation>
        </message>
    </context>
    <context>
        <name>DatabaseConfigDialog</name>
        <message>
            <source>DB Config</source>
            <translation>DB Config</translation>
        </message>
        <message>
            <source>Browse and Load</source>
            <translation>Browse and Load</translation>
        </message>
        <message>
            <source>Browse and Save as</source>
            <translation>Browse and Save as</translation>
        </message>
        <message>
            <source>Browse and Create</source>
            <translation>Browse and Create</translation>
        </message>
        <message>
            <source>Browse and Merge</source>
            <translation>Browse and Merge</translation>
        </message>
        <message>
            <source>Athlets</source>
            <translation>Athlets</translation>
        </message>
        <message>
            <source>Events</source>
            <translation>Events</translation>
        </message>
        <message>
            <source>Competitions</source>
            <translation>Competitions</translation>
        </message>
        <message>
            <source>Groups</source>
            <translation>Groups</translation>
        </message>
        <message>
            <source>Measures</source>
            <translation>Measures</translation>
        </message>
        <message>
            <source>Load</source>
            <translation>Load</translation>
        </message>
        <message>
            <source>Save as</source>
            <translation>Save as</translation>
        </message>
        <message>
            <source>Save the current DB file as...</source>
            <translation>Save the current DB file as...</translation>
        </message>
        <message>
            <source>Create</source>
            <translation>Create</translation>
        </message>
        <message>
            <source>Create a new DB file and copy the following tables, if desired...</source>
            <translation>Create a new DB file and copy the following tables, if desired...</translation>
        </message>
        <message>
            <source>Merge</source>
            <translation>Merge</translation>
        </message>
        <message>
            <source>(no database open)</source>
            <translation>(no database open)</translation>
        </message>
        <message>
            <source>Open Database</source>
            <translation>Open Database</translation>
        </message>
        <message>
            <source>Database (*.db)</source>
            <translation>Database (*.db)</translation>
        </message>
        <message>
            <source>%1 is not an Ovra database. The current database stays open.</source>
            <translation>%1 is not an Ovra database. The current database stays open.</translation>
        </message>
        <message>
            <source>Loaded %1.</source>
            <translation>Loaded %1.</translation>
        </message>
        <message>
            <source>The database could not be written to %1. The current database stays open.</source>
            <translation>The database could not be written to %1. The current database stays open.</translation>
        </message>
        <message>
            <source>The database was written to %1 but could not be opened. The current database stays open.</source>
            <translation>The database was written to %1 but could not be opened. The current database stays open.</translation>
        </message>
        <message>
            <source>Now working on %1.</source>
            <translation>Now working on %1.</translation>
        </message>
        <message>
            <source>Save Database as</source>
            <translation>Save Database as</translation>
        </message>
        <message>
            <source>Create Database</source>
            <translation>Create Database</translation>
        </message>
        <message>
            <source>Merge Database, Select Source File</source>
            <translation>Merge Database, Select Source File</translation>
        </message>
        <message>
            <source>%1 could not be merged; nothing was added.</source>
            <translation>%1 could not be merged; nothing was added.</translation>
        </message>
        <message>
            <source>Merged %1:</source>
            <translation>Merged %1:</translation>
        </message>
        <message>
            <source>Open an existing database file...</source>
            <translation>Open an existing database file...</translation>
        </message>
        <message>
            <source>Database</source>
            <translation>Database</translation>
        </message>
        <message>
            <source>Local file</source>
            <translation>Local file</translation>
        </message>
        <message>
            <source>Competition server</source>
            <translation>Competition server</translation>
        </message>
        <message>
            <source>from ~/.pgpass or PGPASSWORD</source>
            <translation>from ~/.pgpass or PGPASSWORD</translation>
        </message>
        <message>
            <source>Test</source>
            <translation>Test</translation>
        </message>
        <message>
            <source>Use</source>
            <translation>Use</translation>
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
            <translation>Database name</translation>
        </message>
        <message>
            <source>User</source>
            <translation>User</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Password</translation>
        </message>
        <message>
            <source>Merge from Server</source>
            <translation>Merge from Server</translation>
        </message>
        <message>
            <source>Current database</source>
            <translation>Current database</translation>
        </message>
        <message>
            <source>Add data from another DB file without duplicates, or from the competition server into the current file</source>
            <translation>Add data from another DB file without duplicates, or from the competition server into the current file</translation>
        </message>
        <message>
            <source>Competition server %1</source>
            <translation>Competition server %1</translation>
        </message>
        <message>
            <source>The password could not be written into %1: %2</source>
            <translation>The password could not be written into %1: %2</translation>
        </message>
        <message>
            <source>Connecting to %1 ...</source>
            <translation>Connecting to %1 ...</translation>
        </message>
        <message>
            <source>(the competition tables are there)</source>
            <translation>(the competition tables are there)</translation>
        </message>
        <message>
            <source>(the competition tables will be created)</source>
            <translation>(the competition tables will be created)</translation>
        </message>
        <message>
            <source>The competition server %1 does not answer. The current database stays open.</source>
            <translation>The competition server %1 does not answer. The current database stays open.</translation>
        </message>
        <message>
            <source>Now working on the competition server %1.</source>
            <translation>Now working on the competition server %1.</translation>
        </message>
        <message>
            <source>The competition server was copied to %1; the server stays in use.</source>
            <translation>The competition server was copied to %1; the server stays in use.</translation>
        </message>
        <message>
            <source>The database could not be written to %1.</source>
            <translation>The database could not be written to %1.</translation>
        </message>
        <message numerus="yes">
            <source>%n routine(s) still wait for the competition server %1; they are stored there when it is used again.</source>
            <translation>
                <numerusform>%n routine(s) still wait for the competition server %1; they are stored there when it is used again.</numerusform>
                <numerusform>%n routine(s) still wait for the competition server %1; they are stored there when it is used again.</numerusform>
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
            <translation>Database</translation>
        </message>
        <message numerus="yes">
            <source>%n routine(s) waiting</source>
            <translation>
                <numerusform>%n routine(s) waiting</numerusform>
                <numerusform>%n routine(s) waiting</numerusform>
            </translation>
        </message>
        <message>
            <source>The competition server does not answer; routines wait on this workstation and are stored there as soon as it answers again</source>
            <translation>The competition server does not answer; routines wait on this workstation and are stored there as soon as it answers again</translation>
        </message>
        <message>
            <source>Connecting to the competition server</source>
            <translation>Connecting to the competition server</translation>
        </message>
    </context>
    <context>
        <name>EventDialog</name>
        <message>
            <source>Events</source>
            <translation>Events</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>City</source>
            <translation>City</translation>
        </message>
        <message>
            <source>NOC-Code</source>
            <translation>NOC-Code</translation>
        </message>
        <message>
            <source>From</source>
            <translation>From</translation>
        </message>
        <message>
            <source>To</source>
            <translation>To</translation>
        </message>
        <message>
            <source>Date from</source>
            <translation>Date from</translation>
        </message>
        <message>
            <source>Date to</source>
            <translation>Date to</translation>
        </message>
        <message>
            <source>An event named %1 exists already; it was not added again.</source>
            <translation>An event named %1 exists already; it was not added again.</translation>
        </message>
    </context>
    <context>
        <name>ExportCompetitionProtocolDialog</name>
        <message>
            <source>Export Competition Protocol</source>
            <translation>Export Competition Protocol</translation>
        </message>
        <message>
            <source>Folder containing routine protocols</source>
            <translation>Folder containing routine protocols</translation>
        </message>
        <message>
            <source>Path</source>
            <translation>Path</translation>
        </message>
        <message>
            <source>include subfolders</source>
            <translation>include subfolders</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>Start</translation>
        </message>
        <message>
            <source>Save as</source>
            <translation>Save as</translation>
        </message>
        <message>
            <source>Open Directory</source>
            <translation>Open Directory</translation>
        </message>
        <message>
            <source>The folder %1 does not exist.</source>
            <translation>The folder %1 does not exist.</translation>
        </message>
        <message>
            <source>The competition protocol could not be written to %1.</source>
            <translation>The competition protocol could not be written to %1.</translation>
        </message>
        <message>
            <source>The heat map could not be written to %1.</source>
            <translation>The heat map could not be written to %1.</translation>
        </message>
        <message>
            <source>Written: %1 and %2</source>
            <translation>Written: %1 and %2</translation>
        </message>
        <message>
            <source>The heat map %1 exists already. Replace it?</source>
            <translation>The heat map %1 exists already. Replace it?</translation>
        </message>
        <message>
            <source>Nothing written: the heat map %1 was kept.</source>
            <translation>Nothing written: the heat map %1 was kept.</translation>
        </message>
    </context>
    <context>
        <name>ExportDialog</name>
        <message>
            <source>Standard frame (3644 × 2423 mm)</source>
            <translation>Standard frame (3644 × 2423 mm)</translation>
        </message>
        <message>
            <source>Standard frame, wide (3650 × 2425 mm)</source>
            <translation>Standard frame, wide (3650 × 2425 mm)</translation>
        </message>
        <message>
            <source>Long frame (4013 × 2423 mm)</source>
            <translation>Long frame (4013 × 2423 mm)</translation>
        </message>
        <message>
            <source>Other</source>
            <translation>Other</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>Settings</translation>
        </message>
        <message>
            <source>Geometry</source>
            <translation>Geometry</translation>
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
            <translation>Pulse after every x'th value (0=off)</translation>
        </message>
        <message>
            <source>Warnings</source>
            <translation>Warnings</translation>
        </message>
        <message>
            <source>show warning when trampoline is not set to 'Automatic'</source>
            <translation>show warning when trampoline is not set to 'Automatic'</translation>
        </message>
        <message>
            <source>show warning when weight class is not set to 'Automatic'</source>
            <translation>show warning when weight class is not set to 'Automatic'</translation>
        </message>
        <message>
            <source>show warning when not all sensors are connected properly</source>
            <translation>show warning when not all sensors are connected properly</translation>
        </message>
        <message>
            <source>show warning when unusual sensor data is detected</source>
            <translation>show warning when unusual sensor data is detected</translation>
        </message>
        <message>
            <source>show warning when no client is connected to the websocket server</source>
            <translation>show warning when no client is connected to the websocket server</translation>
        </message>
        <message>
            <source>Miscellaneous</source>
            <translation>Miscellaneous</translation>
        </message>
        <message>
            <source>Minimal delay between state transitions (ms)</source>
            <translation>Minimal delay between state transitions (ms)</translation>
        </message>
        <message>
            <source>Logging</source>
            <translation>Logging</translation>
        </message>
        <message>
            <source>Save logs to file</source>
            <translation>Save logs to file</translation>
        </message>
        <message>
            <source>Select Folder</source>
            <translation>Select Folder</translation>
        </message>
        <message>
            <source>Length and width of the bed must lie between %1 and %2 mm.</source>
            <translation>Length and width of the bed must lie between %1 and %2 mm.</translation>
        </message>
    </context>
    <context>
        <name>FileUtils</name>
        <message>
            <source>the routine start time or penalty is out of range: '%1'</source>
            <translation>the routine start time or penalty is out of range: '%1'</translation>
        </message>
        <message>
            <source>it is a folder, not a file</source>
            <translation>it is a folder, not a file</translation>
        </message>
        <message>
            <source>the file cannot be read (%1)</source>
            <translation>the file cannot be read (%1)</translation>
        </message>
    </context>
    <context>
        <name>GroupDialog</name>
        <message>
            <source>Groups</source>
            <translation>Groups</translation>
        </message>
        <message>
            <source>Add Group</source>
            <translation>Add Group</translation>
        </message>
        <message>
            <source>Delete Group</source>
            <translation>Delete Group</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Event</translation>
        </message>
        <message>
            <source>Competition</source>
            <translation>Competition</translation>
        </message>
        <message>
            <source>Group</source>
            <translation>Group</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>NOC-Code</source>
            <translation>NOC-Code</translation>
        </message>
        <message>
            <source>All</source>
            <translation>All</translation>
        </message>
        <message>
            <source>Last Name</source>
            <translation>Last Name</translation>
        </message>
        <message>
            <source>First Name</source>
            <translation>First Name</translation>
        </message>
        <message>
            <source>Gender</source>
            <translation>Gender</translation>
        </message>
        <message>
            <source>Year</source>
            <translation>Year</translation>
        </message>
        <message>
            <source>FIG-Lic.</source>
            <translation>FIG-Lic.</translation>
        </message>
        <message>
            <source>Athlets (double-click to add)</source>
            <translation>Athlets (double-click to add)</translation>
        </message>
        <message>
            <source>Order</source>
            <translation>Order</translation>
        </message>
        <message>
            <source>No. 1</source>
            <translation>No. 1</translation>
        </message>
        <message>
            <source>Name 1</source>
            <translation>Name 1</translation>
        </message>
        <message>
            <source>No. 2</source>
            <translation>No. 2</translation>
        </message>
        <message>
            <source>Name 2</source>
            <translation>Name 2</translation>
        </message>
        <message>
            <source>Up</source>
            <translation>Up</translation>
        </message>
        <message>
            <source>Down</source>
            <translation>Down</translation>
        </message>
        <message>
            <source>Delete Item</source>
            <translation>Delete Item</translation>
        </message>
        <message>
            <source>Replace Item</source>
            <translation>Replace Item</translation>
        </message>
        <message>
            <source>Start list</source>
            <translation>Start list</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>(no event chosen)</source>
            <translation>(no event chosen)</translation>
        </message>
        <message>
            <source>Select Competition</source>
            <translation>Select Competition</translation>
        </message>
        <message>
            <source>Select Group</source>
            <translation>Select Group</translation>
        </message>
        <message>
            <source>Group %1</source>
            <translation>Group %1</translation>
        </message>
        <message>
            <source>The start list could not be saved in the database.</source>
            <translation>The start list could not be saved in the database.</translation>
        </message>
        <message>
            <source>Last name 1</source>
            <translation>Last name 1</translation>
        </message>
        <message>
            <source>First name 1</source>
            <translation>First name 1</translation>
        </message>
        <message>
            <source>Gender 1</source>
            <translation>Gender 1</translation>
        </message>
        <message>
            <source>Year 1</source>
            <translation>Year 1</translation>
        </message>
        <message>
            <source>NOC-Code 1</source>
            <translation>NOC-Code 1</translation>
        </message>
        <message>
            <source>FIG-Lic. 1</source>
            <translation>FIG-Lic. 1</translation>
        </message>
        <message>
            <source>Last name 2</source>
            <translation>Last name 2</translation>
        </message>
        <message>
            <source>First name 2</source>
            <translation>First name 2</translation>
        </message>
        <message>
            <source>Gender 2</source>
            <translation>Gender 2</translation>
        </message>
        <message>
            <source>Year 2</source>
            <translation>Year 2</translation>
        </message>
        <message>
            <source>NOC-Code 2</source>
            <translation>NOC-Code 2</translation>
        </message>
        <message>
            <source>FIG-Lic. 2</source>
            <translation>FIG-Lic. 2</translation>
        </message>
        <message>
            <source>Gender of the competition</source>
            <translation>Gender of the competition</translation>
        </message>
        <message>
            <source>Type of the competition</source>
            <translation>Type of the competition</translation>
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
        <name>LandingHeatMap</name>
        <message>
            <source>Landing positions</source>
            <translation>Landing positions</translation>
        </message>
        <message>
            <source>Trampoline 1</source>
            <translation>Trampoline 1</translation>
        </message>
        <message>
            <source>Trampoline 2</source>
            <translation>Trampoline 2</translation>
        </message>
        <message numerus="yes">
            <source>%n landing(s)</source>
            <translation>
                <numerusform>%n landing</numerusform>
                <numerusform>%n landings</numerusform>
            </translation>
        </message>
        <message>
            <source>Landings per m²</source>
            <translation>Landings per m²</translation>
        </message>
        <message>
            <source>Each landing is spread over about %1 cm around its position.</source>
            <translation>Each landing is spread over about %1 cm around its position.</translation>
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
            <source>Reverse sort order</source>
            <translation>Reverse sort order</translation>
        </message>
        <message>
            <source>Open folder in the file manager</source>
            <translation>Open folder in the file manager</translation>
        </message>
        <message>
            <source>Move selected file to the trash</source>
            <translation>Move selected file to the trash</translation>
        </message>
        <message>
            <source>Delete file</source>
            <translation>Delete file</translation>
        </message>
        <message>
            <source>%1 cannot be moved to the trash. Delete it for good?</source>
            <translation>%1 cannot be moved to the trash. Delete it for good?</translation>
        </message>
    </context>
    <context>
        <name>MetaHighlights</name>
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
            <source>Context menu</source>
            <translation>Context menu</translation>
        </message>
        <message>
            <source>highlight nothing</source>
            <translation>highlight nothing</translation>
        </message>
        <message>
            <source>Pair</source>
            <translation>Pair</translation>
        </message>
        <message>
            <source>Athlete</source>
            <translation>Athlete</translation>
        </message>
        <message>
            <source>Athlete or pair</source>
            <translation>Athlete or pair</translation>
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
        <message>
            <source>Enter the scoring system's address, for example http://192.168.0.10:8080/api</source>
            <translation>Enter the scoring system's address, for example http://192.168.0.10:8080/api</translation>
        </message>
        <message>
            <source>The address must begin with http:// or https://, for example http://%1</source>
            <translation>The address must begin with http:// or https://, for example http://%1</translation>
        </message>
        <message>
            <source>The address cannot be read: %1</source>
            <translation>The address cannot be read: %1</translation>
        </message>
        <message>
            <source>Only http:// and https:// addresses are supported, not %1://</source>
            <translation>Only http:// and https:// addresses are supported, not %1://</translation>
        </message>
        <message>
            <source>The address names no computer, for example http://192.168.0.10:8080/api</source>
            <translation>The address names no computer, for example http://192.168.0.10:8080/api</translation>
        </message>
        <message>
            <source>A server port is a number from 1 to 65535.</source>
            <translation>A server port is a number from 1 to 65535.</translation>
        </message>
        <message>
            <source>The HTTP and the WebSocket server cannot share a port.</source>
            <translation>The HTTP and the WebSocket server cannot share a port.</translation>
        </message>
        <message>
            <source>Enter a label: the status bar shows the system by it.</source>
            <translation>Enter a label: the status bar shows the system by it.</translation>
        </message>
        <message>
            <source>Enter a label. %1</source>
            <translation>Enter a label. %1</translation>
        </message>
        <message>
            <source>Test failed: the scoring system did not answer.</source>
            <translation>Test failed: the scoring system did not answer.</translation>
        </message>
        <message>
            <source>Test failed: %1</source>
            <translation>Test failed: %1</translation>
        </message>
        <message>
            <source>Results waiting to be sent</source>
            <translation>Results waiting to be sent</translation>
        </message>
        <message>
            <source>Scoring system</source>
            <translation>Scoring system</translation>
        </message>
        <message>
            <source>Athlete</source>
            <translation>Athlete</translation>
        </message>
        <message>
            <source>Committed</source>
            <translation>Committed</translation>
        </message>
        <message>
            <source>Send now</source>
            <translation>Send now</translation>
        </message>
        <message>
            <source>Discard</source>
            <translation>Discard</translation>
        </message>
        <message>
            <source>%1 (not enabled)</source>
            <translation>%1 (not enabled)</translation>
        </message>
        <message>
            <source>Idempotency-Key %1</source>
            <translation>Idempotency-Key %1</translation>
        </message>
        <message>
            <source>No results are waiting.</source>
            <translation>No results are waiting.</translation>
        </message>
        <message>
            <source>Each result is sent by itself as soon as its scoring system answers again.</source>
            <translation>Each result is sent by itself as soon as its scoring system answers again.</translation>
        </message>
        <message>
            <source>Not sent: a result is on its way to that scoring system already, or it is not enabled.</source>
            <translation>Not sent: a result is on its way to that scoring system already, or it is not enabled.</translation>
        </message>
        <message>
            <source>the routine committed on %1</source>
            <translation>the routine committed on %1</translation>
        </message>
        <message>
            <source>Discard result</source>
            <translation>Discard result</translation>
        </message>
        <message>
            <source>Discard the result of %1 for "%2"? It will never be sent to this scoring system.</source>
            <translation>Discard the result of %1 for "%2"? It will never be sent to this scoring system.</translation>
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
        <message>
            <source>deducted from the routine's score</source>
            <translation>deducted from the routine's score</translation>
        </message>
    </context>
    <context>
        <name>OvraDb</name>
        <message>
            <source>usage: %1</source>
            <translation>usage: %1</translation>
        </message>
        <message>
            <source>   or: %1</source>
            <translation>   or: %1</translation>
        </message>
        <message>
            <source>merge needs a target and at least one source</source>
            <translation>merge needs a target and at least one source</translation>
        </message>
        <message>
            <source>%1 is not an Ovra database; nothing was merged</source>
            <translation>%1 is not an Ovra database; nothing was merged</translation>
        </message>
        <message>
            <source>%1 is unchanged</source>
            <translation>%1 is unchanged</translation>
        </message>
        <message>
            <source>%1 could not be copied: %2</source>
            <translation>%1 could not be copied: %2</translation>
        </message>
        <message>
            <source>%1 could not be written</source>
            <translation>%1 could not be written</translation>
        </message>
        <message>
            <source>%1 is open in another program; close it there and merge again</source>
            <translation>%1 is open in another program; close it there and merge again</translation>
        </message>
        <message>
            <source>%1 could not be replaced</source>
            <translation>%1 could not be replaced</translation>
        </message>
        <message>
            <source>Merged into %1 (sources: %2)</source>
            <translation>Merged into %1 (sources: %2)</translation>
        </message>
        <message>
            <source>check needs one database file</source>
            <translation>check needs one database file</translation>
        </message>
        <message>
            <source>%1 cannot be opened: %2</source>
            <translation>%1 cannot be opened: %2</translation>
        </message>
        <message>
            <source>integrity: %1</source>
            <translation>integrity: %1</translation>
        </message>
        <message>
            <source>missing</source>
            <translation>missing</translation>
        </message>
        <message>
            <source>measures without an id (added when the workstation opens the file): %1</source>
            <translation>measures without an id (added when the workstation opens the file): %1</translation>
        </message>
        <message>
            <source>measures kept as conflicting versions of another: %1</source>
            <translation>measures kept as conflicting versions of another: %1</translation>
        </message>
        <message>
            <source>unknown argument %1</source>
            <translation>unknown argument %1</translation>
        </message>
        <message>
            <source>startlist needs a CSV file</source>
            <translation>startlist needs a CSV file</translation>
        </message>
        <message>
            <source>the separator is one of , : ; | tab</source>
            <translation>the separator is one of , : ; | tab</translation>
        </message>
        <message>
            <source>--header takes yes or no</source>
            <translation>--header takes yes or no</translation>
        </message>
        <message>
            <source>%1 cannot be read: %2</source>
            <translation>%1 cannot be read: %2</translation>
        </message>
        <message>
            <source>unknown command %1</source>
            <translation>unknown command %1</translation>
        </message>
        <message>
            <source>A database is a file (.db) or a competition server (postgresql://USER@HOST:PORT/DATABASE); the password comes from ~/.pgpass or PGPASSWORD.</source>
            <translation>A database is a file (.db) or a competition server (postgresql://USER@HOST:PORT/DATABASE); the password comes from ~/.pgpass or PGPASSWORD.</translation>
        </message>
        <message>
            <source>%1 cannot be reached: %2</source>
            <translation>%1 cannot be reached: %2</translation>
        </message>
        <message>
            <source>the tables cannot be created on %1: %2</source>
            <translation>the tables cannot be created on %1: %2</translation>
        </message>
        <message>
            <source>%1 cannot be opened</source>
            <translation>%1 cannot be opened</translation>
        </message>
        <message>
            <source>%1 could not be merged: %2</source>
            <translation>%1 could not be merged: %2</translation>
        </message>
        <message>
            <source>history needs a database</source>
            <translation>history needs a database</translation>
        </message>
        <message>
            <source>--athlete needs a name as "Last, First"</source>
            <translation>--athlete needs a name as "Last, First"</translation>
        </message>
        <message>
            <source>%1 holds no measures that can be read: %2</source>
            <translation>%1 holds no measures that can be read: %2</translation>
        </message>
        <message>
            <source>%1 holds no routine of %2</source>
            <translation>%1 holds no routine of %2</translation>
        </message>
        <message>
            <source>the routines of %1 cannot be read: %2</source>
            <translation>the routines of %1 cannot be read: %2</translation>
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
            <translation>Connect USB-Master</translation>
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
            <source>Not loaded: a stored measure can be loaded only in READY or while another one is shown.</source>
            <translation>Not loaded: a stored measure can be loaded only in READY or while another one is shown.</translation>
        </message>
        <message>
            <source>%1s</source>
            <translation>%1s</translation>
        </message>
        <message>
            <source>Routine complete: press space to finish</source>
            <translation>Routine complete: press space to finish</translation>
        </message>
        <message>
            <source>Started after</source>
            <translation>Started after</translation>
        </message>
        <message>
            <source>Penalty</source>
            <translation>Penalty</translation>
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
            <source>Not loaded: %1</source>
            <translation>Not loaded: %1</translation>
        </message>
        <message>
            <source>stored measure %1</source>
            <translation>stored measure %1</translation>
        </message>
        <message>
            <source>it cannot be read from the database %1</source>
            <translation>it cannot be read from the database %1</translation>
        </message>
        <message>
            <source>The routines that waited are now stored in the database</source>
            <translation>The routines that waited are now stored in the database</translation>
        </message>
        <message>
            <source>The start list %1 cannot be read: %2</source>
            <translation>The start list %1 cannot be read: %2</translation>
        </message>
        <message>
            <source>line %1: %2</source>
            <translation>line %1: %2</translation>
        </message>
        <message numerus="yes">
            <source>%n row(s) of the start list cannot be read and were not imported:</source>
            <translation>
                <numerusform>%n row(s) of the start list cannot be read and were not imported:</numerusform>
                <numerusform>%n row(s) of the start list cannot be read and were not imported:</numerusform>
            </translation>
        </message>
        <message>
            <source>Software on the network asked for this result. It gets the result once you commit the routine.</source>
            <translation>Software on the network asked for this result. It gets the result once you commit the routine.</translation>
        </message>
        <message>
            <source>Start list: database</source>
            <translation>Start list: database</translation>
        </message>
        <message>
            <source>Start list: CSV file</source>
            <translation>Start list: CSV file</translation>
        </message>
        <message>
            <source>Send again?</source>
            <translation>Send again?</translation>
        </message>
        <message>
            <source>Send this routine again? It names no athlete.</source>
            <translation>Send this routine again? It names no athlete.</translation>
        </message>
        <message>
            <source>Send the routine of %1 again?</source>
            <translation>Send the routine of %1 again?</translation>
        </message>
        <message>
            <source>It was loaded from a file or the database. It is saved and sent to the scoring systems once more, under the athlete it names.</source>
            <translation>It was loaded from a file or the database. It is saved and sent to the scoring systems once more, under the athlete it names.</translation>
        </message>
        <message>
            <source>Send again</source>
            <translation>Send again</translation>
        </message>
        <message>
            <source>&amp;Next athlete</source>
            <translation>&amp;Next athlete</translation>
        </message>
        <message>
            <source>The next athlete of the start list in use comes up next</source>
            <translation>The next athlete of the start list in use comes up next</translation>
        </message>
        <message>
            <source>&amp;Previous athlete</source>
            <translation>&amp;Previous athlete</translation>
        </message>
        <message>
            <source>The previous athlete of the start list in use comes up next</source>
            <translation>The previous athlete of the start list in use comes up next</translation>
        </message>
        <message>
            <source>&amp;Database</source>
            <translation>&amp;Database</translation>
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
            <translation>Simulate &amp;Input</translation>
        </message>
        <message>
            <source>&amp;View</source>
            <translation>&amp;View</translation>
        </message>
        <message>
            <source>Moved to the trash: %1</source>
            <translation>Moved to the trash: %1</translation>
        </message>
        <message>
            <source>Deleted: %1</source>
            <translation>Deleted: %1</translation>
        </message>
        <message>
            <source>%1 landings instead of %2 measured</source>
            <translation>%1 landings instead of %2 measured</translation>
        </message>
        <message>
            <source>shifted 1 landing later</source>
            <translation>shifted 1 landing later</translation>
        </message>
        <message>
            <source>shifted %1 landings later</source>
            <translation>shifted %1 landings later</translation>
        </message>
        <message>
            <source>shifted 1 landing earlier</source>
            <translation>shifted 1 landing earlier</translation>
        </message>
        <message>
            <source>shifted %1 landings earlier</source>
            <translation>shifted %1 landings earlier</translation>
        </message>
        <message>
            <source>other landings than measured</source>
            <translation>other landings than measured</translation>
        </message>
        <message>
            <source>EDITED: %1 · R restores the routine as measured</source>
            <translation>EDITED: %1 · R restores the routine as measured</translation>
        </message>
        <message>
            <source>&amp;Restore routine as measured</source>
            <translation>&amp;Restore routine as measured</translation>
        </message>
        <message>
            <source>R: undo every edit of the routine under review</source>
            <translation>R: undo every edit of the routine under review</translation>
        </message>
        <message>
            <source>Synchronized, but only trampoline %1 is jumping: no pairs are counted. For one athlete choose trampoline %1 under "Tramp select".</source>
            <translation>Synchronized, but only trampoline %1 is jumping: no pairs are counted. For one athlete choose trampoline %1 under "Tramp select".</translation>
        </message>
        <message>
            <source>Athlete &amp;list</source>
            <translation>Athlete &amp;list</translation>
        </message>
        <message>
            <source>F3: the athlete list takes the arrow keys</source>
            <translation>F3: the athlete list takes the arrow keys</translation>
        </message>
        <message>
            <source>The routine itself is saved.</source>
            <translation>The routine itself is saved.</translation>
        </message>
        <message>
            <source>Autosave is off: the routine itself is not saved.</source>
            <translation>Autosave is off: the routine itself is not saved.</translation>
        </message>
        <message>
            <source>The routine itself is kept in %1.</source>
            <translation>The routine itself is kept in %1.</translation>
        </message>
        <message>
            <source>The routine itself was not saved.</source>
            <translation>The routine itself was not saved.</translation>
        </message>
        <message>
            <source>file</source>
            <translation>file</translation>
        </message>
        <message>
            <source>database</source>
            <translation>database</translation>
        </message>
        <message>
            <source>This routine was committed on %1 and is not sent again. Saving it failed (%2): the next step repeats only that.</source>
            <translation>This routine was committed on %1 and is not sent again. Saving it failed (%2): the next step repeats only that.</translation>
        </message>
        <message>
            <source>This routine was committed on %1; the next step does not commit it again.</source>
            <translation>This routine was committed on %1; the next step does not commit it again.</translation>
        </message>
        <message>
            <source>Retry sends the result again now. Cancel means send later: the result waits in the outbox and goes to "%1" by itself as soon as it answers again.</source>
            <translation>Retry sends the result again now. Cancel means send later: the result waits in the outbox and goes to "%1" by itself as soon as it answers again.</translation>
        </message>
        <message>
            <source>%1 waiting</source>
            <translation>%1 waiting</translation>
        </message>
        <message>
            <source>Committed results that this scoring system has not taken yet. They are sent by themselves as soon as it answers again; the network dialog lists them.</source>
            <translation>Committed results that this scoring system has not taken yet. They are sent by themselves as soon as it answers again; the network dialog lists them.</translation>
        </message>
        <message>
            <source>The results for the scoring systems could not be written to %1 (%2). They are sent while Ovra runs, but would be lost if it ended before.</source>
            <translation>The results for the scoring systems could not be written to %1 (%2). They are sent while Ovra runs, but would be lost if it ended before.</translation>
        </message>
        <message>
            <source>Athlete &amp;history</source>
            <translation>Athlete &amp;history</translation>
        </message>
        <message>
            <source>Ctrl+H: Every routine of an athlete across the competitions of the database</source>
            <translation>Ctrl+H: Every routine of an athlete across the competitions of the database</translation>
        </message>
        <message>
            <source>Personal best %1 s</source>
            <translation>Personal best %1 s</translation>
        </message>
    </context>
    <context>
        <name>OvraEval</name>
        <message>
            <source>usage: %1</source>
            <translation>usage: %1</translation>
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
            <source>no file given</source>
            <translation>no file given</translation>
        </message>
        <message>
            <source>cannot read %1</source>
            <translation>cannot read %1</translation>
        </message>
        <message>
            <source>   or: %1</source>
            <translation>   or: %1</translation>
        </message>
        <message>
            <source>%1 needs a value</source>
            <translation>%1 needs a value</translation>
        </message>
        <message>
            <source>--protocol takes a folder and no files or rule</source>
            <translation>--protocol takes a folder and no files or rule</translation>
        </message>
        <message>
            <source>--subfolders and --heatmap belong to --protocol</source>
            <translation>--subfolders and --heatmap belong to --protocol</translation>
        </message>
        <message>
            <source>%1 is not a folder</source>
            <translation>%1 is not a folder</translation>
        </message>
        <message>
            <source>cannot write %1</source>
            <translation>cannot write %1</translation>
        </message>
        <message>
            <source>cannot read %1: %2</source>
            <translation>cannot read %1: %2</translation>
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
        <message>
            <source>Nothing has been received from the master box yet, so there is nothing to recover.</source>
            <translation>Nothing has been received from the master box yet, so there is nothing to recover.</translation>
        </message>
        <message>
            <source>Every sample of the last ten minutes is kept here, also when no routine was recorded. Pick the stretch that holds the lost routine and where it begins; it is then shown for review as a loaded routine is.</source>
            <translation>Every sample of the last ten minutes is kept here, also when no routine was recorded. Pick the stretch that holds the lost routine and where it begins; it is then shown for review as a loaded routine is.</translation>
        </message>
        <message>
            <source>No routine was measured here: the routine goes to the athlete up next.</source>
            <translation>No routine was measured here: the routine goes to the athlete up next.</translation>
        </message>
        <message>
            <source>The routine measured here named no athlete.</source>
            <translation>The routine measured here named no athlete.</translation>
        </message>
        <message>
            <source>The routine of %1 was measured here; it keeps that athlete.</source>
            <translation>The routine of %1 was measured here; it keeps that athlete.</translation>
        </message>
    </context>
    <context>
        <name>RoutineGuard</name>
        <message>
            <source>Discard this routine? It names no athlete.
X again to discard, Esc to keep</source>
            <translation>Discard this routine? It names no athlete.
X again to discard, Esc to keep</translation>
        </message>
        <message>
            <source>Discard %1's routine?
X again to discard, Esc to keep</source>
            <translation>Discard %1's routine?
X again to discard, Esc to keep</translation>
        </message>
        <message>
            <source>Commit a routine of only 1 landing? It names no athlete.
Enter to commit, Esc to go on reviewing</source>
            <translation>Commit a routine of only 1 landing? It names no athlete.
Enter to commit, Esc to go on reviewing</translation>
        </message>
        <message>
            <source>Commit a routine of only %1 landings? It names no athlete.
Enter to commit, Esc to go on reviewing</source>
            <translation>Commit a routine of only %1 landings? It names no athlete.
Enter to commit, Esc to go on reviewing</translation>
        </message>
        <message>
            <source>Commit %1's routine of only 1 landing?
Enter to commit, Esc to go on reviewing</source>
            <translation>Commit %1's routine of only 1 landing?
Enter to commit, Esc to go on reviewing</translation>
        </message>
        <message>
            <source>Commit %1's routine of only %2 landings?
Enter to commit, Esc to go on reviewing</source>
            <translation>Commit %1's routine of only %2 landings?
Enter to commit, Esc to go on reviewing</translation>
        </message>
    </context>
    <context>
        <name>RoutineMetaWidget</name>
        <message>
            <source>Clear information</source>
            <translation>Clear information</translation>
        </message>
    </context>
    <context>
        <name>RulesDialog</name>
        <message>
            <source>Rules Dialog</source>
            <translation>Rules Dialog</translation>
        </message>
        <message>
            <source>Play warning sound after 151s</source>
            <translation>Play warning sound after 151s</translation>
        </message>
        <message>
            <source>Test</source>
            <translation>Test</translation>
        </message>
        <message>
            <source>up to 0.3 (2026)</source>
            <translation>up to 0.3 (2026)</translation>
        </message>
        <message>
            <source>up to 0.5 (2027)</source>
            <translation>up to 0.5 (2027)</translation>
        </message>
        <message>
            <source>Horizontal Displacement Deductions</source>
            <translation>Horizontal Displacement Deductions</translation>
        </message>
    </context>
    <context>
        <name>SaveReport</name>
        <message>
            <source>Saved: %1</source>
            <translation>Saved: %1</translation>
        </message>
        <message>
            <source>Not saved: %1</source>
            <translation>Not saved: %1</translation>
        </message>
        <message>
            <source>Stored in the database</source>
            <translation>Stored in the database</translation>
        </message>
        <message>
            <source>Not stored in the database</source>
            <translation>Not stored in the database</translation>
        </message>
        <message>
            <source>Not stored in the database yet: it is tried again automatically</source>
            <translation>Not stored in the database yet: it is tried again automatically</translation>
        </message>
        <message>
            <source>Not stored anywhere: autosave to file and to the database is off (F5)</source>
            <translation>Not stored anywhere: autosave to file and to the database is off (F5)</translation>
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
        <message>
            <source>Up next</source>
            <translation>Up next</translation>
        </message>
        <message>
            <source>Personal best</source>
            <translation>Personal best</translation>
        </message>
        <message>
            <source>Show the personal best</source>
            <translation>Show the personal best</translation>
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
        <message>
            <source>swap trampolines</source>
            <translation>swap trampolines</translation>
        </message>
        <message>
            <source>show personal best</source>
            <translation>show personal best</translation>
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
        <name>SelfDiagnosisDialog</name>
        <message>
            <source>Self Diagnosis</source>
            <translation>Self Diagnosis</translation>
        </message>
        <message>
            <source>USB-Connection</source>
            <translation>USB-Connection</translation>
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
            <source>Sensor %1</source>
            <translation>Sensor %1</translation>
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
            <source>TARA</source>
            <translation>TARA</translation>
        </message>
        <message>
            <source>please wait...</source>
            <translation>please wait...</translation>
        </message>
        <message>
            <source>show details</source>
            <translation>show details</translation>
        </message>
        <message>
            <source>P: present value · T: tara, the zero offset · N: net force, P minus T (newtons)</source>
            <translation>P: present value · T: tara, the zero offset · N: net force, P minus T (newtons)</translation>
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
            <translation>Female</translation>
        </message>
        <message>
            <source>Mixed</source>
            <translation>Mixed</translation>
        </message>
        <message>
            <source>Male</source>
            <translation>Male</translation>
        </message>
        <message>
            <source>Synchron</source>
            <translation>Synchron</translation>
        </message>
        <message>
            <source>Individual</source>
            <translation>Individual</translation>
        </message>
        <message>
            <source>Add</source>
            <translation>Add</translation>
        </message>
        <message>
            <source>Replace</source>
            <translation>Replace</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Delete</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>Other</source>
            <translation>Other</translation>
        </message>
    </context>
    <context>
        <name>StartListSelection</name>
        <message>
            <source>Select Event</source>
            <translation>Select Event</translation>
        </message>
        <message>
            <source>Select Competition</source>
            <translation>Select Competition</translation>
        </message>
        <message>
            <source>Select Group</source>
            <translation>Select Group</translation>
        </message>
    </context>
    <context>
        <name>StateBanner</name>
        <message>
            <source>START: waiting for the first landing · Esc: back to READY</source>
            <translation>START: waiting for the first landing · Esc: back to READY</translation>
        </message>
        <message>
            <source>ROUTINE: landings are counted · Space ends the routine</source>
            <translation>ROUTINE: landings are counted · Space ends the routine</translation>
        </message>
        <message>
            <source>REVIEW · Space: confirm · X: dismiss · D: details · arrow keys: edit</source>
            <translation>REVIEW · Space: confirm · X: dismiss · D: details · arrow keys: edit</translation>
        </message>
        <message>
            <source>CONFIRMED: saving and sending the routine</source>
            <translation>CONFIRMED: saving and sending the routine</translation>
        </message>
        <message>
            <source>SINGLE DROP TEST: drop the weight on trampoline 1</source>
            <translation>SINGLE DROP TEST: drop the weight on trampoline 1</translation>
        </message>
        <message>
            <source>TRAINING: landings are counted · Space: pause · Esc: end training</source>
            <translation>TRAINING: landings are counted · Space: pause · Esc: end training</translation>
        </message>
        <message>
            <source>PAUSE · Space: go on training · Esc: end training</source>
            <translation>PAUSE · Space: go on training · Esc: end training</translation>
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
            <translation>Time-of-Flight</translation>
        </message>
    </context>
    <context>
        <name>TutorialDialog</name>
        <message>
            <source>Show this dialog on every startup</source>
            <translation>Show this dialog on every startup</translation>
        </message>
        <message>
            <source>Previous</source>
            <translation>Previous</translation>
        </message>
        <message>
            <source>Next</source>
            <translation>Next</translation>
        </message>
        <message>
            <source>There are no tutorial pages available.</source>
            <translation>There are no tutorial pages available.</translation>
        </message>
        <message>
            <source>Finish</source>
            <translation>Finish</translation>
        </message>
    </context>
    <context>
        <name>Tutorials</name>
        <message>
            <source>Setup Instructions</source>
            <translation>Setup Instructions</translation>
        </message>
        <message>
            <source>UI Tutorial</source>
            <translation>UI Tutorial</translation>
        </message>
        <message>
            <source>Network Tutorial</source>
            <translation>Network Tutorial</translation>
        </message>
        <message>
            <source>Place the four force sensors under the frame of each trampoline and lead their cables to the master box: the sensors of trampoline 1 into the four sockets on the left, those of trampoline 2 into the four on the right. Help &gt; Self Diagnosis shows the whole chain from the computer to the sensors. Here no master box is connected yet: the box is crossed out and every check is red.</source>
            <translation>Place the four force sensors under the frame of each trampoline and lead their cables to the master box: the sensors of trampoline 1 into the four sockets on the left, those of trampoline 2 into the four on the right. Help &gt; Self Diagnosis shows the whole chain from the computer to the sensors. Here no master box is connected yet: the box is crossed out and every check is red.</translation>
        </message>
        <message>
            <source>Connect the master box to the computer with its USB cable. Ovra finds it within a second: the box turns blue, the USB connection gets a green check, and every sensor that delivers a signal gets one too. A trampoline is ready when its four sensors and the trampoline itself are green. A red sensor delivers no signal: check its cable and socket.</source>
            <translation>Connect the master box to the computer with its USB cable. Ovra finds it within a second: the box turns blue, the USB connection gets a green check, and every sensor that delivers a signal gets one too. A trampoline is ready when its four sensors and the trampoline itself are green. A red sensor delivers no signal: check its cable and socket.</translation>
        </message>
        <message>
            <source>Press on the bed near each sensor in turn: the blue marker follows the load towards that sensor. With "show details" every sensor shows its present raw value (P), its zero offset (T) and their difference (N). A sensor whose N does not rise under load, or a marker that moves towards the wrong corner, points to a swapped or faulty cable.</source>
            <translation>Press on the bed near each sensor in turn: the blue marker follows the load towards that sensor. With "show details" every sensor shows its present raw value (P), its zero offset (T) and their difference (N). A sensor whose N does not rise under load, or a marker that moves towards the wrong corner, points to a swapped or faulty cable.</translation>
        </message>
        <message>
            <source>Config &gt; Settings (F2): choose the trampoline type under Geometry. The built-in frames fill in the distances between the sensors along (L) and across (B) the bed; "Other" lets you enter them for another frame. Landing positions and deductions depend on them, so check them before the competition. A new geometry applies at once.</source>
            <translation>Config &gt; Settings (F2): choose the trampoline type under Geometry. The built-in frames fill in the distances between the sensors along (L) and across (B) the bed; "Other" lets you enter them for another frame. Landing positions and deductions depend on them, so check them before the competition. A new geometry applies at once.</translation>
        </message>
        <message>
            <source>With both beds empty, press TARA. For 1.8 seconds Ovra measures the empty beds and takes the result as the zero of every sensor; nobody may touch the beds meanwhile. Ovra also zeroes by itself the first time the master box is connected.</source>
            <translation>With both beds empty, press TARA. For 1.8 seconds Ovra measures the empty beds and takes the result as the zero of every sensor; nobody may touch the beds meanwhile. Ovra also zeroes by itself the first time the master box is connected.</translation>
        </message>
        <message>
            <source>Ready to go: the state display shows READY and the page says READY TO GO. Leave the trampoline selection and the weight class on "Automatic"; a warning above READY TO GO names anything that is not set as recommended, such as a sensor without signal.</source>
            <translation>Ready to go: the state display shows READY and the page says READY TO GO. Leave the trampoline selection and the weight class on "Automatic"; a warning above READY TO GO names anything that is not set as recommended, such as a sensor without signal.</translation>
        </message>
        <message>
            <source>The main window. On the left the state display, the configuration, the start list and the saved files; on the right the page of the current state; at the bottom the status bar. The next pages show each area.</source>
            <translation>The main window. On the left the state display, the configuration, the start list and the saved files; on the right the page of the current state; at the bottom the status bar. The next pages show each area.</translation>
        </message>
        <message>
            <source>Space starts a routine: START. The time since START runs in large figures; it is the start time of the routine. After 151 seconds a warning sound plays (Config &gt; Rules), after 300 seconds the start ends by itself.</source>
            <translation>Space starts a routine: START. The time since START runs in large figures; it is the start time of the routine. After 151 seconds a warning sound plays (Config &gt; Rules), after 300 seconds the start ends by itself.</translation>
        </message>
        <message>
            <source>Space again when the athlete begins the routine: ROUTINE. Every landing appears on the bed with its number, the table lists time of flight, position and deduction of each element, and the read-outs add up time of flight and horizontal displacement. The tenth landing closes the routine.</source>
            <translation>Space again when the athlete begins the routine: ROUTINE. Every landing appears on the bed with its number, the table lists time of flight, position and deduction of each element, and the read-outs add up time of flight and horizontal displacement. The tenth landing closes the routine.</translation>
        </message>
        <message>
            <source>Back in READY the result of the previous routine stays at the top of the page, so the next athlete can be started while the judges still read it.</source>
            <translation>Back in READY the result of the previous routine stays at the top of the page, so the next athlete can be started while the judges still read it.</translation>
        </message>
        <message>
            <source>The status bar: the routine time in seconds and in minutes, the trampoline in use, the measurement on display, the autosave, whether information for the next routine has arrived, and the connection lights of the scoring systems and of the HTTP and WebSocket servers.</source>
            <translation>The status bar: the routine time in seconds and in minutes, the trampoline in use, the measurement on display, the autosave, whether information for the next routine has arrived, and the connection lights of the scoring systems and of the HTTP and WebSocket servers.</translation>
        </message>
        <message>
            <source>The Help menu opens these tutorials again, the self-diagnosis of the sensors, the export of the competition protocol (statistics and a heat map of the landings) and the information about Ovra.</source>
            <translation>The Help menu opens these tutorials again, the self-diagnosis of the sensors, the export of the competition protocol (statistics and a heat map of the landings) and the information about Ovra.</translation>
        </message>
        <message>
            <source>Ovra works with scoring software in three ways: it sends every committed result to up to three scoring systems over HTTP, it answers requests on its own HTTP server, and it pushes states and results to WebSocket clients. The right end of the status bar shows each connection: green works, red failed, yellow is not known yet, grey is switched off.</source>
            <translation>Ovra works with scoring software in three ways: it sends every committed result to up to three scoring systems over HTTP, it answers requests on its own HTTP server, and it pushes states and results to WebSocket clients. The right end of the status bar shows each connection: green works, red failed, yellow is not known yet, grey is switched off.</translation>
        </message>
        <message>
            <source>Config &gt; Network sets them up: the address of every scoring system and whether it also receives the states and intermediate results, and the ports of the HTTP and WebSocket servers.</source>
            <translation>Config &gt; Network sets them up: the address of every scoring system and whether it also receives the states and intermediate results, and the ports of the HTTP and WebSocket servers.</translation>
        </message>
        <message>
            <source>Scoring software may send the information of the next routine: the athlete, the competition, the group. The indicator "Routine Information" in the status bar lights up, and the information joins the routine when START is pressed.</source>
            <translation>Scoring software may send the information of the next routine: the athlete, the competition, the group. The indicator "Routine Information" in the status bar lights up, and the information joins the routine when START is pressed.</translation>
        </message>
        <message>
            <source>The state display shows where the routine stands: NO USB, READY, START, ROUTINE or REVIEW (PAUSE while training pauses); from START on, a banner above the page names the state and its keys in large type. Beside it the configuration: TARA zeroes the sensors, "Tramp select" chooses the trampoline ("Automatic" follows the activity on the beds) and "Weight Class" sets the contact threshold ("Automatic" adapts it to the athlete).</source>
            <translation>The state display shows where the routine stands: NO USB, READY, START, ROUTINE or REVIEW (PAUSE while training pauses); from START on, a banner above the page names the state and its keys in large type. Beside it the configuration: TARA zeroes the sensors, "Tramp select" chooses the trampoline ("Automatic" follows the activity on the beds) and "Weight Class" sets the contact threshold ("Automatic" adapts it to the athlete).</translation>
        </message>
        <message>
            <source>The start list: choose the event, the competition and the group, then the athlete (F3 gives the list the arrow keys; Page Down and Page Up move to the next and previous athlete). The choice travels with the routine into the data file, the database and to the scoring systems. While a start list is in use and nobody is chosen, READY warns.</source>
            <translation>The start list: choose the event, the competition and the group, then the athlete (F3 gives the list the arrow keys; Page Down and Page Up move to the next and previous athlete). The choice travels with the routine into the data file, the database and to the scoring systems. While a start list is in use and nobody is chosen, READY warns.</translation>
        </message>
        <message>
            <source>REVIEW: the result of the routine. The arrow keys shift the routine by one landing or lengthen and shorten it; an edited routine is marked with what changed, and R restores it as measured. D shows the details. Space or CONFIRM commits the result: it is saved and sent to the scoring systems; a routine of fewer than three landings asks first (Enter commits it). X or DISMISS throws the routine away after asking: X again discards it, Esc keeps it.</source>
            <translation>REVIEW: the result of the routine. The arrow keys shift the routine by one landing or lengthen and shorten it; an edited routine is marked with what changed, and R restores it as measured. D shows the details. Space or CONFIRM commits the result: it is saved and sent to the scoring systems; a routine of fewer than three landings asks first (Enter commits it). X or DISMISS throws the routine away after asking: X again discards it, Esc keeps it.</translation>
        </message>
        <message>
            <source>A committed result waits until every scoring system has taken it. When one fails, a message offers to send it again; the next routine starts when all have answered or the sending was put off with Cancel. A result put off is not lost: it waits in the outbox, goes by itself as soon as its system answers again, also after a restart, and the status bar counts what waits.</source>
            <translation>A committed result waits until every scoring system has taken it. When one fails, a message offers to send it again; the next routine starts when all have answered or the sending was put off with Cancel. A result put off is not lost: it waits in the outbox, goes by itself as soon as its system answers again, also after a restart, and the status bar counts what waits.</translation>
        </message>
    </context>
    <context>
        <name>UpcomingRoutineMetaWidget</name>
        <message>
            <source>up next:</source>
            <translation>up next:</translation>
        </message>
        <message>
            <source>RE-JUMP: the dismissed routine is jumped again</source>
            <translation>RE-JUMP: the dismissed routine is jumped again</translation>
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
        <name>ovra::db::PostgresConnection</name>
        <message>
            <source>The database %1 does not keep its text as UTF-8; create it with the encoding UTF8</source>
            <translation>The database %1 does not keep its text as UTF-8; create it with the encoding UTF8</translation>
        </message>
        <message>
            <source>The database does not keep its text as UTF-8; create it with the encoding UTF8</source>
            <translation>The database does not keep its text as UTF-8; create it with the encoding UTF8</translation>
        </message>
        <message>
            <source>Connected to PostgreSQL %1</source>
            <translation>Connected to PostgreSQL %1</translation>
        </message>
        <message>
            <source>The database server %1 does not answer</source>
            <translation>The database server %1 does not answer</translation>
        </message>
    </context>
    <context>
        <name>ovra::db::Transfer</name>
        <message>
            <source>%1 (table %2)</source>
            <translation>%1 (table %2)</translation>
        </message>
    </context>
    <context>
        <name>ovra::history::AthleteHistoryWindow</name>
        <message>
            <source>Date</source>
            <translation>Date</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Event</translation>
        </message>
        <message>
            <source>Competition</source>
            <translation>Competition</translation>
        </message>
        <message>
            <source>Group</source>
            <translation>Group</translation>
        </message>
        <message>
            <source>Elements</source>
            <translation>Elements</translation>
        </message>
        <message>
            <source>Total ToF (s)</source>
            <translation>Total ToF (s)</translation>
        </message>
        <message>
            <source>Total HD</source>
            <translation>Total HD</translation>
        </message>
        <message>
            <source>Mean distance (cm)</source>
            <translation>Mean distance (cm)</translation>
        </message>
        <message>
            <source>Synchronisation</source>
            <translation>Synchronisation</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>Status</translation>
        </message>
        <message>
            <source>athlete ambiguous</source>
            <translation>athlete ambiguous</translation>
        </message>
        <message>
            <source>not scored yet</source>
            <translation>not scored yet</translation>
        </message>
        <message>
            <source>stored result unreadable</source>
            <translation>stored result unreadable</translation>
        </message>
        <message>
            <source>no samples</source>
            <translation>no samples</translation>
        </message>
        <message>
            <source>Mean distance of the routine's landings from the bed centre</source>
            <translation>Mean distance of the routine's landings from the bed centre</translation>
        </message>
        <message>
            <source>Athlete history</source>
            <translation>Athlete history</translation>
        </message>
        <message>
            <source>Search athletes and pairs</source>
            <translation>Search athletes and pairs</translation>
        </message>
        <message>
            <source>Open routine</source>
            <translation>Open routine</translation>
        </message>
        <message>
            <source>Show the chosen routine in the main window as a stored measure</source>
            <translation>Show the chosen routine in the main window as a stored measure</translation>
        </message>
        <message>
            <source>Export table (CSV)...</source>
            <translation>Export table (CSV)...</translation>
        </message>
        <message>
            <source>Export chart (PNG)...</source>
            <translation>Export chart (PNG)...</translation>
        </message>
        <message>
            <source>Scoring older routines: %v of %m</source>
            <translation>Scoring older routines: %v of %m</translation>
        </message>
        <message>
            <source>FIG %1</source>
            <translation>FIG %1</translation>
        </message>
        <message>
            <source>born %1</source>
            <translation>born %1</translation>
        </message>
        <message>
            <source>pair</source>
            <translation>pair</translation>
        </message>
        <message numerus="yes">
            <source>ambiguous: %n athletes of this name</source>
            <translation>
                <numerusform>ambiguous: %n athletes of this name</numerusform>
                <numerusform>ambiguous: %n athletes of this name</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n routine(s)</source>
            <translation>
                <numerusform>%n routine(s)</numerusform>
                <numerusform>%n routine(s)</numerusform>
            </translation>
        </message>
        <message>
            <source>These routines name an athlete that several athletes in the database could be: without a FIG id or year of birth they are not counted for any of them.</source>
            <translation>These routines name an athlete that several athletes in the database could be: without a FIG id or year of birth they are not counted for any of them.</translation>
        </message>
        <message>
            <source>No stored routine names an athlete yet.</source>
            <translation>No stored routine names an athlete yet.</translation>
        </message>
        <message>
            <source>Choose an athlete or a pair to see every routine stored.</source>
            <translation>Choose an athlete or a pair to see every routine stored.</translation>
        </message>
        <message numerus="yes">
            <source>ambiguous: these routines could belong to any of %n athletes of this name</source>
            <translation>
                <numerusform>ambiguous: these routines could belong to any of %n athletes of this name</numerusform>
                <numerusform>ambiguous: these routines could belong to any of %n athletes of this name</numerusform>
            </translation>
        </message>
        <message>
            <source>No routine stored for this athlete.</source>
            <translation>No routine stored for this athlete.</translation>
        </message>
        <message>
            <source>No scored routine yet: nothing to draw.</source>
            <translation>No scored routine yet: nothing to draw.</translation>
        </message>
        <message>
            <source>One routine is not a trend yet: the chart starts with the second scored routine.</source>
            <translation>One routine is not a trend yet: the chart starts with the second scored routine.</translation>
        </message>
        <message>
            <source>Best synchronisation</source>
            <translation>Best synchronisation</translation>
        </message>
        <message>
            <source>Personal best ToF</source>
            <translation>Personal best ToF</translation>
        </message>
        <message>
            <source>Best HD</source>
            <translation>Best HD</translation>
        </message>
        <message>
            <source>%1 against the routine before</source>
            <translation>%1 against the routine before</translation>
        </message>
        <message>
            <source>no routine before</source>
            <translation>no routine before</translation>
        </message>
        <message>
            <source>the best so far</source>
            <translation>the best so far</translation>
        </message>
        <message>
            <source>%1 against the best (%2%3)</source>
            <translation>%1 against the best (%2%3)</translation>
        </message>
        <message>
            <source>Total ToF</source>
            <translation>Total ToF</translation>
        </message>
        <message>
            <source> s</source>
            <translation> s</translation>
        </message>
        <message>
            <source>Chosen routine</source>
            <translation>Chosen routine</translation>
        </message>
        <message>
            <source>Latest routine</source>
            <translation>Latest routine</translation>
        </message>
        <message>
            <source>Measure</source>
            <translation>Measure</translation>
        </message>
        <message>
            <source>Export table</source>
            <translation>Export table</translation>
        </message>
        <message>
            <source>CSV files (*.csv)</source>
            <translation>CSV files (*.csv)</translation>
        </message>
        <message>
            <source>Export chart</source>
            <translation>Export chart</translation>
        </message>
        <message>
            <source>PNG pictures (*.png)</source>
            <translation>PNG pictures (*.png)</translation>
        </message>
        <message>
            <source>No competition database is open, or its server does not answer.</source>
            <translation>No competition database is open, or its server does not answer.</translation>
        </message>
    </context>
    <context>
        <name>ovra::rest::server::NetworkServers</name>
        <message>
            <source>The HTTP server was not started: the host name "%1" in the settings is not a valid host name or address. Accepting the network configuration dialog resets it to all interfaces.</source>
            <translation>The HTTP server was not started: the host name "%1" in the settings is not a valid host name or address. Accepting the network configuration dialog resets it to all interfaces.</translation>
        </message>
        <message>
            <source>The HTTP server was not started: its port %1 in the settings is outside 1 to 65535. Choose a port in the network configuration dialog.</source>
            <translation>The HTTP server was not started: its port %1 in the settings is outside 1 to 65535. Choose a port in the network configuration dialog.</translation>
        </message>
        <message>
            <source>The WebSocket server was not started: its port %1 in the settings is outside 1 to 65535. Choose a port in the network configuration dialog.</source>
            <translation>The WebSocket server was not started: its port %1 in the settings is outside 1 to 65535. Choose a port in the network configuration dialog.</translation>
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
        <message>
            <source>- Committed routines are not stored: autosave to file and database is off</source>
            <translation>- Committed routines are not stored: autosave to file and database is off</translation>
        </message>
        <message>
            <source>- Routines wait to be stored in the database; it is tried again automatically</source>
            <translation>- Routines wait to be stored in the database; it is tried again automatically</translation>
        </message>
        <message>
            <source>- No athlete is chosen in the start list: the routine would be stored and sent without a name</source>
            <translation>- No athlete is chosen in the start list: the routine would be stored and sent without a name</translation>
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
        <message>
            <source>Does not count: an earlier pair was not synchronous</source>
            <translation>Does not count: an earlier pair was not synchronous</translation>
        </message>
    </context>
    <context>
        <name>wsdb</name>
        <message>
            <source>%1: %2 added, %3 skipped as identical, %4 kept as conflicting</source>
            <translation>%1: %2 added, %3 skipped as identical, %4 kept as conflicting</translation>
        </message>
        <message>
            <source>No database is open.</source>
            <translation>No database is open.</translation>
        </message>
        <message>
            <source>%1 is not an Ovra database.</source>
            <translation>%1 is not an Ovra database.</translation>
        </message>
        <message>
            <source>%1 could not be opened: %2</source>
            <translation>%1 could not be opened: %2</translation>
        </message>
        <message>
            <source>%1 could not be merged; nothing was added. %2</source>
            <translation>%1 could not be merged; nothing was added. %2</translation>
        </message>
        <message>
            <source>%1 does not exist.</source>
            <translation>%1 does not exist.</translation>
        </message>
        <message>
            <source>No database file is open.</source>
            <translation>No database file is open.</translation>
        </message>
        <message>
            <source>The database server %1 does not answer: %2</source>
            <translation>The database server %1 does not answer: %2</translation>
        </message>
        <message>
            <source>table %1 cannot be read: %2</source>
            <translation>table %1 cannot be read: %2</translation>
        </message>
        <message>
            <source>the measures carry no id: %1</source>
            <translation>the measures carry no id: %1</translation>
        </message>
    </context>
</TS>
