#include "portsnumeditor.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSpacerItem>
#include <QToolButton>

namespace Velmora {

PortsNumEditor::PortsNumEditor(QWidget* parent)
    : QWidget(parent)
    , m_incButton(new QToolButton(this))
    , m_countLabel(new QLabel(QStringLiteral("0"), this))
    , m_decButton(new QToolButton(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);

    m_incButton->setArrowType(Qt::UpArrow);
    m_decButton->setArrowType(Qt::DownArrow);
    m_countLabel->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);

    layout->addWidget(m_incButton);
    layout->addWidget(m_countLabel);
    layout->addWidget(m_decButton);
    layout->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    layout->setSpacing(10);

    connect(m_incButton, &QToolButton::clicked, this, &PortsNumEditor::slotInc);
    connect(m_decButton, &QToolButton::clicked, this, &PortsNumEditor::slotDec);
}

void PortsNumEditor::setData(const FBDataPorts& ports)
{
    m_ports = ports;
    putText();
}

void PortsNumEditor::slotInc()
{
    if (m_ports.inc())
        putText();
}

void PortsNumEditor::slotDec()
{
    if (m_ports.dec())
        putText();
}

void PortsNumEditor::putText()
{
    m_countLabel->setText(QString::number(m_ports.countPorts()));
    m_incButton->setEnabled(m_ports.countPorts() < m_ports.maxPorts());
    m_decButton->setEnabled(m_ports.countPorts() > m_ports.minPorts());
}

} // namespace Velmora
