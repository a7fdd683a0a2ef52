#include "app/AppDelegate.h"
#include "app/CommandLine.h"
#include "app/FirstPaint.h"
#include "app/FontWarningFilter.h"
#include "common/FakeInputSource.h"
#include "common/TestRegistry.h"
#include "input/IMEMonitor.h"
#include "settings/AppSettingsManager.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

using namespace mirevo;

Q_DECLARE_METATYPE(mirevo::CommandLine::Action)
Q_DECLARE_METATYPE(mirevo::InputBackendChoice::Kind)

namespace {

// A delegate on a temp-folder store and a fake source, its launch steps writing what they
// were asked into one log.
struct DelegateFixture {
    QTemporaryDir dir;
    AppSettingsManager store{dir.path()};
    test::FakeInputSource source;
    IMEMonitor monitor{&source};
    QStringList log;
    InputLanguage indicator = InputLanguage::english;
    std::function<void()> afterIndicator; // what waits for the indicator to be on screen
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
        s.afterIndicatorShown = [this](std::function<void()> rest) {
            afterIndicator = std::move(rest);
        };
        delegate = std::make_unique<AppDelegate>(store, monitor, s);
        delegate->applicationDidFinishLaunching();
    }
};

} // namespace

// What the program does as it starts: its command line, its log filter, the launch steps
// and how language changes reach the displays.
class ProgramStartTest : public QObject {
    Q_OBJECT
private slots:
    // What command_line.sh does not reach (it passes Qt's own options): backends, errors.
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("environment");
        QTest::addColumn<CommandLine::Action>("action");
        QTest::addColumn<InputBackendChoice::Kind>("backend");
        QTest::addColumn<QString>("detail"); // error fragment
        using A = CommandLine::Action;
        using K = InputBackendChoice::Kind;
        QTest::newRow("detect without id")
            << QStringList({"--detect"}) << "" << A::error << K::automatic << "--detect";
        QTest::newRow("option beats environment") << QStringList({"--input-backend", "ibus"})
                                                  << "xkb" << A::runTrayUtility << K::ibus << "";
        QTest::newRow("bad environment backend")
            << QStringList() << "wayland" << A::error << K::automatic << "MIREVO_INPUT_BACKEND";
        QTest::newRow("empty file path") << QStringList({"--input-backend", "file:"}) << ""
                                         << A::error << K::automatic << "file:";
        QTest::newRow("stray argument")
            << QStringList({"hangul"}) << "" << A::error << K::automatic << "hangul";
        QTest::newRow("help") << QStringList({"-h"}) << "" << A::help << K::automatic << "";
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, environment);
        QFETCH(CommandLine::Action, action);
        QFETCH(InputBackendChoice::Kind, backend);
        QFETCH(QString, detail);
        const CommandLine line = CommandLine::parse(QStringList("mirevo") + arguments, environment);
        QCOMPARE(line.action, action);
        if (action == CommandLine::Action::error) {
            QVERIFY2(line.errorMessage.contains(detail), qPrintable(line.errorMessage));
            return;
        }
        QCOMPARE(line.inputBackend.kind, backend);
    }

    void manualPageNamesEveryOption()
    {
        QFile page(MIREVO_SOURCE_DIR "/resources/mirevo.1.in");
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString manual = QString::fromUtf8(page.readAll()).remove(QLatin1Char('\\'));
        static const QRegularExpression option(QStringLiteral("--[a-z-]+"));
        for (const auto& match : option.globalMatch(CommandLine::helpText()))
            QVERIFY2(manual.contains(match.captured()), qPrintable(match.captured()));
    }

    // Qt's complaints about fonts without shaping tables vanish; everything else, warnings
    // included, still reaches the log.
    void dropsOnlyFontShapingWarnings()
    {
        filterFontShapingWarnings();
        QTest::failOnWarning(QRegularExpression("OpenType support missing"));
        QTest::ignoreMessage(QtWarningMsg, "QObject::connect: No such signal");
        QTest::ignoreMessage(QtInfoMsg, "OpenType support missing for a reason of its own");
        qWarning("  OpenType support missing for \"DejaVu Sans\", script 17");
        qWarning("QObject::connect: No such signal");
        qInfo("OpenType support missing for a reason of its own");
    }

    // A source that is not English at launch reaches the displays before the clock and the
    // pointer badge start, which wait until the indicator is on screen; a hidden pointer
    // badge is not started.
    void launchRunsTheStepsInOrder()
    {
        DelegateFixture japanese("ibus.inputmethod.anthy.Japanese", false);
        const QStringList first{"accessibility",   "menu",      "indicator",   "animate:japanese",
                                "cursor:japanese", "status:on", "clock-redraw"};
        QCOMPARE(japanese.log, first);
        japanese.afterIndicator();
        QCOMPARE(japanese.log, first + QStringList({"clock"}));
        QVERIFY(japanese.monitor.isMonitoring());
        QTRY_VERIFY(japanese.store.isJapaneseInput());
        DelegateFixture english("xkb.keylayout.us.English (US)");
        QCOMPARE(english.log, QStringList({"accessibility", "menu", "indicator"}));
        english.afterIndicator();
        QCOMPARE(english.log,
                 QStringList({"accessibility", "menu", "indicator", "clock", "cursor"}));
    }

    // What waits for a window's first paint runs from the event loop once it painted, at
    // once without a window to wait for, and also when the window goes first.
    void waitsForTheFirstPaint()
    {
        int runs = 0;
        afterFirstPaint(nullptr, [&] { ++runs; });
        QWidget hidden;
        afterFirstPaint(&hidden, [&] { ++runs; });
        QCOMPARE(runs, 2);
        QWidget shown;
        shown.show();
        afterFirstPaint(&shown, [&] { ++runs; });
        QCOMPARE(runs, 2);
        QTRY_COMPARE(runs, 3);
        auto replaced = std::make_unique<QWidget>();
        replaced->show();
        afterFirstPaint(replaced.get(), [&] { ++runs; });
        replaced.reset();
        QCOMPARE(runs, 4);
    }

    void languageChanges()
    {
        DelegateFixture f(QStringLiteral("xkb.keylayout.us.English (US)"));
        f.log.clear();
        f.source.switchTo(QStringLiteral("ibus.inputmethod.hangul.Korean"));
        f.source.switchTo(QStringLiteral("xkb.keylayout.us.English (US)"));
        QCOMPARE(f.log,
                 QStringList({"animate:korean", "cursor:korean", "status:on", "clock-redraw",
                              "animate:english", "cursor:english", "status:off", "clock-redraw"}));
        // An indicator that already shows the language is left alone; the rest still hear.
        f.log.clear();
        f.indicator = InputLanguage::greek;
        f.delegate->handleLanguageChange(InputLanguage::greek);
        QCOMPARE(f.log, QStringList({"cursor:greek", "status:on", "clock-redraw"}));
    }
};

MIREVO_TEST_CLASS(ProgramStartTest)
#include "tst_ProgramStart.moc"
