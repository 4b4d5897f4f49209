#include "editor/styleconnection.h"

#include <QDomElement>

namespace Velmora {

bool StyleConnection::read(const QDomElement& styleElement)
{
    const QDomElement connection = section(styleElement, QStringLiteral("connection"));
    lineColor = readColor(connection, QStringLiteral("line_color"));
    lineSelectColor = readColor(connection, QStringLiteral("line_select_color"));
    lineHoverColor = readColor(connection, QStringLiteral("line_hover_color"));
    nodeColor = readColor(connection, QStringLiteral("node_color"));
    nodeSelectColor = readColor(connection, QStringLiteral("node_select_color"));
    nodeHoverColor = readColor(connection, QStringLiteral("node_hover_color"));
    lineTrueColor = readColor(connection, QStringLiteral("line_true_color"));
    return true;
}

} // namespace Velmora
