#include "editor/styletypes.h"

#include <QDomElement>

namespace Velmora {

bool StyleTypes::read(const QDomElement& styleElement)
{
    static const char* const typeNames[] = { "int8", "int16", "int32", "uint8", "uint16", "uint32", "float", "bool" };
    const QDomElement types = section(styleElement, QStringLiteral("types"));
    typeColors.clear();
    for (const char* typeName : typeNames) {
        const QString name = QLatin1String(typeName);
        typeColors.insert(name, readColor(types, name));
    }
    return true;
}

} // namespace Velmora
