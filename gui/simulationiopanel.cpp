#include "simulationiopanel.h"

#include "runtime/runtimevalue.h"
#include "simulationcontroller.h"

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

#include <limits>

namespace Velmora {

namespace {

const char* const litProperty = "lit";
const char* const kindProperty = "kind";
const char* const indexProperty = "index";
// The untranslated text of a label or group, so that a change of language translates it again.
const char* const sourceProperty = "sourceText";

QPixmap lampPixmap(bool on)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::darkGray, 1.0));
    painter.setBrush(on ? QColor(0xFF, 0xC0, 0x20) : QColor(0x50, 0x50, 0x50));
    painter.drawEllipse(QRectF(1.0, 1.0, 12.0, 12.0));
    return pixmap;
}

} // namespace

SimulationIoPanel::SimulationIoPanel(SimulationController* controller, QWidget* parent)
    : QWidget(parent)
    , m_controller(controller)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    outer->addWidget(scroll);
    auto* content = new QWidget(scroll);
    m_layout = new QVBoxLayout(content);
    scroll->setWidget(content);
    connect(controller, &SimulationController::started, this, &SimulationIoPanel::rebuild);
    connect(controller, &SimulationController::stopped, this, &SimulationIoPanel::clear);
    connect(controller, &SimulationController::refreshed, this, &SimulationIoPanel::updateValues);
    clear();
}

void SimulationIoPanel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void SimulationIoPanel::retranslate()
{
    for (QGroupBox* box : findChildren<QGroupBox*>())
        box->setTitle(tr(box->property(sourceProperty).toByteArray().constData()));
    if (m_idle)
        m_idle->setText(tr(m_idle->property(sourceProperty).toByteArray().constData()));
    if (m_table)
        m_table->setHorizontalHeaderLabels({ tr("Name"), tr("Value") });
}

bool SimulationIoPanel::isLit(const QLabel* lamp)
{
    return lamp->property(litProperty).toBool();
}

void SimulationIoPanel::clear()
{
    QWidget* content = m_layout->parentWidget();
    while (QLayoutItem* item = m_layout->takeAt(0))
        delete item;
    for (QWidget* child : content->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        delete child;
    m_lamps.clear();
    m_table = nullptr;
    m_idle = new QLabel(content);
    m_idle->setProperty(sourceProperty, QByteArray(QT_TR_NOOP("Not simulating.")));
    m_idle->setWordWrap(true);
    m_layout->addWidget(m_idle);
    m_layout->addStretch(1);
    retranslate();
}

QWidget* SimulationIoPanel::addSection(const char* title)
{
    auto* box = new QGroupBox(m_layout->parentWidget());
    box->setProperty(sourceProperty, QByteArray(title));
    m_layout->insertWidget(m_layout->count() - 1, box);
    return box;
}

void SimulationIoPanel::rebuild()
{
    clear();
    delete m_idle;
    m_idle = nullptr;
    const IoUsage& usage = m_controller->ioUsage();
    SimulationRunner& runner = m_controller->runner();
    if (usage.isEmpty()) {
        m_idle = new QLabel(m_layout->parentWidget());
        m_idle->setProperty(sourceProperty,
                            QByteArray(QT_TR_NOOP("The program uses no inputs, outputs, variables or registers.")));
        m_idle->setWordWrap(true);
        m_layout->insertWidget(0, m_idle);
        retranslate();
        return;
    }
    if (!usage.inputs.isEmpty()) {
        auto* layout = new QVBoxLayout(addSection(QT_TR_NOOP("Inputs")));
        for (quint32 index : usage.inputs) {
            auto* box = new QCheckBox(QStringLiteral("in.%1").arg(index), layout->parentWidget());
            box->setObjectName(box->text());
            bool on = false;
            runner.read([&on, index](const RuntimeEngine& engine) { on = engine.io().input(index); });
            box->setChecked(on);
            connect(box, &QCheckBox::toggled, this, [&runner, index](bool on) {
                runner.access([index, on](RuntimeEngine& engine) { engine.io().setInput(index, on); });
            });
            layout->addWidget(box);
        }
    }
    if (!usage.analogInputs.isEmpty()) {
        auto* layout = new QFormLayout(addSection(QT_TR_NOOP("Analog inputs")));
        for (quint32 index : usage.analogInputs) {
            auto* spin = new QDoubleSpinBox(layout->parentWidget());
            spin->setObjectName(QStringLiteral("ain.%1").arg(index));
            spin->setRange(-1e9, 1e9);
            spin->setDecimals(3);
            float value = 0.0f;
            runner.read([&value, index](const RuntimeEngine& engine) { value = engine.io().analogInput(index); });
            spin->setValue(double(value));
            connect(spin, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, [&runner, index](double value) {
                runner.access([index, value](RuntimeEngine& engine) { engine.io().setAnalogInput(index, float(value)); });
            });
            layout->addRow(spin->objectName(), spin);
        }
    }
    if (!usage.outputs.isEmpty() || !usage.relays.isEmpty()) {
        auto* layout = new QVBoxLayout(addSection(QT_TR_NOOP("Outputs")));
        const auto addLamps = [this, layout](const QVector<quint32>& indices, const QString& prefix, int kind) {
            for (quint32 index : indices) {
                auto* row = new QWidget(layout->parentWidget());
                auto* rowLayout = new QHBoxLayout(row);
                rowLayout->setContentsMargins(0, 0, 0, 0);
                auto* lamp = new QLabel(row);
                lamp->setObjectName(QStringLiteral("%1.%2").arg(prefix).arg(index));
                lamp->setProperty(kindProperty, kind);
                lamp->setProperty(indexProperty, index);
                rowLayout->addWidget(lamp);
                rowLayout->addWidget(new QLabel(lamp->objectName(), row), 1);
                layout->addWidget(row);
                m_lamps.append(lamp);
            }
        };
        addLamps(usage.outputs, QStringLiteral("out"), 0);
        addLamps(usage.relays, QStringLiteral("rel"), 1);
    }
    if (!usage.variables.isEmpty() || !usage.registers.isEmpty()) {
        auto* layout = new QVBoxLayout(addSection(QT_TR_NOOP("Variables and registers")));
        m_table = new QTableWidget(0, 2, layout->parentWidget());
        m_table->setObjectName(QStringLiteral("storedValues"));
        m_table->verticalHeader()->hide();
        m_table->horizontalHeader()->setStretchLastSection(true);
        const auto addRows = [this](const QVector<quint32>& indices, const QString& prefix, int kind) {
            for (quint32 index : indices) {
                const int row = m_table->rowCount();
                m_table->insertRow(row);
                auto* name = new QTableWidgetItem(QStringLiteral("%1.%2").arg(prefix).arg(index));
                name->setFlags(Qt::ItemIsEnabled);
                m_table->setItem(row, 0, name);
                auto* value = new QTableWidgetItem;
                value->setData(Qt::UserRole, kind);
                value->setData(Qt::UserRole + 1, index);
                m_table->setItem(row, 1, value);
            }
        };
        addRows(usage.variables, QStringLiteral("var"), 0);
        addRows(usage.registers, QStringLiteral("mb"), 1);
        connect(m_table, &QTableWidget::itemChanged, this, &SimulationIoPanel::storeValue);
        layout->addWidget(m_table);
    }
    retranslate();
    updateValues();
}

void SimulationIoPanel::updateValues()
{
    if (!m_controller->isActive() || (m_lamps.isEmpty() && !m_table))
        return;
    const int rows = m_table ? m_table->rowCount() : 0;
    QVector<bool> lit(m_lamps.size());
    QVector<quint32> stored(rows);
    m_controller->runner().read([&](const RuntimeEngine& engine) {
        const IoImage& io = engine.io();
        for (int i = 0; i < m_lamps.size(); ++i) {
            const auto index = m_lamps.at(i)->property(indexProperty).toUInt();
            lit[i] = m_lamps.at(i)->property(kindProperty).toInt() == 0 ? io.output(index) : io.relay(index);
        }
        for (int row = 0; row < rows; ++row) {
            const QTableWidgetItem* item = m_table->item(row, 1);
            const auto index = item->data(Qt::UserRole + 1).toUInt();
            stored[row] = item->data(Qt::UserRole).toInt() == 0 ? io.variable(index) : io.registerValue(index);
        }
    });
    for (int i = 0; i < m_lamps.size(); ++i) {
        QLabel* lamp = m_lamps.at(i);
        if (lamp->property(litProperty).isValid() && isLit(lamp) == lit.at(i))
            continue;
        lamp->setProperty(litProperty, lit.at(i));
        lamp->setPixmap(lampPixmap(lit.at(i)));
        lamp->setToolTip(lamp->objectName());
    }
    if (!m_table)
        return;
    const bool blocked = m_table->blockSignals(true);
    for (int row = 0; row < rows; ++row) {
        QTableWidgetItem* item = m_table->item(row, 1);
        // A value being typed stays as typed.
        const QWidget* focus = QApplication::focusWidget();
        if (focus && m_table->viewport()->isAncestorOf(focus) && m_table->currentItem() == item)
            continue;
        const QString text = RuntimeValue::format(stored.at(row), RuntimeValue::Int32);
        if (item->text() != text)
            item->setText(text);
    }
    m_table->blockSignals(blocked);
}

void SimulationIoPanel::storeValue(QTableWidgetItem* item)
{
    quint32 bits = 0;
    if (item->column() != 1 || !RuntimeValue::parse(item->text().trimmed(), RuntimeValue::Int32, bits)) {
        updateValues();
        return;
    }
    const auto index = item->data(Qt::UserRole + 1).toUInt();
    const bool variable = item->data(Qt::UserRole).toInt() == 0;
    m_controller->runner().access([index, bits, variable](RuntimeEngine& engine) {
        if (variable)
            engine.io().setVariable(index, bits);
        else
            engine.io().setRegister(index, bits);
    });
}

} // namespace Velmora
