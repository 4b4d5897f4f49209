#pragma once

#include "editor/fbabstractblockgraphics.h"
#include "vlm_core_export.h"

#include <QGraphicsLayoutItem>
#include <QGraphicsTextItem>

namespace Velmora {

// A free text on the diagram, edited in place after a double click.
class VLM_CORE_EXPORT FBCommentGraphics : public FBAbstractBlockGraphics
{
    Q_OBJECT
public:
    enum { Type = UserType + 14 };

    // The comment's text, laid out in the comment's grid.
    class VLM_CORE_EXPORT TextItem : public QGraphicsTextItem, public QGraphicsLayoutItem
    {
    public:
        explicit TextItem(FBCommentGraphics* comment);

        void setGeometry(const QRectF& rect) override;
        void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

        void startEditing(const QPointF& scenePos);
        void stopEditing();
        bool isEditing() const;

    protected:
        QSizeF sizeHint(Qt::SizeHint which, const QSizeF& constraint = QSizeF()) const override;
        void focusOutEvent(QFocusEvent* event) override;

    private:
        FBCommentGraphics* m_comment = nullptr;
    };

    explicit FBCommentGraphics(QGraphicsItem* parent = nullptr);

    int type() const override { return Type; }
    TextItem* textItem() const { return m_text; }

public slots:
    void slotUpdatedText();

protected:
    void build() override;
    void createLayouts() override;
    bool sceneEvent(QEvent* event) override;

private:
    TextItem* m_text = nullptr;
    // Editing was on when the window lost activation; it comes back with the window.
    bool m_editing = false;
};

} // namespace Velmora
