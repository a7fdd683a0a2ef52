#include "common/TestRegistry.h"
#include "input/InputLanguage.h"
#include "input/LanguageRules.h"
#include "platform/SourceIdComposition.h"
#include "platform/x11/GnomeSources.h"

#include <QTest>

using namespace mirevo;

class SourceIdCompositionTest : public QObject {
    Q_OBJECT
private slots:
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
        row("ibus", "xkb:us::eng|en|English (US)|us", "ibus.keylayout.us.English (US)", "english");
        row("ibus", "xkb:jp::jpn|ja|Japanese|jp", "ibus.keylayout.jp.japanese", "english");
        row("ibus", "hangul|ko|Hangul|kr", "ibus.inputmethod.hangul.Korean", "korean");
        row("ibus", "anthy|ja|Anthy|default", "ibus.inputmethod.anthy.Japanese", "japanese");
        row("ibus", "libpinyin|zh_CN|Intelligent Pinyin|default", "ibus.inputmethod.libpinyin.SCIM",
            "chinese_simplified");
        row("ibus", "chewing|zh_TW|Chewing|default", "ibus.inputmethod.chewing.TCIM",
            "chinese_traditional");
        row("ibus", "table:foo|t|Foo|default", "ibus.inputmethod.table:foo", "other");
        row("ibus", "Pinyin-Korean|ko||default", "", "korean");
        row("ibus", "typing-booster|en_US||", "", "english");
        row("ibus", "xkb:il::heb|he|Hebrew|", "ibus.keylayout.il.Hebrew", "hebrew");
        row("ibus", "|||", "ibus.inputmethod.unknown", "other");
        // unique name, language code, name
        row("fcitx5", "keyboard-us|en|Keyboard - English (US)", "fcitx5.keylayout.us.English (US)",
            "english");
        row("fcitx5", "keyboard-ru-phonetic|ru|Keyboard - Russian (phonetic)",
            "fcitx5.keylayout.ru(phonetic).Russian", "russian");
        row("fcitx5", "keyboard-jp|ja|Keyboard - Japanese", "", "english");
        row("fcitx5", "mozc|ja|Mozc", "fcitx5.inputmethod.mozc.Japanese", "japanese");
        row("fcitx5", "pinyin|zh_CN|Pinyin", "fcitx5.inputmethod.pinyin.SCIM",
            "chinese_simplified");
        row("fcitx5", "a.inputmethod.b||", "fcitx5.inputmethod.a_input_method_b", "other");
        // layout, variant, group name
        row("xkb", "us||English (US)", "xkb.keylayout.us.English (US)", "english");
        row("xkb", "gr||Greek", "", "greek");
        row("xkb", "vn||Vietnamese", "xkb.keylayout.vn.Vietnamese", "vietnamese");
        row("xkb", "us|rus|Russian (US, phonetic)", "", "russian");
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
        row("gnome", "us+rus", "", "russian");
        row("gnome", "xx", "gnome.keylayout.xx", "english");
        // short name, variant, long name
        row("kde", "ru|phonetic|Russian (phonetic)", "kde.keylayout.ru(phonetic).Russian",
            "russian");
        row("kde", "jp||Japanese", "kde.keylayout.jp.japanese", "english");
    }
    void compose()
    {
        QFETCH(QString, backend);
        QFETCH(QString, fields);
        QFETCH(QString, expectedId);
        QFETCH(QString, language);
        const QStringList f = fields.split('|');
        const QString id = backend == "ibus"     ? composeIBusSourceId(f[0], f[1], f[2], f[3])
                           : backend == "fcitx5" ? composeFcitx5SourceId(f[0], f[1], f[2])
                           : backend == "xkb"    ? composeXkbSourceId(f[0], f[1], f[2])
                           : backend == "gnome"  ? gnomeLayoutSourceId(f[0])
                                                 : composeKdeSourceId(f[0], f[1], f[2]);
        if (!expectedId.isEmpty())
            QCOMPARE(id, expectedId);
        QCOMPARE(rawValue(detectLanguage(id)), language);
    }
};

MIREVO_TEST_CLASS(SourceIdCompositionTest)
#include "tst_SourceIdComposition.moc"
