<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
</TS>
