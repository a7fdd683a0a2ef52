// Prints the cost of the IME indicator page's heavier work: the font list (rebuilt when
// the Japanese text's first character changes), building the page, and one slider step
// (write, save, announce) as a drag produces many of them.
#include "platform/Displays.h"
#include "platform/NotificationCenter.h"
#include "settings/AppSettingsManager.h"
#include "settings_ui/FontChoices.h"
#include "settings_ui/IMEIndicatorSettingsView.h"
#include "settings_ui/SteppedSlider.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QTemporaryDir>

#include <cstdio>

using namespace mirevo;

namespace {

template <typename Work> double millisecondsPerCall(int calls, Work&& work)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < calls; ++i)
        work(i);
    return double(timer.nsecsElapsed()) / calls / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::printf("installed font families: %lld\n",
                static_cast<long long>(QFontDatabase::families().size()));
    const char32_t samples[] = {U'\u3042', U'A', U'\u6F22'};
    int kept = 0;
    const double firstList =
        millisecondsPerCall(1, [&](int) { kept = int(fontFamiliesCovering(samples[0]).size()); });
    std::printf("font list for U+3042, first time: %.1f ms (%d families kept)\n", firstList, kept);
    const double laterList = millisecondsPerCall(
        30, [&](int i) { kept = int(fontFamiliesCovering(samples[i % 3]).size()); });
    std::printf("font list, later: %.2f ms per list\n", laterList);

    QTemporaryDir dir;
    AppSettingsManager store(dir.path());
    NotificationCenter notifications;
    const FixedDisplays displays({QRect(0, 0, 1920, 1080)});
    const double build = millisecondsPerCall(
        10, [&](int) { IMEIndicatorSettingsView page(store, notifications, displays); });
    std::printf("IME indicator page construction: %.1f ms\n", build);

    IMEIndicatorSettingsView page(store, notifications, displays);
    auto* slider = page.findChild<SteppedSlider*>(QStringLiteral("indicatorSizeSlider"));
    const double step = millisecondsPerCall(200, [&](int i) { slider->setValue(i % 35); });
    std::printf("size slider step (write, redraw controls, save, announce): %.2f ms\n", step);
    return 0;
}
