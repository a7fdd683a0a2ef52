#pragma once

#include "input/InputLanguage.h"
#include "platform/InputSource.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

namespace mirevo {

// Watches the current input source and reports language changes. The check runs on the
// source's change signal; only a source that cannot announce its switches is also asked
// every 0.3 s, and only while it is the one in use. The check reports only differences
// from what it saw last, so a switch is reported once however it was noticed.
class IMEMonitor : public QObject {
    Q_OBJECT
public:
    static constexpr int kPollIntervalMs = 300;

    // The monitor does not own `source`; it must outlive the monitor or be destroyed first.
    explicit IMEMonitor(InputSource* source, QObject* parent = nullptr);
    ~IMEMonitor() override;

    // The process-wide monitor. Its source is the one installed with installSharedSource(),
    // or the automatic choice of backend when none was installed.
    static IMEMonitor& shared();
    static void installSharedSource(std::unique_ptr<InputSource> source);

    std::function<void(InputLanguage)> onLanguageChanged;
    std::function<void(bool)> onIMEStateChanged;
    // The layout's short code changed ("US" to "DE"; empty for an input method). Runs after
    // onLanguageChanged when both change.
    std::function<void(const QString&)> onLayoutCodeChanged;

    // Starts observing the source and runs the first check before returning.
    void startMonitoring();
    void checkInputSource();

    InputLanguage currentLanguage() const { return m_currentLanguage; }
    QString currentSourceID() const { return m_currentSourceID; }
    QString currentLayoutCode() const { return m_currentLayoutCode; }
    bool isMonitoring() const { return m_monitoring; }
    // Whether the source is being asked periodically (it has no change signal).
    bool isPolling() const { return m_pollingTimer.isActive(); }
    InputSource* source() const { return m_source; }

private:
    void followSourceNeeds();

    QPointer<InputSource> m_source;
    InputLanguage m_currentLanguage = InputLanguage::english;
    QString m_currentSourceID;
    QString m_currentLayoutCode;
    QTimer m_pollingTimer;
    QMetaObject::Connection m_sourceConnection;
    bool m_monitoring = false;
};

} // namespace mirevo
