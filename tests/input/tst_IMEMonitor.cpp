#include "common/FakeInputSource.h"
#include "common/TestRegistry.h"
#include "input/IMEMonitor.h"

#include <QTest>

using namespace mirevo;
using mirevo::test::FakeInputSource;

namespace {

// Records the callbacks in the order they arrive.
struct CallbackLog {
    QStringList entries;

    void attach(IMEMonitor& monitor)
    {
        monitor.onLanguageChanged = [this](InputLanguage l) { entries << "lang:" + rawValue(l); };
        monitor.onIMEStateChanged = [this](bool on) { entries << (on ? "ime:on" : "ime:off"); };
    }
};

const QString kUS = QStringLiteral("xkb.keylayout.us.English (US)");
const QString kDvorak = QStringLiteral("xkb.keylayout.us(dvorak).Dvorak");
const QString kJapanese = QStringLiteral("ibus.inputmethod.anthy.Japanese");
const QString kKorean = QStringLiteral("ibus.inputmethod.hangul.Korean");

// A monitor on a fake source, with its callbacks recorded.
struct MonitorFixture {
    FakeInputSource source;
    IMEMonitor monitor{&source};
    CallbackLog log;

    explicit MonitorFixture(const QString& initialId)
    {
        source.id = initialId;
        log.attach(monitor);
    }
};

} // namespace

class IMEMonitorTest : public QObject {
    Q_OBJECT
private slots:
    void englishAtLaunchReportsNothing()
    {
        MonitorFixture f(kUS);
        auto& [source, monitor, log] = f;
        monitor.startMonitoring();
        QVERIFY(log.entries.isEmpty());
        QCOMPARE(monitor.currentSourceID(), kUS);
        QCOMPARE(monitor.currentLanguage(), InputLanguage::english);
    }

    void nonEnglishAtLaunchIsReportedInsideStart()
    {
        MonitorFixture f(kJapanese);
        auto& [source, monitor, log] = f;
        monitor.startMonitoring();
        QCOMPARE(log.entries, QStringList({"lang:japanese", "ime:on"}));
    }

    void switchSequence()
    {
        MonitorFixture f(kUS);
        auto& [source, monitor, log] = f;
        InputLanguage seenInCallback = InputLanguage::english;
        monitor.onLanguageChanged = [&, &monitor = monitor, &log = log](InputLanguage l) {
            seenInCallback = monitor.currentLanguage(); // the field is set before the call
            log.entries << "lang:" + rawValue(l);
        };
        monitor.startMonitoring();

        source.switchTo(kJapanese);
        QCOMPARE(seenInCallback, InputLanguage::japanese);
        source.switchTo(kKorean);
        source.switchTo(kUS);
        source.switchTo(kDvorak); // same language: only the identifier changes
        QCOMPARE(log.entries, QStringList({"lang:japanese", "ime:on", "lang:korean", "lang:english",
                                           "ime:off"}));
        QCOMPARE(monitor.currentSourceID(), kDvorak);
    }

    void signalAndPollSeeOneSwitchOnce()
    {
        MonitorFixture f(kUS);
        auto& [source, monitor, log] = f;
        monitor.startMonitoring();
        source.switchTo(kKorean);
        const int readsAfterSignal = source.reads;
        QTRY_VERIFY_WITH_TIMEOUT(source.reads > readsAfterSignal, 2000); // the poll ran too
        QCOMPARE(log.entries, QStringList({"lang:korean", "ime:on"}));
    }

    void pollAloneFindsASilentSwitch()
    {
        MonitorFixture f(kUS);
        auto& [source, monitor, log] = f;
        monitor.startMonitoring();
        source.id = kKorean; // no change signal, as with fcitx5
        QTRY_COMPARE_WITH_TIMEOUT(log.entries, QStringList({"lang:korean", "ime:on"}), 2000);
    }

    void noSourceChangesNothing()
    {
        MonitorFixture f(kKorean);
        auto& [source, monitor, log] = f;
        monitor.startMonitoring();
        source.switchTo(std::nullopt);
        QCOMPARE(monitor.currentLanguage(), InputLanguage::korean);
        QCOMPARE(monitor.currentSourceID(), kKorean);
        QCOMPARE(log.entries, QStringList({"lang:korean", "ime:on"}));
    }

    void sourceDestroyedFirstIsHarmless()
    {
        auto source = std::make_unique<FakeInputSource>();
        source->id = kKorean;
        IMEMonitor monitor(source.get());
        monitor.startMonitoring();
        source.reset();
        monitor.checkInputSource();
        QCOMPARE(monitor.currentLanguage(), InputLanguage::korean);
    }
};

MIREVO_TEST_CLASS(IMEMonitorTest)
#include "tst_IMEMonitor.moc"
