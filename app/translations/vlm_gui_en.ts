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
<context>
    <name>DiagramExporter</name>
    <message>
        <source>the picture could not be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the document could not be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 — %2 — %3 — page %4 of %5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file name must end in .png, .svg or .pdf</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FirmwareWizardExistingPage</name>
    <message>
        <source>Downloaded firmware data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware date:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Employee name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bytes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FirmwareWizardFilePage</name>
    <message>
        <source>New firmware data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File directory:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Employee name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put your name (in Latin)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The path and/or file name has been changed. Enter them correctly.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is too short to be a firmware file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select firmware file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the name of the person downloading the firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preparing for firmware download...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sending new firmware information...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error sending new firmware information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Creating backup...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error creating backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware update wizard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can not make a backup.
Do you want to continue?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware download canceled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preparing the place to download the firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error preparing the place to download the firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading firmware...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error sending firmware data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware verification...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware verification error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware has been downloaded successefully</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup skipped: the module has had no firmware since the old one could not be restored; the earlier backup is kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The old firmware could not be restored: the module is left without firmware. Reconnect to the module and download the firmware again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup skipped: the firmware may be partly erased since the last attempt; the earlier backup is kept.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FirmwareWizardNetworkPage</name>
    <message>
        <source>Network parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnected</source>
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
        <source>Connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot connect to %1:%2: %3</source>
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
    <message>
        <source>The name cannot contain / or \.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The name cannot be &quot;.&quot; or &quot;..&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the name without the extension .%1: it is added.</source>
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
<context>
    <name>Velmora::SimulationController</name>
    <message>
        <source>Force Value…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove from Trend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to Trend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Force Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value of %1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a value of this port.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Velmora::SimulationIoPanel</name>
    <message>
        <source>Not simulating.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The program uses no inputs, outputs, variables or registers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analog inputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variables and registers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Velmora::TrendChart</name>
    <message>
        <source>Simulated time (s)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
