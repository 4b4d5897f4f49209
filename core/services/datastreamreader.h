#pragma once

#include "vlm_core_export.h"

#include <QStringList>
#include <QVariant>

class QDataStream;

namespace Velmora {

// Readers for values of untrusted streams. Qt's own readers reserve memory for the count a
// stream announces; these grow only as data actually arrives, and refuse value types that could
// make a corrupt stream allocate without bound.
class VLM_CORE_EXPORT DataStreamReader
{
public:
    // False, with an empty list, when the stream ends or is corrupt.
    static bool readStringList(QDataStream& stream, QStringList& list);
    // Reads a QVariant of a plain value type (numbers, bool, characters, strings, byte arrays)
    // or an invalid one; containers and user types are refused as corrupt data.
    static bool readVariant(QDataStream& stream, QVariant& value);
    // A map of names to plain values, in Qt's stream form.
    static bool readVariantMap(QDataStream& stream, QMap<QString, QVariant>& map);
};

} // namespace Velmora
