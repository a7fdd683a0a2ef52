#include "common/TestRegistry.h"
#include "platform/sources/InputModes.h"

#include <QTest>

using namespace mirevo;
using mirevo::test::row;

class InputModesTest : public QObject {
    Q_OBJECT
private slots:
    // fcitx5's tray icons for fcitx5-mozc 2.28's modes (its menu names them "Direct", "Full
    // ASCII", "Half Katakana"), and icons that name no mode of the current method.
    void fcitx5ModeIcon_data()
    {
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QString>("methodIcon");
        QTest::addColumn<QString>("expected"); // "latin", "native", or "" for no mode
        row("direct input", "fcitx_mozc_direct", "fcitx_mozc", "latin");
        row("wide ASCII", "fcitx_mozc_alpha_full", "fcitx_mozc", "latin");
        row("half-width katakana", "fcitx_mozc_katakana_half", "fcitx_mozc", "native");
        row("sandboxed fcitx5", "org.fcitx.Fcitx5.fcitx_mozc_alpha_half", "fcitx_mozc", "latin");
        row("icon of the keyboard before", "input-keyboard-symbolic", "fcitx_mozc", "");
        row("icon of mozc after a switch", "fcitx_mozc_direct", "fcitx-hangul", "");
        row("a longer name, not a mode", "fcitx_mozcjp_direct", "fcitx_mozc", "");
        row("method without an icon", "fcitx_mozc_direct", "", "");
    }
    void fcitx5ModeIcon()
    {
        QFETCH(QString, icon);
        QFETCH(QString, methodIcon);
        QFETCH(QString, expected);
        const std::optional<bool> latin = isLatinModeIcon(icon, methodIcon);
        QCOMPARE(latin ? (*latin ? "latin" : "native") : "", expected);
    }
};

MIREVO_TEST_CLASS(InputModesTest)
#include "tst_InputModes.moc"
