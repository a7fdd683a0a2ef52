#pragma once

#include "input/InputLanguage.h"

#include <QObject>

namespace mirevo {

class AppSettingsManager;
class IMEMonitor;

// Runs the launch sequence and forwards each language change to the displays and the store.
class AppDelegate : public QObject {
    Q_OBJECT
public:
    AppDelegate(AppSettingsManager& store, IMEMonitor& monitor, QObject* parent = nullptr);

    void applicationDidFinishLaunching();
    void handleLanguageChange(InputLanguage language);

private:
    AppSettingsManager& m_store;
    IMEMonitor& m_monitor;
};

} // namespace mirevo
