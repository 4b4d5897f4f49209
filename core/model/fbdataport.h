#pragma once

#include "vlm_core_export.h"

#include <QMetaType>
#include <QString>
#include <QStringList>

class QDataStream;

namespace Velmora {

// The value of one port: its label, the types it may take, the type it has and whether it
// has to be connected.
class VLM_CORE_EXPORT FBDataPort
{
public:
    QString portName() const { return m_portName; }
    void setPortName(const QString& name) { m_portName = name; }
    QStringList possibleTypes() const { return m_possibleTypes; }
    void setPossibleTypes(const QStringList& types) { m_possibleTypes = types; }
    QString typeName() const { return m_typeName; }
    void setTypeName(const QString& type) { m_typeName = type; }
    QString currentType() const { return m_typeName; }
    void setCurrentType(const QString& type) { m_typeName = type; }
    bool requireConnection() const { return m_requireConnection; }
    void setRequireConnection(bool require) { m_requireConnection = require; }

    operator QString() const { return m_typeName; }

    // requireConnection is not compared.
    bool operator==(const FBDataPort& other) const;
    bool operator!=(const FBDataPort& other) const { return !(*this == other); }

private:
    QString m_portName;
    QStringList m_possibleTypes;
    QString m_typeName;
    bool m_requireConnection = true;
};

VLM_CORE_EXPORT QDataStream& operator<<(QDataStream& stream, const FBDataPort& port);
VLM_CORE_EXPORT QDataStream& operator>>(QDataStream& stream, FBDataPort& port);

} // namespace Velmora

Q_DECLARE_METATYPE(Velmora::FBDataPort)
