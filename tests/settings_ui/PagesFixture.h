#pragma once

#include "platform/Displays.h"
#include "platform/NotificationCenter.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsNotifications.h"
#include "settings_ui/AboutView.h"
#include "settings_ui/ClockSettingsView.h"
#include "settings_ui/IMEIndicatorSettingsView.h"
#include "settings_ui/MouseCursorIndicatorSettingsView.h"

#include <QFile>
#include <QTemporaryDir>

namespace mirevo::test {

// Every page of the settings window on a private store, displays and notification centre.
// What the pages ask of the program is heard with the settings file as it was then.
struct Pages {
    QTemporaryDir dir;
    AppSettingsManager store{dir.path()};
    NotificationCenter notifications;
    FixedDisplays displays{{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)}};
    QStringList heard;
    QList<QByteArray> fileWhenHeard;

    Pages()
    {
        store.saveSettings();
        notifications.observe(notifications::kIMEIndicatorSettingsChanged, &notifications,
                              [this](const QVariant&) { hear("ime"); });
        notifications.observe(notifications::kMouseCursorIndicatorSettingsChanged, &notifications,
                              [this](const QVariant&) { hear("cursor"); });
    }
    void hear(const QString& what)
    {
        heard << what;
        fileWhenHeard << savedFile();
    }
    std::unique_ptr<QWidget> make(SettingsTab tab)
    {
        switch (tab) {
        case SettingsTab::imeIndicator:
            return std::make_unique<IMEIndicatorSettingsView>(store, notifications, displays);
        case SettingsTab::clock:
            return std::make_unique<ClockSettingsView>(
                store, displays,
                ClockPageActions{[this] { hear("refresh"); }, [this] { hear("apply"); },
                                 [this] { hear("move"); }},
                [] { return QDateTime(QDate(2024, 3, 5), QTime(10, 0)); });
        case SettingsTab::mouseCursor:
            return std::make_unique<MouseCursorIndicatorSettingsView>(store, notifications);
        case SettingsTab::about:
            return std::make_unique<AboutView>();
        }
        return {};
    }
    QByteArray savedFile() const
    {
        QFile file(*store.settingsFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

} // namespace mirevo::test
