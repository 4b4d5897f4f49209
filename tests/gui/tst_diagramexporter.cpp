#include "diagramexporter.h"

#include "diagramtesthelpers.h"
#include "filetesthelpers.h"
#include "testmain.h"

#include "editor/stylecollection.h"
#include "library/fblibreader.h"

#include <QDomDocument>
#include <QImage>

using namespace Velmora;

namespace {

// A row of `count` AND blocks, 400 apart, each fed by a HIGH block.
void placeRow(GraphicsScene& scene, int count)
{
    for (int i = 0; i < count; ++i) {
        FuncBlock* gate = placeBlock(scene, QStringLiteral("AND"), QPointF(400 * i + 200, 0));
        joinPorts(scene, placeBlock(scene, QStringLiteral("HIGH"), QPointF(400 * i, 0)), 0, gate, 0);
    }
}

// Page objects of a PDF, as Qt's writer lays them out.
int pdfPages(const QByteArray& pdf)
{
    return pdf.count("/Type /Page\n");
}

} // namespace

class tst_DiagramExporter : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void formats_data();
    void formats();
    void selectionOnly();

private:
    QTemporaryDir m_dir;
};

void tst_DiagramExporter::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(FBLibReader().readFromXml(QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml")));
    StyleCollection::instance().initCollection(QStringLiteral(VLM_SOURCE_DIR "/app/data/scene_styles.xml"));
    QVERIFY(StyleCollection::instance().setCurrentStyle(QStringLiteral("Light")));
}

void tst_DiagramExporter::formats_data()
{
    QTest::addColumn<int>("blocks");
    QTest::addColumn<int>("pages"); // of the PDF on A4

    QTest::newRow("small diagram") << 2 << 1;
    QTest::newRow("too wide for one page") << 12 << 3;
}

void tst_DiagramExporter::formats()
{
    QFETCH(int, blocks);
    QFETCH(int, pages);

    GraphicsScene scene;
    placeRow(scene, blocks);
    QCoreApplication::processEvents(); // the blocks lay themselves out
    const DiagramExporter exporter(&scene);
    const DiagramExporter::Title title { QStringLiteral("pump"), QStringLiteral("Tarkel-KV-D01"), QDate(2026, 12, 9) };
    QString error;

    // PNG: the requested scale, and a drawing on the white.
    const QString png = m_dir.filePath(QStringLiteral("d.png"));
    QVERIFY(exporter.writePng(png, 0.5, DiagramExporter::WhiteBackground, error));
    const QImage picture(png);
    QCOMPARE(picture.size(), (exporter.sourceRect().size() * 0.5).toSize());
    QVERIFY(picture.convertToFormat(QImage::Format_RGB32) != [&] {
        QImage white(picture.size(), QImage::Format_RGB32);
        white.fill(Qt::white);
        return white;
    }());

    // SVG: well-formed, with every block's title.
    const QString svg = m_dir.filePath(QStringLiteral("d.svg"));
    QVERIFY(exporter.write(svg, title, error));
    QDomDocument document;
    QVERIFY(document.setContent(fileBytes(svg)));
    const QString text = document.documentElement().text();
    QCOMPARE(text.count(QStringLiteral("AND")), blocks);
    QCOMPARE(text.count(QStringLiteral("HIGH")), blocks);

    const QString pdf = m_dir.filePath(QStringLiteral("d.pdf"));
    QVERIFY(exporter.write(pdf, title, error));
    QCOMPARE(pdfPages(fileBytes(pdf)), pages);

    QVERIFY(!exporter.write(m_dir.filePath(QStringLiteral("d.bmp")), title, error));
    QCOMPARE(error, QStringLiteral("the file name must end in .png, .svg or .pdf"));
}

void tst_DiagramExporter::selectionOnly()
{
    GraphicsScene scene;
    placeRow(scene, 3);
    FuncBlock* chosen = scene.getFuncBlocks().last();
    chosen->graphics()->setSelected(true);
    const DiagramExporter exporter(&scene);
    // The block's rectangle, whose ports' circles the margin holds, and the connection that
    // follows it.
    QRectF selected = chosen->graphics()->geometry();
    for (const QGraphicsItem* item : scene.selectedItems()) {
        if (item != chosen->graphics())
            selected |= item->sceneBoundingRect();
    }
    QCOMPARE(scene.selectedItems().size(), 2);
    QCOMPARE(exporter.sourceRect(), selected.adjusted(-20, -20, 20, 20));
    exporter.image(1.0, DiagramExporter::WhiteBackground);
    // The selection is given back after drawing, and the scene has settled it: clearing it
    // clears the block and the connection that follows it.
    QVERIFY(chosen->graphics()->isSelected());
    QCOMPARE(scene.selectedItems().size(), 2);
    scene.clearSelection();
    QCOMPARE(scene.selectedItems().size(), 0);
}

VLM_TEST_MAIN(tst_DiagramExporter)
#include "tst_diagramexporter.moc"
