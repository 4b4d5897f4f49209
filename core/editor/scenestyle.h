#pragma once

#include "editor/styleblock.h"
#include "editor/styleblocktitle.h"
#include "editor/styleconnection.h"
#include "editor/stylegrid.h"
#include "editor/styleport.h"
#include "editor/stylescene.h"
#include "editor/styletypes.h"
#include "vlm_core_export.h"

#include <QString>

class QDomElement;

namespace Velmora {

// One named set of colours with which diagrams are painted. The accessors hand out
// references: painting reads them for every item on every repaint.
class VLM_CORE_EXPORT SceneStyle
{
public:
    // Reads the name attribute and every section of a `scene_style` element.
    bool read(const QDomElement& styleElement);

    QString name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    const StyleScene& scene() const { return m_scene; }
    const StyleGrid& grid() const { return m_grid; }
    const StyleBlock& block() const { return m_block; }
    const StyleBlockTitle& blockTitle() const { return m_blockTitle; }
    const StylePort& port() const { return m_port; }
    const StyleConnection& connection() const { return m_connection; }
    const StyleTypes& types() const { return m_types; }

private:
    QString m_name;
    StyleScene m_scene;
    StyleGrid m_grid;
    StyleBlock m_block;
    StyleBlockTitle m_blockTitle;
    StylePort m_port;
    StyleConnection m_connection;
    StyleTypes m_types;
};

} // namespace Velmora
