#include "app/CommandLine.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace mirevo;

Q_DECLARE_METATYPE(mirevo::CommandLine::Action)
Q_DECLARE_METATYPE(mirevo::InputBackendChoice::Kind)

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("environment");
        QTest::addColumn<CommandLine::Action>("action");
        QTest::addColumn<InputBackendChoice::Kind>("backend");
        QTest::addColumn<QString>("detail"); // detect id, file path or error fragment
        using A = CommandLine::Action;
        using K = InputBackendChoice::Kind;
        QTest::newRow("no arguments")
            << QStringList() << "" << A::runTrayUtility << K::automatic << "";
        QTest::newRow("detect") << QStringList({"--detect", "x.Hangul"}) << "" << A::detect
                                << K::automatic << "x.Hangul";
        QTest::newRow("detect without id")
            << QStringList({"--detect"}) << "" << A::error << K::automatic << "--detect";
        QTest::newRow("environment backend") << QStringList({"--print-source"}) << "file:/tmp/src"
                                             << A::printSource << K::file << "/tmp/src";
        QTest::newRow("option beats environment") << QStringList({"--input-backend", "ibus"})
                                                  << "xkb" << A::runTrayUtility << K::ibus << "";
        QTest::newRow("option with equals") << QStringList({"--input-backend=fcitx5"}) << ""
                                            << A::runTrayUtility << K::fcitx5 << "";
        QTest::newRow("gnome") << QStringList({"--input-backend", "gnome"}) << ""
                               << A::runTrayUtility << K::gnome << "";
        QTest::newRow("kde from the environment")
            << QStringList({"--print-source"}) << "kde" << A::printSource << K::kde << "";
        QTest::newRow("bad environment backend")
            << QStringList() << "wayland" << A::error << K::automatic << "MIREVO_INPUT_BACKEND";
        QTest::newRow("empty file path") << QStringList({"--input-backend", "file:"}) << ""
                                         << A::error << K::automatic << "file:";
        QTest::newRow("unknown option")
            << QStringList({"--frobnicate"}) << "" << A::error << K::automatic << "--frobnicate";
        QTest::newRow("help") << QStringList({"--help"}) << "" << A::help << K::automatic << "";
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
        if (action == CommandLine::Action::detect)
            QCOMPARE(line.detectId, detail);
        if (backend == InputBackendChoice::Kind::file)
            QCOMPARE(line.inputBackend.filePath, detail);
    }
};

MIREVO_TEST_CLASS(CommandLineTest)
#include "tst_CommandLine.moc"
