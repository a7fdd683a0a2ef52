#include "common/TestRegistry.h"
#include "input/InputLanguage.h"
#include "input/LanguageRules.h"

#include <QTest>

using namespace mirevo;
using mirevo::test::row;

class LanguageRulesTest : public QObject {
    Q_OBJECT
private slots:
    void identifiers_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("expected");
        row("empty", "", "english");
        row("inputmethod alone", "foo.inputmethod.bar", "other");
        row("hiragana", "com.apple.inputmethod.Kotoeri.Hiragana", "japanese");
        row("romaji typing japanese", "com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese",
            "japanese");
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
};

MIREVO_TEST_CLASS(LanguageRulesTest)
#include "tst_LanguageRules.moc"
