#include "app/AppDelegate.h"
#include "common/FakeInputSource.h"
#include "common/TestRegistry.h"
#include "input/IMEMonitor.h"
#include "settings/AppSettingsManager.h"

#include <QTemporaryDir>
#include <QTest>

using namespace mirevo;
using mirevo::test::FakeInputSource;

namespace {

// A delegate on a temp-folder store and a fake source, its launch steps writing what they
// were asked into one log.
struct DelegateFixture {
    QTemporaryDir dir;
    AppSettingsManager store{dir.path()};
    FakeInputSource source;
    IMEMonitor monitor{&source};
    QStringList log;
    InputLanguage indicator = InputLanguage::english;
    std::unique_ptr<AppDelegate> delegate;

    explicit DelegateFixture(const QString& initialId, bool cursorVisible = true)
    {
        source.id = initialId;
        store.edit([=](AppSettings& s) { s.mouseCursorIndicator.isVisible = cursorVisible; });
        LaunchSteps s;
        s.checkAccessibilityPermission = [this] { log << "accessibility"; };
        s.setupMenuBar = [this] { log << "menu"; };
        s.createIndicatorWindow = [this] { log << "indicator"; };
        s.createClockWindow = [this] { log << "clock"; };
        s.showMouseCursorIndicator = [this] { log << "cursor"; };
        s.indicatorLanguage = [this] { return indicator; };
        s.animateIndicatorTo = [this](InputLanguage l) {
            indicator = l;
            log << "animate:" + rawValue(l);
        };
        s.updateMouseCursorLanguage = [this](InputLanguage l) { log << "cursor:" + rawValue(l); };
        s.updateMenuInputStatus = [this](bool on) { log << (on ? "status:on" : "status:off"); };
        s.redrawClock = [this] { log << "clock-redraw"; };
        delegate = std::make_unique<AppDelegate>(store, monitor, s);
        delegate->applicationDidFinishLaunching();
    }
};

} // namespace

class AppDelegateTest : public QObject {
    Q_OBJECT
private slots:
    // A source that is not English at launch reaches the displays before the clock and the
    // pointer badge start; a hidden pointer badge is not started.
    void launchRunsTheStepsInOrder()
    {
        DelegateFixture japanese("ibus.inputmethod.anthy.Japanese", false);
        QCOMPARE(japanese.log,
                 QStringList({"accessibility", "menu", "indicator", "animate:japanese",
                              "cursor:japanese", "status:on", "clock-redraw", "clock"}));
        QVERIFY(japanese.monitor.isMonitoring());
        QTRY_VERIFY(japanese.store.isJapaneseInput());
        DelegateFixture english("xkb.keylayout.us.English (US)");
        QCOMPARE(english.log,
                 QStringList({"accessibility", "menu", "indicator", "clock", "cursor"}));
    }

    void languageChanges()
    {
        DelegateFixture f(QStringLiteral("xkb.keylayout.us.English (US)"));
        f.log.clear();
        f.source.switchTo(QStringLiteral("ibus.inputmethod.hangul.Korean"));
        QTRY_VERIFY(f.store.isJapaneseInput());
        f.source.switchTo(QStringLiteral("xkb.keylayout.us.English (US)"));
        QCOMPARE(f.log,
                 QStringList({"animate:korean", "cursor:korean", "status:on", "clock-redraw",
                              "animate:english", "cursor:english", "status:off", "clock-redraw"}));
        QTRY_VERIFY(!f.store.isJapaneseInput());
        // An indicator that already shows the language is left alone; the rest still hear.
        f.log.clear();
        f.indicator = InputLanguage::greek;
        f.delegate->handleLanguageChange(InputLanguage::greek);
        QCOMPARE(f.log, QStringList({"cursor:greek", "status:on", "clock-redraw"}));
    }
};

MIREVO_TEST_CLASS(AppDelegateTest)
#include "tst_AppDelegate.moc"
