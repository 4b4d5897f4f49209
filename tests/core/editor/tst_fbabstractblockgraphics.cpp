#include "blocktesthelpers.h"
#include "testmain.h"

#include "editor/fbbasegraphics.h"
#include "editor/fbcallordergraphics.h"
#include "editor/fbcommentgraphics.h"
#include "editor/fbdatalistgraphics.h"
#include "editor/fbdatalistitemgraphics.h"
#include "editor/fbdatanumbergrahics.h"
#include "editor/fbdatanumgraphics.h"
#include "editor/fbinputportgraphics.h"
#include "editor/fboutputportgraphics.h"
#include "editor/livevaluegraphics.h"
#include "editor/scenestyle.h"
#include "editor/stylecollection.h"
#include "model/fbcommentmodel.h"
#include "model/fbdatanumbermodel.h"
#include "model/fbmodeldatanum.h"
#include "model/fbmodelport.h"
#include "model/fbmodelports.h"

#include <QAction>
#include <QGraphicsLinearLayout>
#include <QGraphicsScene>
#include <QGraphicsSceneHoverEvent>
#include <QImage>
#include <QPainter>

#include <memory>

using namespace Velmora;

namespace {

using BlockPtr = std::unique_ptr<FuncBlock>;

QStringList labels(const QList<FBInputPortGraphics*>& ports)
{
    QStringList list;
    for (const FBPortGraphics* port : ports)
        list << port->label();
    return list;
}

QStringList labels(const QList<FBOutputPortGraphics*>& ports)
{
    QStringList list;
    for (const FBPortGraphics* port : ports)
        list << port->label();
    return list;
}

FBModelPorts* inputsOf(const FuncBlock& block)
{
    return static_cast<FBModelPorts*>(block.model()->findItem(QStringLiteral("inputs")));
}

// The text an item graphic shows in its bottom row.
QString bottomText(const FBAbstractBlockGraphics* graphics)
{
    if (const auto* base = qgraphicsitem_cast<const FBBaseGraphics*>(graphics))
        return base->callOrderItem() ? base->callOrderItem()->text() : QString();
    if (const auto* number = qgraphicsitem_cast<const FBDataNumberGrahics*>(graphics))
        return number->valueItem()->text();
    if (const auto* list = qgraphicsitem_cast<const FBDataListGraphics*>(graphics))
        return list->valueItem()->text();
    return QString();
}

void hoverAt(QGraphicsScene& scene, FBPortGraphics* port, QEvent::Type type, const QPointF& pos)
{
    QGraphicsSceneHoverEvent event(type);
    event.setPos(pos);
    event.setScenePos(port->mapToScene(pos));
    scene.sendEvent(port, &event);
}

} // namespace

class tst_FBAbstractBlockGraphics : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void build_data();
    void build();
    void factoryKeys();
    void inputCount();
    void postedRequestsDropped();
    void hidePort();
    void portGeometry();
    void hitRadius();
    void textSizes();
    void modelChangeReachesGraphics();
    void outlineFade_data();
    void outlineFade();
    void funcBlockPorts();
    void funcBlockRecord();
    void contextMenuDelete();
    void commentEditMarksModified();
    void render_data();
    void render();
    void portsStandOut_data();
    void portsStandOut();
    void liveValueBesideTheBlock();
};

void tst_FBAbstractBlockGraphics::initTestCase()
{
    QVERIFY(StyleCollection::instance().initCollection(QStringLiteral(VLM_SOURCE_DIR "/app/data/scene_styles.xml")));
    QVERIFY(shippedLibrary().isRegistred(QStringLiteral("AND")));
}

void tst_FBAbstractBlockGraphics::build_data()
{
    QTest::addColumn<QString>("proto");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("outputs");
    QTest::addColumn<QString>("bottom");

    const int user = QGraphicsItem::UserType;
    QTest::newRow("ordinary") << "AND" << user + 1 << "AND" << QStringList { "In 1 (bool)", "In 2 (bool)" }
                              << QStringList { "(bool) Out" } << "-1";
    QTest::newRow("constant") << "Constant" << user + 2 << "CONST" << QStringList()
                              << QStringList { "(int8) Out" } << "Value: 0";
    QTest::newRow("list") << "Analog Signal Type" << user + 3 << "ANALOG_SIGNAL" << QStringList()
                          << QStringList { "(uint8) Out" } << "Type: Current";
    QTest::newRow("comment") << "Comment" << user + 14 << QString() << QStringList() << QStringList() << QString();
}

void tst_FBAbstractBlockGraphics::build()
{
    QFETCH(QString, proto);
    QFETCH(int, type);
    QFETCH(QString, title);

    BlockPtr block(createBlock(proto));
    QVERIFY(block);
    const FBAbstractBlockGraphics* graphics = block->graphics();
    QCOMPARE(graphics->type(), type);
    QCOMPARE(graphics->funcBlock(), block.get());
    QCOMPARE(graphics->parent(), block.get());
    QCOMPARE(graphics->zValue(), type == QGraphicsItem::UserType + 14 ? 200.0 : 100.0);
    QCOMPARE(graphics->titleItem() ? graphics->titleItem()->text() : QString(), title);
    QTEST(labels(graphics->inputPorts()), "inputs");
    QTEST(labels(graphics->outputPorts()), "outputs");
    QTEST(bottomText(graphics), "bottom");

    for (const FBPortGraphics* port : graphics->inputPorts())
        QCOMPARE(port->type(), QGraphicsItem::UserType + 8);
    for (const FBPortGraphics* port : graphics->outputPorts())
        QCOMPARE(port->type(), QGraphicsItem::UserType + 9);
    if (type == QGraphicsItem::UserType + 3)
        QCOMPARE(static_cast<const FBDataListGraphics*>(graphics)->valueItem()->type(), QGraphicsItem::UserType + 4);

    // Queries for ports the block does not have.
    QCOMPARE(graphics->portItem(FBPortGraphics::InputType, 5), nullptr);
    QCOMPARE(graphics->portItem(QGraphicsItem::UserType + 7, 0), nullptr);
    QPointF pos;
    QVERIFY(!block->inputPortPos(5, pos));
    QVERIFY(!block->setInputConnected(5, true));
}

void tst_FBAbstractBlockGraphics::factoryKeys()
{
    auto& factory = FBAbstractBlockGraphics::factory();
    QCOMPARE(factory.getIdList(),
             (QList<QString> { "base_model", "comment_model", "data_number_model", "list_model" }));
    std::unique_ptr<FBAbstractBlockGraphics> graphics(factory.create(QStringLiteral("list_model")));
    QCOMPARE(graphics->serializationId(), QStringLiteral("list_model"));
    QCOMPARE(factory.create(QStringLiteral("unknown_model")), nullptr);
}

void tst_FBAbstractBlockGraphics::inputCount()
{
    BlockPtr block(createBlock(QStringLiteral("AND")));
    FBAbstractBlockGraphics* graphics = block->graphics();
    const qreal height = graphics->size().height();
    QSignalSpy needUpdate(graphics, &FBAbstractBlockGraphics::onNeedUpdateConnections);
    QSignalSpy blockUpdate(block.get(), &FuncBlock::onNeedConnectionUpdate);

    FBDataPorts ports = inputsOf(*block)->data();
    ports.setCountPorts(4);
    inputsOf(*block)->recalcPorts(ports);
    QCOMPARE(labels(graphics->inputPorts()),
             (QStringList { "In 1 (bool)", "In 2 (bool)", "In 3 (bool)", "In 4 (bool)" }));
    QVERIFY(!needUpdate.isEmpty());
    QCOMPARE(blockUpdate.count(), needUpdate.count());
    QVERIFY(graphics->size().height() > height);
    QCOMPARE(graphics->size(), graphics->effectiveSizeHint(Qt::MinimumSize));

    ports.setCountPorts(2);
    inputsOf(*block)->recalcPorts(ports);
    QCOMPARE(labels(graphics->inputPorts()), (QStringList { "In 1 (bool)", "In 2 (bool)" }));
    QCOMPARE(graphics->size().height(), height);
}

// Laying blocks out leaves none of their requests in the event queue, which a load would
// otherwise fill; another widget's polish request stays.
void tst_FBAbstractBlockGraphics::postedRequestsDropped()
{
    QWidget widget;
    std::vector<BlockPtr> blocks;
    for (const char* proto : { "AND", "Constant", "Analog Signal Type", "Comment" })
        blocks.emplace_back(createBlock(QString::fromLatin1(proto)));
    QGraphicsScene scene;
    for (const BlockPtr& block : blocks)
        scene.addItem(block->graphics());
    FBDataPorts ports = inputsOf(*blocks.front())->data();
    ports.setCountPorts(4);
    inputsOf(*blocks.front())->recalcPorts(ports);
    struct Counter : QObject
    {
        const QObject* other = nullptr;
        int posted = 0;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            posted += watched != other
                && (event->type() == QEvent::PolishRequest || event->type() == QEvent::LayoutRequest);
            return false;
        }
    } counter;
    counter.other = &widget;
    qApp->installEventFilter(&counter);
    QCoreApplication::processEvents();
    qApp->removeEventFilter(&counter);
    QCOMPARE(counter.posted, 0);
    QVERIFY(widget.testAttribute(Qt::WA_WState_Polished));
    QCOMPARE(blocks.front()->graphics()->size(), blocks.front()->graphics()->effectiveSizeHint(Qt::MinimumSize));
    for (const BlockPtr& block : blocks)
        scene.removeItem(block->graphics());
}

void tst_FBAbstractBlockGraphics::hidePort()
{
    BlockPtr block(createBlock(QStringLiteral("Software Watch-dog Timer")));
    QVERIFY(block);
    const FBAbstractBlockGraphics* graphics = block->graphics();
    const FBModelItem* outputs = block->model()->findItem(QStringLiteral("outputs"));
    QCOMPARE(graphics->outputPorts().size(), 8);
    // The first output is always shown, so its layout is the column.
    const auto* layout = static_cast<QGraphicsLinearLayout*>(graphics->outputPorts().first()->parentLayoutItem());
    const auto layoutCount = [layout] { return layout->count(); };
    // The six optional outputs start hidden and out of the column.
    QCOMPARE(layoutCount(), 2);
    QVERIFY(!graphics->outputPorts().at(2)->isVisible());

    outputs->childAt(3)->setVisible(true);
    outputs->childAt(2)->setVisible(true);
    QCOMPARE(layoutCount(), 4);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(layout->itemAt(i), static_cast<QGraphicsLayoutItem*>(graphics->outputPorts().at(i)));

    outputs->childAt(2)->setVisible(false);
    QCOMPARE(layoutCount(), 3);
    QCOMPARE(layout->itemAt(2), static_cast<QGraphicsLayoutItem*>(graphics->outputPorts().at(3)));
}

void tst_FBAbstractBlockGraphics::portGeometry()
{
    BlockPtr block(createBlock(QStringLiteral("AND")));
    FBAbstractBlockGraphics* graphics = block->graphics();
    QGraphicsScene scene;
    scene.addItem(graphics);
    graphics->setPos(100.0, 50.0);

    QPointF in;
    QPointF out;
    QVERIFY(block->inputPortPos(1, in));
    QVERIFY(block->outputPortPos(0, out));
    // The circles' centres lie on the block's left and right edges.
    QCOMPARE(in.x(), 100.0);
    QCOMPARE(out.x(), 100.0 + graphics->size().width());
    QVERIFY(in.y() > 50.0 && in.y() < 50.0 + graphics->size().height());

    const FBPortGraphics* port = graphics->inputPorts().first();
    const QSizeF text = QFontMetricsF(port->font()).size(Qt::TextSingleLine, port->label());
    QCOMPARE(port->circleRect(), QRectF(0, 0, 19, 19));
    QCOMPARE(port->size(), QSizeF(text.width() + 19.0, qMax(19.0, text.height())));
    const FBPortGraphics* output = graphics->outputPorts().first();
    QCOMPARE(output->circleRect().left(), output->textRect().right());
}

void tst_FBAbstractBlockGraphics::hitRadius()
{
    BlockPtr block(createBlock(QStringLiteral("AND")));
    QGraphicsScene scene;
    scene.addItem(block->graphics());
    FBPortGraphics* port = block->graphics()->inputPorts().first();
    const QPointF centre = port->circleRect().center();
    const auto hitRadius = [port, centre] { return port->shape().boundingRect().width() / 2.0; };

    QCOMPARE(hitRadius(), 6.0);
    hoverAt(scene, port, QEvent::GraphicsSceneHoverMove, centre);
    QCOMPARE(hitRadius(), 8.5);
    hoverAt(scene, port, QEvent::GraphicsSceneHoverMove, centre + QPointF(5.0, 0.0));
    QCOMPARE(port->radius(), 6.0);
    hoverAt(scene, port, QEvent::GraphicsSceneHoverLeave, centre);
    QCOMPARE(hitRadius(), 6.0);
}

void tst_FBAbstractBlockGraphics::textSizes()
{
    BlockPtr block(createBlock(QStringLiteral("AND")));
    const auto* graphics = static_cast<const FBBaseGraphics*>(block->graphics());
    for (const FBTitleGraphics* item : { graphics->titleItem(), static_cast<FBTitleGraphics*>(graphics->callOrderItem()) }) {
        const QSizeF text = QFontMetricsF(item->font()).size(Qt::TextSingleLine, item->text());
        QCOMPARE(item->size(), text + QSizeF(item->extraWidth(), item->extraHeight()));
    }
    QCOMPARE(graphics->titleItem()->font(), QFont("Arial", 15));
    QCOMPARE(graphics->titleItem()->size() - QSizeF(60, 20),
             QFontMetricsF(QFont("Arial", 15)).size(Qt::TextSingleLine, "AND"));
    QCOMPARE(graphics->callOrderItem()->size() - QSizeF(10, 5),
             QFontMetricsF(QFont("Arial", 10)).size(Qt::TextSingleLine, "-1"));
}

void tst_FBAbstractBlockGraphics::modelChangeReachesGraphics()
{
    BlockPtr block(createBlock(QStringLiteral("Constant")));
    const auto* graphics = static_cast<const FBDataNumberGrahics*>(block->graphics());
    auto* model = static_cast<FBDataNumberModel*>(block->model());
    QSignalSpy changed(block.get(), &FuncBlock::onChangedData);

    model->port()->dataFromVariant(QStringLiteral("float"));
    model->numberItem()->dataFromVariant(2.5);
    QCOMPARE(graphics->valueItem()->text(), QStringLiteral("Value: 2.5"));
    QCOMPARE(labels(graphics->outputPorts()), QStringList { "(float) Out" });
    QVERIFY(!changed.isEmpty());
}

void tst_FBAbstractBlockGraphics::outlineFade_data()
{
    QTest::addColumn<qreal>("lod");
    QTest::addColumn<int>("alpha");
    QTest::newRow("full") << 1.0 << 255;
    QTest::newRow("fading") << 0.25 << 63;
    QTest::newRow("edge 0.3") << 0.3 << 255;
    QTest::newRow("edge 0.2") << 0.2 << 255;
}

void tst_FBAbstractBlockGraphics::outlineFade()
{
    QFETCH(qreal, lod);
    QFETCH(int, alpha);
    const QColor color = FBPortGraphics::outlineColor(QColor(10, 20, 30, 99), lod);
    QCOMPARE(color.name(QColor::HexArgb), QColor(10, 20, 30, alpha).name(QColor::HexArgb));
}

void tst_FBAbstractBlockGraphics::funcBlockPorts()
{
    BlockPtr block(createBlock(QStringLiteral("AND")));
    QVERIFY(block->setInputConnected(1, true));
    QVERIFY(block->setOutputConnected(0, true));
    QVERIFY(block->isInputConnected(1));
    QVERIFY(!block->isInputConnected(0));
    QVERIFY(!block->setOutputConnected(1, true));
    block->clearPortConnections();
    QVERIFY(!block->isInputConnected(1));

    FuncBlock empty;
    QCOMPARE(empty.rootItem(), nullptr);
    QVERIFY(!empty.isInputConnected(0));
    QVERIFY(!empty.setInputConnected(0, true));
    QPointF pos;
    QVERIFY(!empty.outputPortPos(0, pos));
}

void tst_FBAbstractBlockGraphics::funcBlockRecord()
{
    BlockPtr block(createBlock(QStringLiteral("AND")));
    block->graphics()->setPos(12.5, -3.0);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(16);
    block->writeData(out);
    QCOMPARE(bytes.size(), 16 + 16);
    QCOMPARE(bytes.right(16).toHex(' '), QByteArray("40 29 00 00 00 00 00 00 c0 08 00 00 00 00 00 00"));

    BlockPtr copy(createBlock(QStringLiteral("AND")));
    QDataStream in(bytes);
    in.setVersion(16);
    QVERIFY(copy->readData(in));
    QCOMPARE(copy->id(), block->id());
    QCOMPARE(copy->graphics()->pos(), QPointF(12.5, -3.0));
    QVERIFY(copy->renewId() != block->id());

    QDataStream truncated(bytes.left(20));
    QVERIFY(!copy->readData(truncated));
    QCOMPARE(copy->graphics()->pos(), QPointF(12.5, -3.0));
}

void tst_FBAbstractBlockGraphics::contextMenuDelete()
{
    BlockPtr block(createBlock(QStringLiteral("AND")));
    QSignalSpy deleted(block.get(), &FuncBlock::onDeleted);
    block->graphics()->deleteAction()->trigger();
    QCOMPARE(deleted.count(), 1);
    QCOMPARE(block->graphics()->deleteAction()->text(), QStringLiteral("Delete"));
}

void tst_FBAbstractBlockGraphics::commentEditMarksModified()
{
    BlockPtr block(createBlock(QStringLiteral("Comment")));
    auto* graphics = static_cast<FBCommentGraphics*>(block->graphics());
    auto* model = static_cast<FBCommentModel*>(block->model());
    QCOMPARE(graphics->textItem()->toPlainText(), model->text());
    const QSizeF before = graphics->size();
    QSignalSpy changed(block.get(), &FuncBlock::onChangedData);

    graphics->textItem()->setPlainText(QStringLiteral("Pump 2 starts after pump 1\nsecond line"));
    QCOMPARE(model->text(), QStringLiteral("Pump 2 starts after pump 1\nsecond line"));
    QCOMPARE(changed.count(), 1);
    QVERIFY(graphics->size().height() > before.height());
}

void tst_FBAbstractBlockGraphics::render_data()
{
    QTest::addColumn<QString>("style");
    QTest::newRow("Light") << "Light";
    QTest::newRow("Dark") << "Dark";
}

void tst_FBAbstractBlockGraphics::render()
{
    QFETCH(QString, style);
    QVERIFY(StyleCollection::instance().setCurrentStyle(style));
    const SceneStyle& colours = *StyleCollection::instance().currentStyle();

    QGraphicsScene scene;
    std::vector<BlockPtr> blocks;
    qreal x = 20.0;
    for (const char* proto : { "AND", "Constant", "Analog Signal Type", "Comment" }) {
        blocks.emplace_back(createBlock(QString::fromLatin1(proto)));
        scene.addItem(blocks.back()->graphics());
        blocks.back()->graphics()->setPos(x, 20.0);
        x += blocks.back()->graphics()->size().width() + 30.0;
    }
    const QRectF area(0, 0, x, 200);
    const QImage image = renderedArea(scene, area, area.size().toSize(), colours.scene().backgroundColor);
    if (qEnvironmentVariableIsSet("VLM_RENDER_DIR"))
        image.save(qEnvironmentVariable("VLM_RENDER_DIR") + QStringLiteral("/blocks_%1.png").arg(style));

    const auto pixel = [&image](const QPointF& scenePos) { return image.pixelColor(scenePos.toPoint()).name(); };
    QCOMPARE(pixel(QPointF(5, 5)), colours.scene().backgroundColor.name());
    QPointF in;
    QVERIFY(blocks[0]->inputPortPos(0, in));
    QCOMPARE(pixel(in), colours.types().color("bool").name());
    QPointF out;
    QVERIFY(blocks[1]->outputPortPos(0, out));
    QCOMPARE(pixel(out), colours.types().color("int8").name());
    // The block body: its background blended over the scene at alpha 200.
    const FBAbstractBlockGraphics* body = blocks[0]->graphics();
    const QColor blended = image.pixelColor((body->pos() + QPointF(8, body->size().height() - 4)).toPoint());
    const QColor back = colours.block().backgroundColor;
    const QColor scene0 = colours.scene().backgroundColor;
    QVERIFY(qAbs(blended.red() - (back.red() * 200 + scene0.red() * 55) / 255) <= 2);
}

void tst_FBAbstractBlockGraphics::portsStandOut_data()
{
    QTest::addColumn<int>("side"); // 0 the first input, 1 the output, -1 the body
    QTest::addColumn<QPointF>("offset"); // from the circle's centre, or the body's corner
    QTest::addColumn<QString>("found"); // "port", "block" or ""

    QTest::newRow("input, outer half") << 0 << QPointF(-2, 0) << "port";
    QTest::newRow("input, inner half") << 0 << QPointF(2, 0) << "port";
    QTest::newRow("output, outer half") << 1 << QPointF(2, 0) << "port";
    QTest::newRow("beside the circle") << 0 << QPointF(-5, -9) << "";
    QTest::newRow("body") << -1 << QPointF(8, -6) << "block";
}

// Half of a port's circle stands out of the block's side: it is drawn and found there, though
// the block's items are drawn and searched only within the block's bounding rectangle.
void tst_FBAbstractBlockGraphics::portsStandOut()
{
    QFETCH(int, side);
    QFETCH(QPointF, offset);
    QFETCH(QString, found);

    QVERIFY(StyleCollection::instance().setCurrentStyle(QStringLiteral("Light")));
    const SceneStyle& colours = *StyleCollection::instance().currentStyle();
    BlockPtr block(createBlock(QStringLiteral("AND")));
    FBAbstractBlockGraphics* graphics = block->graphics();
    QGraphicsScene scene;
    scene.addItem(graphics);
    graphics->setPos(100.0, 50.0);
    QVERIFY(graphics->flags() & QGraphicsItem::ItemContainsChildrenInShape);
    QCOMPARE(graphics->boundingRect(), graphics->rect().adjusted(-9.5, 0, 9.5, 0));
    BlockPtr constant(createBlock(QStringLiteral("Constant")));
    QCOMPARE(constant->graphics()->boundingRect(), constant->graphics()->rect().adjusted(0, 0, 9.5, 0));
    // A comment's long line reaches past its frame.
    BlockPtr comment(createBlock(QStringLiteral("Comment")));
    QVERIFY(!(comment->graphics()->flags() & QGraphicsItem::ItemContainsChildrenInShape));

    const FBPortGraphics* port = side == 0 ? static_cast<FBPortGraphics*>(graphics->inputPorts().first())
                                           : graphics->outputPorts().first();
    const QPointF at = side < 0 ? graphics->geometry().bottomLeft() + offset : port->connectionPoint() + offset;
    // Searched at a point, as the scene looks for ports, and in a pixel's square, as a view
    // looks for the item under the mouse.
    const auto firstOf = [&](const QList<QGraphicsItem*>& items) {
        const QGraphicsItem* first = items.value(0, nullptr);
        return QString(!first ? "" : first == port ? "port" : first == graphics ? "block" : "other");
    };
    QCOMPARE(firstOf(scene.items(at)), found);
    QCOMPARE(firstOf(scene.items(QRectF(at - QPointF(0.5, 0.5), QSizeF(1, 1)), Qt::IntersectsItemShape)), found);

    // Drawn alone, a small square around the point shows what is there.
    const QColor pixel = renderedArea(scene, QRectF(at - QPointF(2, 2), QSizeF(4, 4)), QSize(4, 4),
                                      colours.scene().backgroundColor).pixelColor(2, 2);
    if (found == "port")
        QCOMPARE(pixel.name(), colours.types().color("bool").name());
    else
        QCOMPARE(pixel == colours.scene().backgroundColor, found.isEmpty());
}

// A live value stands beside the output's line, out of the block: while one is shown the
// block's items are drawn wherever they are.
void tst_FBAbstractBlockGraphics::liveValueBesideTheBlock()
{
    BlockPtr block(createBlock(QStringLiteral("AND")));
    FBAbstractBlockGraphics* graphics = block->graphics();
    QGraphicsScene scene;
    scene.addItem(graphics);
    FBOutputPortGraphics* output = graphics->outputPorts().first();
    output->setLiveValue(QStringLiteral("12345"), false);
    QVERIFY(!(graphics->flags() & QGraphicsItem::ItemContainsChildrenInShape));
    const QRectF value = output->liveValueItem()->sceneBoundingRect();
    QVERIFY(value.right() > graphics->sceneBoundingRect().right());
    const QRectF outside = value & QRectF(graphics->sceneBoundingRect().right() + 1, value.top(), 1000, value.height());
    QVERIFY(scene.items(outside).contains(output->liveValueItem()));
    output->clearLiveValue();
    QVERIFY(graphics->flags() & QGraphicsItem::ItemContainsChildrenInShape);
}

VLM_TEST_MAIN(tst_FBAbstractBlockGraphics)
#include "tst_fbabstractblockgraphics.moc"
