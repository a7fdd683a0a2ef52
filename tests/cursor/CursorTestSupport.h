#pragma once

#include "cursor/MouseCursorIndicatorWindowManager.h"
#include "platform/Displays.h"
#include "platform/NotificationCenter.h"
#include "platform/PointerMonitor.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsNotifications.h"

#include <QEvent>
#include <QPointer>
#include <QTemporaryDir>

#include <memory>

namespace mirevo::test {

// Stands in for the global pointer monitor; tests emit pointerMoved() themselves.
class FakePointerMonitor : public PointerMonitor {
    Q_OBJECT
};

// Counts events of one type reaching a watched object.
class EventCounter : public QObject {
public:
    EventCounter(QObject* watched, QEvent::Type type) : m_type(type)
    {
        watched->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == m_type)
            ++count;
        return false;
    }

private:
    QEvent::Type m_type;
};

// A manager on a private store, a single 1920x1080 display, a private notification
// centre, a settable pointer and fake monitors.
struct CursorFixture {
    QTemporaryDir folder;
    AppSettingsManager store{folder.path()};
    FixedDisplays displays{{QRect(0, 0, 1920, 1080)}};
    NotificationCenter center;
    QPoint pointer{500, 680}; // (500, 400) in stored coordinates
    bool hasXInput = true;
    int monitorsCreated = 0;
    QPointer<FakePointerMonitor> lastMonitor;
    InputLanguage monitorLanguage = InputLanguage::english;
    std::unique_ptr<MouseCursorIndicatorWindowManager> manager;

    CursorFixture()
    {
        manager = std::make_unique<MouseCursorIndicatorWindowManager>(
            store, displays, center, [this] { return pointer; },
            [this]() -> std::unique_ptr<PointerMonitor> {
                if (!hasXInput)
                    return nullptr;
                ++monitorsCreated;
                auto monitor = std::make_unique<FakePointerMonitor>();
                lastMonitor = monitor.get();
                return monitor;
            },
            [this] { return monitorLanguage; });
    }

    template <typename Edit> void editAndNotify(Edit&& change)
    {
        store.edit(change);
        center.post(notifications::kMouseCursorIndicatorSettingsChanged);
    }
};

} // namespace mirevo::test
