#include "input/IMEMonitor.h"

#include "input/LanguageRules.h"
#include "platform/InputSource.h"
#include "platform/InputSourceFactory.h"

namespace mirevo {
namespace {

std::unique_ptr<InputSource>& sharedSource()
{
    static std::unique_ptr<InputSource> source;
    return source;
}

} // namespace

IMEMonitor::IMEMonitor(InputSource* source, QObject* parent) : QObject(parent), m_source(source)
{
    m_pollingTimer.setInterval(kPollIntervalMs);
    connect(&m_pollingTimer, &QTimer::timeout, this, &IMEMonitor::checkInputSource);
}

IMEMonitor::~IMEMonitor()
{
    disconnect(m_sourceConnection);
}

void IMEMonitor::installSharedSource(std::unique_ptr<InputSource> source)
{
    sharedSource() = std::move(source);
}

IMEMonitor& IMEMonitor::shared()
{
    static IMEMonitor* monitor = [] {
        if (!sharedSource())
            sharedSource() = createInputSource(InputBackendChoice::automatic());
        return new IMEMonitor(sharedSource().get());
    }();
    return *monitor;
}

void IMEMonitor::startMonitoring()
{
    if (m_source) {
        disconnect(m_sourceConnection);
        m_sourceConnection =
            connect(m_source, &InputSource::mayHaveChanged, this, &IMEMonitor::checkInputSource);
    }
    m_monitoring = true;
    checkInputSource();
}

// A source announces a change of its needs with its change signal, which runs the check,
// so the check is the one place to start or stop asking.
void IMEMonitor::followSourceNeeds()
{
    const bool poll = m_monitoring && m_source && !m_source->signalsChanges();
    if (poll && !m_pollingTimer.isActive())
        m_pollingTimer.start();
    else if (!poll && m_pollingTimer.isActive())
        m_pollingTimer.stop();
}

void IMEMonitor::checkInputSource()
{
    followSourceNeeds();
    if (!m_source)
        return;
    const std::optional<QString> sourceId = m_source->currentSourceId();
    if (!sourceId)
        return;

    // The language is a function of the identifier alone: an unchanged identifier cannot
    // change it, which keeps a poll to one query and one comparison.
    if (*sourceId == m_currentSourceID)
        return;
    const InputLanguage detected = detectLanguage(*sourceId);
    m_currentSourceID = *sourceId;
    const QString code = m_source->currentLayoutCode();
    const bool codeChanged = code != m_currentLayoutCode;
    m_currentLayoutCode = code;

    if (detected != m_currentLanguage) {
        const InputLanguage previous = m_currentLanguage;
        m_currentLanguage = detected;
        if (onLanguageChanged)
            onLanguageChanged(detected);
        if (isIMEActive(previous) != isIMEActive(detected) && onIMEStateChanged)
            onIMEStateChanged(isIMEActive(detected));
    }
    if (codeChanged && onLayoutCodeChanged)
        onLayoutCodeChanged(code);
}

} // namespace mirevo
