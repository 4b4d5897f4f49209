#pragma once

#include "editor/cachedtext.h"
#include "editor/fbgraphicsitem.h"
#include "vlm_core_export.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QGraphicsLinearLayout;

namespace Velmora {

// A port of a block: a circle on the block's edge filled in its type's colour, and a label.
class VLM_CORE_EXPORT FBPortGraphics : public FBGraphicsItem
{
public:
    enum { Type = UserType + 7, InputType = UserType + 8, OutputType = UserType + 9 };

    explicit FBPortGraphics(FBAbstractBlockGraphics* block);

    int type() const override { return Type; }
    void setModelItem(FBModelItem* item) override;
    QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    // The centre of the circle in scene coordinates, where connections attach.
    QPointF connectionPoint() const;

    QString portName() const { return m_portName; }
    QString portType() const { return m_portType; }
    QString label() const { return m_label; }
    int portIndex() const { return m_portIndex; }
    qreal radius() const { return m_radius; }
    QRectF circleRect() const { return m_circleRect; }
    // How far the circle stands out of the block's side: half of it.
    qreal overhang() const { return m_circleRect.width() / 2.0; }
    QRectF textRect() const { return m_textRect; }
    QSizeF size() const { return m_size; }
    QFont font() const { return m_font; }

    // The outline at a level of detail: opaque, fading in between 0.2 and 0.3.
    static QColor outlineColor(QColor border, qreal levelOfDetail);

protected:
    virtual void calcGeometry() = 0;
    virtual void makeLabel() = 0;

    QSizeF sizeHint(Qt::SizeHint which, const QSizeF& constraint = QSizeF()) const override;
    void hoverMoveEvent(QGraphicsSceneHoverEvent* event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent* event) override;

    // Label width and the row height: the taller of circle and text.
    QSizeF labelSize() const;

    QRectF m_circleRect;
    QRectF m_textRect;
    QSizeF m_size;
    QString m_portName;
    QString m_portType;
    QString m_label;
    QFont m_font;
    QGraphicsLinearLayout* m_parentLayout = nullptr;
    qreal m_radius = 5.0;
    qreal m_normalRadius = 5.0;
    qreal m_hoverRadius = 7.5;
    qreal m_penWidth = 2.0;
    QColor m_outlineColor;
    int m_portIndex = 0;
    Qt::Alignment m_labelAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    CachedText m_cachedLabel;

private:
    void showInLayout(bool visible);
    void setRadius(qreal radius);
};

} // namespace Velmora
