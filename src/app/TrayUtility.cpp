#include "app/TrayUtility.h"

#include "app/AppDelegate.h"
#include "input/IMEMonitor.h"
#include "input/LanguageRules.h"
#include "platform/FileLocations.h"
#include "settings/AppSettingsManager.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>

namespace mirevo {

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
