#include "app/TrayUtility.h"

#include "app/AppDelegate.h"
#include "input/IMEMonitor.h"
#include "input/LanguageRules.h"
#include "platform/FileLocations.h"
#include "settings/AppSettingsManager.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

namespace mirevo {
namespace {

constexpr int kPrintSourceWaitMs = 3000;

} // namespace

int runTrayUtility(int argc, char** argv, const InputSourceSpec& backend)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirevo"));
    QApplication::setOrganizationName(QStringLiteral("Mirevo"));
    QApplication::setApplicationVersion(applicationVersion());
    QApplication::setQuitOnLastWindowClosed(false);

    IMEMonitor::installSharedSource(createInputSource(backend));
    AppDelegate delegate(AppSettingsManager::shared(), IMEMonitor::shared());
    delegate.applicationDidFinishLaunching();
    return app.exec();
}

int printCurrentSource(int argc, char** argv, const InputSourceSpec& backend)
{
    QCoreApplication app(argc, argv);
    const std::unique_ptr<InputSource> source = createInputSource(backend);
    // Daemon-backed sources answer through the event loop; give them a moment.
    if (!source->isReady()) {
        const QDeadlineTimer deadline(kPrintSourceWaitMs);
        QEventLoop loop;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
            if (source->isReady() || deadline.hasExpired())
                loop.quit();
        });
        tick.start(10);
        loop.exec();
    }
    const std::optional<QString> id = source->currentSourceId();
    if (!id) {
        std::fprintf(stderr, "mirevo: no input source is available from the %s backend\n",
                     source->backendName().toUtf8().constData());
        return 1;
    }
    std::printf("%s\t%s\t%s\n", id->toUtf8().constData(),
                rawValue(detectLanguage(*id)).toUtf8().constData(),
                source->backendName().toUtf8().constData());
    return 0;
}

} // namespace mirevo
