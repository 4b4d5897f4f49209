#include "projectdump.h"

#include "editor/connectionpresenter.h"
#include "editor/fbabstractblockgraphics.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "editor/iconnectionmodel.h"
#include "model/fbbasemodel.h"
#include "model/fbcommentmodel.h"
#include "model/fbmodeldatanum.h"
#include "model/fbmodelitem.h"
#include "model/fbmodelport.h"
#include "project/project.h"

#include <QPointF>
#include <QStringList>

#include <charconv>
#include <cmath>

namespace Velmora {

namespace {

QString string(const QString& text)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\') + c;
        else if (c == QLatin1Char('\n'))
            quoted += QLatin1String("\\n");
        else if (c == QLatin1Char('\t'))
            quoted += QLatin1String("\\t");
        else if (c.unicode() < 0x20)
            quoted += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            quoted += c;
    }
    return quoted + QLatin1Char('"');
}

// The shortest text that reads back as the same value; a float as a float, so that 0.1f
// is 0.1 and not the double it widens to.
template <typename T> QString number(T value)
{
    if (!std::isfinite(value))
        return QStringLiteral("null");
    char text[32];
    const std::to_chars_result end = std::to_chars(text, text + sizeof(text), value);
    return QString::fromLatin1(text, int(end.ptr - text));
}

QString boolean(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString value(const QVariant& value)
{
    switch (int(value.type())) {
    case QMetaType::UnknownType:
        return QStringLiteral("null");
    case QMetaType::Bool:
        return boolean(value.toBool());
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return QString::number(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return QString::number(value.toULongLong());
    case QMetaType::Float:
        return number(value.toFloat());
    case QMetaType::Double:
        return number(value.toDouble());
    default:
        return string(value.toString());
    }
}

QString point(const QPointF& point)
{
    return QStringLiteral("[%1, %2]").arg(number(point.x()), number(point.y()));
}

QString itemLine(const FBModelItem* item)
{
    QString line = QStringLiteral("{\"item\": ") + string(item->name());
    if (const auto* port = dynamic_cast<const FBModelPort*>(item)) {
        return line + QStringLiteral(", \"port\": %1, \"type\": %2, \"visible\": %3}")
                          .arg(string(port->data().portName()), string(port->data().currentType()),
                               boolean(port->isVisible()));
    }
    if (const auto* number = dynamic_cast<const FBModelDataNum*>(item))
        line += QStringLiteral(", \"type\": ") + string(number->typeName());
    return line + QStringLiteral(", \"value\": ") + value(item->dataToVariant()) + QLatin1Char('}');
}

// The item tree below the root, depth first.
void collectItems(const FBModelItem* parent, QStringList& lines)
{
    for (const FBModelItem* item : parent->childItems()) {
        lines << itemLine(item);
        collectItems(item, lines);
    }
}

// Each entry on lines of its own at `indent`, separated by commas; "[]" when there are none.
QString array(const QStringList& entries, const QString& indent)
{
    if (entries.isEmpty())
        return QStringLiteral("[]");
    const QString inner = indent + QStringLiteral("  ");
    return QStringLiteral("[\n") + inner + entries.join(QStringLiteral(",\n") + inner) + QLatin1Char('\n') + indent
        + QLatin1Char(']');
}

QString block(const FuncBlock* block)
{
    const FBAbstractModel* model = block->model();
    const auto* base = dynamic_cast<const FBBaseModel*>(model);
    const FBModelItem* inputs = model->findItem(QStringLiteral("inputs"));
    const QPointF position = block->graphics() ? block->graphics()->pos() : QPointF();
    QStringList items;
    if (model->rootItem())
        collectItems(model->rootItem(), items);

    const QString indent = QStringLiteral("    ");
    QStringList fields {
        QStringLiteral("\"callOrder\": ") + (base ? QString::number(base->callOrder()) : QStringLiteral("null")),
        QStringLiteral("\"prototype\": ") + string(model->protoName()),
        QStringLiteral("\"id\": ") + string(block->id().toString()),
        QStringLiteral("\"position\": ") + point(position),
        QStringLiteral("\"inputCount\": ") + QString::number(inputs ? inputs->childCount() : 0),
    };
    if (const auto* comment = qobject_cast<const FBCommentModel*>(model))
        fields << QStringLiteral("\"text\": ") + string(comment->text());
    fields << QStringLiteral("\"items\": ") + array(items, indent + QStringLiteral("  "));
    return QStringLiteral("{\n") + indent + QStringLiteral("  ") + fields.join(QStringLiteral(",\n  ") + indent)
        + QLatin1Char('\n') + indent + QLatin1Char('}');
}

QString connection(const ConnectionPresenter* connection)
{
    QStringList route;
    for (const ConnectionNode& node : connection->model()->nodes())
        route << point(connection->pos() + node.pos);
    return QStringLiteral("{\"from\": %1, \"output\": %2, \"to\": %3, \"input\": %4, \"route\": [%5]}")
        .arg(string(connection->emitterId()))
        .arg(connection->emitterIndex())
        .arg(string(connection->receiverId()))
        .arg(connection->receiverIndex())
        .arg(route.join(QStringLiteral(", ")));
}

} // namespace

QByteArray ProjectDump::json(const Project& project)
{
    const GraphicsScene& scene = *project.scene();
    QStringList blocks;
    for (const FuncBlock* funcBlock : scene.getFuncBlocks())
        blocks << block(funcBlock);
    QStringList connections;
    for (const ConnectionPresenter* presenter : scene.getConnections())
        connections << connection(presenter);

    const QString indent = QStringLiteral("  ");
    const QString text = QStringLiteral("{\n  \"model\": {\"code\": %1, \"name\": %2},\n  \"blocks\": %3,\n"
                                        "  \"connections\": %4\n}\n")
                             .arg(int(project.getDevice()))
                             .arg(string(deviceTypeToName(project.getDevice())), array(blocks, indent),
                                  array(connections, indent));
    return text.toUtf8();
}

} // namespace Velmora
