// Paints the application icon: three function blocks on a dark tile, two of them feeding the
// third through connections, one with a bend. Usage: velmora-appicon <size> <output.png>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

namespace {

// A block drawn on the 256-unit grid: body, title band and port stubs.
void paintBlock(QPainter& painter, const QRectF& body, const QColor& colour)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(body, 10, 10);
    painter.setBrush(colour.darker(140));
    QPainterPath title;
    title.addRoundedRect(QRectF(body.left(), body.top(), body.width(), 22), 10, 10);
    title.addRect(QRectF(body.left(), body.top() + 12, body.width(), 10));
    painter.drawPath(title.simplified());
}

void paintIcon(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x26, 0x32, 0x40));
    painter.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);

    const QColor amber(0xf2, 0xa6, 0x2c);
    const QColor sky(0x4f, 0xb8, 0xe8);
    const QColor mint(0x5c, 0xd6, 0x8f);

    QPen wire(QColor(0xee, 0xf2, 0xf5), 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(wire);
    painter.setBrush(Qt::NoBrush);
    QPainterPath upper;
    upper.moveTo(96, 76);
    upper.lineTo(124, 76);
    upper.lineTo(124, 134);
    upper.lineTo(150, 134);
    painter.drawPath(upper);
    QPainterPath lower;
    lower.moveTo(96, 182);
    lower.lineTo(124, 182);
    lower.lineTo(124, 160);
    lower.lineTo(150, 160);
    painter.drawPath(lower);

    paintBlock(painter, QRectF(34, 44, 62, 64), amber);
    paintBlock(painter, QRectF(34, 150, 62, 64), sky);
    paintBlock(painter, QRectF(150, 100, 72, 92), mint);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xee, 0xf2, 0xf5));
    for (const QPointF& port : { QPointF(96, 76), QPointF(96, 182), QPointF(150, 134), QPointF(150, 160) })
        painter.drawEllipse(port, 9, 9);
}

} // namespace

int main(int argc, char* argv[])
{
    // No text is drawn, so no platform plugin (and no display) is needed.
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    bool ok = false;
    const int size = arguments.value(1).toInt(&ok);
    if (arguments.size() != 3 || !ok || size < 16 || size > 1024) {
        QTextStream(stderr) << "Usage: velmora-appicon <size 16..1024> <output.png>\n";
        return 2;
    }

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(size / 256.0, size / 256.0);
    paintIcon(painter);
    painter.end();

    if (!image.save(arguments.at(2), "PNG")) {
        QTextStream(stderr) << "Can not write " << arguments.at(2) << "\n";
        return 1;
    }
    return 0;
}
