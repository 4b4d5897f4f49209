#include "undoview.h"

#include <QCoreApplication>
#include <QEvent>

namespace Velmora {

UndoView::UndoView(QWidget* parent)
    : QUndoView(parent)
{
    // Qt sends no language change for a translator without texts (English), so the label is
    // set here too, not only on a change.
    retranslate();
}

void UndoView::retranslate()
{
    setEmptyLabel(QCoreApplication::translate("UndoView", "<Empty stack>"));
}

void UndoView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QUndoView::changeEvent(event);
}

} // namespace Velmora
