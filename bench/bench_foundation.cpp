// Prints the cost of the work that runs all the time or at every settings change:
// one monitor check when nothing changed, the language rules on long identifiers, and
// loading and saving the settings file.
#include "input/IMEMonitor.h"
#include "input/LanguageRules.h"
#include "platform/InputSource.h"
#include "settings/AppSettingsManager.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

using namespace mirevo;

namespace {

class FixedSource : public InputSource {
public:
    std::optional<QString> currentSourceId() override { return id; }
    QString backendName() const override { return QStringLiteral("bench"); }
    QString id;
};

template <typename Work> double nanosecondsPerCall(int calls, Work&& work)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < calls; ++i)
        work(i);
    return double(timer.nsecsElapsed()) / calls;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    volatile int sink = 0;

    FixedSource source;
    source.id = QStringLiteral("ibus.inputmethod.hangul.Korean");
    IMEMonitor monitor(&source);
    monitor.checkInputSource();
    std::printf("checkInputSource, nothing changed: %8.0f ns/call\n",
                nanosecondsPerCall(200000, [&](int) { monitor.checkInputSource(); }));

    const QString english = QStringLiteral("xkb.keylayout.") + QString(200, QLatin1Char('x')) +
                            QStringLiteral(".Estonian");
    const QString early = QStringLiteral("com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese");
    std::printf(
        "detectLanguage, 220-char id, no rule matches: %8.0f ns/call\n",
        nanosecondsPerCall(100000, [&](int) { sink = sink + int(detectLanguage(english)); }));
    std::printf("detectLanguage, first rule matches:           %8.0f ns/call\n",
                nanosecondsPerCall(100000, [&](int) { sink = sink + int(detectLanguage(early)); }));

    QTemporaryDir dir;
    AppSettingsManager store(dir.path());
    std::printf("saveSettings (atomic, fsync):  %8.0f us/call\n",
                nanosecondsPerCall(200, [&](int) { store.saveSettings(); }) / 1000.0);
    std::printf("load settings file (store construction): %8.0f us/call\n",
                nanosecondsPerCall(200, [&](int) { AppSettingsManager again(dir.path()); }) /
                    1000.0);
    return 0;
}
