#pragma once

#include "vlm_gui_export.h"

#include <QDate>
#include <QImage>
#include <QPageSize>
#include <QRectF>
#include <QString>

class QPagedPaintDevice;
class QPainter;

namespace Velmora {

class GraphicsScene;

// Draws a diagram for a report: as a picture (PNG, SVG) or on pages (PDF, printer), as the
// editor shows it at zoom 1.0, without selection marks. With blocks selected, only those.
class VLM_GUI_EXPORT DiagramExporter
{
public:
    enum Background { WhiteBackground, StyleBackground };

    // What the title block of each page says.
    struct Title
    {
        QString project;
        QString model;
        QDate date = QDate::currentDate();
    };

    explicit DiagramExporter(GraphicsScene* scene);

    // The part of the scene drawn: the selected blocks, or every item, with a margin.
    QRectF sourceRect() const { return m_source; }

    QImage image(qreal scale, Background background) const;
    // Writes by the suffix of the path: .png (scale 1, white), .svg or .pdf (A4). False with
    // the reason in `error` when the file cannot be written or the suffix is none of those.
    bool write(const QString& path, const Title& title, QString& error) const;
    bool writePng(const QString& path, qreal scale, Background background, QString& error) const;
    bool writeSvg(const QString& path, QString& error) const;
    bool writePdf(const QString& path, QPageSize::PageSizeId size, const Title& title, QString& error) const;
    // Lays the diagram out on landscape pages of the device, each with a title block: one
    // page when it fits at half size or more, else as many pages as half size needs.
    // Returns the number of pages.
    int paintPages(QPagedPaintDevice* device, const Title& title) const;

private:
    void render(QPainter* painter, const QRectF& target, const QRectF& source, Background background) const;

    GraphicsScene* m_scene = nullptr;
    QRectF m_source;
};

} // namespace Velmora
