#include "app/CommandLine.h"
#include "app/FontWarningFilter.h"
#include "common/TestRegistry.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace mirevo;

Q_DECLARE_METATYPE(mirevo::CommandLine::Action)
Q_DECLARE_METATYPE(mirevo::InputBackendChoice::Kind)

// What the program sets up before it starts: its command line and its log filter.
class ProgramStartTest : public QObject {
    Q_OBJECT
private slots:
    // What the end-to-end tests do not reach: backends, errors and Qt's own options.
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("environment");
        QTest::addColumn<CommandLine::Action>("action");
        QTest::addColumn<InputBackendChoice::Kind>("backend");
        QTest::addColumn<QString>("detail"); // error fragment or Qt platform
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
        QTest::newRow("Qt's platform option")
            << QStringList({"-platform", "offscreen", "-style=Fusion", "-reverse"}) << ""
            << A::runTrayUtility << K::automatic << "offscreen";
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
        if (arguments.contains("-platform"))
            QCOMPARE(line.platform, detail);
    }

    // A new option has to reach the manual page too.
    void manualPageNamesEveryOption()
    {
        QFile page(MIREVO_SOURCE_DIR "/resources/mirevo.1");
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
};

MIREVO_TEST_CLASS(ProgramStartTest)
#include "tst_ProgramStart.moc"
