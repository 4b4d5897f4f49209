#pragma once

#include "vlm_gui_export.h"

#include "model/fbdataports.h"

#include <QWidget>

class QLabel;
class QToolButton;

namespace Velmora {

// A small counter for the number of ports of a port list, kept within its limits.
class VLM_GUI_EXPORT PortsNumEditor : public QWidget
{
    Q_OBJECT
public:
    explicit PortsNumEditor(QWidget* parent = nullptr);

    void setData(const FBDataPorts& ports);
    FBDataPorts data() const { return m_ports; }

public slots:
    void slotInc();
    void slotDec();

private:
    void putText();

    FBDataPorts m_ports;
    QToolButton* m_incButton = nullptr;
    QLabel* m_countLabel = nullptr;
    QToolButton* m_decButton = nullptr;
};

} // namespace Velmora
