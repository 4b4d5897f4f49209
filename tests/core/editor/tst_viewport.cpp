#include "scenetesthelpers.h"
#include "testmain.h"

#include "editor/scenegrid.h"
#include "editor/scenestyle.h"
#include "editor/stylecollection.h"
#include "editor/viewport.h"
#include "library/fblibreader.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QScrollBar>
#include <QUndoStack>
#include <QWheelEvent>

#include <cmath>

using namespace Velmora;

namespace {

// A shown viewport on a scene as large as a project's, centred on the scene origin.
struct ViewportDriver
{
    GraphicsScene scene;
    Viewport view { &scene };
    Qt::MouseButtons held;

    ViewportDriver()
    {
        scene.setSceneRect(-50000, -50000, 100000, 100000);
        view.resize(1000, 700);
        view.show();
        view.centerOn(0, 0);
    }
    ~ViewportDriver() { StyleCollection::instance().removeScene(&scene); }

    QWidget* viewport() const { return view.viewport(); }
    QPoint at(const QPointF& scenePos) const { return view.mapFromScene(scenePos); }
    // The scene point at the exact middle of the viewport.
    QPointF centre() const { return view.viewportTransform().inverted().map(QRectF(view.viewport()->rect()).center()); }

    void mouse(QEvent::Type type, const QPoint& pos, Qt::MouseButton button, Qt::KeyboardModifiers keys)
    {
        QMouseEvent event(type, pos, viewport()->mapToGlobal(pos), button, held, keys);
        QCoreApplication::sendEvent(viewport(), &event);
    }
    void press(const QPoint& pos, Qt::MouseButton button, Qt::KeyboardModifiers keys = {})
    {
        held |= button;
        mouse(QEvent::MouseButtonPress, pos, button, keys);
    }
    void move(const QPoint& pos, Qt::KeyboardModifiers keys = {}) { mouse(QEvent::MouseMove, pos, Qt::NoButton, keys); }
    void release(const QPoint& pos, Qt::MouseButton button, Qt::KeyboardModifiers keys = {})
    {
        held &= ~button;
        mouse(QEvent::MouseButtonRelease, pos, button, keys);
    }
    void click(const QPointF& scenePos)
    {
        move(at(scenePos));
        press(at(scenePos), Qt::LeftButton);
        release(at(scenePos), Qt::LeftButton);
    }
    // True when the viewport took the event for itself.
    bool wheel(const QPoint& angle)
    {
        const QPoint pos = viewport()->rect().center();
        QWheelEvent event(pos, viewport()->mapToGlobal(pos), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        event.setAccepted(false);
        QCoreApplication::sendEvent(viewport(), &event);
        return event.isAccepted();
    }

    FuncBlock* place(const QString& proto, const QPointF& pos)
    {
        scene.createFuncBlock(pos, proto);
        for (FuncBlock* block : scene.getFuncBlocks()) {
            if (block->graphics()->pos() == pos)
                return block;
        }
        return nullptr;
    }
    void connectPorts(const FuncBlock* emitter, int output, const FuncBlock* receiver, int input)
    {
        click(SceneView::outPort(emitter, output));
        click(SceneView::inPort(receiver, input));
    }

    QImage grab() const { return view.viewport()->grab().toImage(); }
    // The pixel that a two-pixel grid line through this scene point covers whole.
    QPoint pixelOn(const QPointF& scenePos) const
    {
        const QPointF mapped = view.viewportTransform().map(scenePos);
        return QPoint(int(std::floor(mapped.x())), int(std::floor(mapped.y())));
    }
};

// One drawLines call as the paint engine received it.
struct DrawnLines
{
    QPen pen;
    QVector<QLineF> lines;
};

// Records every drawLines call with the pen it was drawn with. It claims every feature, so
// QPainter hands each call over unchanged instead of splitting or stroking it.
class RecordingEngine : public QPaintEngine
{
public:
    RecordingEngine()
        : QPaintEngine(QPaintEngine::AllFeatures)
    { }

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & QPaintEngine::DirtyPen)
            m_pen = state.pen();
        if (state.state() & QPaintEngine::DirtyBrush)
            m_brush = state.brush();
    }
    void drawLines(const QLineF* lines, int count) override
    {
        calls.append({ m_pen, QVector<QLineF>(lines, lines + count) });
    }
    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            fills.append({ rects[i], m_brush.color() });
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { }
    Type type() const override { return QPaintEngine::User; }

    QVector<DrawnLines> calls;
    QVector<QPair<QRectF, QColor>> fills;

private:
    QPen m_pen;
    QBrush m_brush;
};

// Lets a test hand the viewport a painter and an exposed rectangle of its choice.
class ExposedViewport : public Viewport
{
public:
    using Viewport::drawBackground;
    using Viewport::Viewport;
};

class RecordingDevice : public QPaintDevice
{
public:
    QPaintEngine* paintEngine() const override { return &engine; }

    mutable RecordingEngine engine;

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return 1000;
        case PdmHeight:
            return 700;
        case PdmWidthMM:
        case PdmHeightMM:
            return 200;
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }
};

QString describe(const SceneGrid::GridLevel& level)
{
    return QStringLiteral("%1 %2 %3").arg(level.spacing).arg(level.width).arg(level.colour.name(QColor::HexArgb));
}

QStringList describe(const QVector<QLineF>& lines)
{
    QStringList texts;
    for (const QLineF& line : lines)
        texts << QStringLiteral("%1,%2 %3,%4").arg(line.x1()).arg(line.y1()).arg(line.x2()).arg(line.y2());
    return texts;
}

QString argb(const QColor& color)
{
    return color.name(QColor::HexArgb);
}

const SceneStyle& style(const QString& name)
{
    StyleCollection::instance().setCurrentStyle(name);
    return *StyleCollection::instance().currentStyle();
}

// The zooms that wheel steps from 1.0 reach, as the viewport computes them.
double zoomAfter(int steps, double sign)
{
    double zoom = 1.0;
    for (int i = 0; i < steps; ++i)
        zoom += zoom * 0.15 * sign;
    return zoom;
}

} // namespace

class tst_Viewport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void construction();
    void wheelStep_data();
    void wheelStep();
    void zoomLimits_data();
    void zoomLimits();
    void gridLevels_data();
    void gridLevels();
    void gridLines_data();
    void gridLines();
    void drawGrid_data();
    void drawGrid();
    void backgroundOfWholeScene();
    void panning_data();
    void panning();
    void backgroundFollowsStyle_data();
    void backgroundFollowsStyle();
    void renderedViewport_data();
    void renderedViewport();
    void gridAtLowerLimit();

private:
    QTemporaryDir m_dir;
};

void tst_Viewport::initTestCase()
{
    QVERIFY(FBLibReader().readFromXml(QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml")));
    QVERIFY(StyleCollection::instance().initCollection(QStringLiteral(VLM_SOURCE_DIR "/app/data/scene_styles.xml")));

    // Black and white, so that one step of the 200 grid's alpha shows as one step of grey.
    QFile shipped(QStringLiteral(VLM_SOURCE_DIR "/app/data/scene_styles.xml"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(shipped.readAll());
    text.replace(QLatin1String("name=\"Light\""), QLatin1String("name=\"Contrast\""))
        .replace(QLatin1String("name=\"Dark\""), QLatin1String("name=\"Contrast dark\""))
        .replace(QLatin1String("#FFFFE8"), QLatin1String("#000000"))
        .replace(QLatin1String("#CDCDCD"), QLatin1String("#FFFFFF"));
    QFile contrast(m_dir.filePath(QStringLiteral("contrast.xml")));
    QVERIFY(contrast.open(QIODevice::WriteOnly));
    contrast.write(text.toUtf8());
    contrast.close();
    QVERIFY(StyleCollection::instance().initCollection(contrast.fileName()));
}

void tst_Viewport::init()
{
    QVERIFY(StyleCollection::instance().setCurrentStyle(QStringLiteral("Light")));
}

void tst_Viewport::construction()
{
    ViewportDriver d;
    QCOMPARE(d.view.scene(), &d.scene);
    QCOMPARE(d.view.zoom(), 1.0);
    QVERIFY(d.view.transform().isIdentity());
    QVERIFY(d.view.hasMouseTracking());
    QVERIFY(d.view.testAttribute(Qt::WA_MouseTracking));
    QCOMPARE(d.view.renderHints(), QPainter::Antialiasing | QPainter::TextAntialiasing);
    QCOMPARE(d.view.dragMode(), QGraphicsView::RubberBandDrag);
    QCOMPARE(d.view.optimizationFlags(), QGraphicsView::OptimizationFlags(QGraphicsView::DontSavePainterState));
    QCOMPARE(d.view.viewportUpdateMode(), QGraphicsView::SmartViewportUpdate);
    QCOMPARE(d.view.transformationAnchor(), QGraphicsView::AnchorUnderMouse);
    QCOMPARE(d.view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(d.view.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(d.view.cacheMode(), QGraphicsView::CacheMode(QGraphicsView::CacheBackground));
    QVERIFY(d.scene.getGrid());
    QCOMPARE(d.scene.getGrid()->parent(), &d.scene);
    QCOMPARE(d.scene.getGrid()->step(), 5);
}

void tst_Viewport::wheelStep_data()
{
    QTest::addColumn<QPoint>("angle");
    QTest::addColumn<double>("zoom");

    QTest::newRow("forward") << QPoint(0, 120) << 1.15;
    QTest::newRow("back") << QPoint(0, -120) << 0.85;
    QTest::newRow("smallest forward") << QPoint(0, 1) << 1.15;
    QTest::newRow("smallest back") << QPoint(0, -1) << 0.85;
    // No vertical step, no zoom: a sideways wheel must not zoom out.
    QTest::newRow("sideways") << QPoint(120, 0) << 1.0;
}

void tst_Viewport::wheelStep()
{
    QFETCH(QPoint, angle);
    QFETCH(double, zoom);

    ViewportDriver d;
    QVERIFY(d.wheel(angle));
    QCOMPARE(d.view.zoom(), zoom);
    QCOMPARE(d.view.transform().m11(), zoom);
    QCOMPARE(d.view.transform().m22(), zoom);
}

void tst_Viewport::zoomLimits_data()
{
    QTest::addColumn<int>("dy");
    QTest::addColumn<int>("steps");
    QTest::addColumn<double>("limit");
    QTest::addColumn<double>("lastScale");
    QTest::addColumn<double>("backZoom");

    // 1.15^7 = 2.66...; the eighth step would give 3.059 and stops at 3.0.
    QTest::newRow("in") << 120 << 8 << 3.0 << 2.66001988046875 << 2.55;
    // 0.85^14 = 0.1028; the fifteenth step would give 0.0874 and stops at 0.1.
    QTest::newRow("out") << -120 << 15 << 0.1 << zoomAfter(14, -1.0) << 0.115;
}

void tst_Viewport::zoomLimits()
{
    QFETCH(int, dy);
    QFETCH(int, steps);
    QFETCH(double, limit);
    QFETCH(double, lastScale);
    QFETCH(double, backZoom);

    ViewportDriver d;
    for (int i = 0; i < steps - 1; ++i)
        QVERIFY(d.wheel(QPoint(0, dy)));
    QCOMPARE(d.view.transform().m11(), lastScale);
    QCOMPARE(d.view.zoom(), lastScale);

    QVERIFY(d.wheel(QPoint(0, dy)));
    QCOMPARE(d.view.zoom(), limit);
    QCOMPARE(d.view.transform().m11(), lastScale);

    // Further steps against the limit neither scale nor scroll.
    const int horizontal = d.view.horizontalScrollBar()->value();
    const int vertical = d.view.verticalScrollBar()->value();
    QVERIFY(d.wheel(QPoint(0, dy)));
    QCOMPARE(d.view.zoom(), limit);
    QCOMPARE(d.view.transform().m11(), lastScale);
    QCOMPARE(d.view.horizontalScrollBar()->value(), horizontal);
    QCOMPARE(d.view.verticalScrollBar()->value(), vertical);

    // The way back starts from the stored limit.
    QVERIFY(d.wheel(QPoint(0, -dy)));
    QCOMPARE(d.view.zoom(), backZoom);
    QCOMPARE(d.view.transform().m11(), backZoom);
}

void tst_Viewport::gridLevels_data()
{
    QTest::addColumn<QString>("styleName");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QStringList>("levels");

    QTest::newRow("2.5") << "Light" << 2.5
                         << QStringList { "5 1 #ffececec", "25 2 #ffe6e6e6", "100 2 #ffe1e1e1", "200 2 #ffcdcdcd" };
    QTest::newRow("2.0") << "Light" << 2.0 << QStringList { "25 2 #ffe6e6e6", "100 2 #ffe1e1e1", "200 2 #ffcdcdcd" };
    QTest::newRow("1.0") << "Light" << 1.0 << QStringList { "25 2 #ffe6e6e6", "100 2 #ffe1e1e1", "200 2 #ffcdcdcd" };
    QTest::newRow("0.85") << "Light" << 0.85 << QStringList { "25 2 #ffe6e6e6", "100 2 #ffe1e1e1", "200 2 #d8cdcdcd" };
    QTest::newRow("0.8") << "Light" << 0.8 << QStringList { "100 2 #ffe6e6e6", "200 2 #cccdcdcd" };
    QTest::newRow("0.6") << "Light" << 0.6 << QStringList { "100 2 #ffe6e6e6", "200 2 #99cdcdcd" };
    QTest::newRow("0.5") << "Light" << 0.5 << QStringList { "200 2 #7fcdcdcd" };
    QTest::newRow("0.4") << "Light" << 0.4 << QStringList { "200 2 #66cdcdcd" };
    QTest::newRow("0.1") << "Light" << 0.1 << QStringList { "200 2 #19cdcdcd" };
    QTest::newRow("dark 2.5") << "Dark" << 2.5
                              << QStringList { "5 1 #ff3d3d3d", "25 2 #ff373737", "100 2 #ff323232",
                                               "200 2 #ff1e1e1e" };
    QTest::newRow("dark 0.6") << "Dark" << 0.6 << QStringList { "100 2 #ff373737", "200 2 #991e1e1e" };
    QTest::newRow("dark 0.4") << "Dark" << 0.4 << QStringList { "200 2 #661e1e1e" };
}

void tst_Viewport::gridLevels()
{
    QFETCH(QString, styleName);
    QFETCH(double, zoom);
    QFETCH(QStringList, levels);

    style(styleName);
    GraphicsScene scene;
    QStringList drawn;
    for (const SceneGrid::GridLevel& level : scene.getGrid()->levels(zoom))
        drawn << describe(level);
    QCOMPARE(drawn, levels);
}

void tst_Viewport::gridLines_data()
{
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<QStringList>("lines");

    // L = -130, -130 % 25 = -5: the first vertical line is at -125; T = -60 gives -50.
    QTest::newRow("negative edges") << QRectF(-130.7, -60.2, 180.0, 100.0) << 25
                                    << QStringList { "-125,-60 -125,39", "-100,-60 -100,39", "-75,-60 -75,39",
                                                     "-50,-60 -50,39",   "-25,-60 -25,39",   "0,-60 0,39",
                                                     "25,-60 25,39",     "-130,-50 49,-50",  "-130,-25 49,-25",
                                                     "-130,0 49,0",      "-130,25 49,25" };
    // L = 130 gives 125, just left of the edge.
    QTest::newRow("positive edges") << QRectF(130.7, 20.5, 100.0, 60.0) << 25
                                    << QStringList { "125,20 125,80", "150,20 150,80", "175,20 175,80",
                                                     "200,20 200,80", "225,20 225,80", "130,0 230,0",
                                                     "130,25 230,25", "130,50 230,50", "130,75 230,75" };
    QTest::newRow("right edge excluded") << QRectF(0, 0, 400, 200) << 200
                                         << QStringList { "0,0 0,200", "200,0 200,200", "0,0 400,0" };
    QTest::newRow("narrow between lines") << QRectF(-130.7, -10.0, 4.0, 5.0) << 25 << QStringList {};
    QTest::newRow("empty") << QRectF(10, 10, 0, 50) << 25 << QStringList {};
    QTest::newRow("beyond int range") << QRectF(-1.0e12, 0, 2.0e12, 10) << 200 << QStringList {};
    QTest::newRow("not a number") << QRectF(qQNaN(), 0, 100, 100) << 25 << QStringList {};
}

void tst_Viewport::gridLines()
{
    QFETCH(QRectF, rect);
    QFETCH(int, spacing);
    QFETCH(QStringList, lines);

    QCOMPARE(describe(SceneGrid::lines(rect, spacing)), lines);
}

void tst_Viewport::drawGrid_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QStringList>("levels");

    QTest::newRow("2.5") << 2.5
                         << QStringList { "5 1 #ffececec", "25 2 #ffe6e6e6", "100 2 #ffe1e1e1", "200 2 #ffcdcdcd" };
    QTest::newRow("1.0") << 1.0 << QStringList { "25 2 #ffe6e6e6", "100 2 #ffe1e1e1", "200 2 #ffcdcdcd" };
    QTest::newRow("0.6") << 0.6 << QStringList { "100 2 #ffe6e6e6", "200 2 #99cdcdcd" };
    QTest::newRow("0.4") << 0.4 << QStringList { "200 2 #66cdcdcd" };
}

// One drawLines call per level, with a cosmetic pen, and only the lines over the rectangle.
void tst_Viewport::drawGrid()
{
    QFETCH(double, zoom);
    QFETCH(QStringList, levels);

    const QRectF rect(-330.5, -140.25, 700.0, 400.0);
    GraphicsScene scene;
    RecordingDevice device;
    QPainter painter(&device);
    scene.getGrid()->drawGrid(&painter, rect, zoom);
    painter.end();

    QStringList drawn;
    for (const DrawnLines& call : qAsConst(device.engine.calls)) {
        QVERIFY(call.lines.size() > 2);
        const int spacing = int(call.lines.at(1).x1() - call.lines.at(0).x1());
        drawn << QStringLiteral("%1 %2 %3").arg(spacing).arg(call.pen.widthF()).arg(argb(call.pen.color()));
        QVERIFY(call.pen.isCosmetic());
        QCOMPARE(call.pen.joinStyle(), Qt::MiterJoin);
        QCOMPARE(call.pen.capStyle(), Qt::RoundCap);
        QCOMPARE(call.lines, SceneGrid::lines(rect, spacing));
    }
    QCOMPARE(drawn, levels);
}

// The view repaints its whole scene rectangle after a change of style; what is drawn stays
// within reach of the painter's device, 5 units around it.
void tst_Viewport::backgroundOfWholeScene()
{
    GraphicsScene scene;
    ExposedViewport view(&scene);
    RecordingDevice device;
    QPainter painter(&device);
    view.drawBackground(&painter, QRectF(-50000, -50000, 100000, 100000));
    painter.end();

    const QRectF reach(-5, -5, 1010, 710);
    QCOMPARE(device.engine.fills.size(), 1);
    QCOMPARE(device.engine.fills.at(0).first, reach);
    QCOMPARE(argb(device.engine.fills.at(0).second), QStringLiteral("#ffffffe8"));
    QCOMPARE(device.engine.calls.size(), 3);
    QCOMPARE(device.engine.calls.at(0).lines, SceneGrid::lines(reach, 25));
    QCOMPARE(device.engine.calls.at(0).lines.size(), 41 + 29);
    QCOMPARE(device.engine.calls.at(2).lines, SceneGrid::lines(reach, 200));
}

void tst_Viewport::panning_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("keys");
    QTest::addColumn<bool>("onBlock");
    QTest::addColumn<bool>("pans");

    QTest::newRow("alt and left on a block") << int(Qt::LeftButton) << int(Qt::AltModifier) << true << true;
    QTest::newRow("alt and left on empty scene") << int(Qt::LeftButton) << int(Qt::AltModifier) << false << true;
    QTest::newRow("middle on a block") << int(Qt::MiddleButton) << int(Qt::NoModifier) << true << true;
    QTest::newRow("middle on empty scene") << int(Qt::MiddleButton) << int(Qt::NoModifier) << false << true;
    QTest::newRow("left on a block moves it") << int(Qt::LeftButton) << int(Qt::NoModifier) << true << false;
}

void tst_Viewport::panning()
{
    QFETCH(int, button);
    QFETCH(int, keys);
    QFETCH(bool, onBlock);
    QFETCH(bool, pans);

    ViewportDriver d;
    FuncBlock* block = d.place(QStringLiteral("AND"), QPointF(-100, -50));
    QVERIFY(block);
    const QPointF blockPos = block->graphics()->pos();
    const QPointF from = onBlock ? SceneView::body(block) : QPointF(150, 200);
    const QPoint start = d.at(from);
    const QPoint drag(100, 60);
    const QPointF centre = d.centre();
    const auto mouseButton = Qt::MouseButton(button);
    const auto modifiers = Qt::KeyboardModifiers(keys);

    d.move(start, modifiers);
    d.press(start, mouseButton, modifiers);
    d.move(start + drag / 2, modifiers);
    d.move(start + drag, modifiers);
    d.release(start + drag, mouseButton, modifiers);

    QCOMPARE(d.view.zoom(), 1.0);
    if (pans) {
        // The pressed scene point stays under the cursor: the view moves against the drag.
        QCOMPARE(d.centre(), centre - QPointF(drag));
        QCOMPARE(d.at(from), start + drag);
        QCOMPARE(block->graphics()->pos(), blockPos);
        QVERIFY(!block->graphics()->isSelected());
        QCOMPARE(d.scene.undoStack()->count(), 1);
    } else {
        QCOMPARE(d.centre(), centre);
        QCOMPARE(block->graphics()->pos(), blockPos + QPointF(drag));
        QCOMPARE(d.scene.undoStack()->count(), 2);
    }
}

void tst_Viewport::backgroundFollowsStyle_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("registered");

    QTest::newRow("light to dark, registered") << "Light" << "Dark" << true;
    QTest::newRow("dark to light, registered") << "Dark" << "Light" << true;
    QTest::newRow("light to dark, not registered") << "Light" << "Dark" << false;
    QTest::newRow("dark to light, not registered") << "Dark" << "Light" << false;
}

// The background is cached; a change of style must still reach every pixel of it.
void tst_Viewport::backgroundFollowsStyle()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(bool, registered);

    ViewportDriver d;
    if (registered)
        StyleCollection::instance().addScene(&d.scene);
    const QPoint background = d.pixelOn(QPointF(12.5, 60));
    const QPoint corner = d.pixelOn(QPointF(-480, -330));
    const QPoint line200 = d.pixelOn(QPointF(200, 60));

    const SceneStyle& before = style(from);
    QImage image = d.grab();
    QCOMPARE(argb(image.pixelColor(background)), argb(before.scene().backgroundColor));
    QCOMPARE(argb(image.pixelColor(corner)), argb(before.scene().backgroundColor));
    QCOMPARE(argb(image.pixelColor(line200)), argb(before.grid().zoom4Color));

    const SceneStyle& after = style(to);
    if (!registered)
        d.viewport()->update();
    image = d.grab();
    QCOMPARE(argb(image.pixelColor(background)), argb(after.scene().backgroundColor));
    QCOMPARE(argb(image.pixelColor(corner)), argb(after.scene().backgroundColor));
    QCOMPARE(argb(image.pixelColor(line200)), argb(after.grid().zoom4Color));
}

void tst_Viewport::renderedViewport_data()
{
    QTest::addColumn<QString>("styleName");
    QTest::addColumn<int>("stepsOut");

    QTest::newRow("light 1.0") << "Light" << 0;
    QTest::newRow("light 0.61") << "Light" << 3;
    QTest::newRow("dark 1.0") << "Dark" << 0;
    QTest::newRow("dark 0.61") << "Dark" << 3;
}

void tst_Viewport::renderedViewport()
{
    QFETCH(QString, styleName);
    QFETCH(int, stepsOut);

    ViewportDriver d;
    StyleCollection::instance().addScene(&d.scene);
    FuncBlock* constant = d.place(QStringLiteral("Constant"), QPointF(-440, -280));
    FuncBlock* gate = d.place(QStringLiteral("AND"), QPointF(-120, -300));
    FuncBlock* other = d.place(QStringLiteral("OR"), QPointF(240, -300));
    FuncBlock* list = d.place(QStringLiteral("Analog Signal Type"), QPointF(-440, 140));
    QVERIFY(constant && gate && other && list);
    d.connectPorts(constant, 0, gate, 0);
    d.connectPorts(gate, 0, other, 1);
    d.connectPorts(list, 0, gate, 1);
    QCOMPARE(d.scene.getConnections().size(), 3);

    for (int i = 0; i < stepsOut; ++i)
        QVERIFY(d.wheel(QPoint(0, -120)));
    const double zoom = zoomAfter(stepsOut, -1.0);
    QCOMPARE(d.view.zoom(), zoom);

    const SceneStyle& colours = style(styleName);
    const QImage image = d.grab();
    if (qEnvironmentVariableIsSet("VLM_RENDER_DIR")) {
        image.save(qEnvironmentVariable("VLM_RENDER_DIR")
                   + QStringLiteral("/viewport_%1_%2.png").arg(styleName, QString::number(zoom, 'f', 2)));
    }

    const QColor background = colours.scene().backgroundColor;
    QCOMPARE(argb(image.pixelColor(d.pixelOn(QPointF(12.5, 60)))), argb(background));
    if (stepsOut == 0) {
        QCOMPARE(argb(image.pixelColor(d.pixelOn(QPointF(25, 60)))), argb(colours.grid().zoom2Color));
        QCOMPARE(argb(image.pixelColor(d.pixelOn(QPointF(100, 60)))), argb(colours.grid().zoom3Color));
        QCOMPARE(argb(image.pixelColor(d.pixelOn(QPointF(200, 60)))), argb(colours.grid().zoom4Color));
        return;
    }
    // Below 0.8 the 25 grid is gone and the 100 grid takes the second colour; the 200 grid
    // fades over it with alpha int(0.614125 * 255) = 156.
    QCOMPARE(argb(image.pixelColor(d.pixelOn(QPointF(25, 60)))), argb(background));
    QCOMPARE(argb(image.pixelColor(d.pixelOn(QPointF(100, 60)))), argb(colours.grid().zoom2Color));
    const QColor under = colours.grid().zoom2Color;
    const QColor over = colours.grid().zoom4Color;
    const QColor blended = image.pixelColor(d.pixelOn(QPointF(200, 60)));
    const auto mix = [](int below, int above) { return (below * (255 - 156) + above * 156) / 255.0; };
    QVERIFY(std::abs(blended.red() - mix(under.red(), over.red())) <= 1.0);
    QVERIFY(std::abs(blended.green() - mix(under.green(), over.green())) <= 1.0);
    QVERIFY(std::abs(blended.blue() - mix(under.blue(), over.blue())) <= 1.0);
}

// At the lower limit the picture keeps its last scale, but the grid follows the stored zoom,
// over the whole cached background at once.
void tst_Viewport::gridAtLowerLimit()
{
    style(QStringLiteral("Contrast"));
    ViewportDriver d;
    for (int i = 0; i < 14; ++i)
        QVERIFY(d.wheel(QPoint(0, -120)));
    // int(0.1028 * 255) = 26.
    QCOMPARE(argb(d.grab().pixelColor(d.pixelOn(QPointF(200, 60)))), QStringLiteral("#ff1a1a1a"));

    QVERIFY(d.wheel(QPoint(0, -120)));
    QCOMPARE(d.view.zoom(), 0.1);
    // int(0.1 * 255) = 25, on the old scale.
    QCOMPARE(argb(d.grab().pixelColor(d.pixelOn(QPointF(200, 60)))), QStringLiteral("#ff191919"));
    QCOMPARE(argb(d.grab().pixelColor(d.pixelOn(QPointF(-2200, 60)))), QStringLiteral("#ff191919"));
}

VLM_TEST_MAIN(tst_Viewport)
#include "tst_viewport.moc"
