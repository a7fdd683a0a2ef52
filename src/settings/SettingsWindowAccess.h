#pragma once

#include <functional>
#include <optional>

namespace mirevo {

// The tabs of the settings window, with their stored raw values.
enum class SettingsTab { imeIndicator = 0, clock = 1, mouseCursor = 2, about = 3 };

// A raw value of 4 or more (or a negative one) is no tab.
inline std::optional<SettingsTab> settingsTabFromRawValue(int raw)
{
    if (raw < 0 || raw > 3)
        return std::nullopt;
    return static_cast<SettingsTab>(raw);
}

// What the floating windows need of the settings window: whether it is open, and a way
// to open it. The settings window's manager provides it; the floating windows do not
// depend on the settings pages.
class SettingsWindowAccess {
public:
    virtual ~SettingsWindowAccess() = default;
    virtual bool isSettingsWindowOpen() const = 0;
    // Opens the window on `tab` (nothing: the tab it had), or raises it when open.
    virtual void showSettings(std::optional<SettingsTab> tab) = 0;

    // The program's settings window, as registered at start-up; nullptr before that.
    static SettingsWindowAccess* shared();
    static void setSharedProvider(std::function<SettingsWindowAccess&()> provider);
};

} // namespace mirevo
