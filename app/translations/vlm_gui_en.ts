<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>DeviceSettingsWidget</name>
    <message>
        <source>Device settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mask:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IPv4 mask</source>
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
        <source>Gateway:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IPv4 gateway</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mac:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mac address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TCP timeout:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time and Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Synchronize with the system</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Soft version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device model:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration status:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration is done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration error. Recalibration required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undefined</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
