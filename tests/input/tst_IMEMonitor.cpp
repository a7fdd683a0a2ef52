#include "common/FakeInputSource.h"
#include "common/TestRegistry.h"
#include "input/IMEMonitor.h"
#include "input/LanguageRules.h"

#include <QTest>

using namespace mirevo;
using mirevo::test::FakeInputSource;
using mirevo::test::row;

class IMEMonitorTest : public QObject {
    Q_OBJECT
private slots:
    void identifiers_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("expected");
        row("inputmethod alone", "foo.inputmethod.bar", "other");
        row("hiragana", "com.apple.inputmethod.Kotoeri.Hiragana", "japanese");
        row("lower-case japanese matches nothing", "x.japanese.hiragana", "english");
        row("lower-case inputmethod only", "x.inputmethod.japanese", "other");
        row("pinyin before TCIM", "x.Pinyin.TCIM", "chinese_simplified");
        row("korean before thai", "x.Thai.Korean", "korean");
        row("ukrainian before russian", "Ukrainian.Russian.Cyrillic", "ukrainian");
        row("arabic before QWERTY", "keylayout.Arabic-QWERTY", "arabic");
        row("roman mode of an input method", "com.apple.inputmethod.Kotoeri.Roman", "english");
        row("roman mode named Japanese", "x.Japanese.Roman", "japanese");
        row("telugu before hindi", "TransliterationIM.te.Devanagari", "telugu");
        row("Lao inside Laos", "keylayout.Laos", "lao");
    }
    void identifiers()
    {
        QFETCH(QString, id);
        QFETCH(QString, expected);
        QCOMPARE(rawValue(detectLanguage(id)), expected);
    }

    void everySwitchIsReportedOnce()
    {
        const QString korean = QStringLiteral("ibus.inputmethod.hangul.Korean");
        auto source = std::make_unique<FakeInputSource>();
        source->id = korean;
        IMEMonitor monitor(source.get());
        QStringList log;
        monitor.onLanguageChanged = [&](InputLanguage language) {
            // "!": the monitor's own language was not yet the new one.
            log << rawValue(language) + (monitor.currentLanguage() == language ? "" : "!");
        };
        monitor.onIMEStateChanged = [&](bool on) { log << (on ? "ime:on" : "ime:off"); };
        monitor.startMonitoring();
        // Reported before startMonitoring returns.
        QCOMPARE(log, QStringList({"korean", "ime:on"}));

        source->switchTo(QStringLiteral("xkb.keylayout.us.English (US)"));
        source->switchTo(QStringLiteral("xkb.keylayout.us(dvorak).Dvorak")); // same language
        source->switchTo(QStringLiteral("ibus.inputmethod.anthy.Japanese"));
        source->switchTo(korean);
        source->switchTo(std::nullopt); // no source: nothing changes
        QCOMPARE(log.mid(2), QStringList({"english", "ime:off", "japanese", "ime:on", "korean"}));
        QCOMPARE(monitor.currentSourceID(), korean);
        // A source that announces its switches is never asked in between.
        QVERIFY(!monitor.isPolling());
        source.reset(); // the backend gone first
        monitor.checkInputSource();
        QCOMPARE(monitor.currentLanguage(), InputLanguage::korean);
    }

    // Only a source without a change signal is asked periodically, and only while it has
    // none (fcitx5's tray item can come and go).
    void asksOnlyASourceWithoutSignal()
    {
        test::FakeInputSource source;
        source.id = QStringLiteral("xkb.keylayout.us.English (US)");
        source.signalling = false;
        IMEMonitor monitor(&source);
        monitor.startMonitoring();
        QVERIFY(monitor.isPolling());
        source.id = QStringLiteral("fcitx5.inputmethod.hangul.Korean");
        QTRY_COMPARE_WITH_TIMEOUT(monitor.currentLanguage(), InputLanguage::korean, 2000);
        // The source can announce its switches now, and says so.
        source.signalling = true;
        emit source.mayHaveChanged();
        QVERIFY(!monitor.isPolling());
        source.id = QStringLiteral("xkb.keylayout.ru.Russian");
        QTest::qWait(3 * IMEMonitor::kPollIntervalMs);
        QCOMPARE(monitor.currentLanguage(), InputLanguage::korean);
        source.signalling = false;
        emit source.mayHaveChanged();
        QCOMPARE(monitor.currentLanguage(), InputLanguage::russian);
        QVERIFY(monitor.isPolling());
    }
};

MIREVO_TEST_CLASS(IMEMonitorTest)
#include "tst_IMEMonitor.moc"
