#pragma once

#include <QUndoView>

namespace Velmora {

// The Undo Stack dock: the current project's history, with a translated empty entry.
class UndoView : public QUndoView
{
    Q_OBJECT
public:
    explicit UndoView(QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
};

} // namespace Velmora
