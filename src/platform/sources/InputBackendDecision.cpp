#include "platform/sources/InputBackendDecision.h"

namespace mirevo {
namespace {

using Kind = InputBackendChoice::Kind;

const QString kFcitx5Name = QStringLiteral("org.fcitx.Fcitx5");
const QString kGnomeShellName = QStringLiteral("org.gnome.Shell");
const QString kKdeKeyboardName = QStringLiteral("org.kde.keyboard");

QString onBus(const QString& name)
{
    return name + QStringLiteral(" on the session bus");
}

// The input method a variable declares: "ibus", "fcitx"/"fcitx5", or "@im=ibus" in
// XMODIFIERS. fcitx5 answers to fcitx's name too.
std::optional<Kind> declaredMethod(const QString& value)
{
    QString method = value.trimmed().toLower();
    if (method.startsWith(QLatin1String("@im=")))
        method = method.mid(4);
    if (method == QLatin1String("ibus"))
        return Kind::ibus;
    if (method == QLatin1String("fcitx") || method == QLatin1String("fcitx5"))
        return Kind::fcitx5;
    return std::nullopt;
}

} // namespace

BackendDecision decideInputBackend(const SessionFacts& facts)
{
    const bool fcitx5Running = facts.busNames.contains(kFcitx5Name);
    // Plasma's keyboard daemon, kded on X11 and KWin on Wayland: Plasma switches layouts.
    const bool plasma = facts.busNames.contains(kKdeKeyboardName);
    const QString desktop = facts.environment.value(QStringLiteral("XDG_CURRENT_DESKTOP"));
    std::optional<BackendDecision> gnome;
    if (facts.gnomeSettings &&
        desktop.split(QLatin1Char(':')).contains(QLatin1String("GNOME"), Qt::CaseInsensitive))
        gnome = BackendDecision{Kind::gnome, QStringLiteral("XDG_CURRENT_DESKTOP=") + desktop};
    else if (facts.gnomeSettings && facts.busNames.contains(kGnomeShellName))
        gnome = BackendDecision{Kind::gnome, onBus(kGnomeShellName)};

    for (const char* variable : {"GTK_IM_MODULE", "QT_IM_MODULE", "XMODIFIERS", "INPUT_METHOD"}) {
        const QString value = facts.environment.value(QLatin1String(variable));
        const std::optional<Kind> method = declaredMethod(value);
        const bool running = method == Kind::fcitx5 ? fcitx5Running : facts.ibusRunning;
        if (!method || !running)
            continue;
        const QString declared = QLatin1String(variable) + QLatin1Char('=') + value;
        if (method == Kind::ibus && gnome)
            return *gnome;
        if (method == Kind::ibus && plasma)
            return {Kind::kdeWithIBus, declared + QStringLiteral(", ") + onBus(kKdeKeyboardName)};
        return {*method, declared};
    }
    if (gnome)
        return *gnome;
    if (plasma && facts.ibusRunning)
        return {Kind::kdeWithIBus,
                onBus(kKdeKeyboardName) + QStringLiteral(", ibus-daemon running")};
    if (plasma)
        return {Kind::kde, onBus(kKdeKeyboardName)};
    if (fcitx5Running)
        return {Kind::fcitx5, onBus(kFcitx5Name)};
    if (facts.ibusRunning)
        return {Kind::ibus, QStringLiteral("ibus-daemon running")};
    return {Kind::xkb, QStringLiteral("no input-method daemon")};
}

} // namespace mirevo
