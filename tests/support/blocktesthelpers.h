#pragma once

#include "editor/fbabstractblockgraphics.h"
#include "editor/funcblock.h"
#include "library/fblibreader.h"
#include "library/fbmodelfactory.h"
#include "model/fbabstractmodel.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

namespace Velmora {

// A scene's area drawn into an image of a size, over a background, as an export draws it; a
// GraphicsScene renders at the level of detail of the scale.
template <class Scene>
QImage renderedArea(Scene& scene, const QRectF& source, const QSize& size, const QColor& background = Qt::white)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    scene.render(&painter, QRectF(image.rect()), source);
    return image;
}

// The shipped block library, read once per test program into a registry of its own.
inline FBModelFactory& shippedLibrary()
{
    static FBModelFactory* factory = [] {
        auto* library = new FBModelFactory;
        FBLibReader(library).readFromXml(QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml"));
        return library;
    }();
    return *factory;
}

// A block of the shipped library with its graphics built, as the scene makes one; null for
// a name the library does not know.
inline FuncBlock* createBlock(const QString& protoName)
{
    FBAbstractModel* model = shippedLibrary().create(protoName);
    if (!model)
        return nullptr;
    auto* block = new FuncBlock(model);
    block->setGraphics(FBAbstractBlockGraphics::factory().create(model->serializationId()));
    return block;
}

} // namespace Velmora
