#pragma once

#include "settings/SettingsWindowAccess.h"

#include <QList>

namespace mirevo::test {

// A settings window that only records what it was asked to do.
class FakeSettingsWindow : public SettingsWindowAccess {
public:
    bool open = false;
    QList<std::optional<SettingsTab>> requests;

    bool isSettingsWindowOpen() const override { return open; }
    void showSettings(std::optional<SettingsTab> tab) override { requests << tab; }
};

} // namespace mirevo::test
