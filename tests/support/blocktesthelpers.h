#pragma once

#include "editor/fbabstractblockgraphics.h"
#include "editor/funcblock.h"
#include "library/fblibreader.h"
#include "library/fbmodelfactory.h"
#include "model/fbabstractmodel.h"

#include <QString>

namespace Velmora {

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
