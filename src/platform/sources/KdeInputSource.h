#pragma once

#include "platform/InputSource.h"
#include "platform/sources/DBusStringTuples.h"
#include "platform/sources/KdeKeyboardConfig.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>

#include <memory>
#include <optional>

namespace mirevo {

class XkbConnection;

// KDE Plasma's current keyboard layout, from its keyboard daemon (org.kde.keyboard: kded on
// X11, KWin on Wayland) on the session bus. Plasma switches layouts itself, also on Wayland
// where the X server does not see them. The daemon announces switches and list changes;
// every call is asynchronous, and a daemon that starts late or restarts is read again.
//
// The daemon names each layout and its long name but not its variant ("us" for both
// English (US) and Russian (US, phonetic)), so the variant comes from elsewhere: on X11
// from the X server's _XKB_RULES_NAMES, whose list the daemon itself reports and whose
// groups are what the keyboard types; otherwise (Wayland, where XWayland's own keymap says
// nothing of the compositor's) from kxkbrc, Plasma's settings file, which kded and KWin
// apply and announce with layoutListChanged. A description whose layouts differ from the
// daemon's is out of date and ignored.
//
// A reply that makes no sense (a wrong type, an empty list, an index past its end) and a
// daemon that has gone leave the last good answer in place until a list and an index that
// belong together give a new one.
class KdeInputSource : public InputSource {
    Q_OBJECT
public:
    explicit KdeInputSource(QObject* parent = nullptr);
    ~KdeInputSource() override;

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
    std::unique_ptr<XkbConnection> m_xkb; // X11 sessions only
    QList<KdeLayout> m_layouts;
    LayoutList m_settings; // kxkbrc as it was when the daemon last sent its list
    std::optional<uint> m_index;
    std::optional<QString> m_current;
    bool m_haveIndex = false;
    bool m_haveLayouts = false;
};

} // namespace mirevo
