#include "diagramexporter.h"

#include "editor/graphicsscene.h"
#include "editor/stylecollection.h"
#include "editor/scenestyle.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGraphicsItem>
#include <QGraphicsWidget>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>

namespace Velmora {

namespace {

constexpr qreal margin = 20;
constexpr qreal smallestScale = 0.5;
constexpr qreal sceneDpi = 96; // a scene unit is a pixel at zoom 1.0 on a 96-dpi screen

QString exportText(const char* text)
{
    return QCoreApplication::translate("DiagramExporter", text);
}

// Selection marks are not part of the drawing: the selection is taken off while drawing
// and given back after.
class SelectionHidden
{
public:
    explicit SelectionHidden(GraphicsScene* scene)
        : m_scene(scene)
        , m_selected(scene->selectedItems())
    {
        const QSignalBlocker quiet(scene);
        for (QGraphicsItem* item : qAsConst(m_selected))
            item->setSelected(false);
    }
    ~SelectionHidden()
    {
        if (m_selected.isEmpty())
            return;
        {
            const QSignalBlocker quiet(m_scene);
            for (QGraphicsItem* item : qAsConst(m_selected))
                item->setSelected(true);
        }
        // The scene takes note of each item's change and settles them at the next selection
        // signal: one now, while every item noted still exists.
        emit m_scene->selectionChanged();
    }
    Q_DISABLE_COPY(SelectionHidden)

private:
    GraphicsScene* m_scene;
    QList<QGraphicsItem*> m_selected;
};

} // namespace

DiagramExporter::DiagramExporter(GraphicsScene* scene)
    : m_scene(scene)
{
    QRectF bounds;
    // A block's own rectangle: the margin around the picture holds its ports' circles.
    for (const QGraphicsItem* item : scene->selectedItems())
        bounds |= item->isWidget() ? static_cast<const QGraphicsWidget*>(item)->geometry() : item->sceneBoundingRect();
    if (bounds.isEmpty())
        bounds = scene->itemsBoundingRect();
    if (bounds.isEmpty())
        bounds = QRectF(0, 0, 1, 1);
    m_source = bounds.adjusted(-margin, -margin, margin, margin);
}

void DiagramExporter::render(QPainter* painter, const QRectF& target, const QRectF& source,
                             Background background) const
{
    const QColor style = StyleCollection::instance().paintStyle().scene().backgroundColor;
    painter->fillRect(target, background == StyleBackground && style.isValid() ? style : QColor(Qt::white));
    // With a selection, only the selected items; the selection itself is restored afterwards.
    QList<QGraphicsItem*> hidden;
    if (!m_scene->selectedItems().isEmpty()) {
        for (QGraphicsItem* item : m_scene->items(source)) {
            if (!item->parentItem() && !item->isSelected() && item->isVisible()) {
                item->setVisible(false);
                hidden << item;
            }
        }
    }
    {
        const SelectionHidden plain(m_scene);
        m_scene->render(painter, target, source, Qt::KeepAspectRatio);
    }
    for (QGraphicsItem* item : qAsConst(hidden))
        item->setVisible(true);
}

QImage DiagramExporter::image(qreal scale, Background background) const
{
    // Smaller pictures are the full drawing made smaller: drawn small, the blocks would leave
    // their texts out as the zoomed-out editor does.
    const QSize size = (m_source.size() * scale).toSize().expandedTo(QSize(1, 1));
    if (scale < 1.0)
        return image(1.0, background).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&picture);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    render(&painter, QRectF(QPointF(0, 0), size), m_source, background);
    return picture;
}

bool DiagramExporter::writePng(const QString& path, qreal scale, Background background, QString& error) const
{
    if (image(scale, background).save(path, "PNG"))
        return true;
    error = exportText(QT_TRANSLATE_NOOP("DiagramExporter", "the picture could not be written"));
    return false;
}

bool DiagramExporter::writeSvg(const QString& path, QString& error) const
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(m_source.size().toSize());
    svg.setViewBox(QRectF(QPointF(0, 0), m_source.size()));
    svg.setTitle(QFileInfo(path).completeBaseName());
    QPainter painter;
    if (!painter.begin(&svg)) {
        error = exportText(QT_TRANSLATE_NOOP("DiagramExporter", "the picture could not be written"));
        return false;
    }
    render(&painter, QRectF(QPointF(0, 0), m_source.size()), m_source, WhiteBackground);
    return painter.end();
}

bool DiagramExporter::writePdf(const QString& path, QPageSize::PageSizeId size, const Title& title,
                               QString& error) const
{
    QPdfWriter pdf(path);
    // Labels keep their laid-out text between paints, laid out for the screen: the page's
    // units are screen pixels too, so that the text lands where its layout says. The PDF is
    // drawn in vectors all the same.
    pdf.setResolution(int(sceneDpi));
    pdf.setPageSize(QPageSize(size));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    pdf.setCreator(QStringLiteral("Velmora"));
    pdf.setTitle(title.project);
    if (paintPages(&pdf, title) > 0)
        return true;
    error = exportText(QT_TRANSLATE_NOOP("DiagramExporter", "the document could not be written"));
    return false;
}

int DiagramExporter::paintPages(QPagedPaintDevice* device, const Title& title) const
{
    QPainter painter;
    if (!painter.begin(device))
        return 0;
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const qreal unit = device->logicalDpiX() / sceneDpi; // device pixels per scene unit
    const QRectF page(0, 0, device->width(), device->height());
    const qreal titleHeight = QFontMetricsF(painter.font(), device).height() * 2;
    const QRectF area = page.adjusted(0, 0, 0, -titleHeight);

    // Scene units per page area, at the largest scale up to 1 that fits, but no smaller than
    // half size: below that the labels could not be read, and the diagram goes on more pages.
    const qreal fit = std::min(area.width() / (m_source.width() * unit), area.height() / (m_source.height() * unit));
    const qreal scale = std::max(std::min(fit, 1.0), smallestScale);
    const QSizeF tile(area.width() / (unit * scale), area.height() / (unit * scale));
    const int columns = std::max(1, int(std::ceil(m_source.width() / tile.width() - 1e-9)));
    const int rows = std::max(1, int(std::ceil(m_source.height() / tile.height() - 1e-9)));
    const int pages = columns * rows;
    for (int row = 0, number = 1; row < rows; ++row) {
        for (int column = 0; column < columns; ++column, ++number) {
            if (number > 1)
                device->newPage();
            const QRectF source = QRectF(m_source.topLeft() + QPointF(column * tile.width(), row * tile.height()), tile)
                                      .intersected(m_source);
            const QRectF target(area.topLeft(), source.size() * unit * scale);
            render(&painter, target, source, WhiteBackground);
            painter.setPen(Qt::black);
            painter.drawLine(QPointF(page.left(), area.bottom()), QPointF(page.right(), area.bottom()));
            const QString footer = exportText(QT_TRANSLATE_NOOP("DiagramExporter", "%1 — %2 — %3 — page %4 of %5"))
                                       .arg(title.project, title.model, title.date.toString(Qt::ISODate))
                                       .arg(number)
                                       .arg(pages);
            painter.drawText(QRectF(page.left(), area.bottom(), page.width(), titleHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, footer);
        }
    }
    painter.end();
    return pages;
}

bool DiagramExporter::write(const QString& path, const Title& title, QString& error) const
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return writePng(path, 1.0, WhiteBackground, error);
    if (suffix == QLatin1String("svg"))
        return writeSvg(path, error);
    if (suffix == QLatin1String("pdf"))
        return writePdf(path, QPageSize::A4, title, error);
    error = exportText(QT_TRANSLATE_NOOP("DiagramExporter", "the file name must end in .png, .svg or .pdf"));
    return false;
}

} // namespace Velmora
