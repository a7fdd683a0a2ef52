#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace mirevo {

// The 24 input languages Mirevo tells apart. The order is fixed: it is the order of the
// per-language colour and text fields in the settings.
enum class InputLanguage {
    english,
    japanese,
    chineseSimplified,
    chineseTraditional,
    korean,
    thai,
    vietnamese,
    arabic,
    hebrew,
    hindi,
    russian,
    greek,
    mongolian,
    myanmar,
    khmer,
    lao,
    bengali,
    tamil,
    telugu,
    nepali,
    sinhala,
    persian,
    ukrainian,
    other,
};

inline constexpr int kInputLanguageCount = 24;

// All languages in index order, english first and other last.
const std::array<InputLanguage, kInputLanguageCount>& allInputLanguages();

inline constexpr int languageIndex(InputLanguage language)
{
    return static_cast<int>(language);
}

// Snake-case identifier used for equality and serialisation ("chinese_simplified").
QString rawValue(InputLanguage language);

// Case name as it appears in settings keys ("chineseSimplified" -> "chineseSimplifiedColor").
QString caseName(InputLanguage language);

// String-table key of the language's name ("lang_chinese_simplified").
QString displayKey(InputLanguage language);

// The IME state: every language but english counts as an active input method.
inline constexpr bool isIMEActive(InputLanguage language)
{
    return language != InputLanguage::english;
}

size_t qHash(InputLanguage language, size_t seed = 0);

} // namespace mirevo
