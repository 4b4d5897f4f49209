#pragma once

namespace Velmora {

// Error policy of a factory: a duplicate registration is refused (the first one stays) and
// an unknown id creates nothing.
template <typename Id, typename Product> class FactoryIgnoreErrorStrategy
{
protected:
    bool onRegisteringDuplicate(const Id&) const { return false; }
    Product* onCreateFailed(const Id&) const { return nullptr; }
};

} // namespace Velmora
