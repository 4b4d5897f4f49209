#include "model/fbcommentmodel.h"

#include <QDataStream>
#include <QDomElement>

namespace Velmora {

namespace {

const bool registered = FBAbstractModel::factory().registerBuilder<FBCommentModel>(QStringLiteral("comment_model"));

} // namespace

FBCommentModel::FBCommentModel(QObject* parent)
    : FBAbstractModel(parent)
{ }

FBAbstractModel* FBCommentModel::clone() const
{
    if (!rootItem())
        return nullptr;
    auto* model = new FBCommentModel;
    copyBaseTo(model);
    model->m_text = m_text;
    return model;
}

void FBCommentModel::changedItem(FBModelItem*) { }

bool FBCommentModel::initFromXmlLib(const QDomElement& element)
{
    m_text = element.attribute(QStringLiteral("defaultText"), tr("Add text"));
    return true;
}

bool FBCommentModel::writeToDataStream(QDataStream& stream) const
{
    if (!FBAbstractModel::writeToDataStream(stream))
        return false;
    stream << m_text;
    return stream.status() == QDataStream::Ok;
}

bool FBCommentModel::readFromDataStream(QDataStream& stream)
{
    if (!readRoot(stream))
        return false;
    QString text;
    stream >> text;
    if (stream.status() != QDataStream::Ok)
        return false;
    m_text = text;
    return true;
}

} // namespace Velmora
