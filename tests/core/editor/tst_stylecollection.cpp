#include "editor/scenestyle.h"
#include "editor/stylecollection.h"
#include "services/console.h"

#include "testmain.h"

#include <QGraphicsRectItem>
#include <QGraphicsScene>

using namespace Velmora;

namespace {

const QString shippedPath = QStringLiteral(VLM_SOURCE_DIR "/app/data/scene_styles.xml");

QString argb(const QColor& color)
{
    return color.isValid() ? color.name(QColor::HexArgb) : QStringLiteral("invalid");
}

// Every colour of a style: scene, grid, block, port, connection, types, block title.
QStringList colours(const SceneStyle& s)
{
    QStringList list;
    for (const QColor& c : { s.scene().backgroundColor, s.grid().zoom1Color, s.grid().zoom2Color, s.grid().zoom3Color,
                             s.grid().zoom4Color, s.block().backgroundColor, s.block().borderColor,
                             s.block().selectColor, s.block().textColor, s.port().borderColor, s.port().textColor,
                             s.connection().lineColor, s.connection().lineSelectColor, s.connection().lineHoverColor,
                             s.connection().nodeColor, s.connection().nodeSelectColor, s.connection().nodeHoverColor })
        list << argb(c);
    for (const char* type : { "int8", "int16", "int32", "uint8", "uint16", "uint32", "float", "bool", "int64" })
        list << argb(s.types().color(QLatin1String(type)));
    for (const QColor& c : { s.blockTitle().backgroundColor, s.blockTitle().textColor, s.blockTitle().borderColor })
        list << argb(c);
    return list;
}

const QString red = QStringLiteral("<scene><background_color>#F00</background_color></scene>");

QString style(const QString& name, const QString& body = red)
{
    return QStringLiteral("<scene_style name=\"%1\">%2</scene_style>").arg(name, body);
}

QString styles(const QString& body)
{
    return QStringLiteral("<scene_style_collection>%1</scene_style_collection>").arg(body);
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
    void parsedColour_data();
    void parsedColour();
    void failuresKeepCollection_data();
    void failuresKeepCollection();
    void setCurrentStyleRepaintsScenes();
    void readSettings_data();
    void readSettings();

private:
    QTemporaryDir m_dir;
};

void tst_StyleCollection::shippedColours_data()
{
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("Light") << QStringList { "#ffffffe8", "#ffececec", "#ffe6e6e6", "#ffe1e1e1", "#ffcdcdcd",
                                            "#c8f2f2f2", "#ff808080", "#ff0080ff", "#ff1e1e1e", "#ff808080",
                                            "#ff1e1e1e", "#ff000000", "#ff0080ff", "#ffff7700", "#ffff0000",
                                            "#ffff0000", "#ffff6f00", "#ffd7d24e", "#ffd77b4e", "#ffcb4444",
                                            "#ffcb4483", "#ffcbb9cb", "#ffc60808", "#ff4e72ff", "#ff4eff8a",
                                            "invalid",   "#ff1e1e1e", "#ffffffff", "#ff686868" };
    QTest::newRow("Dark") << QStringList { "#ff414141", "#ff3d3d3d", "#ff373737", "#ff323232", "#ff1e1e1e", "#c8323232",
                                           "#ff686868", "#ff63bebe", "#ffffffff", "#ff686868", "#ffffffff", "#ff00ff00",
                                           "#ff63bebe", "#ffffff00", "#ffff0000", "#ffff0000", "#ffff6f00", "#ffd7d24e",
                                           "#ffd77b4e", "#ffcb4444", "#ffcb4483", "#ffcbb9cb", "#ffc60808", "#ff4e72ff",
                                           "#ff4eff8a", "invalid",   "#ff1e1e1e", "#ffffffff", "#ff686868" };
}

void tst_StyleCollection::shippedColours()
{
    QFETCH(QStringList, expected);

    StyleCollection collection;
    QVERIFY(collection.initCollection(shippedPath));
    QCOMPARE(collection.getNameStyles(), QList<QString>({ "Dark", "Light" }));
    QVERIFY(collection.setCurrentStyle(QTest::currentDataTag()));
    QCOMPARE(colours(*collection.currentStyle()), expected);
}

void tst_StyleCollection::parsedColour_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("expected");

    // The field is the place in colours(): 0 scene, 1 grid zoom 1, 5 block background, 9 and 10
    // port border and text.
    const QString block = QStringLiteral("<block><background_color%1>#FF0000</background_color></block>");
    QTest::newRow("alpha 128") << block.arg(" alpha = \"128\"") << 5 << "#80ff0000";
    QTest::newRow("alpha absent") << block.arg("") << 5 << "#c8ff0000";
    QTest::newRow("alpha not a number") << block.arg(" alpha=\"half\"") << 5 << "#c8ff0000";
    QTest::newRow("alpha out of range") << block.arg(" alpha=\"300\"") << 5 << "#c8ff0000";
    QTest::newRow("short form") << "<port><text_color>#00F</text_color></port>" << 10 << "#ff0000ff";
    QTest::newRow("not a colour") << "<port><border_color>reddish</border_color></port>" << 9 << "invalid";
    QTest::newRow("unknown element") << "<unknown/><scene><background_color>#123456</background_color></scene>" << 0
                                     << "#ff123456";
}

// One colour given; every other colour of the style stays invalid.
void tst_StyleCollection::parsedColour()
{
    QFETCH(QString, body);
    QFETCH(int, field);
    QFETCH(QString, expected);

    StyleCollection collection;
    QVERIFY(collection.initCollection(writeFile(m_dir, styles(style("A", body)))));
    QVERIFY(collection.setCurrentStyle("A"));
    QStringList all = colours(*collection.currentStyle());
    QCOMPARE(all.takeAt(field), expected);
    QCOMPARE(all.count(QStringLiteral("invalid")), all.size());
}

void tst_StyleCollection::failuresKeepCollection_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("printed");

    const QStringList kept { "A" };
    // A '%1' in the file name stays as it is in the message.
    QTest::newRow("not xml") << "bad%1.xml"
                             << "<scene_style_collection>\n  <scene_style>" << kept
                             << "styles %1 parse error (row 2, column 16): ";
    QTest::newRow("other root") << "s.xml"
                                << "<styles>" + style("B") + "</styles>" << kept << QString();
    QTest::newRow("missing file") << "absent.xml" << QString() << kept << QString();
    // The styles before a second "B" stay, and nothing after it is read.
    QTest::newRow("name twice") << "twice.xml" << styles(style("B") + style("C") + style("B") + style("D"))
                                << QStringList { "A", "B", "C" } << QString();
}

// A file that cannot be read keeps what the collection had, and its current style.
void tst_StyleCollection::failuresKeepCollection()
{
    QFETCH(QString, name);
    QFETCH(QString, content);
    QFETCH(QStringList, names);
    QFETCH(QString, printed);

    StyleCollection collection;
    QVERIFY(collection.initCollection(writeFile(m_dir, styles(style("A")))));
    QVERIFY(collection.setCurrentStyle("A"));
    const QString path = content.isNull() ? m_dir.filePath(name) : writeFile(m_dir, content, name);
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);

    QVERIFY(!collection.initCollection(path));
    QCOMPARE(collection.getNameStyles(), names);
    QCOMPARE(collection.currentStyleName(), QString("A"));
    QCOMPARE(console.count(), printed.isEmpty() ? 0 : 1);
    if (!printed.isEmpty()) {
        // The reader's own words follow, ended with a full stop.
        const QString line = console.at(0).at(0).toString();
        const QString prefix = printed.arg(path);
        QVERIFY2(line.startsWith(prefix) && line.size() > prefix.size() + 1 && line.endsWith('.'), qPrintable(line));
    }
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
    QTest::addColumn<QString>("file");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("expected");

    const QString& shipped = shippedPath;
    QTest::newRow("empty settings") << shipped << QVariant() << QString() << QString("Dark");
    QTest::newRow("empty settings, Light current") << shipped << QVariant() << QString("Light") << QString("Dark");
    QTest::newRow("Light") << shipped << QVariant("Light") << QString() << QString("Light");
    QTest::newRow("unknown, Light current") << shipped << QVariant("Blue") << QString("Light") << QString("Light");
    QTest::newRow("unknown, none current") << shipped << QVariant("Blue") << QString() << QString("Dark");
    // Painting then goes on with an empty style.
    QTest::newRow("no Dark to fall back on")
        << writeFile(m_dir, styles(style("Light"))) << QVariant() << QString() << QString();
}

// The stored style is taken if loaded; else the current one stays, else "Dark".
void tst_StyleCollection::readSettings()
{
    QFETCH(QString, file);
    QFETCH(QVariant, stored);
    QFETCH(QString, before);
    QFETCH(QString, expected);

    QSettings settings(m_dir.filePath(QTest::currentDataTag() + QStringLiteral(".ini")), QSettings::IniFormat);
    if (stored.isValid())
        settings.setValue("style_collection/current_style", stored);
    StyleCollection collection;
    QVERIFY(collection.initCollection(file));
    QVERIFY(before.isEmpty() || collection.setCurrentStyle(before));

    collection.readSettings(settings);
    QCOMPARE(collection.currentStyleName(), expected);
    QCOMPARE(bool(collection.currentStyle()), !expected.isEmpty());
    QCOMPARE(collection.paintStyle().name(), expected);
    QCOMPARE(settings.group(), QString());
}

VLM_TEST_MAIN(tst_StyleCollection)
#include "tst_stylecollection.moc"