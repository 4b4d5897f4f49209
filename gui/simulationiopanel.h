#pragma once

#include "vlm_gui_export.h"

#include <QWidget>

class QFormLayout;
class QLabel;
class QTableWidget;
class QTableWidgetItem;
class QVBoxLayout;

namespace Velmora {

class SimulationController;

// The I/O of the simulated module that the program uses: its physical inputs as switches,
// its analog inputs as spin boxes, its physical and relay outputs as lamps, and its
// variables and ModBus registers in a table. A change takes effect at the next cycle; the
// ModBus registers are written as the master writes them.
class VLM_GUI_EXPORT SimulationIoPanel : public QWidget
{
    Q_OBJECT
public:
    explicit SimulationIoPanel(SimulationController* controller, QWidget* parent = nullptr);

    // The lamp shows whether the output is on.
    static bool isLit(const QLabel* lamp);

protected:
    void changeEvent(QEvent* event) override;

private:
    void rebuild();
    void clear();
    void updateValues();
    void storeValue(QTableWidgetItem* item);
    QWidget* addSection(const char* title);
    void retranslate();

    SimulationController* m_controller = nullptr;
    QVBoxLayout* m_layout = nullptr;
    QLabel* m_idle = nullptr;
    QList<QLabel*> m_lamps;
    QTableWidget* m_table = nullptr;
};

} // namespace Velmora
