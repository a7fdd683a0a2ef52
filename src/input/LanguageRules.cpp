#include "input/LanguageRules.h"

#include <array>

namespace mirevo {
namespace {

using L = QLatin1StringView;

constexpr std::array kJapanese{L("Japanese"), L("Hiragana"), L("Katakana"),
                               L("com.apple.inputmethod.Japanese"),
                               L("com.google.inputmethod.Japanese")};
constexpr std::array kChineseSimplified{L("Pinyin"), L("Wubi"), L("SCIM"),
                                        L("com.apple.inputmethod.SCIM"), L("PinyinIM")};
constexpr std::array kChineseTraditional{L("Zhuyin"),
                                         L("Cangjie"),
                                         L("TCIM"),
                                         L("TYIM"),
                                         L("com.apple.inputmethod.TCIM"),
                                         L("com.apple.inputmethod.TYIM"),
                                         L("TraditionalChinese")};
constexpr std::array kKorean{L("Korean"), L("Hangul"), L("com.apple.inputmethod.Korean")};
constexpr std::array kThai{L("Thai"), L("com.apple.inputmethod.Thai")};
constexpr std::array kVietnamese{L("Vietnamese"), L("Viet"), L("UniKey"),
                                 L("com.apple.inputmethod.Vietnamese")};
constexpr std::array kArabic{L("Arabic"), L("com.apple.keylayout.Arabic"),
                             L("TransliterationIM.ar")};
constexpr std::array kHebrew{L("Hebrew"), L("com.apple.keylayout.Hebrew")};
constexpr std::array kTelugu{L("Telugu"), L("com.apple.keylayout.Telugu"),
                             L("TransliterationIM.te")};
constexpr std::array kTamil{L("Tamil"), L("com.apple.keylayout.Tamil"), L("TransliterationIM.ta")};
constexpr std::array kBengali{L("Bengali"), L("Bangla"), L("com.apple.keylayout.Bengali"),
                              L("TransliterationIM.bn")};
constexpr std::array kNepali{L("Nepali"), L("com.apple.keylayout.Nepali"),
                             L("TransliterationIM.ne")};
constexpr std::array kSinhala{L("Sinhala"), L("com.apple.keylayout.Sinhala"),
                              L("TransliterationIM.si")};
constexpr std::array kHindi{L("Hindi"), L("Devanagari"), L("com.apple.keylayout.Devanagari"),
                            L("com.apple.inputmethod.Hindi"), L("TransliterationIM.hi")};
constexpr std::array kMyanmar{L("Myanmar"), L("Burmese"), L("com.apple.keylayout.Myanmar")};
constexpr std::array kKhmer{L("Khmer"), L("Cambodian"), L("com.apple.keylayout.Khmer")};
constexpr std::array kLao{L("Lao"), L("com.apple.keylayout.Lao")};
constexpr std::array kMongolian{L("Mongolian"), L("com.apple.keylayout.Mongolian")};
constexpr std::array kPersian{L("Persian"), L("Farsi"), L("com.apple.keylayout.Persian"),
                              L("TransliterationIM.fa")};
constexpr std::array kUkrainian{L("Ukrainian"), L("com.apple.keylayout.Ukrainian")};
constexpr std::array kRussian{L("Russian"), L("Cyrillic"), L("com.apple.keylayout.Russian")};
constexpr std::array kGreek{L("Greek"), L("com.apple.keylayout.Greek")};
// Latin-letter layouts: tested after every script rule, before the catch-all for input methods.
constexpr std::array kLatinLayouts{L("com.apple.keylayout.ABC"),
                                   L("com.apple.keylayout.US"),
                                   L("com.apple.keylayout.British"),
                                   L("com.apple.keylayout.Australian"),
                                   L("com.apple.keylayout.Canadian"),
                                   L("com.apple.keylayout.Irish"),
                                   L(".Roman"),
                                   L("USInternational"),
                                   L("Dvorak"),
                                   L("Colemak"),
                                   L("QWERTY"),
                                   L("German"),
                                   L("French"),
                                   L("Spanish"),
                                   L("Italian"),
                                   L("Portuguese"),
                                   L("Dutch"),
                                   L("Swedish"),
                                   L("Norwegian"),
                                   L("Danish"),
                                   L("Finnish"),
                                   L("Polish"),
                                   L("Czech"),
                                   L("Hungarian"),
                                   L("Romanian"),
                                   L("Turkish")};
// An input method that no earlier rule names.
constexpr std::array kUnnamedInputMethod{L("inputmethod")};

using IL = InputLanguage;
const std::array kRules{
    LanguageRule{IL::japanese, kJapanese},
    LanguageRule{IL::chineseSimplified, kChineseSimplified},
    LanguageRule{IL::chineseTraditional, kChineseTraditional},
    LanguageRule{IL::korean, kKorean},
    LanguageRule{IL::thai, kThai},
    LanguageRule{IL::vietnamese, kVietnamese},
    LanguageRule{IL::arabic, kArabic},
    LanguageRule{IL::hebrew, kHebrew},
    LanguageRule{IL::telugu, kTelugu},
    LanguageRule{IL::tamil, kTamil},
    LanguageRule{IL::bengali, kBengali},
    LanguageRule{IL::nepali, kNepali},
    LanguageRule{IL::sinhala, kSinhala},
    LanguageRule{IL::hindi, kHindi},
    LanguageRule{IL::myanmar, kMyanmar},
    LanguageRule{IL::khmer, kKhmer},
    LanguageRule{IL::lao, kLao},
    LanguageRule{IL::mongolian, kMongolian},
    LanguageRule{IL::persian, kPersian},
    LanguageRule{IL::ukrainian, kUkrainian},
    LanguageRule{IL::russian, kRussian},
    LanguageRule{IL::greek, kGreek},
    LanguageRule{IL::english, kLatinLayouts},
    LanguageRule{IL::other, kUnnamedInputMethod},
};

} // namespace

// The first rule with a matching text decides.
InputLanguage detectLanguage(QStringView sourceId)
{
    for (const LanguageRule& rule : kRules) {
        for (QLatin1StringView text : rule.texts) {
            if (sourceId.contains(text, Qt::CaseSensitive))
                return rule.language;
        }
    }
    return InputLanguage::english;
}

} // namespace mirevo
