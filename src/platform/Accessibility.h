#pragma once

namespace mirevo {

// Whether the system trusts the process with accessibility access, and a way to the
// system's settings for it.
class Accessibility {
public:
    virtual ~Accessibility() = default;
    // Asks quietly: the system's own prompt is never requested.
    virtual bool isProcessTrusted() const = 0;
    // Opens the system's privacy settings at the accessibility page; false when there is
    // no such page.
    virtual bool openPrivacySettings() = 0;

    // X11 has no such permission: the process is always trusted there.
    static Accessibility& system();
};

} // namespace mirevo
