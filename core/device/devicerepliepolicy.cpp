#include "device/devicerepliepolicy.h"

#include <QCoreApplication>

namespace Velmora {

namespace {

const char context[] = "DeviceRepliePolicy";

// Indexed by reply code; a null entry has no text. Codes 1, 2, 4 and 15 take arguments.
const char* const replieTexts[] = {
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "No replise"),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "ERROR(%1): %2"),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "READY. command: %1"),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Get func block info."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "SUCCESS. command: %1"),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Free space command."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Net params command."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Busy command."),
    nullptr,
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "RTC command."),
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "UNKNOWN COMMAND code: %1."),
};

// Indexed by command code; a null entry is a code the module does not define.
const char* const commandTexts[] = {
    nullptr,
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Load in RAM memory."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Save to flash."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Stop task."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Stop at func block."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Step."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Set task state."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Run from flash."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Read and upload data."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Clear data."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Get data func block."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Set data func block."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Get net params."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Set net params."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Set password."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Debugging mode."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Echo."),
    nullptr,
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Upload func block."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Upload data block."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Get data MB_HR."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Get MB connection status."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Get TCP port."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Get soft data."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Get hardware ID."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Get MB port."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "User comments."),
};
const char* const undefinedCommandText = QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Undefined command.");

// The module's error codes run from firstErrorCode; 150 is a late addition outside the run.
constexpr int firstErrorCode = 100;
const char* const errorTexts[] = {
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "No error."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "There is no free space in the module."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Exceeding the size of the package."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "The program is not stopped."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Invalid data size in the package."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Wrong function block index."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Error saving to flash memory."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Wrong password."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "No task in flash memory."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Flash memory corrupted."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "The data size is larger than the data buffer."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Invalid state."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "A task in flash memory exists."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "CRC error."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Invalid data."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "The programming mode is disabled."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "RTC error."),
    QT_TRANSLATE_NOOP("DeviceRepliePolicy", "EEPROM error."),
};
constexpr int invalidDataErrorCode = 150;
const char* const invalidDataText = QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Invalid data.");
const char* const unknownErrorText = QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Unknown Error.");

const char* const replieLineText = QT_TRANSLATE_NOOP("DeviceRepliePolicy", "Device replie: %1");

// The entry at index of a table, or null outside it.
template <int size> const char* entry(const char* const (&table)[size], int index)
{
    return index >= 0 && index < size ? table[index] : nullptr;
}

QString translated(const char* text)
{
    return text ? QCoreApplication::translate(context, text) : QString();
}

} // namespace

QString DeviceRepliePolicy::replieText(int code, int subcode)
{
    QString inner = translated(entry(replieTexts, code));
    switch (code) {
    case 1:
        inner = inner.arg(QString::number(subcode), deviceErrorToText(subcode));
        break;
    case 2:
    case 4:
        inner = inner.arg(deviceCmdToText(subcode));
        break;
    case 15:
        inner = inner.arg(subcode);
        break;
    default:
        break;
    }
    return translated(replieLineText).arg(inner);
}

QString DeviceRepliePolicy::deviceCmdToText(int cmd)
{
    const char* text = entry(commandTexts, cmd);
    return translated(text ? text : undefinedCommandText);
}

QString DeviceRepliePolicy::deviceErrorToText(int error)
{
    const char* text = nullptr;
    if (error == invalidDataErrorCode)
        text = invalidDataText;
    else if (error >= firstErrorCode)
        text = entry(errorTexts, error - firstErrorCode);
    return translated(text ? text : unknownErrorText);
}

} // namespace Velmora
