#pragma once

#include "model/fbmodelitem.h"

#include <QByteArray>
#include <QDataStream>
#include <QString>
#include <QStringList>

namespace Velmora {

// An item tree as one line: name=value[customVisible visible editable](children...).
inline QString describeTree(const FBModelItem* item)
{
    QString text = item->name() + QLatin1Char('=') + item->dataToVariant().toString()
        + QStringLiteral("[%1%2%3]")
              .arg(int(item->isCustomVisible()))
              .arg(int(item->isVisible()))
              .arg(int(item->isEditable()));
    if (item->hasChildren()) {
        QStringList children;
        for (const FBModelItem* child : item->childItems())
            children << describeTree(child);
        text += QLatin1Char('(') + children.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    return text;
}

// The stream record of an item, written as a project file writes it.
inline QByteArray itemRecord(const FBModelItem& item)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(16);
    item.writeToDataStream(stream);
    return bytes;
}

// Reads an item record as its owner does: the id first, then the item itself.
inline bool readItemRecord(const QByteArray& bytes, FBModelItem& item)
{
    QDataStream stream(bytes);
    stream.setVersion(16);
    QString id;
    stream >> id;
    return item.readFromDataStream(stream);
}

} // namespace Velmora
