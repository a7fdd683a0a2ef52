#include "platform/desktop/Autostart.h"

#include "platform/RegularFile.h"
#include "platform/desktop/FileLocations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace mirevo {
namespace {

constexpr qint64 kMaxEntryBytes = 64 * 1024;
// Seconds after login, on desktops that can wait, so the panel that hosts the tray is up.
constexpr int kStartDelaySeconds = 5;

// A string key's escapes: a backslash and the control characters a line cannot hold.
QString stringValue(const QString& text)
{
    QString escaped;
    for (QChar c : text) {
        if (c == QLatin1Char('\\'))
            escaped += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            escaped += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            escaped += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            escaped += QStringLiteral("\\r");
        else
            escaped += c;
    }
    return escaped;
}

// The Exec key's rules: a path with a reserved character is double-quoted with `"`, `` ` ``,
// `$` and `\` escaped, `%` is doubled, and the value is then escaped as a string.
QString execValue(const QString& program)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString argument = program;
    argument.replace(QLatin1Char('%'), QStringLiteral("%%"));
    if (std::none_of(argument.begin(), argument.end(),
                     [](QChar c) { return reserved.contains(c); }))
        return argument;
    QString quoted = QStringLiteral("\"");
    for (QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    return stringValue(quoted);
}

} // namespace

Autostart::Autostart(QString entryPath, QString program)
    : m_entryPath(std::move(entryPath)), m_program(std::move(program))
{}

Autostart Autostart::forCurrentUser()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return Autostart(config + QStringLiteral("/autostart/") + applicationId() +
                         QStringLiteral(".desktop"),
                     QCoreApplication::applicationFilePath());
}

bool Autostart::isEnabled() const
{
    const RegularFileContent entry = readRegularFile(m_entryPath, kMaxEntryBytes, true);
    if (entry.status == RegularFileContent::Status::missing)
        return false;
    const QList<QByteArray> lines = entry.bytes.split('\n');
    return !std::any_of(lines.begin(), lines.end(),
                        [](const QByteArray& line) { return line.trimmed() == "Hidden=true"; });
}

bool Autostart::setEnabled(bool enabled) const
{
    if (!enabled)
        return !QFileInfo::exists(m_entryPath) || QFile::remove(m_entryPath);
    if (!QDir().mkpath(QFileInfo(m_entryPath).path()))
        return false;
    QSaveFile file(m_entryPath);
    const QByteArray text = entryText(m_program);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
}

QByteArray Autostart::entryText(const QString& program)
{
    // TryExec: once the program is removed, the session skips the entry instead of
    // failing to start it. The tray icon needs the panel, so the entry asks each desktop
    // that can to start it after its panel: GNOME after a short delay (the phase key
    // would make systemd's autostart generator skip the entry elsewhere), Plasma in the
    // phase after its shell, LXQt once the tray is there, MATE after a delay.
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Mirevo\n"
                          "Comment=Shows the active keyboard input source\n"
                          "Comment[ja]=アクティブな入力ソースを表示します\n"
                          "TryExec=%1\n"
                          "Exec=%2\n"
                          "Icon=%3\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n"
                          "X-GNOME-Autostart-Delay=%4\n"
                          "X-KDE-autostart-phase=2\n"
                          "X-LXQt-Need-Tray=true\n"
                          "X-MATE-Autostart-Delay=%4\n")
        .arg(stringValue(program), execValue(program), applicationId())
        .arg(kStartDelaySeconds)
        .toUtf8();
}

} // namespace mirevo
