<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
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
</TS>
