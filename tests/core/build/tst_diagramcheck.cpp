#include "build/diagramcheck.h"

#include "diagramtesthelpers.h"
#include "testmain.h"

#include "library/fblibreader.h"
#include "model/fbdatanumbermodel.h"
#include "model/fbmodeldatanum.h"
#include "model/fbmodelport.h"

#include <functional>

using namespace Velmora;

namespace {

// A constant of a type and value, as a file may hold it, whatever the editor would accept.
FuncBlock* constant(GraphicsScene& scene, const QPointF& pos, const QString& type, const QVariant& value)
{
    FuncBlock* block = placeBlock(scene, QStringLiteral("Constant"), pos);
    editProperty(block, QStringLiteral("outputs_port_0"), type);
    static_cast<FBDataNumberModel*>(block->model())->numberItem()->setData(value);
    return block;
}

// Physical output `index` switched on by a HIGH block.
void physicalOutput(GraphicsScene& scene, qreal y, int index)
{
    FuncBlock* output = placeBlock(scene, QStringLiteral("Physical Output"), QPointF(400, y));
    joinPorts(scene, constant(scene, QPointF(0, y), QStringLiteral("uint8"), index), 0, output, 0);
    joinPorts(scene, placeBlock(scene, QStringLiteral("HIGH"), QPointF(0, y + 100)), 0, output, 1);
}

// A variable at `index` of a type, fed by a constant of that type.
void variable(GraphicsScene& scene, qreal y, int index, const QString& type)
{
    FuncBlock* block = placeBlock(scene, QStringLiteral("Variable"), QPointF(400, y));
    joinPorts(scene, constant(scene, QPointF(0, y), QStringLiteral("uint16"), index), 0, block, 0);
    joinPorts(scene, constant(scene, QPointF(0, y + 100), type, 1), 0, block, 2);
}

using Diagram = std::function<void(GraphicsScene&)>;

} // namespace

Q_DECLARE_METATYPE(Diagram)

class tst_DiagramCheck : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void rules_data();
    void rules();
};

void tst_DiagramCheck::initTestCase()
{
    QVERIFY(FBLibReader().readFromXml(QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml")));
}

void tst_DiagramCheck::rules_data()
{
    QTest::addColumn<Diagram>("diagram");
    QTest::addColumn<QStringList>("findings");
    QTest::addColumn<QString>("summary");

    QTest::newRow("clean") << Diagram([](GraphicsScene& scene) { physicalOutput(scene, 0, 1); }) << QStringList()
                           << "Check: 0 errors, 0 warnings.";
    QTest::newRow("unconnected input, no effect")
        << Diagram([](GraphicsScene& scene) {
               FuncBlock* gate = placeBlock(scene, QStringLiteral("AND"), QPointF(300, 0));
               joinPorts(scene, placeBlock(scene, QStringLiteral("HIGH"), QPointF(0, 0)), 0, gate, 0);
           })
        << QStringList { "error: 0 AND: In 2: the input is not connected",
                         "warning: 0 AND: none of the outputs is used: the block has no effect" }
        << "Check: 1 errors, 1 warnings.";
    QTest::newRow("one physical output written twice")
        << Diagram([](GraphicsScene& scene) {
               physicalOutput(scene, 0, 3);
               physicalOutput(scene, 300, 3);
               physicalOutput(scene, 600, 4);
           })
        << QStringList { "error: 0 PHYS_OUT: Index: Physical Output 3 is written by 2 blocks",
                         "error: 1 PHYS_OUT: Index: Physical Output 3 is written by 2 blocks" }
        << "Check: 2 errors, 0 warnings.";
    QTest::newRow("value beyond its type")
        << Diagram([](GraphicsScene& scene) { constant(scene, QPointF(0, 0), QStringLiteral("uint8"), 300); })
        << QStringList { "error: - CONST: the value 300 is outside the range of uint8" }
        << "Check: 1 errors, 0 warnings.";
    QTest::newRow("joined ports of different types")
        << Diagram([](GraphicsScene& scene) {
               FuncBlock* output = placeBlock(scene, QStringLiteral("Physical Output"), QPointF(400, 0));
               joinPorts(scene, constant(scene, QPointF(0, 0), QStringLiteral("uint8"), 1), 0, output, 0);
               joinPorts(scene, placeBlock(scene, QStringLiteral("HIGH"), QPointF(0, 100)), 0, output, 1);
               // As a file written before such joins were refused holds it.
               auto* port = scene.portModelItem(output->id().toString(), 1002, 1);
               FBDataPort value = port->data();
               value.setCurrentType(QStringLiteral("int8"));
               port->setData(value);
           })
        << QStringList { "error: 0 PHYS_OUT: Value: the input of type int8 is joined to an output of type bool" }
        << "Check: 1 errors, 0 warnings.";
    QTest::newRow("variable of two types")
        << Diagram([](GraphicsScene& scene) {
               variable(scene, 0, 5, QStringLiteral("int16"));
               variable(scene, 300, 5, QStringLiteral("float"));
               variable(scene, 600, 6, QStringLiteral("float"));
           })
        << QStringList { "warning: 0 VAR: Index: variable 5 is also used with the type float",
                         "warning: 1 VAR: Index: variable 5 is also used with the type int16" }
        << "Check: 0 errors, 2 warnings.";
    QTest::newRow("cast of no data type")
        << Diagram([](GraphicsScene& scene) {
               FuncBlock* cast = placeBlock(scene, QStringLiteral("uint2int"), QPointF(300, 0));
               joinPorts(scene, cast, 0, placeBlock(scene, QStringLiteral("int2uint"), QPointF(600, 0)), 0);
           })
        << QStringList { "error: 0 UINT2INT: In: the input is not connected",
                         "warning: 0 UINT2INT: In: the type uint is not one of the data types; the port joins only "
                         "ports of that same type",
                         "warning: 0 UINT2INT: Out: the type int is not one of the data types; the port joins only "
                         "ports of that same type",
                         "warning: 1 INT2UINT: In: the type int is not one of the data types; the port joins only "
                         "ports of that same type",
                         "warning: 1 INT2UINT: Out: the type uint is not one of the data types; the port joins only "
                         "ports of that same type",
                         "warning: 1 INT2UINT: none of the outputs is used: the block has no effect" }
        << "Check: 1 errors, 5 warnings.";
}

void tst_DiagramCheck::rules()
{
    QFETCH(Diagram, diagram);
    QFETCH(QStringList, findings);
    QFETCH(QString, summary);

    GraphicsScene scene;
    diagram(scene);
    const QVector<DiagramCheck::Finding> found = DiagramCheck::check(scene);
    QStringList lines;
    for (const DiagramCheck::Finding& finding : found) {
        lines << finding.line();
        QVERIFY(scene.funcBlockById(finding.blockId));
    }
    QCOMPARE(lines, findings);
    QCOMPARE(DiagramCheck::summary(found), summary);
}

VLM_TEST_MAIN(tst_DiagramCheck)
#include "tst_diagramcheck.moc"
