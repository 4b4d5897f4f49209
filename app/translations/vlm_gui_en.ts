<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CreateDialog</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainProjectWizard</name>
    <message>
        <source>Main project wizard</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProjectWizardBase</name>
    <message>
        <source>File wizard</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProjectWizardBasePage</name>
    <message>
        <source>Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use default file path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File directory:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Directory selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The project already exists. If you continue, the project will be overwritten.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wizard warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 will be overwritten. Continue?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProjectWizardDevicePage</name>
    <message>
        <source>Select device model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device model:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
