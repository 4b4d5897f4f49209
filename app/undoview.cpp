#include "undoview.h"

#include <QCoreApplication>
#include <QEvent>

namespace Velmora {

UndoView::UndoView(QWidget* parent)
    : QUndoView(parent)
{ }

void UndoView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        setEmptyLabel(QCoreApplication::translate("UndoView", "<Empty stack>"));
    QUndoView::changeEvent(event);
}

} // namespace Velmora
