// Prints a line "<milliseconds> <identifier> <language> <backend>" (tab-separated) whenever
// the chosen input-source backend reports a different source, flushing each line, until it
// is killed. --signal-only listens to the source's change signal alone (no 0.3 s poll), to
// check that a backend announces switches by itself. Times are CLOCK_MONOTONIC.

#include "input/IMEMonitor.h"
#include "input/LanguageRules.h"
#include "platform/InputSourceFactory.h"

#include <QCoreApplication>

#include <cstdio>
#include <ctime>

using namespace mirevo;

namespace {

long long monotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const bool signalOnly = arguments.contains(QStringLiteral("--signal-only"));
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
        std::printf("%lld\t%s\t%s\t%s\n", monotonicMs(), qPrintable(*id),
                    qPrintable(rawValue(detectLanguage(*id))), qPrintable(source->backendName()));
        std::fflush(stdout);
    };
    QObject::connect(source.get(), &InputSource::mayHaveChanged, &app, report);
    IMEMonitor monitor(source.get());
    if (!signalOnly) {
        monitor.onLanguageChanged = [&](InputLanguage) { report(); };
        monitor.startMonitoring();
    }
    report();
    return app.exec();
}
