#pragma once

#include "model/fbdataport.h"
#include "model/fbmodelitemsingledata.h"
#include "vlm_core_export.h"

#include <QVector>

#include <functional>

namespace Velmora {

// One input or output of a block.
class VLM_CORE_EXPORT FBModelPort : public FBModelItemSingleData<FBDataPort>
{
public:
    using FBModelItemSingleData<FBDataPort>::FBModelItemSingleData;

    // The ports a port is joined to by connections, as the diagram knows them.
    using Joined = std::function<QVector<FBModelPort*>(const FBModelPort*)>;

    // The ports that take `type` along with `port`, so that every connection keeps one type at
    // both ends: those joined to it, and those joined to them, as far as they hold another
    // type. False, with `ports` empty, when one of them can not take the type.
    static bool joinedToRetype(const FBModelPort* port, const QString& type, const Joined& joined,
                               QVector<FBModelPort*>& ports);
    // The type a new connection agrees on and the ports that change to it: the receiver takes
    // the emitter's type when it can, else the emitter takes the receiver's, each with the
    // ports joined to it. False when neither can. Changes nothing.
    static bool planTypeMatch(FBModelPort* receiver, FBModelPort* emitter, const Joined& joined, QString& type,
                              QVector<FBModelPort*>& ports);
    // Lets two ports joined to nothing else agree on a type, receiver first; false, with
    // nothing changed, when they can not.
    static bool matchPortTypes(FBModelPort* receiver, FBModelPort* emitter);
    static void setCurrentTypes(const QVector<FBModelPort*>& ports, const QString& type);

    bool initFromXmlLib(const QDomElement& element) override;
    int type() const override { return 1004; }
    QString name() const override;
    bool hasName(const QString& name) const override;
    QString displayName() const override;
    bool dataFromVariant(const QVariant& value) override;
    QVariant dataToVariant() const override;
    FBModelItem* clone() const override;

    // A port with a choice of types is editable.
    bool setData(const FBDataPort& port) override;

    // The port holds the type, or offers it among a choice of types.
    bool canTake(const QString& type) const;

    bool isConnected() const { return m_connected; }
    void setConnected(bool connected);

    // A comma-separated type list, each name trimmed; empty parts are kept.
    static QStringList splitTypes(const QString& types);

protected:
    bool readData(QDataStream& stream) override;
    void writeData(QDataStream& stream) const override;

private:
    bool m_connected = false;
};

} // namespace Velmora
