#include "common/TestRegistry.h"
#include "input/InputLanguage.h"
#include "input/LanguageRules.h"
#include "platform/sources/FileInputSource.h"
#include "platform/sources/InputBackendDecision.h"
#include "platform/sources/InputModes.h"
#include "platform/sources/LayoutCode.h"
#include "platform/sources/SourceIdComposition.h"
#include "platform/sources/gnome/GnomeSources.h"
#include "platform/sources/sway/SwayKeyboards.h"
#include "settings/IMEIndicatorSettings.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace mirevo;
using mirevo::test::row;
using mirevo::test::writeFile;

namespace {

// An identifier from a backend's fields joined by '|', as each backend composes it.
QString composeFor(const QString& backend, const QString& fields)
{
    const QStringList f = fields.split('|');
    return backend == "ibus"     ? composeIBusSourceId(f[0], f[1], f[2], f[3])
           : backend == "fcitx5" ? composeFcitx5SourceId(f[0], f[1], f[2])
           : backend == "xkb"    ? composeXkbSourceId(f[0], f[1], f[2])
           : backend == "gnome"  ? gnomeLayoutSourceId(f[0])
           : backend == "sway"   ? sway::swaySourceId(f[0])
                                 : composeKdeSourceId(f[0], f[1], f[2], f.value(3));
}

} // namespace

// Which backend reads the input source, what it reports and how a report becomes a language.
class InputSourcesTest : public QObject {
    Q_OBJECT
private slots:
    void decide_data()
    {
        QTest::addColumn<QString>("environment"); // "NAME=value;..."
        QTest::addColumn<QString>("busNames");    // fcitx5 ibus shell kde; sway: it answers
        QTest::addColumn<bool>("ibusRunning");
        QTest::addColumn<bool>("gnomeSettings");
        QTest::addColumn<QString>("expected"); // "backend (reason)"
        row("fcitx declared in XMODIFIERS", "XMODIFIERS=@im=fcitx", "fcitx5 ibus", true, true,
            "fcitx5 (XMODIFIERS=@im=fcitx)");
        row("declared daemon not running", "GTK_IM_MODULE=fcitx", "ibus", true, true,
            "ibus (ibus-daemon running)");
        row("GNOME drives IBus", "XDG_CURRENT_DESKTOP=ubuntu:GNOME;GTK_IM_MODULE=ibus", "ibus",
            true, true, "gnome (XDG_CURRENT_DESKTOP=ubuntu:GNOME)");
        row("GNOME without its settings", "XDG_CURRENT_DESKTOP=GNOME", "ibus", true, false,
            "ibus (ibus-daemon running)");
        row("fcitx5 declared on GNOME", "XDG_CURRENT_DESKTOP=GNOME;QT_IM_MODULE=fcitx",
            "fcitx5 shell", false, true, "fcitx5 (QT_IM_MODULE=fcitx)");
        row("Plasma", "XDG_CURRENT_DESKTOP=KDE", "kde fcitx5", false, true,
            "kde (org.kde.keyboard on the session bus)");
        row("IBus declared on Plasma", "INPUT_METHOD=ibus", "kde ibus", true, true,
            "kde+ibus (INPUT_METHOD=ibus, org.kde.keyboard on the session bus)");
        row("IBus running on Plasma", "", "kde ibus", true, true,
            "kde+ibus (org.kde.keyboard on the session bus, ibus-daemon running)");
        row("sway", "SWAYSOCK=/run/s.sock", "sway fcitx5", false, true,
            "sway (sway answers at SWAYSOCK=/run/s.sock)");
        row("IBus declared on sway", "SWAYSOCK=/s;GTK_IM_MODULE=ibus", "sway ibus", true, true,
            "sway+ibus (GTK_IM_MODULE=ibus, sway answers at SWAYSOCK=/s)");
        row("fcitx5 declared on sway", "SWAYSOCK=/s;GTK_IM_MODULE=fcitx", "sway fcitx5", false,
            true, "fcitx5 (GTK_IM_MODULE=fcitx)");
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
        facts.swayRunning = busNames.contains("sway");
        facts.ibusRunning = ibusRunning;
        facts.gnomeSettings = gnomeSettings;
        const BackendDecision decision = decideInputBackend(facts);
        const QStringList kinds{"auto", "fcitx5", "ibus",     "xkb",  "gnome",
                                "kde",  "file",   "kde+ibus", "sway", "sway+ibus"};
        QCOMPARE(kinds.value(int(decision.kind)) + " (" + decision.reason + ")", expected);
    }

    // File contents, or a FIFO, a device or a folder at the path.
    void readsTheFirstLine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected"); // empty: no source
        row("second line ignored", QByteArray("first\nsecond\n"), "first");
        row("no newline", QByteArray("xkb.keylayout.ru.Russian"), "xkb.keylayout.ru.Russian");
        row("surrounding blanks", QByteArray("  spaced \r\n"), "spaced");
        row("blank first line", QByteArray("\nsecond\n"), "");
        row("utf-8", QByteArray("file.\xe3\x81\x82"), QString::fromUtf8("file.\xe3\x81\x82"));
        row("fifo", QByteArray("<fifo>"), "");
        row("device", QByteArray("<device>"), "");
        row("folder", QByteArray("<folder>"), "");
    }
    void readsTheFirstLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QString path = dir.filePath("source");
        if (content == "<fifo>")
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (content == "<folder>")
            QVERIFY(QDir(dir.path()).mkdir("source"));
        else if (content == "<device>")
            path = "/dev/zero";
        else
            writeFile(path, content);
        FileInputSource source(path);
        alarm(5); // a read that blocks on the FIFO ends the run instead of hanging it
        const std::optional<QString> id = source.currentSourceId();
        alarm(0);
        QCOMPARE(id.value_or(QString()), expected);
    }

    // A file that appears later, is edited, and is replaced by rename as editors and `mv`
    // do: each change is announced, also after the replacement.
    void announcesEveryChange()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("source");
        FileInputSource source(path);
        QCOMPARE(source.currentSourceId(), std::nullopt);
        QSignalSpy changed(&source, &InputSource::mayHaveChanged);
        const auto expect = [&](const char* id) {
            QTRY_VERIFY(changed.count() > 0);
            changed.clear();
            QCOMPARE(source.currentSourceId(), std::optional<QString>(id));
        };
        writeFile(path, "a\n");
        expect("a");
        writeFile(path, "b\n");
        expect("b");
        writeFile(dir.filePath("tmp"), "c\n");
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::rename(dir.filePath("tmp"), path));
        expect("c");
        writeFile(path, "d\n");
        expect("d");
    }

    // A backend's fields joined by '|', the identifier expected (empty: only the language
    // is checked) and the language it maps to.
    void compose_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("expectedId");
        QTest::addColumn<QString>("language");
        const auto row = [](const char* backend, const char* fields, const char* id,
                            const char* language) {
            QTest::addRow("%s %s", backend, fields) << backend << fields << id << language;
        };
        // engine name, language, longname, layout
        row("ibus", "xkb:jp::jpn|ja|Japanese|jp", "ibus.keylayout.jp.japanese", "english");
        row("ibus", "chewing|zh_TW|Chewing|default", "ibus.inputmethod.chewing.TCIM",
            "chinese_traditional");
        row("ibus", "table:foo|t|Foo|default", "ibus.inputmethod.table:foo", "other");
        // languages with a region or script, as engines write them
        row("ibus", "table:quick-classic|zh-TW|Quick|default", "", "chinese_traditional");
        row("ibus", "table:cangjie5|zh_HK|Cangjie 5|default", "", "chinese_traditional");
        row("ibus", "libzhuyin|zh-tw|Zhuyin|default", "", "chinese_traditional");
        row("fcitx5", "chewing|zh_TW.UTF-8|Chewing", "", "chinese_traditional");
        row("fcitx5", "hangul|ko_KR|Hangul", "", "korean");
        row("ibus", "Pinyin-Korean|ko||default", "", "korean");
        row("ibus", "typing-booster|en_US||", "", "english");
        row("ibus", "xkb:il::heb|he|Hebrew|", "ibus.keylayout.il.Hebrew", "hebrew");
        row("ibus", "|||", "ibus.inputmethod.unknown", "other");
        // unique name, language code, name
        row("fcitx5", "keyboard-ru-phonetic|ru|Keyboard - Russian (phonetic)",
            "fcitx5.keylayout.ru(phonetic).Russian", "russian");
        row("fcitx5", "keyboard-jp|ja|Keyboard - Japanese", "", "english");
        row("fcitx5", "pinyin|zh_CN|Pinyin", "fcitx5.inputmethod.pinyin.SCIM",
            "chinese_simplified");
        row("fcitx5", "a.inputmethod.b||", "fcitx5.inputmethod.a_input_method_b", "other");
        // layout, variant, group name
        row("xkb", "vn||Vietnamese", "xkb.keylayout.vn.Vietnamese", "vietnamese");
        row("xkb", "jp|kana|Japanese (Kana)", "", "japanese");
        row("xkb", "cn|mon_trad|Mongolian (Bichig)", "", "mongolian");
        row("xkb", "ma|french|French (Morocco)", "", "english");
        row("xkb", "in|tam|Tamil (InScript)", "", "tamil");
        row("xkb", "in||Indian", "", "hindi");
        row("xkb", "xx||Mongolian", "", "mongolian");
        row("xkb", "us||English\n(US)", "xkb.keylayout.us.English (US)", "english");
        row("xkb", "foo||my inputmethod", "", "english");
        row("xkb", "||", "xkb.keylayout.unknown", "english");
        // GNOME's layout id, described by the real xkeyboard-config registry
        row("gnome", "de+neo", "gnome.keylayout.de+neo.German (Neo 2)", "english");
        row("gnome", "jp", "gnome.keylayout.jp.japanese", "english");
        row("gnome", "xx", "gnome.keylayout.xx", "english");
        // short name, variant, long name
        row("kde", "jp||Japanese", "kde.keylayout.jp.japanese", "english");
        // sway's layout name, looked up in the real xkeyboard-config registry
        row("sway", "Russian (US, phonetic)", "sway.keylayout.us(rus).Russian", "russian");
        row("sway", "Japanese", "sway.keylayout.jp.japanese", "english");
        row("sway", "My Hebrew", "", "hebrew");
        row("kde", "ru||Russian|Lao", "kde.keylayout.ru@LAO.Russian", "russian");
    }

    void compose()
    {
        QFETCH(QString, backend);
        QFETCH(QString, fields);
        QFETCH(QString, expectedId);
        QFETCH(QString, language);
        const QString id = composeFor(backend, fields);
        if (!expectedId.isEmpty())
            QCOMPARE(id, expectedId);
        QCOMPARE(rawValue(detectLanguage(id)), language);
    }

    // The badge's text for a source among the user's other sources ("?": the backend does
    // not know them), with layout codes chosen; with the language chosen it is always the
    // language's own text.
    void badgeText()
    {
        QFETCH(QString, backend);
        QFETCH(QString, fields);
        QFETCH(QString, others);
        QFETCH(QString, codeText);
        const QString id = composeFor(backend, fields);
        std::optional<QStringList> configured;
        if (others != "?") {
            configured = QStringList{id};
            for (const QString& other : others.split(';', Qt::SkipEmptyParts))
                *configured << composeFor(backend, other);
        }
        const QString code = layoutCodeForSourceId(id, configured);
        const InputLanguage language = detectLanguage(id);
        IMEIndicatorSettings settings;
        QCOMPARE(settings.badgeText(language, code), settings.textForLanguage(language));
        settings.layoutLabel = LayoutLabel::layoutCode;
        QCOMPARE(settings.badgeText(language, code), codeText);
    }
    void badgeText_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("others"); // fields joined by ';'
        QTest::addColumn<QString>("codeText");
        const auto row = [](const char* backend, const char* fields, const char* others,
                            const char* text) {
            QTest::addRow("%s %s among %s", backend, fields, others)
                << backend << fields << others << QString::fromUtf8(text);
        };
        row("xkb", "us|intl|English (US, intl.)", "us||English (US)", "US·INTL");
        row("xkb", "us||English (US)", "us|intl|English (US, intl.)", "US");
        row("xkb", "ru|phonetic|Russian (phonetic)", "us||;ru||", "RU·PHON");
        row("xkb", "||", "", "A");
        row("gnome", "de+neo", "de;us", "DE·NEO");
        row("gnome", "de+nodeadkeys", "us", "DE");
        row("kde", "us|intl|English (US, intl.)|EN", "us|||", "EN");
        row("kde", "de||German|de", "us|||", "DE");
        row("kde", "us||English (US)|", "us|dvorak||", "US");
        row("fcitx5", "keyboard-us-intl|en|Keyboard - English (US, intl.)", "?", "US·INTL");
        row("ibus", "hangul|ko|Hangul|kr", "?", "\xed\x95\x9c");
        row("fcitx5", "mozc|ja|Mozc", "?", "\xe3\x81\x82");
        row("sway", "Russian (US, phonetic)", "?", "US·RUS");
    }

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

MIREVO_TEST_CLASS(InputSourcesTest)
#include "tst_InputSources.moc"
