#include "platform/sources/Gio.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QTimer>

namespace mirevo {
namespace {

// Often enough for change signals to feel immediate, rarely enough to cost nothing.
constexpr int kPumpIntervalMs = 50;

} // namespace

void ensureGLibDispatch()
{
    static bool checked = false;
    if (checked || !QCoreApplication::instance())
        return;
    checked = true;
    const QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (dispatcher && dispatcher->inherits("QEventDispatcherGlib"))
        return;
    auto* pump = new QTimer(QCoreApplication::instance());
    QObject::connect(pump, &QTimer::timeout, [] {
        while (g_main_context_iteration(nullptr, false)) {
        }
    });
    pump->start(kPumpIntervalMs);
}

} // namespace mirevo
