#pragma once

#include "vlm_core_export.h"

#include <QGraphicsItem>
#include <QString>

namespace Velmora {

// The value of an output while the diagram is simulated, written beside the port's circle,
// outside the block; a forced value is framed. It does not take part in the block's layout.
class VLM_CORE_EXPORT LiveValueGraphics : public QGraphicsItem
{
public:
    enum { Type = UserType + 20 };

    explicit LiveValueGraphics(QGraphicsItem* parent = nullptr);

    int type() const override { return Type; }
    QString text() const { return m_text; }
    bool isForced() const { return m_forced; }
    // Repaints only when the text or the frame changes.
    void setValue(const QString& text, bool forced);
    // Places the bottom left corner of the text at `point` of the parent.
    void setAnchor(const QPointF& point);

    QRectF boundingRect() const override { return m_rect.adjusted(-1.0, -1.0, 1.0, 1.0); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QString m_text;
    bool m_forced = false;
    QRectF m_rect;
};

} // namespace Velmora
