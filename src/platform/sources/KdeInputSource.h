#pragma once

#include "platform/InputSource.h"
#include "platform/sources/DBusStringTuples.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>

#include <optional>

namespace mirevo {

// KDE Plasma's current keyboard layout, from its keyboard daemon (org.kde.keyboard) on the
// session bus. Plasma switches layouts itself, also on Wayland where the X server does not
// see them. The daemon announces switches and list changes; every call is asynchronous,
// and a daemon that starts late or restarts is read again.
class KdeInputSource : public InputSource {
    Q_OBJECT
public:
    explicit KdeInputSource(QObject* parent = nullptr);

    std::optional<QString> currentSourceId() override { return m_current; }
    QString backendName() const override { return QStringLiteral("kde"); }
    bool isReady() const override { return m_haveIndex && m_haveLayouts; }

private slots:
    // Bound by name: QtDBus delivers bus signals only to slots.
    void onLayoutChanged(uint index);
    void onLayoutListChanged();

private:
    void requestIndex();
    void requestLayouts();
    void update();

    QDBusConnection m_bus;
    QDBusServiceWatcher m_watcher;
    QList<KdeLayout> m_layouts;
    std::optional<uint> m_index;
    std::optional<QString> m_current;
    bool m_haveIndex = false;
    bool m_haveLayouts = false;
};

} // namespace mirevo
