#include "settings/SettingsWindowAccess.h"

namespace mirevo {
namespace {

std::function<SettingsWindowAccess&()>& provider()
{
    static std::function<SettingsWindowAccess&()> instance;
    return instance;
}

} // namespace

SettingsWindowAccess* SettingsWindowAccess::shared()
{
    return provider() ? &provider()() : nullptr;
}

void SettingsWindowAccess::setSharedProvider(std::function<SettingsWindowAccess&()> newProvider)
{
    provider() = std::move(newProvider);
}

} // namespace mirevo
