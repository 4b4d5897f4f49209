#include "testmain.h"

#include "editor/cachedtext.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include <functional>

using namespace Velmora;

namespace {

// Whether the cached text paints exactly what drawText paints, under a zoom and an odd offset.
bool drawsLikeDrawText(CachedText& cached, const QFont& font, const QRectF& rect, int flags, const QString& text,
                       qreal scale = 1.0)
{
    const auto paint = [&](const std::function<void(QPainter&)>& draw) {
        QImage image(240, 120, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        painter.translate(3.3, 2.7);
        painter.scale(scale, scale);
        painter.setPen(Qt::black);
        painter.setFont(font);
        draw(painter);
        return image;
    };
    return paint([&](QPainter& painter) { cached.draw(&painter, rect, flags, text); })
        == paint([&](QPainter& painter) { painter.drawText(rect, flags, text); });
}

} // namespace

class TestCachedText : public QObject
{
    Q_OBJECT
private slots:
    void drawsWhatDrawTextDraws_data();
    void drawsWhatDrawTextDraws();
    void followsChanges();
};

void TestCachedText::drawsWhatDrawTextDraws_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QSizeF>("size"); // empty: the text's own size
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<bool>("bold");

    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    const int right = Qt::AlignRight | Qt::AlignVCenter;
    QTest::newRow("input label") << "In 1 (bool)" << left << QSizeF() << 1.0 << false;
    QTest::newRow("output label, zoomed out") << "(int32) Out" << right << QSizeF() << 0.117 << false;
    QTest::newRow("title, zoomed in") << "ANALOG_SIGNAL" << int(Qt::AlignCenter) << QSizeF(200, 40) << 2.5 << true;
    QTest::newRow("trailing and inner spaces") << "  a  b  " << int(Qt::AlignCenter) << QSizeF(150, 30) << 1.0 << false;
    QTest::newRow("tab and carriage return") << "a\tb\rc" << right << QSizeF(150, 30) << 1.0 << false;
    QTest::newRow("two lines") << "first\nsecond line" << int(Qt::AlignCenter) << QSizeF(150, 60) << 0.8 << false;
    QTest::newRow("two lines, single line flag")
        << "first\nsecond" << int(Qt::AlignCenter | Qt::TextSingleLine) << QSizeF(150, 60) << 1.0 << false;
    QTest::newRow("overflow, clipped") << "a much longer text than fits" << int(Qt::AlignCenter) << QSizeF(60, 8) << 1.0
                                       << false;
    QTest::newRow("overflow, not clipped")
        << "a much longer text than fits" << int(Qt::AlignCenter | Qt::TextDontClip) << QSizeF(60, 8) << 1.0 << false;
    QTest::newRow("bottom right") << "42" << int(Qt::AlignBottom | Qt::AlignRight) << QSizeF(100, 50) << 1.3 << false;
    QTest::newRow("left to drawText: word wrap")
        << "wrap these words" << int(Qt::AlignLeft | Qt::TextWordWrap) << QSizeF(50, 80) << 1.0 << false;
    QTest::newRow("empty") << "" << int(Qt::AlignCenter) << QSizeF(50, 20) << 1.0 << false;
    QTest::newRow("Cyrillic") << "Вход 1 (bool)" << left << QSizeF() << 1.0 << false;
    QTest::newRow("left to drawText: right to left") << "שלום 1" << right << QSizeF(120, 30) << 1.0 << false;
}

// The cache must not change a single pixel against drawText, at any zoom.
void TestCachedText::drawsWhatDrawTextDraws()
{
    QFETCH(QString, text);
    QFETCH(int, flags);
    QFETCH(QSizeF, size);
    QFETCH(qreal, scale);
    QFETCH(bool, bold);

    QFont font(QStringLiteral("Arial"), 10);
    font.setBold(bold);
    if (size.isEmpty())
        size = QFontMetricsF(font).size(Qt::TextSingleLine, text);
    const QRectF rect(QPointF(4.5, 3.25), size);

    CachedText cached;
    for (int pass = 0; pass < 2; ++pass)
        QVERIFY2(drawsLikeDrawText(cached, font, rect, flags, text, scale),
                 qPrintable(QStringLiteral("pass %1").arg(pass)));
}

// A changed text, rectangle or font is laid out again.
void TestCachedText::followsChanges()
{
    CachedText cached;
    const QRectF rect(0, 0, 200, 30);
    // A rectangle exactly one line high holds one line; a hair taller, it would hold the second.
    const qreal line = QFontMetricsF(QFont(QStringLiteral("Arial"), 10)).height();
    const QRectF oneLine(0, 0, 200, line);
    struct Step
    {
        QString text;
        QRectF rect;
        int pointSize;
    };
    const Step steps[] = { { "AND", rect, 10 },
                           { "XOR", rect, 10 },
                           { "XOR", rect.translated(7, 5), 10 },
                           { "XOR", rect, 14 },
                           { "", rect, 14 },
                           { "one\ntwo", oneLine.adjusted(0, 0, 0, line * 1e-13), 10 },
                           { "one\ntwo", oneLine, 10 } };
    for (const Step& step : steps) {
        const QFont font(QStringLiteral("Arial"), step.pointSize);
        QVERIFY2(drawsLikeDrawText(cached, font, step.rect, Qt::AlignLeft | Qt::AlignVCenter, step.text),
                 qPrintable(step.text));
    }
}

VLM_TEST_MAIN(TestCachedText)
#include "tst_cachedtext.moc"
