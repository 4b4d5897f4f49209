#include "build/projectbuilddata.h"

#include "build/buildbasefb.h"
#include "build/buildconstfb.h"

#include "testmain.h"

namespace Velmora {

// Fills the data the way the builder does, through its private setters.
class ProjectBuildDataTest
{
public:
    static void fill(ProjectBuildData& data, int amountIn, int amountOut, const QVector<BuildBaseFB*>& baseFBs,
                     const QVector<BuildConstFB*>& constFBs)
    {
        data.setAmountInBaseFB(amountIn);
        data.setAmountOutBaseFB(amountOut);
        data.setBuildDataBaseFB(baseFBs);
        data.setBuildDataConstFB(constFBs);
    }
};

} // namespace Velmora

using namespace Velmora;

namespace {

int destroyedRecords = 0;

class CountedBaseFB : public BuildBaseFB
{
public:
    explicit CountedBaseFB(int number) { setNumber(number); }
    ~CountedBaseFB() override { ++destroyedRecords; }
};

class CountedConstFB : public BuildConstFB
{
public:
    explicit CountedConstFB(int number) { setNumber(number); }
    ~CountedConstFB() override { ++destroyedRecords; }
};

QVector<BuildBaseFB*> baseRecords(int count)
{
    QVector<BuildBaseFB*> records;
    for (int i = 0; i < count; ++i)
        records.append(new BuildBaseFB);
    return records;
}

QVector<BuildConstFB*> constRecords(int count)
{
    QVector<BuildConstFB*> records;
    for (int i = 0; i < count; ++i)
        records.append(new BuildConstFB);
    return records;
}

QList<QByteArray> hexList(const QVector<QByteArray>& records)
{
    QList<QByteArray> hex;
    for (const QByteArray& record : records)
        hex.append(record.toHex(' '));
    return hex;
}

} // namespace

class tst_ProjectBuildData : public QObject
{
    Q_OBJECT
private slots:
    void emptyData();
    void taskHeader_data();
    void taskHeader();
    void recordsInListOrder();
    void resetData();
    void replacingListsDeletesOldRecords();
    void nullAndRepeatedRecordsDropped();
    void destructorDeletesRecords();
};

void tst_ProjectBuildData::emptyData()
{
    const ProjectBuildData data;
    QCOMPARE(data.projectSize(), 10);
    QCOMPARE(data.amountDataBaseFB(), 0);
    QCOMPARE(data.amountDataConstFB(), 0);
    QCOMPARE(data.amountInBaseFB(), 0);
    QCOMPARE(data.amountOutBaseFB(), 0);
    QVERIFY(data.buildDataBaseFB().isEmpty());
    QVERIFY(data.buildDataConstFB().isEmpty());
    QCOMPARE(data.taskHeader().toHex(' '), QByteArray("0a 00 00 00 00 00 00 00 00 00"));
}

void tst_ProjectBuildData::taskHeader_data()
{
    QTest::addColumn<int>("amountIn");
    QTest::addColumn<int>("amountOut");
    QTest::addColumn<int>("baseFBs");
    QTest::addColumn<int>("constFBs");
    QTest::addColumn<QByteArray>("hex");

    QTest::newRow("and with high constant") << 2 << 1 << 1 << 1 << QByteArray("0a 00 01 00 03 00 01 00 01 00");
    QTest::newRow("distinct counts") << 0x0203 << 0x0102 << 4 << 3 << QByteArray("0a 00 04 00 05 03 03 00 02 01");
    QTest::newRow("totals above 65535") << 0x11170 << 0x10003 << 2 << 0 << QByteArray("0a 00 02 00 73 11 00 00 03 00");
    QTest::newRow("totals sum above int")
        << std::numeric_limits<int>::max() << 2 << 0 << 0 << QByteArray("0a 00 00 00 01 00 00 00 02 00");
    QTest::newRow("65537 constants") << 0 << 0 << 0 << 0x10001 << QByteArray("0a 00 00 00 00 00 01 00 00 00");
}

void tst_ProjectBuildData::taskHeader()
{
    QFETCH(int, amountIn);
    QFETCH(int, amountOut);
    QFETCH(int, baseFBs);
    QFETCH(int, constFBs);
    QFETCH(QByteArray, hex);

    ProjectBuildData data;
    ProjectBuildDataTest::fill(data, amountIn, amountOut, baseRecords(baseFBs), constRecords(constFBs));
    QCOMPARE(data.amountDataBaseFB(), baseFBs);
    QCOMPARE(data.amountDataConstFB(), constFBs);
    QCOMPARE(data.taskHeader().toHex(' '), hex);
}

void tst_ProjectBuildData::recordsInListOrder()
{
    auto* andFB = new BuildBaseFB;
    andFB->setFunction(1);
    andFB->setAmountIn(2);
    andFB->setAmountOut(1);
    andFB->setInput(0, BuildPort(BuildPort::Constants, 1));
    andFB->setInput(1, BuildPort(BuildPort::BlockOutputs, 1));
    andFB->setOutput(0, BuildPort(BuildPort::BlockOutputs, 0));
    auto* notFB = new BuildBaseFB;
    notFB->setNumber(1);
    notFB->setFunction(4);
    notFB->setAmountIn(1);
    notFB->setAmountOut(1);
    notFB->setOutput(0, BuildPort(BuildPort::BlockOutputs, 1));
    auto* low = new BuildConstFB;
    low->setValue(false);
    auto* high = new BuildConstFB;
    high->setNumber(1);
    high->setValue(true);

    ProjectBuildData data;
    ProjectBuildDataTest::fill(data, 3, 2, { andFB, notFB }, { low, high });

    QCOMPARE(hexList(data.buildDataBaseFB()),
             QList<QByteArray>({ "00 00 01 02 05 01 00 02 01 00 01 02 00 00", "01 00 04 01 00 00 00 01 02 01 00" }));
    QCOMPARE(hexList(data.buildDataConstFB()), QList<QByteArray>({ "05 00 00 00 00 00 00", "05 01 00 01 00 00 00" }));
    QCOMPARE(data.taskHeader().toHex(' '), QByteArray("0a 00 02 00 05 00 02 00 02 00"));
}

void tst_ProjectBuildData::resetData()
{
    destroyedRecords = 0;
    ProjectBuildData data;
    ProjectBuildDataTest::fill(data, 5, 7, { new CountedBaseFB(0), new CountedBaseFB(1) }, { new CountedConstFB(0) });

    data.resetData();
    QCOMPARE(destroyedRecords, 3);
    QCOMPARE(data.amountDataBaseFB(), 0);
    QCOMPARE(data.amountDataConstFB(), 0);
    QCOMPARE(data.amountInBaseFB(), 0);
    QCOMPARE(data.amountOutBaseFB(), 0);
    QCOMPARE(data.projectSize(), 10);
    QVERIFY(data.buildDataBaseFB().isEmpty());
    QVERIFY(data.buildDataConstFB().isEmpty());
    QCOMPARE(data.taskHeader().toHex(' '), QByteArray("0a 00 00 00 00 00 00 00 00 00"));
}

void tst_ProjectBuildData::replacingListsDeletesOldRecords()
{
    destroyedRecords = 0;
    auto* kept = new CountedBaseFB(7);
    ProjectBuildData data;
    ProjectBuildDataTest::fill(data, 0, 0, { new CountedBaseFB(0), kept }, { new CountedConstFB(0) });

    ProjectBuildDataTest::fill(data, 0, 0, { kept, new CountedBaseFB(8) }, {});
    QCOMPARE(destroyedRecords, 2);
    QCOMPARE(hexList(data.buildDataBaseFB()), QList<QByteArray>({ "07 00 00 00 00", "08 00 00 00 00" }));
    QCOMPARE(data.amountDataConstFB(), 0);
}

void tst_ProjectBuildData::nullAndRepeatedRecordsDropped()
{
    destroyedRecords = 0;
    {
        auto* repeated = new CountedBaseFB(2);
        auto* constant = new CountedConstFB(3);
        ProjectBuildData data;
        ProjectBuildDataTest::fill(data, 0, 0, { repeated, nullptr, repeated }, { nullptr, constant, constant });
        QCOMPARE(hexList(data.buildDataBaseFB()), QList<QByteArray>({ "02 00 00 00 00" }));
        QCOMPARE(hexList(data.buildDataConstFB()), QList<QByteArray>({ "05 03 00 00 00 00 00" }));
        QCOMPARE(data.taskHeader().toHex(' '), QByteArray("0a 00 01 00 00 00 01 00 00 00"));
    }
    QCOMPARE(destroyedRecords, 2);
}

void tst_ProjectBuildData::destructorDeletesRecords()
{
    destroyedRecords = 0;
    {
        ProjectBuildData data;
        ProjectBuildDataTest::fill(data, 1, 1, { new CountedBaseFB(0) },
                                   { new CountedConstFB(0), new CountedConstFB(1) });
    }
    QCOMPARE(destroyedRecords, 3);
}

VLM_TEST_MAIN(tst_ProjectBuildData)
#include "tst_projectbuilddata.moc"
