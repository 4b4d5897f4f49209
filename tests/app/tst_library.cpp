#include "library/fblibreader.h"
#include "library/fbmodelfactory.h"
#include "model/fbbasemodel.h"
#include "model/fbcommentmodel.h"
#include "model/fbdatanumbermodel.h"
#include "model/fblistmodel.h"
#include "model/fbmodeldatanum.h"
#include "model/fbmodellist.h"
#include "model/fbmodelport.h"
#include "model/fbmodelports.h"

#include "testmain.h"

#include <QDomDocument>
#include <QElapsedTimer>
#include <QFile>

using namespace Velmora;

// The shipped block library, checked entry by entry in the notation of its own listing:
// "name" (TITLE, function id): inputs => outputs, a port as name:types, [min..max] for a
// variable input list, ? for an optional port, * for a port hidden until the user shows it,
// ANY8 and ANY5 for the two usual type lists, - for no list.
namespace {

const QString libraryPath = QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml");
const QStringList any8 { "int8", "int16", "int32", "uint8", "uint16", "uint32", "float", "bool" };
const QStringList any5 { "int8", "int16", "uint8", "uint16", "bool" };
const QStringList castTypes { "bool", "float", "int8", "int16", "int32", "uint8", "uint16", "uint32" };

QString typesText(const QStringList& types)
{
    if (types == any8)
        return QStringLiteral("ANY8");
    if (types == any5)
        return QStringLiteral("ANY5");
    return types.join(QStringLiteral(", "));
}

QString portsText(const FBAbstractModel* model, const QString& listName)
{
    const auto* list = dynamic_cast<const FBModelPorts*>(model->findItem(listName));
    if (!list)
        return QStringLiteral("-");
    QStringList ports;
    for (const FBModelItem* child : list->childItems()) {
        const auto* port = static_cast<const FBModelPort*>(child);
        QString text = port->data().portName() + QLatin1Char(':') + typesText(port->data().possibleTypes());
        if (!port->data().requireConnection())
            text += QLatin1Char('?');
        if (port->isCustomVisible())
            text += QLatin1Char('*');
        ports << text;
    }
    QString limits;
    const FBDataPorts value = list->data();
    if (value.minPorts() != list->childCount() || value.maxPorts() != list->childCount())
        limits = QStringLiteral("[%1..%2] ").arg(value.minPorts()).arg(value.maxPorts());
    return limits + ports.join(QStringLiteral(", "));
}

QString describe(const FBAbstractModel* model)
{
    const FBModelItem* title = model->findItem(QStringLiteral("title"));
    const QString titleText = title ? title->dataToVariant().toString() : QString();
    const QString head = QStringLiteral("\"%1\" (%2").arg(model->protoName(), titleText);

    if (const auto* base = dynamic_cast<const FBBaseModel*>(model)) {
        return head
            + QStringLiteral(", %1): %2 => %3")
                  .arg(base->functionId())
                  .arg(portsText(model, QStringLiteral("inputs")), portsText(model, QStringLiteral("outputs")));
    }
    if (const auto* constant = dynamic_cast<const FBDataNumberModel*>(model)) {
        QString text
            = head + QStringLiteral(", constant): types ") + typesText(constant->port()->data().possibleTypes());
        if (!constant->numberItem()->isEditable())
            text += QStringLiteral(", edit false");
        return text + QStringLiteral(", value %1").arg(constant->numberItem()->data().toString());
    }
    if (const auto* list = dynamic_cast<const FBListModel*>(model)) {
        const auto* values = static_cast<const FBModelList*>(model->findItem(QStringLiteral("values_list")));
        QStringList items;
        for (const QString& name : values->listValue())
            items << name + QLatin1Char('=') + values->data().value(name).toString();
        return head
            + QStringLiteral(", list of %1, name_current \"%2\"): %3")
                  .arg(list->typeValue(), values->valueName(), items.join(QStringLiteral(", ")));
    }
    return QStringLiteral("\"%1\" (comment)").arg(model->protoName());
}

QDomDocument libraryDocument()
{
    QFile file(libraryPath);
    QDomDocument document;
    if (file.open(QIODevice::ReadOnly))
        document.setContent(&file, true);
    return document;
}

QList<QDomElement> childElements(const QDomElement& parent, const QString& tag = QString())
{
    QList<QDomElement> elements;
    for (QDomElement element = parent.firstChildElement(tag); !element.isNull();
         element = element.nextSiblingElement(tag))
        elements << element;
    return elements;
}

QStringList protoNames(const QDomElement& parent)
{
    QStringList names;
    for (const QDomElement& element : childElements(parent))
        names << element.attribute(QStringLiteral("proto_name"));
    return names;
}

} // namespace

class tst_Library : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void sectionsInFileOrder();
    void sectionSizes_data();
    void sectionSizes();
    void deviceGroups_data();
    void deviceGroups();
    void prototypes_data();
    void prototypes();
    void castSection();
    void customVisibleFalseWrittenOut();
    void everyFunctionIdValid();
    void namesUnique();
    void sharedDeviceBlocksIdentical();
    void freeFunctionIdsNoted();

private:
    FBModelFactory m_factory;
};

void tst_Library::initTestCase()
{
    QElapsedTimer timer;
    timer.start();
    FBLibReader reader(&m_factory);
    QVERIFY(reader.readFromXml(libraryPath));
    qInfo("library read in %lld ms", timer.elapsed());
}

void tst_Library::sectionsInFileOrder()
{
    QStringList names;
    for (const QDomElement& section : childElements(libraryDocument().documentElement()))
        names << section.attribute(QStringLiteral("name"));
    QCOMPARE(names,
             QStringList({ "Tools", "Device", "Data", "Logic", "Triggers", "Timers", "Counters", "Comparison",
                           "Mathematics", "Comparators", "Conversion", "Control", "Generators", "ModBus", "Cast" }));
    QCOMPARE(m_factory.getSections().size(), 15);
}

void tst_Library::sectionSizes_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<int>("size");

    QTest::newRow("Tools") << "Tools" << 1;
    QTest::newRow("Data") << "Data" << 2;
    QTest::newRow("Logic") << "Logic" << 9;
    QTest::newRow("Triggers") << "Triggers" << 5;
    QTest::newRow("Timers") << "Timers" << 5;
    QTest::newRow("Counters") << "Counters" << 1;
    QTest::newRow("Comparison") << "Comparison" << 10;
    QTest::newRow("Mathematics") << "Mathematics" << 20;
    QTest::newRow("Comparators") << "Comparators" << 3;
    QTest::newRow("Conversion") << "Conversion" << 5;
    QTest::newRow("Control") << "Control" << 3;
    QTest::newRow("Generators") << "Generators" << 4;
    QTest::newRow("ModBus") << "ModBus" << 8;
    QTest::newRow("Cast") << "Cast" << 62;
}

void tst_Library::sectionSizes()
{
    QFETCH(QString, section);
    QFETCH(int, size);
    QCOMPARE(m_factory.getSectionsMap().values(section).size(), size);
}

void tst_Library::deviceGroups_data()
{
    QTest::addColumn<int>("device");
    QTest::addColumn<QStringList>("blocks");

    QTest::newRow("KV_D01") << int(
        KV_D01) << QStringList { "Physical Input", "Physical Output", "Relay Output", "Software Watch-dog Timer" };
    QTest::newRow("KV_D02") << int(KV_D02)
                            << QStringList { "Physical Input", "Physical Output", "Relay Output",
                                             "MB RTU Init",    "MB RTU Diag",     "Software Watch-dog Timer" };
    QTest::newRow("KV_DA01") << int(KV_DA01)
                             << QStringList { "Analog Input Configuration",
                                              "Analog Input",
                                              "Physical Input",
                                              "Physical Output",
                                              "Relay Output",
                                              "Physical PWM Output",
                                              "Analog Signal Type",
                                              "Thermocouple Signal Type",
                                              "Thermoresistance Signal Type",
                                              "Software Watch-dog Timer" };
    QTest::newRow("KV_A01") << int(KV_A01)
                            << QStringList { "Analog Input Configuration",   "Analog Input",
                                             "Analog Signal Type",           "Thermocouple Signal Type",
                                             "Thermoresistance Signal Type", "Software Watch-dog Timer" };
    QTest::newRow("KV_DA02") << int(KV_DA02)
                             << QStringList { "Analog Input",
                                              "Analog Input Configuration",
                                              "Analog Signal Type",
                                              "Physical Input",
                                              "Physical Output",
                                              "Physical PWM Output",
                                              "Relay Output",
                                              "RTC Date",
                                              "RTC Date Time",
                                              "RTC Time",
                                              "Thermocouple Signal Type",
                                              "Thermoresistance Signal Type",
                                              "Software Watch-dog Timer" };
}

void tst_Library::deviceGroups()
{
    QFETCH(int, device);
    QFETCH(QStringList, blocks);

    // The file order of the group.
    const QMap<int, QString> ids { { KV_D01, "TARKEL-KV-D01" },
                                   { KV_D02, "TARKEL-KV-D02" },
                                   { KV_DA01, "TARKEL-KV-DA01" },
                                   { KV_A01, "TARKEL-KV-A01" },
                                   { KV_DA02, "TARKEL-KV-DA02" } };
    QStringList inFile;
    const QDomElement root = libraryDocument().documentElement();
    for (const QDomElement& section : childElements(root)) {
        for (const QDomElement& group : childElements(section, QStringLiteral("device"))) {
            if (group.attribute(QStringLiteral("id")) == QStringLiteral("${%1}").arg(ids.value(device)))
                inFile = protoNames(group);
        }
    }
    QCOMPARE(inFile, blocks);

    // The section "Device" lists exactly the group, in file order.
    m_factory.initDeviceSection(DeviceType(device));
    QCOMPARE(m_factory.getSectionsMap().values(QStringLiteral("Device")), blocks);
}

void tst_Library::prototypes_data()
{
    QTest::addColumn<QString>("entry");

    const QStringList entries {
        "\"Comment\" (comment)",
        "\"Variable\" (VAR, 139): Index:uint16, Init Value:ANY8?, Data In:ANY8, Retain:bool? => Data Out:ANY8",
        "\"Constant\" (CONST, constant): types ANY8, value 0",
        "\"XOR\" (XOR, 5): [2..100] In 1:bool, In 2:bool => Out:bool",
        "\"NOT\" (NOT, 7): In:bool => Out:bool",
        "\"NAND\" (NAND, 2): [2..100] In 1:bool, In 2:bool => Out:bool",
        "\"LOW\" (LOW, constant): types bool, edit false, value false",
        "\"HIGH\" (HIGH, constant): types bool, edit false, value true",
        "\"AND\" (AND, 1): [2..100] In 1:bool, In 2:bool => Out:bool",
        "\"RS Trigger\" (RS_TRIG, 12): Set:bool, Reset:bool => Direct Out:bool, Inverse Out:bool, Old State:bool?*",
        "\"Rear Trigger Time\" (R_TRIG_T, 14): In:bool, Time:uint32 => Out:bool, Start Time:uint32?*, End "
        "Time:uint32?*, Old State:bool?*",
        "\"Front Trigger\" (F_TRIG, 10): In:bool => Out:bool, Old State:bool?*",
        "\"Timer\" (TIMER, 138): In:bool => Time:uint32, Start Time:uint32?*, Old State:bool?*",
        "\"Debounce Integration\" (D_INTGR, 15): In:bool, Time:uint32 => Out:bool, Start Time:uint32?*, End "
        "Time:uint32?*, Old State:bool?*",
        "\"Counter\" (COUNTER, 19): In:bool, Reset:bool, Limit:uint32 => Out:bool, Counts:uint32?*, "
        "RCounts:uint32?*, Old State:bool?*",
        "\"Less or Equals (float)\" (fLE, 29): In 1:float, In 2:float => Out:bool",
        "\"Greater Than (int)\" (iGT, 22): In 1:int32, In 2:int32 => Out:bool",
        "\"Subtraction (int)\" (iSUB, 32): [2..100] In 1:int32, In 2:int32 => Out:int32",
        "\"SQRT (int)\" (iSQRT, 48): In:int32 => Out:float",
        "\"POW (float)\" (fPOW, 47): In:float, Power:uint32 => Out:float",
        "\"Multiplication (float)\" (fMUL, 35): [2..100] In 1:float, In 2:float => Out:float",
        "\"Division (int)\" (iDIV, 36): In 1:int32, In 2:int32 => Out:int32, Mod:int32",
        "\"Absolute Value (int)\" (iABS, 38): In:int32 => Out:int32",
        "\"Analog Differential Threshold Switch\" (AN_THRES_D_SW, 51): In:float, Level ON:float, Delta:float => "
        "Out:bool",
        "\"Analog Comparator\" (AN_COMPARATOR, 50): In 1:float, In 2:float, Level ON:float, Level OFF:float => "
        "Out:bool",
        "\"Saturation (float)\" (fSAT, 57): In:float, Pos:float, Neg:float => Out:float",
        "\"Average Value (float)\" (fAVER, 53): In:float, Period:uint32 => Out:float",
        "\"Pulse Width Modulator (float)\" (fPWM, 60): Enable:uint8, Duty Cycle:float, Period:uint32 => Out:bool, "
        "End Tau:uint32?*, End Period:uint32?*, Old State:uint8?*",
        "\"PID Controller (float)\" (fPID, 61): Enable:uint8, Reference:float, Feedback:float, Proportional "
        "Gain:float, Integral Gain:float, Derivative Gain:float, Lower Level Limitation:float, Upper Level "
        "Limitation:float => Out:float, Previous Output:float?*, Summa of Errors:float?*",
        "\"Sinusoidal Signal Generator (float)\" (fSINGEN, 135): Enable:uint8, Period SIN:uint32, Number of "
        "Samples:uint16, Phase:int16 => Out:bool, End Period PWM:uint32?*, End Tau PWM:uint32?*, End Period "
        "SIN:uint32?*, Sample Counter:uint8?*, Old State:uint8?*",
        "\"Ramp Generator (float)\" (fRAMPGEN, 133): Enable:uint8, Period RAMP:uint32, Number of Samples:uint16, "
        "BiDirectional:uint8 => Out:bool, End Period PWM:uint32?*, End Tau PWM:uint32?*, End Period "
        "RAMP:uint32?*, End Half-Period RAMP:uint32?*, Sample Counter:uint8?*, Old State:uint8?*",
        "\"Input Register 16\" (MB_INPUT_REG_16, 62): Address:uint16, Input Value:ANY5, Init Value:ANY5?, "
        "Retain:bool? => Out Value:ANY5, Error:bool?*, Status:int16?*",
        "\"Holding Register 32 En\" (MB_HOLDING_REG_32_EN, 65): Enable:bool, Address:uint16, Input Value:ANY8, "
        "Init Value:ANY8?, Retain:bool? => ENO:bool, Out Value:ANY8, Error:bool?*, Status:int16?*",
        "\"Physical Input\" (PHYS_IN, 67): Index:uint8 => Value:bool",
        "\"Physical Output\" (PHYS_OUT, 68): Index:uint8, Value:bool => -",
        "\"Software Watch-dog Timer\" (WDT, 141): En:bool, Reset:bool, TO:uint32 => WDO:bool, WDT_state:bool, "
        "R_Cause:uint8?*, R_TimeUx:uint32?*, R_Time:uint32?*, P_R_Time:uint32?*, P_Reset:uint8?*, P_En:uint8?*",
        "\"MB RTU Init\" (MB_RTU_INIT, 143): Address:uint8, Baud:uint8, Parity:uint8, Stop bits:uint8, ON "
        "delay:int32, OFF delay:int32, Timeout:uint32 => Enabled:bool, Error:uint8",
        "\"MB RTU Diag\" (MB RTU DIAG, 144): - => Net State:bool, Reconnect Count:uint32, Enabled:bool",
        "\"Analog Input Configuration\" (AN_IN_CONFIG, 66): Index:uint8, Coeff:float, SigType:uint8, "
        "ModeFrec:uint8, PerMeas:uint16, Reinit:bool?* => Out:float, Init Counter:uint8?*, Old Reinit:uint8?*",
        "\"Analog Input\" (AN_IN, 66): Index:uint8 => Out:float",
        "\"Physical PWM Output\" (PHYS_PWM_OUT, 136): Index:uint8, Duty Cycle:float, Period:uint16 => -",
        "\"Analog Signal Type\" (ANALOG_SIGNAL, list of uint8, name_current \"Type\"): Disable=0, Current=1, "
        "Voltage=2",
        "\"Thermocouple Signal Type\" (TC_SIGNAL, list of uint8, name_current \"TC Type\"): TXAK=3, TXAK_TK=4, "
        "TXAL=5, TXAL_TK=6, TXAE=7, TXAE_TK=8, TPP10=9, TPP10_TK=10, THH=11, THH_TK=12, TPR=13, TPR_TK=14, "
        "TGK=15, TGK_TK=16, TVR=17, TVR_TK=18, TPP13=19, TPP13_TK=20",
        "\"Thermoresistance Signal Type\" (RTD_SIGNAL, list of uint8, name_current \"RTD Type\"): TCM 50M=21, TCM "
        "100M=22, TCM 500M=23, TCP 50M=24, TCP 100M=25, TCP 500M=26, TCP 1000M=27, TCP Pt50=28, TCP Pt100=29, "
        "TCH 100H=30, TCH 500H=31, TCH 1000H=32",
        "\"RTC Date\" (RTC_DATE, 140): - => Sec:int32?*, Min:int32?*, Hour:int32?*, Day of Week:int32, Day of "
        "Month:int32, Month:int32, Year:int32, Unix:uint32?*",
        "\"RTC Date Time\" (RTC_DATE_TIME, 140): - => Sec:int32, Min:int32, Hour:int32, Day of Week:int32, Day of "
        "Month:int32, Month:int32, Year:int32, Unix:uint32?*",
        "\"RTC Time\" (RTC_TIME, 140): - => Sec:int32, Min:int32, Hour:int32, Day of Week:int32?*, Day of "
        "Month:int32?*, Month:int32?*, Year:int32?*, Unix:uint32?*",
        "\"bool to float\" (BOOLtoFLOAT, 70): In:bool => Out:float",
        "\"int16 to uint8\" (INT16toUINT8, 95): In:int16 => Out:uint8",
        "\"uint32 to uint16\" (UINT32toUINT16, 125): In:uint32 => Out:uint16",
        "\"uint2int\" (UINT2INT, 130): In:uint => Out:int",
        "\"float2int\" (FLOAT2INT, 126): In:float => Out:int",
    };
    for (const QString& entry : entries)
        QTest::newRow(qPrintable(entry.section(QLatin1Char('"'), 1, 1))) << entry;
}

void tst_Library::prototypes()
{
    QFETCH(QString, entry);
    const QString name = entry.section(QLatin1Char('"'), 1, 1);
    QScopedPointer<FBAbstractModel> model(m_factory.create(name));
    QVERIFY2(model, qPrintable(name));
    QCOMPARE(describe(model.data()), entry);
}

void tst_Library::castSection()
{
    // Every ordered pair of different types, numbered from 70 in this order.
    QStringList expected;
    int id = 70;
    for (const QString& source : castTypes) {
        for (const QString& target : castTypes) {
            if (source == target)
                continue;
            expected.prepend(QStringLiteral("\"%1 to %2\" (%3to%4, %5): In:%1 => Out:%2")
                                 .arg(source, target, source.toUpper(), target.toUpper())
                                 .arg(id++));
        }
    }
    QCOMPARE(id, 126);
    expected << "\"uint2int\" (UINT2INT, 130): In:uint => Out:int"
             << "\"uint2float\" (UINT2FLOAT, 129): In:uint => Out:float"
             << "\"int2uint\" (INT2UINT, 131): In:int => Out:uint"
             << "\"int2float\" (INT2FLOAT, 127): In:int => Out:float"
             << "\"float2uint\" (FLOAT2UINT, 128): In:float => Out:uint"
             << "\"float2int\" (FLOAT2INT, 126): In:float => Out:int";

    QStringList inFile;
    for (const QDomElement& section : childElements(libraryDocument().documentElement())) {
        if (section.attribute(QStringLiteral("name")) != QLatin1String("Cast"))
            continue;
        for (const QString& name : protoNames(section)) {
            QScopedPointer<FBAbstractModel> model(m_factory.create(name));
            inFile << (model ? describe(model.data()) : name);
        }
    }
    QCOMPARE(inFile.size(), 62);
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(inFile.at(i), expected.at(i));
}

void tst_Library::customVisibleFalseWrittenOut()
{
    const QDomDocument document = libraryDocument();
    QStringList marked;
    const QDomNodeList ports = document.elementsByTagName(QStringLiteral("port"));
    for (int i = 0; i < ports.count(); ++i) {
        const QDomElement port = ports.at(i).toElement();
        if (port.attribute(QStringLiteral("customVisible")) == QLatin1String("false")) {
            const QDomElement block = port.parentNode().parentNode().toElement();
            marked << block.attribute(QStringLiteral("proto_name")) + QLatin1Char(':')
                    + port.attribute(QStringLiteral("name"));
        }
    }
    QCOMPARE(marked, QStringList({ "Variable:Init Value", "Variable:Retain" }));
}

void tst_Library::everyFunctionIdValid()
{
    const QDomNodeList blocks = libraryDocument().elementsByTagName(QStringLiteral("base_model"));
    QVERIFY(blocks.count() > 100);
    for (int i = 0; i < blocks.count(); ++i) {
        const QDomElement block = blocks.at(i).toElement();
        bool ok = false;
        const int id = block.attribute(QStringLiteral("id")).toInt(&ok);
        QVERIFY2(ok && id >= 0, qPrintable(block.attribute(QStringLiteral("proto_name"))));
    }
}

void tst_Library::namesUnique()
{
    QStringList names;
    QStringList deviceNames;
    for (const QDomElement& section : childElements(libraryDocument().documentElement())) {
        names << protoNames(section).filter(QRegularExpression(QStringLiteral(".")));
        for (const QDomElement& group : childElements(section, QStringLiteral("device")))
            deviceNames << protoNames(group);
    }
    const QSet<QString> unique(names.begin(), names.end());
    QCOMPARE(unique.size(), names.size());
    QCOMPARE(names.size(), 138);
    for (const QString& name : deviceNames)
        QVERIFY2(!unique.contains(name), qPrintable(name));
    QCOMPARE(m_factory.getIdList().size(), 138 + 15);
}

void tst_Library::sharedDeviceBlocksIdentical()
{
    QMap<QString, QString> definitions;
    const QDomNodeList groups = libraryDocument().elementsByTagName(QStringLiteral("device"));
    QCOMPARE(groups.count(), 5);
    for (int i = 0; i < groups.count(); ++i) {
        for (const QDomElement& block : childElements(groups.at(i).toElement())) {
            QString text;
            QTextStream stream(&text);
            block.save(stream, 0);
            const QString name = block.attribute(QStringLiteral("proto_name"));
            if (definitions.contains(name))
                QCOMPARE(text, definitions.value(name));
            definitions.insert(name, text);
        }
    }
    QCOMPARE(definitions.size(), 15);
}

void tst_Library::freeFunctionIdsNoted()
{
    QFile file(libraryPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    const int comment = text.indexOf(QStringLiteral("<!--"));
    QVERIFY(comment >= 0);
    QVERIFY(comment < text.indexOf(QStringLiteral("<section")));
    QVERIFY(text.mid(comment, text.indexOf(QStringLiteral("-->")) - comment).contains(QStringLiteral("8 and 9")));
    QCOMPARE(text.count(QStringLiteral("<!--")), 1);
}

VLM_TEST_MAIN(tst_Library)
#include "tst_library.moc"
