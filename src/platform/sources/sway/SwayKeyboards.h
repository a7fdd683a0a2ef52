#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace mirevo::sway {

// The keyboards sway reports and which of them to follow: the one whose layout was switched
// last, else the first keyboard that reports a layout. Fed with sway's JSON as it arrives; a
// reply that is not JSON or lacks the fields changes nothing.
class SwayKeyboards {
public:
    // A GET_INPUTS reply: the devices sway has now. False when the reply is unusable.
    bool applyInputs(const QByteArray& json);
    // An "input" event: a device added, removed, given a new keymap or switched.
    bool applyEvent(const QByteArray& json);
    // Forgets which keyboard was switched last (a new connection may be a new sway).
    void forgetSwitches() { m_switched.clear(); }

    // The followed keyboard's active layout as sway names it ("Russian"); nothing when no
    // keyboard reports one.
    std::optional<QString> activeLayoutName() const;

private:
    struct Keyboard {
        QString identifier;
        std::optional<QString> layoutName;
    };
    void store(const Keyboard& keyboard);

    QList<Keyboard> m_keyboards;
    QString m_switched;
};

// Mirevo's identifier of a layout that sway names so ("Russian" -> sway.keylayout.ru.Russian).
QString swaySourceId(const QString& layoutName);

} // namespace mirevo::sway
