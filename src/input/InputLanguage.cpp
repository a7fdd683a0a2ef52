#include "input/InputLanguage.h"

#include <QHash>

namespace mirevo {
namespace {

struct LanguageNames {
    const char* raw;
    const char* caseName;
};

constexpr std::array<LanguageNames, kInputLanguageCount> kNames{{
    {"english", "english"},
    {"japanese", "japanese"},
    {"chinese_simplified", "chineseSimplified"},
    {"chinese_traditional", "chineseTraditional"},
    {"korean", "korean"},
    {"thai", "thai"},
    {"vietnamese", "vietnamese"},
    {"arabic", "arabic"},
    {"hebrew", "hebrew"},
    {"hindi", "hindi"},
    {"russian", "russian"},
    {"greek", "greek"},
    {"mongolian", "mongolian"},
    {"myanmar", "myanmar"},
    {"khmer", "khmer"},
    {"lao", "lao"},
    {"bengali", "bengali"},
    {"tamil", "tamil"},
    {"telugu", "telugu"},
    {"nepali", "nepali"},
    {"sinhala", "sinhala"},
    {"persian", "persian"},
    {"ukrainian", "ukrainian"},
    {"other", "other"},
}};

} // namespace

const std::array<InputLanguage, kInputLanguageCount>& allInputLanguages()
{
    static const auto all = [] {
        std::array<InputLanguage, kInputLanguageCount> languages{};
        for (int i = 0; i < kInputLanguageCount; ++i)
            languages[i] = static_cast<InputLanguage>(i);
        return languages;
    }();
    return all;
}

QString rawValue(InputLanguage language)
{
    return QString::fromLatin1(kNames[languageIndex(language)].raw);
}

QString caseName(InputLanguage language)
{
    return QString::fromLatin1(kNames[languageIndex(language)].caseName);
}

QString displayKey(InputLanguage language)
{
    return QStringLiteral("lang_") + rawValue(language);
}

size_t qHash(InputLanguage language, size_t seed)
{
    return ::qHash(rawValue(language), seed);
}

} // namespace mirevo
