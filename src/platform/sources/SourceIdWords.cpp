#include "platform/sources/SourceIdWords.h"

#include <algorithm>
#include <array>

namespace mirevo {
namespace {

using L = QLatin1StringView;

struct Entry {
    L code;
    L word;
};

// Full codes come first so that "zh_TW" wins over the bare "zh".
constexpr std::array kLanguageWords{
    Entry{L("zh_CN"), L("SCIM")},    Entry{L("zh_SG"), L("SCIM")},   Entry{L("zh_TW"), L("TCIM")},
    Entry{L("zh_HK"), L("TCIM")},    Entry{L("zh_MO"), L("TCIM")},   Entry{L("zh"), L("SCIM")},
    Entry{L("ja"), L("Japanese")},   Entry{L("ko"), L("Korean")},    Entry{L("th"), L("Thai")},
    Entry{L("vi"), L("Vietnamese")}, Entry{L("ar"), L("Arabic")},    Entry{L("he"), L("Hebrew")},
    Entry{L("hi"), L("Hindi")},      Entry{L("ru"), L("Russian")},   Entry{L("el"), L("Greek")},
    Entry{L("mn"), L("Mongolian")},  Entry{L("my"), L("Myanmar")},   Entry{L("km"), L("Khmer")},
    Entry{L("lo"), L("Lao")},        Entry{L("bn"), L("Bengali")},   Entry{L("ta"), L("Tamil")},
    Entry{L("te"), L("Telugu")},     Entry{L("ne"), L("Nepali")},    Entry{L("si"), L("Sinhala")},
    Entry{L("fa"), L("Persian")},    Entry{L("uk"), L("Ukrainian")}, Entry{L("en"), L("Roman")},
};

// Layouts that type a language the program tells apart, by that language: another script,
// or Vietnamese's own letters.
constexpr std::array kScriptLayouts{
    Entry{L("ru"), L("Russian")},   Entry{L("ua"), L("Ukrainian")},  Entry{L("il"), L("Hebrew")},
    Entry{L("gr"), L("Greek")},     Entry{L("ara"), L("Arabic")},    Entry{L("sy"), L("Arabic")},
    Entry{L("iq"), L("Arabic")},    Entry{L("ma"), L("Arabic")},     Entry{L("th"), L("Thai")},
    Entry{L("ir"), L("Persian")},   Entry{L("af"), L("Persian")},    Entry{L("in"), L("Hindi")},
    Entry{L("bd"), L("Bengali")},   Entry{L("np"), L("Nepali")},     Entry{L("lk"), L("Sinhala")},
    Entry{L("mm"), L("Myanmar")},   Entry{L("kh"), L("Khmer")},      Entry{L("la"), L("Lao")},
    Entry{L("mn"), L("Mongolian")}, Entry{L("vn"), L("Vietnamese")},
};

// Variants that type otherwise than their layout, by "layout(variant" prefix: an empty
// word means Latin letters.
constexpr std::array kScriptVariants{
    Entry{L("in(eng"), L("")},          Entry{L("ma(french"), L("")},
    Entry{L("in(tam"), L("Tamil")},     Entry{L("in(tel"), L("Telugu")},
    Entry{L("in(ben"), L("Bengali")},   Entry{L("lk(tam"), L("Tamil")},
    Entry{L("us(rus"), L("Russian")},   Entry{L("de(ru"), L("Russian")},
    Entry{L("se(rus"), L("Russian")},   Entry{L("cz(rus"), L("Russian")},
    Entry{L("jp(kana"), L("Japanese")}, Entry{L("cn(mon_"), L("Mongolian")},
};

// Layouts that type Latin letters even though their description may name a language the
// program tells apart ("Japanese", "Korean").
constexpr std::array kLatinLayouts{
    L("us"), L("gb"), L("de"), L("fr"), L("es"),    L("it"),  L("pt"), L("br"), L("nl"),
    L("be"), L("ch"), L("at"), L("se"), L("no"),    L("dk"),  L("fi"), L("is"), L("pl"),
    L("cz"), L("sk"), L("hu"), L("ro"), L("tr"),    L("hr"),  L("si"), L("ee"), L("lv"),
    L("lt"), L("ie"), L("mt"), L("al"), L("latam"), L("ca"),  L("au"), L("za"), L("jp"),
    L("kr"), L("cn"), L("tw"), L("id"), L("ph"),    L("epo"), L("ng"), L("ke"),
};

// Other words that name a script or language the program tells apart.
constexpr std::array kScriptWords{L("Hangul"), L("Hiragana"), L("Katakana"), L("Pinyin"),
                                  L("Zhuyin"), L("Cangjie"),  L("Cyrillic"), L("Devanagari"),
                                  L("Farsi"),  L("Burmese"),  L("Bangla"),   L("Cambodian")};

} // namespace

QString languageWordForCode(QStringView languageCode)
{
    QString code = languageCode.trimmed().toString();
    code.replace(QLatin1Char('-'), QLatin1Char('_'));
    code = code.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    const QString base = code.section(QLatin1Char('_'), 0, 0);
    for (const QString& candidate : {code, base}) {
        for (const Entry& entry : kLanguageWords) {
            if (candidate.compare(entry.code, Qt::CaseInsensitive) == 0)
                return entry.word;
        }
    }
    return {};
}

LayoutScript layoutScript(QStringView layout, QStringView variant)
{
    const QString withVariant = layout.toString() + QLatin1Char('(') + variant.toString();
    for (const Entry& entry : kScriptVariants) {
        if (!variant.isEmpty() && withVariant.startsWith(entry.code))
            return entry.word.isEmpty() ? LayoutScript{true, {}} : LayoutScript{false, entry.word};
    }
    for (const Entry& entry : kScriptLayouts) {
        if (layout == entry.code)
            return {false, entry.word};
    }
    const bool latin = std::any_of(kLatinLayouts.begin(), kLatinLayouts.end(),
                                   [&](L code) { return layout == code; });
    return {latin, {}};
}

QString neutraliseLanguageWords(const QString& text)
{
    QString result = text;
    const auto lowerAll = [&result](QLatin1StringView word) {
        if (word.isEmpty() || word == QLatin1String("Roman"))
            return;
        for (qsizetype at = result.indexOf(word); at >= 0; at = result.indexOf(word, at + 1))
            result[at] = result[at].toLower();
    };
    for (const Entry& entry : kLanguageWords)
        lowerAll(entry.word);
    for (const L word : kScriptWords)
        lowerAll(word);
    return result;
}

} // namespace mirevo
