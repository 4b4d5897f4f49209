<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From revision: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Console</name>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Utilities</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ToolBar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Console</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo Stack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save in Flash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Manual</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DeviceSettings...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware updater</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Velmora...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About the program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1[*] - %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create new</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can not open the manual file: %1 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware update wizard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recent Projects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 no longer exists. It is removed from the list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, copy of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recover projects</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Velmora did not exit normally. Unsaved changes of %n project(s) were kept:</source>
        <translation>
            <numerusform>Velmora did not exit normally. Unsaved changes of %n project were kept:</numerusform>
            <numerusform>Velmora did not exit normally. Unsaved changes of %n projects were kept:</numerusform>
        </translation>
    </message>
    <message>
        <source>Restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upload</source>
        <comment>toolbar</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save in Flash</source>
        <comment>toolbar</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DeviceSettings</source>
        <comment>toolbar</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect</source>
        <comment>toolbar</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnect</source>
        <comment>toolbar</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run</source>
        <comment>toolbar</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <comment>toolbar</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Build</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <comment>toolbar</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check</source>
        <comment>toolbar</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Problems</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>The diagram has %n error(s):

%1

Upload it anyway?</source>
        <translation>
            <numerusform>The diagram has %n error:

%1

Upload it anyway?</numerusform>
            <numerusform>The diagram has %n errors:

%1

Upload it anyway?</numerusform>
        </translation>
    </message>
    <message>
        <source>Copy</source>
        <comment>toolbar</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Diagram...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SVG drawing (*.svg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Diagram</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>White</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scene style</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scale:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Background:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Diagram exported to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot export the diagram to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;imulation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simulate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simulate</source>
        <comment>toolbar</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop Simulation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift+F5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>×0.1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>×1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>×10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>As Fast as Possible</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simulation I/O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simulation paused: %1 s, cycle %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simulating: %1 s, cycle %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot simulate the diagram: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simulation started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simulation stopped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <comment>toolbar</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut</source>
        <comment>toolbar</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <comment>toolbar</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsWidget</name>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Projects directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default path:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Localization</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IPv4 address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Widgets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo stack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Console</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scene</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you really want to reset all settings?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crash recovery</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep a recovery copy of modified projects every:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UndoView</name>
    <message>
        <source>&lt;Empty stack&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Velmora: a programming environment for function-block diagrams of Tarkel modules.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Project files to open.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
