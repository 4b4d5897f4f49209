#include "portsnumeditor.h"

#include "testmain.h"

#include <QLabel>
#include <QToolButton>

using namespace Velmora;

namespace {

FBDataPorts ports(int count, int min, int max)
{
    FBDataPorts value;
    value.setCountPorts(count);
    value.setMinPorts(min);
    value.setMaxPorts(max);
    return value;
}

} // namespace

class tst_PortsNumEditor : public QObject
{
    Q_OBJECT
private slots:
    void initialState();
    void buttonsFollowLimits_data();
    void buttonsFollowLimits();
    void stepsStayWithinLimits();
};

void tst_PortsNumEditor::initialState()
{
    PortsNumEditor editor;
    const auto labels = editor.findChildren<QLabel*>();
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.first()->text(), QStringLiteral("0"));
    QCOMPARE(labels.first()->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
    QVERIFY(editor.data() == FBDataPorts());
}

void tst_PortsNumEditor::buttonsFollowLimits_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<bool>("upEnabled");
    QTest::addColumn<bool>("downEnabled");

    QTest::newRow("between") << 3 << 2 << 100 << true << true;
    QTest::newRow("at maximum") << 100 << 2 << 100 << false << true;
    QTest::newRow("at minimum") << 2 << 2 << 100 << true << false;
    QTest::newRow("fixed") << 3 << 3 << 3 << false << false;
}

void tst_PortsNumEditor::buttonsFollowLimits()
{
    QFETCH(int, count);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(bool, upEnabled);
    QFETCH(bool, downEnabled);

    PortsNumEditor editor;
    editor.setData(ports(count, min, max));
    const auto buttons = editor.findChildren<QToolButton*>();
    QCOMPARE(buttons.size(), 2);
    QToolButton* up = buttons.at(0)->arrowType() == Qt::UpArrow ? buttons.at(0) : buttons.at(1);
    QToolButton* down = up == buttons.at(0) ? buttons.at(1) : buttons.at(0);
    QCOMPARE(down->arrowType(), Qt::DownArrow);
    QCOMPARE(up->isEnabled(), upEnabled);
    QCOMPARE(down->isEnabled(), downEnabled);
    QCOMPARE(editor.findChild<QLabel*>()->text(), QString::number(count));
}

void tst_PortsNumEditor::stepsStayWithinLimits()
{
    PortsNumEditor editor;
    editor.setData(ports(2, 2, 3));
    editor.slotDec();
    QCOMPARE(editor.data().countPorts(), 2);
    editor.slotInc();
    QCOMPARE(editor.data().countPorts(), 3);
    editor.slotInc();
    QCOMPARE(editor.data().countPorts(), 3);
    QCOMPARE(editor.findChild<QLabel*>()->text(), QStringLiteral("3"));
    QVERIFY(editor.data() == ports(3, 2, 3));
}

VLM_TEST_MAIN(tst_PortsNumEditor)
#include "tst_portsnumeditor.moc"
