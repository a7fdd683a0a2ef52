#pragma once

#include "settings/SettingsWindowAccess.h"

#include <QTest>

namespace mirevo::test {

// A settings window that only records what it was asked to do.
struct FakeSettingsWindow : SettingsWindowAccess {
    bool open = false;
    QList<std::optional<SettingsTab>> requests;

    bool isSettingsWindowOpen() const override { return open; }
    void showSettings(std::optional<SettingsTab> tab) override { requests << tab; }
};

// Drags the window with the left button from `from` (window coordinates) by `delta`.
inline void drag(QWidget* window, QPoint from, QPoint delta)
{
    QTest::mousePress(window, Qt::LeftButton, {}, from);
    QTest::mouseMove(window, from + delta);
    QTest::mouseRelease(window, Qt::LeftButton, {}, from + delta);
}

} // namespace mirevo::test
