#include "common/FakeInputSource.h"
#include "common/TestRegistry.h"
#include "input/IMEMonitor.h"

#include <QTest>

using namespace mirevo;
using mirevo::test::FakeInputSource;

namespace {

const QString kUS = QStringLiteral("xkb.keylayout.us.English (US)");
const QString kDvorak = QStringLiteral("xkb.keylayout.us(dvorak).Dvorak");
const QString kKorean = QStringLiteral("ibus.inputmethod.hangul.Korean");

} // namespace

class IMEMonitorTest : public QObject {
    Q_OBJECT
private slots:
    void everySwitchIsReportedOnce()
    {
        FakeInputSource source;
        source.id = kUS;
        IMEMonitor monitor(&source);
        QStringList log;
        monitor.onLanguageChanged = [&](InputLanguage language) {
            // "!": the monitor's own language was not yet the new one.
            log << rawValue(language) + (monitor.currentLanguage() == language ? "" : "!");
        };
        monitor.onIMEStateChanged = [&](bool on) { log << (on ? "ime:on" : "ime:off"); };
        monitor.startMonitoring();
        QVERIFY(log.isEmpty()); // English at launch is no change

        source.switchTo(QStringLiteral("ibus.inputmethod.anthy.Japanese"));
        source.switchTo(kKorean);
        source.switchTo(kUS);
        source.switchTo(kDvorak); // same language: only the identifier changes
        QCOMPARE(log, QStringList({"japanese", "ime:on", "korean", "english", "ime:off"}));
        QCOMPARE(monitor.currentSourceID(), kDvorak);
        // A switch without a change signal, as with fcitx5, the poll finds alone; nothing
        // the signal reported is reported again.
        source.id = kKorean;
        QTRY_COMPARE_WITH_TIMEOUT(log.mid(5), QStringList({"korean", "ime:on"}), 2000);
    }

    void noSourceChangesNothing()
    {
        auto source = std::make_unique<FakeInputSource>();
        source->id = kKorean;
        IMEMonitor monitor(source.get());
        QStringList log;
        monitor.onLanguageChanged = [&](InputLanguage language) { log << rawValue(language); };
        monitor.startMonitoring();
        QCOMPARE(log, QStringList({"korean"})); // reported before startMonitoring returns
        source->switchTo(std::nullopt);
        source.reset(); // the backend gone first
        monitor.checkInputSource();
        QCOMPARE(monitor.currentLanguage(), InputLanguage::korean);
        QCOMPARE(monitor.currentSourceID(), kKorean);
        QCOMPARE(log, QStringList({"korean"}));
    }
};

MIREVO_TEST_CLASS(IMEMonitorTest)
#include "tst_IMEMonitor.moc"
