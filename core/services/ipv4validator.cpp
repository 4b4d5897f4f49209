#include "services/ipv4validator.h"

namespace Velmora {

namespace {

const char* const octet = "(25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)";

} // namespace

Ipv4Validator::Ipv4Validator(QObject* parent)
    : QRegExpValidator(QRegExp(QStringLiteral("\\b%1\\.%1\\.%1\\.%1\\b").arg(QLatin1String(octet))), parent)
{ }

} // namespace Velmora
