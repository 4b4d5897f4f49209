#include "editor/scenestyle.h"
#include "editor/stylecollection.h"
#include "services/console.h"

#include "testmain.h"

#include <QGraphicsRectItem>
#include <QGraphicsScene>

#include <functional>

using namespace Velmora;

namespace {

const QString shippedPath = QStringLiteral(VLM_SOURCE_DIR "/app/data/scene_styles.xml");

using S = const SceneStyle&;
using ColorOf = std::function<QColor(S)>;

// Every colour of the shipped file, as ARGB hex for "Light" and "Dark".
const struct
{
    const char* field;
    ColorOf color;
    const char* light;
    const char* dark;
} shippedColors[] = {
    { "scene.background", [](S s) { return s.scene().backgroundColor; }, "#ffffffe8", "#ff414141" },
    { "grid.zoom1", [](S s) { return s.grid().zoom1Color; }, "#ffececec", "#ff3d3d3d" },
    { "grid.zoom2", [](S s) { return s.grid().zoom2Color; }, "#ffe6e6e6", "#ff373737" },
    { "grid.zoom3", [](S s) { return s.grid().zoom3Color; }, "#ffe1e1e1", "#ff323232" },
    { "grid.zoom4", [](S s) { return s.grid().zoom4Color; }, "#ffcdcdcd", "#ff1e1e1e" },
    { "block.background", [](S s) { return s.block().backgroundColor; }, "#c8f2f2f2", "#c8323232" },
    { "block.border", [](S s) { return s.block().borderColor; }, "#ff808080", "#ff686868" },
    { "block.select", [](S s) { return s.block().selectColor; }, "#ff0080ff", "#ff63bebe" },
    { "block.text", [](S s) { return s.block().textColor; }, "#ff1e1e1e", "#ffffffff" },
    { "port.border", [](S s) { return s.port().borderColor; }, "#ff808080", "#ff686868" },
    { "port.text", [](S s) { return s.port().textColor; }, "#ff1e1e1e", "#ffffffff" },
    { "connection.line", [](S s) { return s.connection().lineColor; }, "#ff000000", "#ff00ff00" },
    { "connection.lineSelect", [](S s) { return s.connection().lineSelectColor; }, "#ff0080ff", "#ff63bebe" },
    { "connection.lineHover", [](S s) { return s.connection().lineHoverColor; }, "#ffff7700", "#ffffff00" },
    { "connection.node", [](S s) { return s.connection().nodeColor; }, "#ffff0000", "#ffff0000" },
    { "connection.nodeSelect", [](S s) { return s.connection().nodeSelectColor; }, "#ffff0000", "#ffff0000" },
    { "connection.nodeHover", [](S s) { return s.connection().nodeHoverColor; }, "#ffff6f00", "#ffff6f00" },
    { "types.int8", [](S s) { return s.types().color("int8"); }, "#ffd7d24e", "#ffd7d24e" },
    { "types.int16", [](S s) { return s.types().color("int16"); }, "#ffd77b4e", "#ffd77b4e" },
    { "types.int32", [](S s) { return s.types().color("int32"); }, "#ffcb4444", "#ffcb4444" },
    { "types.uint8", [](S s) { return s.types().color("uint8"); }, "#ffcb4483", "#ffcb4483" },
    { "types.uint16", [](S s) { return s.types().color("uint16"); }, "#ffcbb9cb", "#ffcbb9cb" },
    { "types.uint32", [](S s) { return s.types().color("uint32"); }, "#ffc60808", "#ffc60808" },
    { "types.float", [](S s) { return s.types().color("float"); }, "#ff4e72ff", "#ff4e72ff" },
    { "types.bool", [](S s) { return s.types().color("bool"); }, "#ff4eff8a", "#ff4eff8a" },
    { "types.int64", [](S s) { return s.types().color("int64"); }, "invalid", "invalid" },
    { "title.background", [](S s) { return s.blockTitle().backgroundColor; }, "#ff1e1e1e", "#ff1e1e1e" },
    { "title.text", [](S s) { return s.blockTitle().textColor; }, "#ffffffff", "#ffffffff" },
    { "title.border", [](S s) { return s.blockTitle().borderColor; }, "#ff686868", "#ff686868" },
};

QString argb(const QColor& color)
{
    return color.isValid() ? color.name(QColor::HexArgb) : QStringLiteral("invalid");
}

QString styles(const QString& body)
{
    return QStringLiteral("<scene_style_collection>%1</scene_style_collection>").arg(body);
}

QString style(const QString& name, const QString& background = QStringLiteral("#FF0000"))
{
    return QStringLiteral("<scene_style name=\"%1\"><scene><background_color>%2</background_color></scene>"
                          "</scene_style>")
        .arg(name, background);
}

// Writes `content` to a file in `dir` and gives its path.
QString writeFile(const QTemporaryDir& dir, const QString& content, const QString& name = QStringLiteral("s.xml"))
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content.toUtf8()) < 0)
        return QString();
    return file.fileName();
}

} // namespace

class tst_StyleCollection : public QObject
{
    Q_OBJECT
private slots:
    void shippedColours_data();
    void shippedColours();
    void blockAlpha_data();
    void blockAlpha();
    void missingOrBadColoursAreInvalid();
    void duplicateNameStopsLoading();
    void failuresKeepCollection_data();
    void failuresKeepCollection();
    void parseErrorReported();
    void setCurrentStyleRepaintsScenes();
    void readSettings_data();
    void readSettings();
    void settingsRoundTrip();
    void emptyCollectionPaintsEmptyStyle();

private:
    QTemporaryDir m_dir;
};

void tst_StyleCollection::shippedColours_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("expected");

    for (int i = 0; i < int(std::size(shippedColors)); ++i) {
        const auto& row = shippedColors[i];
        QTest::addRow("Light %s", row.field) << "Light" << i << row.light;
        QTest::addRow("Dark %s", row.field) << "Dark" << i << row.dark;
    }
}

void tst_StyleCollection::shippedColours()
{
    QFETCH(QString, style);
    QFETCH(int, field);
    QFETCH(QString, expected);

    StyleCollection collection;
    QVERIFY(collection.initCollection(shippedPath));
    QCOMPARE(collection.getNameStyles(), QList<QString>({ "Dark", "Light" }));
    QVERIFY(collection.containsStyle(style));
    QVERIFY(collection.setCurrentStyle(style));
    QCOMPARE(argb(shippedColors[field].color(*collection.currentStyle())), expected);
}

void tst_StyleCollection::blockAlpha_data()
{
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<QString>("expected");

    QTest::newRow("128") << QString(" alpha = \"128\"") << QString("#80ff0000");
    QTest::newRow("absent") << QString() << QString("#c8ff0000");
    QTest::newRow("not a number") << QString(" alpha=\"half\"") << QString("#c8ff0000");
    QTest::newRow("out of range") << QString(" alpha=\"300\"") << QString("#c8ff0000");
}

void tst_StyleCollection::blockAlpha()
{
    QFETCH(QString, attribute);
    QFETCH(QString, expected);

    StyleCollection collection;
    QVERIFY(collection.initCollection(
        writeFile(m_dir,
                  styles(QStringLiteral("<scene_style name=\"A\"><block><background_color%1>#FF0000</background_color>"
                                        "</block></scene_style>")
                             .arg(attribute)))));
    QVERIFY(collection.setCurrentStyle("A"));
    QCOMPARE(argb(collection.currentStyle()->block().backgroundColor), expected);
}

void tst_StyleCollection::missingOrBadColoursAreInvalid()
{
    StyleCollection collection;
    QVERIFY(collection.initCollection(
        writeFile(m_dir,
                  styles("<scene_style name=\"A\"><unknown/><port><text_color>#00F</text_color>"
                         "<border_color>reddish</border_color></port><scene><background_color>#123456"
                         "</background_color></scene></scene_style>"))));
    QVERIFY(collection.setCurrentStyle("A"));
    const SceneStyle& a = *collection.currentStyle();
    for (const QColor& zoom : { a.grid().zoom1Color, a.grid().zoom2Color, a.grid().zoom3Color, a.grid().zoom4Color })
        QVERIFY(!zoom.isValid());
    QCOMPARE(argb(a.scene().backgroundColor), QString("#ff123456"));
    QCOMPARE(argb(a.port().textColor), QString("#ff0000ff"));
    QVERIFY(!a.port().borderColor.isValid());
}

void tst_StyleCollection::duplicateNameStopsLoading()
{
    StyleCollection collection;
    QVERIFY(!collection.initCollection(
        writeFile(m_dir, styles(style("B", "#111") + style("A", "#222") + style("B", "#333") + style("C")))));
    QCOMPARE(collection.getNameStyles(), QList<QString>({ "A", "B" }));
    QVERIFY(collection.setCurrentStyle("B"));
    QCOMPARE(argb(collection.currentStyle()->scene().backgroundColor), QString("#ff111111"));
}

void tst_StyleCollection::failuresKeepCollection_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<int>("printed");

    QTest::newRow("not xml") << "scene styles" << 1;
    QTest::newRow("other root") << "<styles>" + style("B") + "</styles>" << 0;
    QTest::newRow("missing file") << QString() << 0;
}

void tst_StyleCollection::failuresKeepCollection()
{
    QFETCH(QString, content);
    QFETCH(int, printed);

    StyleCollection collection;
    QVERIFY(collection.initCollection(writeFile(m_dir, styles(style("A")))));
    QVERIFY(collection.setCurrentStyle("A"));
    const QString path = content.isNull() ? m_dir.filePath("absent.xml") : writeFile(m_dir, content);
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);

    QVERIFY(!collection.initCollection(path));
    QCOMPARE(collection.getNameStyles(), QList<QString>({ "A" }));
    QCOMPARE(collection.currentStyleName(), QString("A"));
    QCOMPARE(console.count(), printed);
}

void tst_StyleCollection::parseErrorReported()
{
    // A '%1' in the file name stays as it is in the line.
    const QString path = writeFile(m_dir, "<scene_style_collection>\n  <scene_style>", "bad%1.xml");
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);
    StyleCollection collection;
    QVERIFY(!collection.initCollection(path));
    QCOMPARE(console.count(), 1);
    const QString line = console.at(0).at(0).toString();
    const QString prefix = QStringLiteral("styles %1 parse error (row 2, column 16): ").arg(path);
    QVERIFY2(line.startsWith(prefix) && line.size() > prefix.size() + 1 && line.endsWith('.'), qPrintable(line));
}

void tst_StyleCollection::setCurrentStyleRepaintsScenes()
{
    StyleCollection collection;
    QVERIFY(collection.initCollection(shippedPath));
    QVERIFY(collection.setCurrentStyle("Light"));
    QGraphicsScene scene(0, 0, 100, 50);
    scene.addItem(new QGraphicsRectItem(10, 10, 20, 20));
    QCoreApplication::processEvents();
    QSignalSpy changed(&scene, &QGraphicsScene::changed);
    collection.addScene(&scene);
    collection.addScene(&scene);

    QVERIFY(!collection.setCurrentStyle("Blue"));
    QVERIFY(!collection.setCurrentStyle(QString()));
    QCOMPARE(collection.currentStyle()->name(), QString("Light"));
    QVERIFY(collection.setCurrentStyle("Dark"));
    QCoreApplication::processEvents();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).value<QList<QRectF>>(), QList<QRectF>({ QRectF(0, 0, 100, 50) }));

    // Added twice, registered once: one removal withdraws it.
    collection.removeScene(&scene);
    QVERIFY(collection.setCurrentStyle("Light"));
    QCoreApplication::processEvents();
    QCOMPARE(changed.count(), 1);
}

void tst_StyleCollection::readSettings_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty settings") << QVariant() << QString() << QString("Dark");
    QTest::newRow("empty settings, Light current") << QVariant() << QString("Light") << QString("Dark");
    QTest::newRow("Light") << QVariant("Light") << QString() << QString("Light");
    QTest::newRow("unknown, Light current") << QVariant("Blue") << QString("Light") << QString("Light");
    QTest::newRow("unknown, none current") << QVariant("Blue") << QString() << QString("Dark");
    QTest::newRow("empty name, Light current") << QVariant("") << QString("Light") << QString("Light");
}

void tst_StyleCollection::readSettings()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, before);
    QFETCH(QString, expected);

    QSettings settings(m_dir.filePath(QTest::currentDataTag() + QStringLiteral(".ini")), QSettings::IniFormat);
    if (stored.isValid())
        settings.setValue("style_collection/current_style", stored);
    StyleCollection collection;
    QVERIFY(collection.initCollection(shippedPath));
    QVERIFY(before.isEmpty() || collection.setCurrentStyle(before));

    collection.readSettings(settings);
    QCOMPARE(collection.currentStyleName(), expected);
    QCOMPARE(collection.currentStyle()->name(), expected);
    QCOMPARE(settings.group(), QString());
}

void tst_StyleCollection::settingsRoundTrip()
{
    const QString path = m_dir.filePath("roundtrip.ini");
    {
        QSettings settings(path, QSettings::IniFormat);
        StyleCollection collection;
        QVERIFY(collection.initCollection(shippedPath));
        QVERIFY(collection.setCurrentStyle("Light"));
        collection.writeSettings(settings);
        QCOMPARE(settings.group(), QString());
    }
    QSettings settings(path, QSettings::IniFormat);
    QCOMPARE(settings.value("style_collection/current_style"), QVariant("Light"));
    StyleCollection collection;
    QVERIFY(collection.initCollection(shippedPath));
    collection.readSettings(settings);
    QCOMPARE(collection.currentStyleName(), QString("Light"));
}

void tst_StyleCollection::emptyCollectionPaintsEmptyStyle()
{
    StyleCollection collection;
    QVERIFY(collection.initCollection(writeFile(m_dir, styles(style("Light")))));
    QSettings settings(m_dir.filePath("empty.ini"), QSettings::IniFormat);
    collection.readSettings(settings); // "Dark" is not loaded
    QCOMPARE(collection.currentStyleName(), QString());
    QVERIFY(!collection.currentStyle());

    const SceneStyle& style = collection.paintStyle();
    QVERIFY(!style.scene().backgroundColor.isValid());
    QVERIFY(!style.block().backgroundColor.isValid());
    QVERIFY(!style.types().color("int8").isValid());
}

VLM_TEST_MAIN(tst_StyleCollection)
#include "tst_stylecollection.moc"
