#include "common/TestRegistry.h"
#include "input/InputLanguage.h"
#include "input/LanguageRules.h"
#include "platform/SourceIdComposition.h"
#include "platform/x11/GnomeSources.h"

#include <QTest>

using namespace mirevo;

namespace {

// Rows name the language by its raw value so that a failure prints readably.
void addColumns()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("c");
    QTest::addColumn<QString>("d");
    QTest::addColumn<QString>("expectedId"); // empty: only the language is checked
    QTest::addColumn<QString>("language");
}

void checkRow(const QString& id)
{
    QFETCH(QString, expectedId);
    QFETCH(QString, language);
    if (!expectedId.isEmpty())
        QCOMPARE(id, expectedId);
    QCOMPARE(rawValue(detectLanguage(id)), language);
}

} // namespace

class SourceIdCompositionTest : public QObject {
    Q_OBJECT
private slots:
    // engine name, language, longname, layout
    void ibus_data()
    {
        addColumns();
        QTest::newRow("us layout") << "xkb:us::eng"
                                   << "en"
                                   << "English (US)"
                                   << "us"
                                   << "ibus.keylayout.us.English (US)"
                                   << "english";
        QTest::newRow("ru layout") << "xkb:ru::rus"
                                   << "ru"
                                   << "Russian"
                                   << "ru"
                                   << "ibus.keylayout.ru.Russian"
                                   << "russian";
        QTest::newRow("jp layout types latin") << "xkb:jp::jpn"
                                               << "ja"
                                               << "Japanese"
                                               << "jp"
                                               << "ibus.keylayout.jp.japanese"
                                               << "english";
        QTest::newRow("kr layout types latin") << "xkb:kr:kr104:kor"
                                               << "ko"
                                               << "Korean (101/104-key compatible)"
                                               << "kr"
                                               << ""
                                               << "english";
        QTest::newRow("hangul") << "hangul"
                                << "ko"
                                << "Hangul"
                                << "kr"
                                << "ibus.inputmethod.hangul.Korean"
                                << "korean";
        QTest::newRow("anthy") << "anthy"
                               << "ja"
                               << "Anthy"
                               << "default"
                               << "ibus.inputmethod.anthy.Japanese"
                               << "japanese";
        QTest::newRow("mozc") << "mozc-jp"
                              << "ja"
                              << "Mozc"
                              << "default"
                              << ""
                              << "japanese";
        QTest::newRow("libpinyin") << "libpinyin"
                                   << "zh_CN"
                                   << "Intelligent Pinyin"
                                   << "default"
                                   << "ibus.inputmethod.libpinyin.SCIM"
                                   << "chinese_simplified";
        QTest::newRow("chewing") << "chewing"
                                 << "zh_TW"
                                 << "Chewing"
                                 << "default"
                                 << "ibus.inputmethod.chewing.TCIM"
                                 << "chinese_traditional";
        QTest::newRow("unknown language t") << "table:foo"
                                            << "t"
                                            << "Foo"
                                            << "default"
                                            << "ibus.inputmethod.table:foo"
                                            << "other";
        QTest::newRow("name with a rule word") << "Pinyin-Korean"
                                               << "ko"
                                               << ""
                                               << "default"
                                               << ""
                                               << "korean";
        QTest::newRow("english input method") << "typing-booster"
                                              << "en_US"
                                              << ""
                                              << ""
                                              << ""
                                              << "english";
        QTest::newRow("layout from the name") << "xkb:il::heb"
                                              << "he"
                                              << "Hebrew"
                                              << ""
                                              << "ibus.keylayout.il.Hebrew"
                                              << "hebrew";
        QTest::newRow("empty engine name") << ""
                                           << ""
                                           << ""
                                           << ""
                                           << "ibus.inputmethod.unknown"
                                           << "other";
    }
    void ibus()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, c);
        QFETCH(QString, d);
        checkRow(composeIBusSourceId(a, b, c, d));
    }

    // unique name, language code, name
    void fcitx5_data()
    {
        addColumns();
        const QString unused;
        QTest::newRow("us") << "keyboard-us"
                            << "en"
                            << "Keyboard - English (US)" << unused
                            << "fcitx5.keylayout.us.English (US)"
                            << "english";
        QTest::newRow("ua") << "keyboard-ua"
                            << "uk"
                            << "Keyboard - Ukrainian" << unused << "fcitx5.keylayout.ua.Ukrainian"
                            << "ukrainian";
        QTest::newRow("il") << "keyboard-il"
                            << "he"
                            << "Keyboard - Hebrew" << unused << "fcitx5.keylayout.il.Hebrew"
                            << "hebrew";
        QTest::newRow("ru with variant")
            << "keyboard-ru-phonetic"
            << "ru"
            << "Keyboard - Russian (phonetic)" << unused << "fcitx5.keylayout.ru(phonetic).Russian"
            << "russian";
        QTest::newRow("jp keyboard") << "keyboard-jp"
                                     << "ja"
                                     << "Keyboard - Japanese" << unused << ""
                                     << "english";
        QTest::newRow("mozc") << "mozc"
                              << "ja"
                              << "Mozc" << unused << "fcitx5.inputmethod.mozc.Japanese"
                              << "japanese";
        QTest::newRow("pinyin") << "pinyin"
                                << "zh_CN"
                                << "Pinyin" << unused << "fcitx5.inputmethod.pinyin.SCIM"
                                << "chinese_simplified";
        QTest::newRow("hangul") << "hangul"
                                << "ko"
                                << "Hangul" << unused << "fcitx5.inputmethod.hangul.Korean"
                                << "korean";
        QTest::newRow("no language") << "unicode"
                                     << ""
                                     << "Unicode" << unused << "fcitx5.inputmethod.unicode"
                                     << "other";
        QTest::newRow("dotted name") << "a.inputmethod.b"
                                     << ""
                                     << "" << unused << "fcitx5.inputmethod.a_input_method_b"
                                     << "other";
    }
    void fcitx5()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, c);
        checkRow(composeFcitx5SourceId(a, b, c));
    }

    // layout, variant, group name
    void xkb_data()
    {
        addColumns();
        const QString unused;
        QTest::newRow("us") << "us"
                            << ""
                            << "English (US)" << unused << "xkb.keylayout.us.English (US)"
                            << "english";
        QTest::newRow("ru") << "ru"
                            << ""
                            << "Russian" << unused << "xkb.keylayout.ru.Russian"
                            << "russian";
        QTest::newRow("gr") << "gr"
                            << ""
                            << "Greek" << unused << ""
                            << "greek";
        QTest::newRow("ara") << "ara"
                             << ""
                             << "Arabic" << unused << ""
                             << "arabic";
        QTest::newRow("th") << "th"
                            << ""
                            << "Thai" << unused << ""
                            << "thai";
        QTest::newRow("de") << "de"
                            << ""
                            << "German" << unused << ""
                            << "english";
        QTest::newRow("vn types vietnamese")
            << "vn"
            << ""
            << "Vietnamese" << unused << "xkb.keylayout.vn.Vietnamese"
            << "vietnamese";
        QTest::newRow("us(rus) types cyrillic") << "us"
                                                << "rus"
                                                << "Russian (US, phonetic)" << unused << ""
                                                << "russian";
        QTest::newRow("jp(kana) types kana") << "jp"
                                             << "kana"
                                             << "Japanese (Kana)" << unused << ""
                                             << "japanese";
        QTest::newRow("cn(mon_trad) types mongolian") << "cn"
                                                      << "mon_trad"
                                                      << "Mongolian (Bichig)" << unused << ""
                                                      << "mongolian";
        QTest::newRow("ma(french) types latin") << "ma"
                                                << "french"
                                                << "French (Morocco)" << unused << ""
                                                << "english";
        QTest::newRow("in english variant") << "in"
                                            << "eng"
                                            << "English (India, with rupee)" << unused << ""
                                            << "english";
        QTest::newRow("in tamil variant") << "in"
                                          << "tam"
                                          << "Tamil (InScript)" << unused << ""
                                          << "tamil";
        QTest::newRow("in default") << "in"
                                    << ""
                                    << "Indian" << unused << ""
                                    << "hindi";
        QTest::newRow("unknown layout keeps its name") << "xx"
                                                       << ""
                                                       << "Mongolian" << unused << ""
                                                       << "mongolian";
        QTest::newRow("description with a newline")
            << "us"
            << ""
            << "English\n(US)" << unused << "xkb.keylayout.us.English (US)"
            << "english";
        QTest::newRow("catch-all word in a name") << "foo"
                                                  << ""
                                                  << "my inputmethod" << unused << ""
                                                  << "english";
        QTest::newRow("no layout") << ""
                                   << ""
                                   << "" << unused << "xkb.keylayout.unknown"
                                   << "english";
    }
    void xkb()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, c);
        checkRow(composeXkbSourceId(a, b, c));
    }

    // GNOME layout id, described by the real xkeyboard-config registry
    void gnome_data()
    {
        addColumns();
        const QString unused;
        QTest::newRow("ru") << "ru" << unused << unused << unused << "gnome.keylayout.ru.Russian"
                            << "russian";
        QTest::newRow("variant") << "de+neo" << unused << unused << unused
                                 << "gnome.keylayout.de+neo.German (Neo 2)"
                                 << "english";
        QTest::newRow("jp types latin")
            << "jp" << unused << unused << unused << "gnome.keylayout.jp.japanese"
            << "english";
        QTest::newRow("cyrillic variant of us") << "us+rus" << unused << unused << unused << ""
                                                << "russian";
        QTest::newRow("unknown layout")
            << "xx" << unused << unused << unused << "gnome.keylayout.xx"
            << "english";
    }
    void gnome()
    {
        QFETCH(QString, a);
        checkRow(gnomeLayoutSourceId(a));
    }

    // short name, variant, long name
    void kde_data()
    {
        addColumns();
        const QString unused;
        QTest::newRow("us") << "us"
                            << ""
                            << "English (US)" << unused << "kde.keylayout.us.English (US)"
                            << "english";
        QTest::newRow("ru with variant")
            << "ru"
            << "phonetic"
            << "Russian (phonetic)" << unused << "kde.keylayout.ru(phonetic).Russian"
            << "russian";
        QTest::newRow("jp types latin") << "jp"
                                        << ""
                                        << "Japanese" << unused << "kde.keylayout.jp.japanese"
                                        << "english";
        QTest::newRow("empty entry") << ""
                                     << ""
                                     << "" << unused << "kde.keylayout.unknown"
                                     << "english";
    }
    void kde()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, c);
        checkRow(composeKdeSourceId(a, b, c));
    }
};

MIREVO_TEST_CLASS(SourceIdCompositionTest)
#include "tst_SourceIdComposition.moc"
