#pragma once

#include <QList>
#include <QMap>
#include <QtGlobal>

namespace Velmora {

// Creates products by id from registered builders. The factory owns its builders; the caller
// owns every product.
template <typename Id, typename Product, template <typename, typename> class ErrorStrategy>
class BaseFactory : public ErrorStrategy<Id, Product>
{
    Q_DISABLE_COPY(BaseFactory)
public:
    class BaseBuilder
    {
    public:
        virtual ~BaseBuilder() = default;
        virtual Product* create() const = 0;
    };

    template <typename T> class Builder : public BaseBuilder
    {
    public:
        Product* create() const override { return new T; }
    };

    BaseFactory() = default;
    virtual ~BaseFactory() { qDeleteAll(m_builders); }

    template <typename T> bool registerBuilder(const Id& id)
    {
        if (isRegistred(id)) {
            if (!this->onRegisteringDuplicate(id))
                return false;
            delete m_builders.take(id);
        }
        m_builders.insert(id, new Builder<T>);
        return true;
    }

    bool isRegistred(const Id& id) const { return m_builders.contains(id); }
    QList<Id> getIdList() const { return m_builders.keys(); }

    virtual Product* create(const Id& id) const
    {
        const BaseBuilder* builder = m_builders.value(id, nullptr);
        if (!builder)
            return this->onCreateFailed(id);
        return builder->create();
    }

private:
    QMap<Id, BaseBuilder*> m_builders;
};

} // namespace Velmora
