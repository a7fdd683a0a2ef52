#pragma once

#include "platform/Displays.h"
#include "platform/NotificationCenter.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsWindowAccess.h"

#include <QTemporaryDir>
#include <QTest>

namespace mirevo::test {

// A settings window that only records what it was asked to do.
class FakeSettingsWindow : public SettingsWindowAccess {
public:
    bool open = false;
    QList<std::optional<SettingsTab>> requests;

    bool isSettingsWindowOpen() const override { return open; }
    void showSettings(std::optional<SettingsTab> tab) override { requests << tab; }
};

// Two 1920x1080 displays side by side, a store in a temporary folder and a private
// notification center.
struct IndicatorFixture {
    QTemporaryDir folder;
    AppSettingsManager store{folder.path()};
    FixedDisplays displays{{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1920, 1080)}};
    NotificationCenter center;
    FakeSettingsWindow settingsWindow;

    template <typename Edit> void editIndicator(Edit&& change)
    {
        store.edit([&](AppSettings& s) { change(s.imeIndicator); });
    }
};

// Drags the window with the left button from `from` (window coordinates) by `delta`, as
// the user would.
inline void drag(QWidget* window, QPoint from, QPoint delta)
{
    QTest::mousePress(window, Qt::LeftButton, {}, from);
    QTest::mouseMove(window, from + delta);
    QTest::mouseRelease(window, Qt::LeftButton, {}, from + delta);
}

} // namespace mirevo::test
