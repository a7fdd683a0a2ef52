#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <optional>

struct xcb_connection_t;

namespace mirevo {

// The keyboard's groups as the X server's XKB extension reports them, on a connection of
// its own so that it works without a GUI application. Events are read as they arrive
// (a socket notifier, no polling) and announced once per burst.
class XkbConnection : public QObject {
    Q_OBJECT
public:
    struct Group {
        int index = 0;     // clamped to the groups that exist
        QString layout;    // "ru"; empty when the rules name none
        QString variant;   // "phonetic"
        QString groupName; // "Russian"
    };

    // Connects to $DISPLAY; isValid() tells whether that and XKB worked.
    explicit XkbConnection(QObject* parent = nullptr);
    ~XkbConnection() override;

    bool isValid() const { return m_connection != nullptr; }
    // The effective group, from what the last events left behind; no round trip.
    std::optional<Group> currentGroup() const;
    // Every group's layout and variant from _XKB_RULES_NAMES, as the last events left them.
    QStringList layouts() const { return m_layouts; }
    QStringList variants() const { return m_variants; }

signals:
    // The group, the keyboard or the group names changed.
    void changed();

private:
    void readEvents();
    void refreshNames();
    void refreshState();

    xcb_connection_t* m_connection = nullptr;
    uint8_t m_firstXkbEvent = 0;
    uint32_t m_rulesNamesAtom = 0;
    uint32_t m_root = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QTimer m_coalesce;
    int m_group = 0;
    QStringList m_groupNames;
    QStringList m_layouts;
    QStringList m_variants;
};

} // namespace mirevo
