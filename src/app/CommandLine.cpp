#include "app/CommandLine.h"

namespace mirevo {
namespace {

CommandLine failure(const QString& message)
{
    CommandLine line;
    line.action = CommandLine::Action::error;
    line.errorMessage = message;
    return line;
}

} // namespace

CommandLine CommandLine::parse(const QStringList& arguments, const QString& environmentBackend)
{
    CommandLine line;
    QString backendText = environmentBackend;
    QString backendOrigin = QStringLiteral("MIREVO_INPUT_BACKEND");
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            line.action = Action::help;
        } else if (argument == QLatin1String("--version")) {
            line.action = Action::version;
        } else if (argument == QLatin1String("--print-source")) {
            line.action = Action::printSource;
        } else if (argument == QLatin1String("--detect")) {
            if (++i >= arguments.size())
                return failure(QStringLiteral("--detect needs an identifier"));
            line.action = Action::detect;
            line.detectId = arguments[i];
        } else if (argument == QLatin1String("--input-backend")) {
            if (++i >= arguments.size())
                return failure(QStringLiteral("--input-backend needs a value"));
            backendText = arguments[i];
            backendOrigin = QStringLiteral("--input-backend");
        } else if (argument.startsWith(QLatin1String("--input-backend="))) {
            backendText = argument.section(QLatin1Char('='), 1);
            backendOrigin = QStringLiteral("--input-backend");
        } else {
            return failure(QStringLiteral("unknown option: %1").arg(argument));
        }
    }
    if (!backendText.isEmpty()) {
        const std::optional<InputBackendChoice> choice = InputBackendChoice::parse(backendText);
        if (!choice) {
            return failure(QStringLiteral("%1: unknown input backend \"%2\" "
                                          "(use auto, fcitx5, ibus, xkb, gnome, kde or file:PATH)")
                               .arg(backendOrigin, backendText));
        }
        line.inputBackend = *choice;
    }
    return line;
}

QString CommandLine::helpText()
{
    return QStringLiteral(
        "Usage: mirevo [options]\n"
        "Shows the active keyboard input source as a floating badge, a pointer badge and a\n"
        "desktop clock. Without options it runs in the system tray.\n"
        "\n"
        "Options:\n"
        "  --detect ID               print the input language that ID maps to, and exit\n"
        "  --print-source            print the backend, the current source identifier and\n"
        "                            its language, and exit\n"
        "  --input-backend BACKEND   auto (default), fcitx5, ibus, xkb, gnome, kde or\n"
        "                            file:PATH\n"
        "                            (also MIREVO_INPUT_BACKEND)\n"
        "  --help                    show this help\n"
        "  --version                 show the version\n");
}

} // namespace mirevo
