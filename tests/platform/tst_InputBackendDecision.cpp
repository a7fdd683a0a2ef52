#include "common/TestRegistry.h"
#include "platform/InputBackendDecision.h"

#include <QTest>

using namespace mirevo;
using mirevo::test::row;

class InputBackendDecisionTest : public QObject {
    Q_OBJECT
private slots:
    void decide_data()
    {
        QTest::addColumn<QString>("environment"); // "NAME=value;..."
        QTest::addColumn<QString>("busNames");    // short names: fcitx5 ibus shell kde
        QTest::addColumn<bool>("ibusRunning");
        QTest::addColumn<bool>("gnomeSettings");
        QTest::addColumn<QString>("expected"); // "backend (reason)"
        row("nothing runs", "", "", false, true, "xkb (no input-method daemon)");
        row("IBus declared, idle fcitx5 too", "GTK_IM_MODULE=ibus", "fcitx5 ibus", true, true,
            "ibus (GTK_IM_MODULE=ibus)");
        row("both, none declared", "", "fcitx5 ibus", true, true,
            "fcitx5 (org.fcitx.Fcitx5 on the session bus)");
        row("fcitx declared in XMODIFIERS", "XMODIFIERS=@im=fcitx", "fcitx5 ibus", true, true,
            "fcitx5 (XMODIFIERS=@im=fcitx)");
        row("declared daemon not running", "GTK_IM_MODULE=fcitx", "ibus", true, true,
            "ibus (ibus-daemon running)");
        row("GNOME drives IBus", "XDG_CURRENT_DESKTOP=ubuntu:GNOME;GTK_IM_MODULE=ibus", "ibus",
            true, true, "gnome (XDG_CURRENT_DESKTOP=ubuntu:GNOME)");
        row("GNOME Shell on the bus", "", "shell", false, true,
            "gnome (org.gnome.Shell on the session bus)");
        row("GNOME without its settings", "XDG_CURRENT_DESKTOP=GNOME", "ibus", true, false,
            "ibus (ibus-daemon running)");
        row("fcitx5 declared on GNOME", "XDG_CURRENT_DESKTOP=GNOME;QT_IM_MODULE=fcitx",
            "fcitx5 shell", false, true, "fcitx5 (QT_IM_MODULE=fcitx)");
        row("Plasma", "XDG_CURRENT_DESKTOP=KDE", "kde fcitx5", false, true,
            "kde (org.kde.keyboard on the session bus)");
        row("IBus declared on Plasma", "INPUT_METHOD=ibus", "kde ibus", true, true,
            "ibus (INPUT_METHOD=ibus)");
    }
    void decide()
    {
        QFETCH(QString, environment);
        QFETCH(QString, busNames);
        QFETCH(bool, ibusRunning);
        QFETCH(bool, gnomeSettings);
        QFETCH(QString, expected);
        const QHash<QString, QString> fullNames{{"fcitx5", "org.fcitx.Fcitx5"},
                                                {"ibus", "org.freedesktop.IBus"},
                                                {"shell", "org.gnome.Shell"},
                                                {"kde", "org.kde.keyboard"}};
        SessionFacts facts;
        for (const QString& pair : environment.split(';', Qt::SkipEmptyParts))
            facts.environment.insert(pair.section('=', 0, 0), pair.section('=', 1));
        for (const QString& name : busNames.split(' ', Qt::SkipEmptyParts))
            facts.busNames << fullNames.value(name);
        facts.ibusRunning = ibusRunning;
        facts.gnomeSettings = gnomeSettings;
        const BackendDecision decision = decideInputBackend(facts);
        const QStringList kinds{"auto", "fcitx5", "ibus", "xkb", "gnome", "kde", "file"};
        QCOMPARE(kinds.value(int(decision.kind)) + " (" + decision.reason + ")", expected);
    }
};

MIREVO_TEST_CLASS(InputBackendDecisionTest)
#include "tst_InputBackendDecision.moc"
