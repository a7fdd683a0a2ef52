#pragma once

#include <QString>

namespace mirevo {

// The XDG autostart entry that starts the program when the user logs in:
// $XDG_CONFIG_HOME/autostart/<application id>.desktop.
class Autostart {
public:
    Autostart(QString entryPath, QString program);

    // The current user's entry, starting the program that runs now.
    static Autostart forCurrentUser();

    QString entryPath() const { return m_entryPath; }

    // The entry is there and not switched off by a desktop's "Hidden=true".
    bool isEnabled() const;
    // Writes or removes the entry; false when the file system refuses.
    bool setEnabled(bool enabled) const;

    // The entry's text for `program` (quoted for the Exec key where it needs it).
    static QByteArray entryText(const QString& program);

private:
    QString m_entryPath;
    QString m_program;
};

} // namespace mirevo
