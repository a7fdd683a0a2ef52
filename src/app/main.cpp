#include "app/CommandLine.h"
#include "app/TrayUtility.h"
#include "input/LanguageRules.h"
#include "platform/desktop/FileLocations.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>

using namespace mirevo;

namespace {

void print(FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().constData(), stream);
}

} // namespace

int main(int argc, char** argv)
{
    // A save past the file-size limit then fails like a full disk instead of killing us.
    std::signal(SIGXFSZ, SIG_IGN);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine line =
        CommandLine::parse(arguments, qEnvironmentVariable("MIREVO_INPUT_BACKEND"));

    switch (line.action) {
    case CommandLine::Action::error:
        print(stderr, QStringLiteral("mirevo: %1\nTry 'mirevo --help'.\n").arg(line.errorMessage));
        return 2;
    case CommandLine::Action::help:
        print(stdout, CommandLine::helpText());
        return 0;
    case CommandLine::Action::version:
        print(stdout, QStringLiteral("mirevo %1\n").arg(applicationVersion()));
        return 0;
    case CommandLine::Action::detect:
        print(stdout, rawValue(detectLanguage(line.detectId)) + QLatin1Char('\n'));
        return 0;
    case CommandLine::Action::printSource:
        return printCurrentSource(argc, argv, line.inputBackend);
    case CommandLine::Action::quit:
        return quitRunningInstance(argc, argv);
    case CommandLine::Action::runTrayUtility:
        break;
    }
    return runTrayUtility(argc, argv, line);
}
