#pragma once

#include "editor/cachedtext.h"
#include "editor/fbgraphicsitem.h"
#include "vlm_core_export.h"

#include <QFont>
#include <QSizeF>
#include <QString>

namespace Velmora {

// The title row of a block: its text on a rounded plate.
class VLM_CORE_EXPORT FBTitleGraphics : public FBGraphicsItem
{
public:
    explicit FBTitleGraphics(FBAbstractBlockGraphics* block);

    void setModelItem(FBModelItem* item) override;
    void setGeometry(const QRectF& rect) override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    virtual QString text() const { return m_text; }
    // Takes a new text when it needs the size of the old one, and draws it at the next paint;
    // false, with nothing changed, when it needs another size.
    bool replaceText(const QString& text);
    QSizeF size() const { return m_size; }
    QFont font() const { return m_font; }
    qreal extraWidth() const { return m_extraWidth; }
    qreal extraHeight() const { return m_extraHeight; }

protected:
    FBTitleGraphics(FBAbstractBlockGraphics* block, const QFont& font, qreal extraWidth, qreal extraHeight);

    virtual void readText(FBModelItem* item);
    // The size of a text in the item's font, without the margins.
    virtual QSizeF textSize(const QString& text) const;
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF& constraint = QSizeF()) const override;
    // The value texts below the ports: plain text in the block's text colour.
    void paintPlainText(QPainter* painter);

    QString m_text;
    QSizeF m_size;
    QFont m_font;
    qreal m_extraWidth = 0.0;
    qreal m_extraHeight = 0.0;
    CachedText m_cachedText;
};

} // namespace Velmora
