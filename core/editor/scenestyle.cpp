#include "editor/scenestyle.h"

#include <QDomElement>

namespace Velmora {

bool SceneStyle::read(const QDomElement& styleElement)
{
    m_name = styleElement.attribute(QStringLiteral("name"));
    IStyleScene* const records[] = { &m_scene, &m_grid, &m_block, &m_blockTitle, &m_port, &m_connection, &m_types };
    for (IStyleScene* record : records) {
        if (!record->read(styleElement))
            return false;
    }
    return true;
}

} // namespace Velmora
