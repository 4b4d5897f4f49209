#pragma once

#include "services/basefactory.h"
#include "services/factoryignoreerrorstrategy.h"

#include <QString>

namespace Velmora {

// A factory keyed by serialization id: every product learns the id it was made from.
template <typename Product>
class SerializableObjectFactory : public BaseFactory<QString, Product, FactoryIgnoreErrorStrategy>
{
public:
    Product* create(const QString& id) const override
    {
        Product* product = BaseFactory<QString, Product, FactoryIgnoreErrorStrategy>::create(id);
        if (product)
            product->setSerializationId(id);
        return product;
    }
};

} // namespace Velmora
