// Helper of bench_clock.sh: writes a settings file with the clock in the named style
// (the IME indicator and the rest at their defaults), so that the real program can be
// measured at rest with that clock on screen.
//   bench_clock FILE analog|digital
#include "settings/SettingsJson.h"

#include <QFile>
#include <QString>

#include <cstdio>

using namespace mirevo;

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_clock SETTINGS_FILE analog|digital\n");
        return 2;
    }
    const QString style = QString::fromLocal8Bit(argv[2]);
    AppSettings settings;
    settings.imeIndicator.isVisible = true;
    settings.clock.isVisible = true;
    settings.clock.showSeconds = true;
    settings.clock.style =
        style == QLatin1String("digital") ? ClockStyle::digital : ClockStyle::analog;
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(encodeSettings(settings)) < 0) {
        std::fprintf(stderr, "bench_clock: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
