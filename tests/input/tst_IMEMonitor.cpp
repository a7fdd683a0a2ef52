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
        row("empty", "", "english");
        row("inputmethod alone", "foo.inputmethod.bar", "other");
        row("hiragana", "com.apple.inputmethod.Kotoeri.Hiragana", "japanese");
        row("romaji typing", "com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese", "japanese");
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
        // A switch without a change signal, as with fcitx5, the poll finds alone; nothing
        // the signal reported is reported again.
        source->id = QStringLiteral("xkb.keylayout.us(dvorak).Dvorak");
        QTRY_COMPARE_WITH_TIMEOUT(log.mid(7), QStringList({"english", "ime:off"}), 2000);
        source.reset(); // the backend gone first
        monitor.checkInputSource();
        QCOMPARE(monitor.currentLanguage(), InputLanguage::english);
    }
};

MIREVO_TEST_CLASS(IMEMonitorTest)
#include "tst_IMEMonitor.moc"
