// Prints what opening the clock and pointer-badge tabs costs: the font list scan (every
// installed family checked against the sample text), building each page, and one
// preview refresh of a format picker (the work done every second while it is shown).
#include "clock/DateTimeFormats.h"
#include "platform/Displays.h"
#include "platform/NotificationCenter.h"
#include "settings/AppSettingsManager.h"
#include "settings_ui/ClockPageRules.h"
#include "settings_ui/ClockSettingsView.h"
#include "settings_ui/DateTimeFormatPickers.h"
#include "settings_ui/MouseCursorIndicatorSettingsView.h"

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
        work();
    return double(timer.nsecsElapsed()) / 1e6 / calls;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir folder;
    AppSettingsManager store(folder.path());
    FixedDisplays displays({QRect(0, 0, 1920, 1080)});
    NotificationCenter notifications;

    const QStringList families = QFontDatabase::families();
    qsizetype kept = 0;
    std::printf("font list, %lld families:         %8.2f ms\n", qlonglong(families.size()),
                millisecondsPerCall(5, [&] {
                    kept = fontListEntries(families, [](const QString& family) {
                               return familyCoversText(family, kFontSampleText);
                           }).size();
                }));
    std::printf("  entries offered (system first):  %8lld\n", qlonglong(kept));
    std::printf("clock page construction:           %8.2f ms\n", millisecondsPerCall(5, [&] {
                    ClockSettingsView view(store, displays, ClockPageActions{});
                }));
    std::printf("pointer page construction:         %8.2f ms\n", millisecondsPerCall(20, [&] {
                    MouseCursorIndicatorSettingsView view(store, notifications);
                }));
    DateFormatPickerView picker(displayLocale());
    picker.setExpanded(true);
    picker.toggleEditor(4);
    std::printf("date picker preview refresh, editor open: %8.3f ms\n",
                millisecondsPerCall(200, [&] { picker.refreshPreviews(); }));
    return 0;
}
