// How quickly the input-source monitor notices a switch made with a daemon's own command,
// and what the monitor costs while nothing happens. Prints figures; asserts nothing.
//
// bench_input_sources BACKEND REST_SECONDS COMMAND_A LANGUAGE_A COMMAND_B LANGUAGE_B [COUNT]
// alternates COMMAND_A and COMMAND_B (run with sh -c) COUNT times (default 30) and
// measures, for each switch, the time from the command's exit to the monitor reporting
// the expected language; then idles REST_SECONDS with the monitor running and reports the
// process's CPU use. Run it inside a session that has the daemon (bench_input_sources.sh).

#include "input/IMEMonitor.h"
#include "input/LanguageRules.h"
#include "platform/InputSourceFactory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QRandomGenerator>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <vector>

using namespace mirevo;

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const double rank = p * (values.size() - 1);
    const size_t low = static_cast<size_t>(rank);
    const size_t high = std::min(low + 1, values.size() - 1);
    return values[low] + (values[high] - values[low]) * (rank - low);
}

// Runs the event loop until `done` holds (checked every millisecond) or `timeoutMs` passes.
bool spinUntil(const std::function<bool()>& done, int timeoutMs)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    check.start(1);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const auto backend = InputBackendChoice::parse(args.value(1));
    if (args.size() < 7 || !backend) {
        std::fprintf(stderr, "usage: bench_input_sources BACKEND REST_SECONDS COMMAND_A "
                             "LANGUAGE_A COMMAND_B LANGUAGE_B [COUNT]\n");
        return 2;
    }
    const int restSeconds = args.at(2).toInt();
    const QString commands[2] = {args.at(3), args.at(5)};
    const QString languages[2] = {args.at(4), args.at(6)};
    const int count = args.size() > 7 ? args.at(7).toInt() : 30;

    const std::unique_ptr<InputSource> source = createInputSource(*backend);
    spinUntil([&] { return source->isReady(); }, 3000);
    IMEMonitor monitor(source.get());
    QElapsedTimer clock;
    clock.start();
    qint64 seenAt = -1;
    monitor.onLanguageChanged = [&](InputLanguage) { seenAt = clock.elapsed(); };
    monitor.startMonitoring();

    std::vector<double> latencies;
    std::vector<double> fromStart;
    int missed = 0;
    int seenBeforeExit = 0;
    for (int i = 0; i < count; ++i) {
        const int which = (i + 1) % 2; // start by switching away from what A set up
        // A random pause keeps the switches out of step with the monitor's poll.
        QEventLoop pause;
        QTimer::singleShot(QRandomGenerator::global()->bounded(50, 350), &pause, &QEventLoop::quit);
        pause.exec();
        seenAt = -1;
        QProcess command;
        qint64 exitedAt = -1;
        QObject::connect(&command, &QProcess::finished, [&] { exitedAt = clock.elapsed(); });
        const qint64 startedAt = clock.elapsed();
        command.start(QStringLiteral("sh"), {QStringLiteral("-c"), commands[which]});
        spinUntil([&] { return exitedAt >= 0; }, 10000);
        const bool seen = spinUntil(
            [&] { return seenAt >= 0 && rawValue(monitor.currentLanguage()) == languages[which]; },
            3000);
        if (!seen || exitedAt < 0) {
            ++missed;
            continue;
        }
        if (seenAt < exitedAt)
            ++seenBeforeExit;
        latencies.push_back(std::max<qint64>(0, seenAt - exitedAt));
        fromStart.push_back(seenAt - startedAt);
    }

    std::printf("backend %s (%s)\n", qPrintable(args.at(1)), qPrintable(source->backendName()));
    if (!latencies.empty()) {
        std::printf("  switch to monitor: median %.1f ms, p95 %.1f ms, max %.1f ms over %zu "
                    "switches (%d seen before the command exited, %d missed)\n",
                    percentile(latencies, 0.5), percentile(latencies, 0.95),
                    percentile(latencies, 1.0), latencies.size(), seenBeforeExit, missed);
        std::printf("  command start to monitor: median %.1f ms, p95 %.1f ms\n",
                    percentile(fromStart, 0.5), percentile(fromStart, 0.95));
    } else {
        std::printf("  switch to monitor: no switch seen (%d missed)\n", missed);
    }

    const double cpuBefore = cpuSeconds();
    QElapsedTimer rest;
    rest.start();
    QEventLoop idle;
    QTimer::singleShot(restSeconds * 1000, &idle, &QEventLoop::quit);
    idle.exec();
    const double cpu = cpuSeconds() - cpuBefore;
    std::printf("  at rest: %.3f s CPU in %.1f s = %.3f %% of one core\n", cpu,
                rest.elapsed() / 1000.0, 100.0 * cpu / (rest.elapsed() / 1000.0));
    std::fflush(stdout);
    return 0;
}
