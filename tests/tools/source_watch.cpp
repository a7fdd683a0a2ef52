// source_watch BACKEND: prints "<identifier> <language> <backend>" (tab-separated) for
// each different source the backend announces through its change signal alone (no poll).

#include "input/LanguageRules.h"
#include "platform/InputSourceFactory.h"

#include <QCoreApplication>

#include <cstdio>

using namespace mirevo;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const auto backend = InputBackendChoice::parse(app.arguments().value(1));
    if (!backend || argc != 2) {
        std::fprintf(stderr, "usage: source_watch BACKEND\n");
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
    report();
    return app.exec();
}
