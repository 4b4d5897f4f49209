#include "diagramtesthelpers.h"
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
    QPoint scroll() const { return { view.horizontalScrollBar()->value(), view.verticalScrollBar()->value() }; }
    // The scene point at the exact middle of the viewport.
    QPointF centre() const { return view.viewportTransform().inverted().map(QRectF(viewport()->rect()).center()); }

    // A press, move (button NoButton) or release at a viewport pixel.
    void mouse(QEvent::Type type, const QPoint& pos, Qt::MouseButton button, Qt::KeyboardModifiers keys)
    {
        if (type == QEvent::MouseButtonPress)
            held |= button;
        if (type == QEvent::MouseButtonRelease)
            held &= ~button;
        QMouseEvent event(type, pos, viewport()->mapToGlobal(pos), button, held, keys);
        QCoreApplication::sendEvent(viewport(), &event);
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
    // The colour of the pixel that a two-pixel grid line through this scene point covers whole.
    QString pixel(const QImage& image, const QPointF& scenePos) const
    {
        const QPointF mapped = view.viewportTransform().map(scenePos);
        return image.pixelColor(int(std::floor(mapped.x())), int(std::floor(mapped.y()))).name(QColor::HexArgb);
    }
};

// Records every drawLines call with the painter's pen, and every filled rectangle with the
// colour of its brush. It claims every feature, so QPainter hands each call over unchanged.
class RecordingEngine : public QPaintEngine
{
public:
    RecordingEngine()
        : QPaintEngine(QPaintEngine::AllFeatures)
    { }

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override { }
    void drawLines(const QLineF* lines, int count) override
    {
        calls.append({ painter()->pen(), { lines, lines + count } });
    }
    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            fills.append({ rects[i], painter()->brush().color() });
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { }
    Type type() const override { return QPaintEngine::User; }

    QVector<QPair<QPen, QVector<QLineF>>> calls;
    QVector<QPair<QRectF, QColor>> fills;
};

// A 1000 x 700 device, like the viewport, that paints into the recording engine.
class RecordingDevice : public QImage
{
public:
    RecordingDevice()
        : QImage(1000, 700, QImage::Format_ARGB32)
    { }
    QPaintEngine* paintEngine() const override { return &engine; }

    mutable RecordingEngine engine;
};

// Lets a test hand the viewport a painter and an exposed rectangle of its choice.
class ExposedViewport : public Viewport
{
public:
    using Viewport::drawBackground;
    using Viewport::Viewport;
};

QStringList describe(const QVector<QLineF>& lines)
{
    QStringList texts;
    for (const QLineF& line : lines)
        texts << QStringLiteral("%1,%2 %3,%4").arg(line.x1()).arg(line.y1()).arg(line.x2()).arg(line.y2());
    return texts;
}

QString level(int spacing, qreal width, const QColor& colour)
{
    return QStringLiteral("%1 %2 %3").arg(spacing).arg(width).arg(colour.name(QColor::HexArgb));
}

const SceneStyle& style(const QString& name)
{
    StyleCollection::instance().setCurrentStyle(name);
    return *StyleCollection::instance().currentStyle();
}

QString argb(const QColor& color)
{
    return color.name(QColor::HexArgb);
}

} // namespace

class tst_Viewport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void construction();
    void wheel_data();
    void wheel();
    void gridLevels_data();
    void gridLevels();
    void gridLines_data();
    void gridLines();
    void backgroundOfWholeScene();
    void panning_data();
    void panning();
    void renderedViewport_data();
    void renderedViewport();

private:
    QTemporaryDir m_dir;
};

void tst_Viewport::initTestCase()
{
    QVERIFY(FBLibReader().readFromXml(QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml")));
    QVERIFY(StyleCollection::instance().initCollection(QStringLiteral(VLM_SOURCE_DIR "/app/data/scene_styles.xml")));
    // A white 200 grid on black, so that one step of its alpha shows as one step of grey.
    QFile contrast(m_dir.filePath(QStringLiteral("contrast.xml")));
    QVERIFY(contrast.open(QIODevice::WriteOnly));
    contrast.write("<scene_style_collection><scene_style name=\"Contrast\"><scene><background_color>#000"
                   "</background_color></scene><grid><zoom_4_color>#FFF</zoom_4_color></grid></scene_style>"
                   "</scene_style_collection>");
    contrast.close();
    QVERIFY(StyleCollection::instance().initCollection(contrast.fileName()));
}

void tst_Viewport::init()
{
    QVERIFY(StyleCollection::instance().setCurrentStyle(QStringLiteral("Light")));
}

// What a user meets: rubber-band selection, zoom about the mouse, no scroll bars, hover
// reaching the items, smooth lines, a cached background and a grid step of 5.
void tst_Viewport::construction()
{
    ViewportDriver d;
    QVERIFY(d.view.hasMouseTracking());
    QCOMPARE(d.view.renderHints(), QPainter::Antialiasing | QPainter::TextAntialiasing);
    const QVector<int> settings { d.view.dragMode(),
                                  d.view.transformationAnchor(),
                                  d.view.horizontalScrollBarPolicy(),
                                  d.view.verticalScrollBarPolicy(),
                                  int(d.view.cacheMode()),
                                  d.scene.getGrid()->step() };
    QCOMPARE(settings,
             QVector<int>({ QGraphicsView::RubberBandDrag, QGraphicsView::AnchorUnderMouse, Qt::ScrollBarAlwaysOff,
                            Qt::ScrollBarAlwaysOff, QGraphicsView::CacheBackground, 5 }));
}

void tst_Viewport::wheel_data()
{
    QTest::addColumn<QPoint>("angle");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("back");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<double>("scale");

    const QPoint in(0, 120);
    const QPoint out(0, -120);
    QTest::newRow("in") << in << 1 << 0 << 1.15 << 1.15;
    QTest::newRow("smallest in") << QPoint(0, 1) << 1 << 0 << 1.15 << 1.15;
    // No vertical step, no zoom: a sideways wheel must not zoom out.
    QTest::newRow("sideways") << QPoint(120, 0) << 1 << 0 << 1.0 << 1.0;
    QTest::newRow("out") << out << 1 << 0 << 0.85 << 0.85;
    // 1.15^7 = 2.66; the eighth step would give 3.059 and stops at 3, the picture at 2.66.
    QTest::newRow("upper limit") << in << 9 << 0 << 3.0 << std::pow(1.15, 7);
    // The way back starts from the stored limit.
    QTest::newRow("back from the upper limit") << in << 9 << 1 << 2.55 << 2.55;
    // 0.85^14 = 0.1028; the fifteenth step would give 0.0874 and stops at 0.1.
    QTest::newRow("before the lower limit") << out << 14 << 0 << std::pow(0.85, 14) << std::pow(0.85, 14);
    QTest::newRow("lower limit") << out << 16 << 0 << 0.1 << std::pow(0.85, 14);
    QTest::newRow("back from the lower limit") << out << 16 << 1 << 0.115 << 0.115;
}

// Each step zooms by 15 %, between 0.1 and 3; a step that does not scale the picture does not
// scroll it either. The 200 grid, white on black here, fades below 1 with alpha
// int(zoom * 255), following the stored zoom over the whole cached background at once.
void tst_Viewport::wheel()
{
    QFETCH(QPoint, angle);
    QFETCH(int, steps);
    QFETCH(int, back);
    QFETCH(double, zoom);
    QFETCH(double, scale);

    style(QStringLiteral("Contrast"));
    ViewportDriver d;
    for (int i = 0; i < steps + back; ++i) {
        const QTransform before = d.view.transform();
        const QPoint scrolled = d.scroll();
        QVERIFY(d.wheel(i < steps ? angle : -angle));
        if (d.view.transform() == before)
            QCOMPARE(d.scroll(), scrolled);
        d.viewport()->grab(); // a cached background for the next step to leave stale
    }
    QCOMPARE(d.view.zoom(), zoom);
    QCOMPARE(d.view.transform().m11(), scale);
    QCOMPARE(d.view.transform().m22(), scale);

    const QImage image = d.viewport()->grab().toImage();
    const int grey = int(qMin(zoom, 1.0) * 255);
    const QString line = QColor(grey, grey, grey).name(QColor::HexArgb);
    QCOMPARE(d.pixel(image, QPointF(0, 60)), line);
    const double left = d.view.mapToScene(QPoint(10, 0)).x();
    QCOMPARE(d.pixel(image, QPointF(200 * std::ceil(left / 200), 60)), line);
}

void tst_Viewport::gridLevels_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QStringList>("levels");

    // Above 2 the 5 grid shows; above 0.8 the 25 and 100 grids; above 0.5 the 100 grid in the
    // second colour. The 200 grid fades below 1 with alpha int(zoom * 255).
    QTest::newRow("2.5") << 2.5
                         << QStringList { "5 1 #ffececec", "25 2 #ffe6e6e6", "100 2 #ffe1e1e1", "200 2 #ffcdcdcd" };
    QTest::newRow("2.0") << 2.0 << QStringList { "25 2 #ffe6e6e6", "100 2 #ffe1e1e1", "200 2 #ffcdcdcd" };
    QTest::newRow("1.0") << 1.0 << QStringList { "25 2 #ffe6e6e6", "100 2 #ffe1e1e1", "200 2 #ffcdcdcd" };
    QTest::newRow("0.85") << 0.85 << QStringList { "25 2 #ffe6e6e6", "100 2 #ffe1e1e1", "200 2 #d8cdcdcd" };
    QTest::newRow("0.8") << 0.8 << QStringList { "100 2 #ffe6e6e6", "200 2 #cccdcdcd" };
    QTest::newRow("0.5") << 0.5 << QStringList { "200 2 #7fcdcdcd" };
}

void tst_Viewport::gridLevels()
{
    QFETCH(double, zoom);
    QFETCH(QStringList, levels);

    GraphicsScene scene;
    QStringList computed;
    for (const SceneGrid::GridLevel& grid : scene.getGrid()->levels(zoom))
        computed << level(grid.spacing, grid.width, grid.colour);
    QCOMPARE(computed, levels);
}

void tst_Viewport::gridLines_data()
{
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<QStringList>("lines");

    // L = -130, -130 % 25 = -5: the first vertical line is at -125; T = -60 gives -50.
    QTest::newRow("negative edges") << QRectF(-130.7, -60.2, 80.0, 40.0) << 25
                                    << QStringList { "-125,-60 -125,-20", "-100,-60 -100,-20", "-75,-60 -75,-20",
                                                     "-130,-50 -50,-50", "-130,-25 -50,-25" };
    // L = 130 gives 125 and T = 20 gives 0, at or before the edges.
    QTest::newRow("positive edges") << QRectF(130.7, 20.5, 60.0, 40.0) << 25
                                    << QStringList { "125,20 125,60", "150,20 150,60", "175,20 175,60",
                                                     "130,0 190,0",   "130,25 190,25", "130,50 190,50" };
    QTest::newRow("right edge excluded") << QRectF(0, 0, 400, 200) << 200
                                         << QStringList { "0,0 0,200", "200,0 200,200", "0,0 400,0" };
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

// The view repaints its whole scene rectangle after a change of style; what is drawn stays
// within reach of the painter's device, 5 units around it: one fill, then one drawLines call
// per grid level with a cosmetic pen.
void tst_Viewport::backgroundOfWholeScene()
{
    GraphicsScene scene;
    ExposedViewport view(&scene);
    RecordingDevice device;
    QPainter painter(&device);
    view.drawBackground(&painter, QRectF(-50000, -50000, 100000, 100000));
    painter.end();

    const QRectF reach(-5, -5, 1010, 710);
    QCOMPARE(device.engine.fills, (QVector<QPair<QRectF, QColor>> { { reach, QColor("#ffffe8") } }));
    QStringList drawn;
    for (const auto& [pen, lines] : qAsConst(device.engine.calls)) {
        const int spacing = int(lines.at(1).x1() - lines.at(0).x1());
        drawn << level(spacing, pen.widthF(), pen.color());
        QVERIFY(pen.isCosmetic() && pen.capStyle() == Qt::RoundCap);
        QCOMPARE(lines, SceneGrid::lines(reach, spacing));
    }
    QCOMPARE(drawn, QStringList({ "25 2 #ffe6e6e6", "100 2 #ffe1e1e1", "200 2 #ffcdcdcd" }));
    QCOMPARE(device.engine.calls.at(0).second.size(), 41 + 29);
}

void tst_Viewport::panning_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("keys");
    QTest::addColumn<bool>("onBlock");
    QTest::addColumn<bool>("pans");

    QTest::newRow("alt and left on a block") << int(Qt::LeftButton) << int(Qt::AltModifier) << true << true;
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
    FuncBlock* block = placeBlock(d.scene, QStringLiteral("AND"), QPointF(-100, -50));
    QVERIFY(block);
    const QPointF blockPos = block->graphics()->pos();
    const QPoint start = d.view.mapFromScene(onBlock ? SceneView::body(block) : QPointF(150, 200));
    const QPoint drag(100, 60);
    const QPointF centre = d.centre();
    const auto modifiers = Qt::KeyboardModifiers(keys);
    d.mouse(QEvent::MouseMove, start, Qt::NoButton, modifiers);
    d.mouse(QEvent::MouseButtonPress, start, Qt::MouseButton(button), modifiers);
    for (const QPoint& to : { start + drag / 2, start + drag })
        d.mouse(QEvent::MouseMove, to, Qt::NoButton, modifiers);
    d.mouse(QEvent::MouseButtonRelease, start + drag, Qt::MouseButton(button), modifiers);

    // The pressed scene point stays under the cursor: the view moves against the drag.
    QCOMPARE(d.view.zoom(), 1.0);
    QCOMPARE(d.centre(), pans ? centre - QPointF(drag) : centre);
    QCOMPARE(block->graphics()->pos(), pans ? blockPos : blockPos + QPointF(drag));
    QCOMPARE(block->graphics()->isSelected(), !pans);
    QCOMPARE(d.scene.undoStack()->count(), pans ? 1 : 2);
}

void tst_Viewport::renderedViewport_data()
{
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("registered");

    QTest::newRow("light to dark") << "Dark" << true;
    QTest::newRow("dark to light, scene not registered") << "Light" << false;
}

// The background is cached; a change of style must still reach every pixel of it, for a
// scene the styles repaint and for one they do not know.
void tst_Viewport::renderedViewport()
{
    QFETCH(QString, to);
    QFETCH(bool, registered);

    style(to == "Dark" ? QStringLiteral("Light") : QStringLiteral("Dark"));
    ViewportDriver d;
    if (registered)
        StyleCollection::instance().addScene(&d.scene);
    const QString before = argb(StyleCollection::instance().currentStyle()->scene().backgroundColor);
    QCOMPARE(d.pixel(d.viewport()->grab().toImage(), QPointF(12.5, 60)), before);

    const SceneStyle& colours = style(to);
    if (!registered)
        d.viewport()->update();
    const QImage image = d.viewport()->grab().toImage();
    if (qEnvironmentVariableIsSet("VLM_RENDER_DIR"))
        image.save(qEnvironmentVariable("VLM_RENDER_DIR") + QStringLiteral("/viewport_%1.png").arg(to));

    // Background in the middle and in a corner, then the 25, 100 and 200 grids.
    QStringList pixels;
    for (const QPointF& at :
         { QPointF(12.5, 60), QPointF(-480, -330), QPointF(25, 60), QPointF(100, 60), QPointF(200, 60) })
        pixels << d.pixel(image, at);
    const QString background = argb(colours.scene().backgroundColor);
    const StyleGrid& grid = colours.grid();
    QCOMPARE(
        pixels,
        QStringList({ background, background, argb(grid.zoom2Color), argb(grid.zoom3Color), argb(grid.zoom4Color) }));
}

VLM_TEST_MAIN(tst_Viewport)
#include "tst_viewport.moc"