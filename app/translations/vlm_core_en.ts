<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>DeviceRepliePolicy</name>
    <message>
        <source>No replise</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR(%1): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>READY. command: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get func block info.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SUCCESS. command: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free space command.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Net params command.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Busy command.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RTC command.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UNKNOWN COMMAND code: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load in RAM memory.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save to flash.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop task.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop at func block.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set task state.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run from flash.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read and upload data.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear data.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get data func block.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set data func block.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get net params.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set net params.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Debugging mode.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Echo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upload func block.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upload data block.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get data MB_HR.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get MB connection status.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get TCP port.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get soft data.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get hardware ID.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get MB port.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User comments.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undefined command.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no free space in the module.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exceeding the size of the package.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The program is not stopped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid data size in the package.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrong function block index.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error saving to flash memory.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrong password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No task in flash memory.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flash memory corrupted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data size is larger than the data buffer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid state.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A task in flash memory exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CRC error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid data.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The programming mode is disabled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RTC error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EEPROM error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown Error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device replie: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DiagramCheck</name>
    <message>
        <source>the input of type %1 is joined to an output of type %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the value %1 is outside the range of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the input is not connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the type %1 is not one of the data types; the port joins only ports of that same type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none of the outputs is used: the block has no effect</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 %2 is written by %n blocks</source>
        <translation>
            <numerusform>%1 %2 is written by %n block</numerusform>
            <numerusform>%1 %2 is written by %n blocks</numerusform>
        </translation>
    </message>
    <message>
        <source>variable %1 is also used with the type %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check: %1 errors, %2 warnings.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FBAbstractBlockGraphics</name>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GraphicsScene</name>
    <message>
        <source>Link error: This input have connect.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link error: Can not connect the input to the input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link error: Can not connect the output to the output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste: the clipboard holds no diagram that can be pasted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link error: A connected port can not take the type %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link error: Can not connect the type %1 to the type %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IConnectionView</name>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IProject</name>
    <message>
        <source>the file is truncated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is corrupt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown block &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write file %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read file %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the project has no file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not all of the data could be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is not a project file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown device model</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProjectCreator</name>
    <message>
        <source>Project</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error open file : invalid file extension.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProjectManager</name>
    <message>
        <source>Open project</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save project</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The project has been modified.
 Do you want to save your changes?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The project %1 is open in another tab.
Close it there before you save over it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProjectRecovery</name>
    <message>
        <source>the project could not be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder %1 cannot be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot keep a recovery copy of %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a recovery copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is truncated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The recovery copy %1 cannot be read (%2); it is kept as %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the project&apos;s file type is unknown</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PropertyTreeModel</name>
    <message>
        <source>Property</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>&lt;Add connection&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;Add block&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;Del connection&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;Del block&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;Del group connection&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;Del group block&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;Move block&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;Move group blocks&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;Paste %1 blocks and %2 connections&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;Change number of ports&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;Change port visibility&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;Change title&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;Change port type&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;Change value&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;Move connection node&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StyleCollection</name>
    <message>
        <source>styles %1 parse error (row %2, column %3): %4.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TcpDeviceClient</name>
    <message>
        <source>Running task: Success.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Running task: Failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopping task: Success.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopping task: Failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get net params: Success.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get net params: Failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set net params: Success.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set net params: Failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get soft version: Success.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get soft version: Failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get Hardware Id: Success.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get Hardware Id: Failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get RTC: Failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get RTC: Success.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set RTC: Success.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set RTC: Failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get calibration state: Failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get calibration state: Success.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uploading task error: Unable to get device type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uploading task error: Unable to upload task for %1 to device %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading in RAM: Failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading in RAM: Success.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uploading task: Failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initializing the module: Failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initializing the module: Success.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save task: Failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save task: Success.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeat(%1) %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection error: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No connection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search for the host name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Establishing connection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A connection is established.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The connection is about to close.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State code(%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Velmora::FBCommentModel</name>
    <message>
        <source>Add text</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>fb_lib_reader</name>
    <message>
        <source>The lib file is corrupt or is not a library file of function blocks.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>model_call_order</name>
    <message>
        <source>Call order</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>model_data_num</name>
    <message>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value list</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>model_inputs</name>
    <message>
        <source>Inputs</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>model_item</name>
    <message>
        <source>unnammed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>model_outputs</name>
    <message>
        <source>Outputs</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>model_title</name>
    <message>
        <source>Title</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
