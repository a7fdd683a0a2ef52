// Prints a line "<identifier> <language> <backend>" (tab-separated) whenever the chosen
// input-source backend reports a different source, flushing each line, until it is killed.
// --signal-only listens to the source's change signal alone (no 0.3 s poll), to check that
// a backend announces switches by itself.

#include "input/IMEMonitor.h"
#include "input/LanguageRules.h"
#include "platform/InputSourceFactory.h"

#include <QCoreApplication>

#include <cstdio>

using namespace mirevo;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const auto backend = InputBackendChoice::parse(arguments.value(arguments.size() - 1));
    if (!backend || arguments.size() < 2) {
        std::fprintf(stderr, "usage: source_watch [--signal-only] BACKEND\n");
        return 2;
    }
    const std::unique_ptr<InputSource> source = createInputSource(*backend);
    std::optional<QString> last;
    const auto report = [&] {
        const std::optional<QString> id = source->currentSourceId();
        if (!id || id == last)
            return;
        last = id;
        std::printf("%s\t%s\t%s\n", qPrintable(*id), qPrintable(rawValue(detectLanguage(*id))),
                    qPrintable(source->backendName()));
        std::fflush(stdout);
    };
    QObject::connect(source.get(), &InputSource::mayHaveChanged, &app, report);
    IMEMonitor monitor(source.get());
    if (!arguments.contains(QStringLiteral("--signal-only"))) {
        monitor.onLanguageChanged = [&](InputLanguage) { report(); };
        monitor.startMonitoring();
    }
    report();
    return app.exec();
}
