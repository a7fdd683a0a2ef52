#include "app/CommandLine.h"

#include <QCommandLineParser>

namespace mirevo {
namespace {

CommandLine failure(const QString& message)
{
    CommandLine line;
    line.action = CommandLine::Action::error;
    line.errorMessage = message;
    return line;
}

// Qt's own options, which QApplication reads from the same arguments: accepted here and
// left for Qt. Those of the first list take a value.
const QStringList kQtOptionsWithValue{
    QStringLiteral("platform"),
    QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"),
    QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"),
    QStringLiteral("geometry"),
    QStringLiteral("qwindowtitle"),
    QStringLiteral("title"),
    QStringLiteral("qwindowicon"),
    QStringLiteral("icon"),
    QStringLiteral("session"),
    QStringLiteral("style"),
    QStringLiteral("stylesheet"),
    QStringLiteral("display"),
    QStringLiteral("name"),
    QStringLiteral("visual"),
    QStringLiteral("qmljsdebugger"),
};
const QStringList kQtFlags{QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                           QStringLiteral("nograb"),  QStringLiteral("dograb"),
                           QStringLiteral("sync"),    QStringLiteral("testability")};

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}};
    QCommandLineOption detect{QStringLiteral("detect"), {}, QStringLiteral("ID")};
    QCommandLineOption printSource{QStringLiteral("print-source")};
    QCommandLineOption quit{QStringLiteral("quit")};
    QCommandLineOption inputBackend{QStringLiteral("input-backend"), {}, QStringLiteral("BACKEND")};
};

void addQtOptions(QCommandLineParser& parser)
{
    for (const QString& name : kQtOptionsWithValue) {
        QCommandLineOption option(name, {}, QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const QString& name : kQtFlags) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

} // namespace

CommandLine CommandLine::parse(const QStringList& arguments, const QString& environmentBackend)
{
    const Options options;
    QCommandLineParser parser;
    // Qt's options are single-dash words (-platform, -style); so are -h and -v.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({options.help, options.version, options.detect, options.printSource,
                       options.quit, options.inputBackend});
    addQtOptions(parser);
    if (!parser.parse(arguments))
        return failure(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return failure(QStringLiteral("unexpected argument '%1'")
                           .arg(parser.positionalArguments().constFirst()));

    CommandLine line;
    line.platform = parser.value(QStringLiteral("platform"));
    line.display = parser.value(QStringLiteral("display"));
    if (parser.isSet(options.help))
        line.action = Action::help;
    else if (parser.isSet(options.version))
        line.action = Action::version;
    else if (parser.isSet(options.detect))
        line.action = Action::detect;
    else if (parser.isSet(options.printSource))
        line.action = Action::printSource;
    else if (parser.isSet(options.quit))
        line.action = Action::quit;
    line.detectId = parser.value(options.detect);

    const bool fromOption = parser.isSet(options.inputBackend);
    const QString backendText =
        fromOption ? parser.value(options.inputBackend) : environmentBackend;
    if (!backendText.isEmpty()) {
        const std::optional<InputBackendChoice> choice = InputBackendChoice::parse(backendText);
        if (!choice) {
            return failure(
                QStringLiteral("%1: unknown input backend \"%2\" "
                               "(use auto, fcitx5, ibus, xkb, gnome, kde, sway or file:PATH)")
                    .arg(fromOption ? QStringLiteral("--input-backend")
                                    : QStringLiteral("MIREVO_INPUT_BACKEND"),
                         backendText));
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
        "desktop clock. Without options it runs in the system tray; started again, it opens\n"
        "the running one's settings window.\n"
        "\n"
        "Options:\n"
        "  --detect ID               print the input language that ID maps to, and exit\n"
        "  --print-source            print the current source identifier, its language and\n"
        "                            the backend, and exit\n"
        "  --input-backend BACKEND   auto (default), fcitx5, ibus, gnome, kde, sway, xkb\n"
        "                            or file:PATH (also MIREVO_INPUT_BACKEND)\n"
        "  --quit                    end the running Mirevo, as its tray menu's Quit does,\n"
        "                            and exit (status 1 when none runs)\n"
        "  -h, --help                show this help\n"
        "  -v, --version             show the version\n"
        "\n"
        "Qt's standard options, such as -platform NAME and -style NAME, are accepted too.\n"
        "See mirevo(1).\n");
}

} // namespace mirevo
