#pragma once

#include "platform/sources/RepeatableRequest.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>

#include <functional>

class QDBusMessage;

namespace mirevo {

// fcitx5's status-notifier (tray) item: the one place where fcitx5 5.0 announces a switch.
// The item sends NewIcon on every switch, focus change, group change and change of an input
// method's own mode (its icon names the mode: see isLatinModeIcon), but fcitx5 shows it
// only while a tray host's watcher (org.kde.StatusNotifierWatcher) runs. This finds fcitx5's
// item among the items registered with the watcher (the one whose connection belongs to
// fcitx5's process), reports its icon changes and reads its icon's name. Looked up again
// whenever fcitx5, the watcher or an item comes or goes.
class Fcitx5TrayItem : public QObject {
    Q_OBJECT
public:
    explicit Fcitx5TrayItem(const QDBusConnection& bus, QObject* parent = nullptr);

    // fcitx5's item is registered: its icon changes announce every switch.
    bool isFound() const { return !m_owner.isEmpty(); }
    // False while a lookup is on its way.
    bool isSettled() const { return m_pendingReplies == 0; }
    // The item's icon as last read ("fcitx_mozc_hiragana"); empty while none is found.
    QString iconName() const { return m_iconName; }
    // A read of the icon's name is on its way: iconName() may be older than the last switch.
    bool isReadingIcon() const { return m_iconRead.isPending(); }

signals:
    void iconChanged();
    // A read of the icon's name came back; iconName() may have changed.
    void iconRead();
    // A lookup finished; isFound() may have changed.
    void settled();

private slots:
    // Bound by name: QtDBus delivers bus signals only to slots.
    void onNewIcon(const QDBusMessage& message);
    void lookUp();

private:
    void lookUpItems(uint daemonPid);
    void readIcon();
    // Sends `call`; `then` gets the reply unless it is an error or a newer lookup began.
    void ask(const QDBusMessage& call, std::function<void(const QDBusMessage& reply)> then);

    QDBusConnection m_bus;
    QDBusServiceWatcher m_names;
    QString m_owner;     // the unique bus name fcitx5 sends its item's signals from
    QString m_candidate; // the owner as far as the running lookup got
    QString m_iconName;
    RepeatableRequest m_iconRead;
    quint64 m_generation = 0;
    int m_pendingReplies = 0;
};

} // namespace mirevo
