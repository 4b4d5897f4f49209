#pragma once

#include "vlm_core_export.h"

#include <QFont>
#include <QRectF>
#include <QString>
#include <QTextLayout>

#include <memory>

class QPainter;

namespace Velmora {

// Draws a text into a rectangle exactly as QPainter::drawText(rect, flags, text) does, but keeps
// the laid-out text between paints. Shaping and laying out are most of what drawText costs, and
// a block's texts change only when its model does, so a scene full of blocks repaints without
// shaping a single label again. Flags beyond the alignment, TextSingleLine and TextDontClip, and
// right-to-left painters or texts, are handed to drawText itself.
class VLM_CORE_EXPORT CachedText
{
public:
    CachedText();
    ~CachedText();

    // Draws with the painter's font, pen and layout direction.
    void draw(QPainter* painter, const QRectF& rect, int flags, const QString& text);

private:
    static bool canLayOut(const QPainter* painter, int flags);
    static bool canLayOut(const QString& text);
    void layOut(const QRectF& rect, int flags, const QString& text, const QFont& font);

    // What the layout was made for.
    QString m_text;
    QRectF m_rect;
    int m_flags = 0;
    QFont m_font;
    Qt::LayoutDirection m_direction = Qt::LayoutDirectionAuto;
    int m_dpi = 0;
    bool m_valid = false;

    bool m_laidOut = false; // false: a text only drawText draws right
    std::unique_ptr<QTextLayout> m_layout;
    qreal m_top = 0; // of the lines, below the rectangle's top
    bool m_clipped = false; // the text overflows the rectangle and is clipped to it
};

} // namespace Velmora
