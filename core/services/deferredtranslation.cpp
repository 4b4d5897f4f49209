#include "services/deferredtranslation.h"

#include <QCoreApplication>

namespace Velmora {

namespace {

const int deferredTranslationMetaType = qRegisterMetaType<DeferredTranslation>("Velmora::DeferredTranslation");

} // namespace

DeferredTranslation DeferredTranslation::translate(const char* context, const char* sourceText,
                                                   const char* disambiguation, int n)
{
    DeferredTranslation text;
    text.m_context = QString::fromUtf8(context);
    text.m_sourceText = QString::fromUtf8(sourceText);
    text.m_disambiguation = QString::fromUtf8(disambiguation);
    text.m_n = n < 0 ? -1 : n;
    return text;
}

QString DeferredTranslation::translate() const
{
    const QByteArray context = m_context.toUtf8();
    const QByteArray source = m_sourceText.toUtf8();
    const QByteArray disambiguation = m_disambiguation.toUtf8();
    return QCoreApplication::translate(context.constData(), source.constData(),
                                       m_disambiguation.isEmpty() ? nullptr : disambiguation.constData(), m_n);
}

DeferredTranslation::operator QVariant() const
{
    return QVariant::fromValue(*this);
}

bool DeferredTranslation::operator==(const DeferredTranslation& other) const
{
    return m_context == other.m_context && m_sourceText == other.m_sourceText
        && m_disambiguation == other.m_disambiguation && m_n == other.m_n;
}

} // namespace Velmora
