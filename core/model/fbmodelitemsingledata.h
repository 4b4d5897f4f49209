#pragma once

#include "model/fbmodelitem.h"

#include <QDataStream>
#include <QVariant>

namespace Velmora {

// An item holding one value of type T.
template <typename T> class FBModelItemSingleData : public FBModelItem
{
public:
    explicit FBModelItemSingleData(FBModelItem* parent = nullptr)
        : FBModelItem(parent)
    { }
    FBModelItemSingleData(FBAbstractModel* model, FBModelItem* parent)
        : FBModelItem(model, parent)
    { }

    bool dataFromVariant(const QVariant& value) override
    {
        if (!value.canConvert<T>())
            return false;
        return setData(value.value<T>());
    }

    QVariant dataToVariant() const override { return QVariant::fromValue(data()); }

    virtual T data() const { return m_data; }

    // False, and no notification, when the value is already held.
    virtual bool setData(const T& value)
    {
        if (isDataEqual(value))
            return false;
        m_data = value;
        changedItem();
        return true;
    }

    virtual bool isDataEqual(T value) const { return value == data(); }

protected:
    // Stores without the equality test, for subclasses whose setData always notifies.
    void storeData(const T& value) { m_data = value; }

    // The record of an item whose value follows the base flags in the stream form of Stored.
    template <typename Stored = T> bool readFlagsAndValue(QDataStream& stream)
    {
        if (!FBModelItem::readData(stream))
            return false;
        Stored value {};
        stream >> value;
        if (stream.status() != QDataStream::Ok)
            return false;
        setData(T(value));
        return true;
    }
    template <typename Stored = T> void writeFlagsAndValue(QDataStream& stream) const
    {
        FBModelItem::writeData(stream);
        stream << Stored(data());
    }

private:
    T m_data {};
};

} // namespace Velmora
