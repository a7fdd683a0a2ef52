#include "platform/Accessibility.h"

namespace mirevo {
namespace {

class X11Accessibility : public Accessibility {
public:
    bool isProcessTrusted() const override { return true; }
    bool openPrivacySettings() override { return false; }
};

} // namespace

Accessibility& Accessibility::system()
{
    static X11Accessibility accessibility;
    return accessibility;
}

} // namespace mirevo
