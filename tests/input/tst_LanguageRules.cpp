#include "common/TestRegistry.h"
#include "input/InputLanguage.h"
#include "input/LanguageRules.h"

#include <QTest>

using namespace mirevo;

Q_DECLARE_METATYPE(mirevo::InputLanguage)

class LanguageRulesTest : public QObject {
    Q_OBJECT
private slots:
    void everyRuleTextMapsToItsLanguage()
    {
        int texts = 0;
        for (const LanguageRule& rule : languageRules()) {
            for (QLatin1StringView text : rule.texts) {
                const QString id = QStringLiteral("x.") + text + QStringLiteral(".y");
                QCOMPARE(rawValue(detectLanguage(id)), rawValue(rule.language));
                ++texts;
            }
        }
        QVERIFY(texts >= 100);
    }

    void identifiers_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<InputLanguage>("expected");
        using IL = InputLanguage;
        QTest::newRow("empty") << "" << IL::english;
        QTest::newRow("inputmethod alone") << "foo.inputmethod.bar" << IL::other;
        QTest::newRow("hiragana") << "com.apple.inputmethod.Kotoeri.Hiragana" << IL::japanese;
        QTest::newRow("romaji typing japanese")
            << "com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese" << IL::japanese;
        QTest::newRow("lower-case japanese matches nothing")
            << "x.japanese.hiragana" << IL::english;
        QTest::newRow("lower-case inputmethod only") << "x.inputmethod.japanese" << IL::other;
        QTest::newRow("pinyin before TCIM") << "x.Pinyin.TCIM" << IL::chineseSimplified;
        QTest::newRow("korean before thai") << "x.Thai.Korean" << IL::korean;
        QTest::newRow("ukrainian before russian") << "Ukrainian.Russian.Cyrillic" << IL::ukrainian;
        QTest::newRow("arabic before QWERTY") << "keylayout.Arabic-QWERTY" << IL::arabic;
        QTest::newRow("roman mode of an input method")
            << "com.apple.inputmethod.Kotoeri.Roman" << IL::english;
        QTest::newRow("roman mode named Japanese") << "x.Japanese.Roman" << IL::japanese;
        QTest::newRow("Viet inside a word") << "x.Vietnamese" << IL::vietnamese;
        QTest::newRow("unnamed layout") << "com.apple.keylayout.Estonian" << IL::english;
        QTest::newRow("US layout") << "com.apple.keylayout.US" << IL::english;
        QTest::newRow("telugu before hindi") << "TransliterationIM.te.Devanagari" << IL::telugu;
        QTest::newRow("Lao inside Laos") << "keylayout.Laos" << IL::lao;
    }
    void identifiers()
    {
        QFETCH(QString, id);
        QFETCH(InputLanguage, expected);
        QCOMPARE(rawValue(detectLanguage(id)), rawValue(expected));
    }

    void rawValues_data()
    {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<bool>("known");
        QTest::newRow("snake case") << "chinese_simplified" << true;
        QTest::newRow("other") << "other" << true;
        QTest::newRow("capital first letter") << "English" << false;
        QTest::newRow("hyphen") << "chinese-traditional" << false;
        QTest::newRow("case name") << "chineseTraditional" << false;
        QTest::newRow("empty") << "" << false;
    }
    void rawValues()
    {
        QFETCH(QString, raw);
        QFETCH(bool, known);
        const auto language = inputLanguageFromRawValue(raw);
        QCOMPARE(language.has_value(), known);
        if (known)
            QCOMPARE(rawValue(*language), raw);
    }

    void fullListInIndexOrder()
    {
        const auto& all = allInputLanguages();
        QCOMPARE(all.size(), size_t(24));
        QCOMPARE(all.front(), InputLanguage::english);
        QCOMPARE(all.back(), InputLanguage::other);
        QCOMPARE(rawValue(InputLanguage::chineseTraditional),
                 QStringLiteral("chinese_traditional"));
        QCOMPARE(displayKey(InputLanguage::chineseSimplified),
                 QStringLiteral("lang_chinese_simplified"));
        for (InputLanguage language : all) {
            QCOMPARE(allInputLanguages()[languageIndex(language)], language);
            QCOMPARE(inputLanguageFromRawValue(rawValue(language)), std::optional(language));
        }
    }
};

MIREVO_TEST_CLASS(LanguageRulesTest)
#include "tst_LanguageRules.moc"
