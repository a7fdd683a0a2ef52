#pragma once

#include "input/InputLanguage.h"

#include <QLatin1StringView>
#include <QStringView>

#include <span>

namespace mirevo {

// One detection rule: the identifier maps to `language` when it contains any of `texts`.
struct LanguageRule {
    InputLanguage language;
    std::span<const QLatin1StringView> texts;
};

// Maps an input-source identifier to its language by case-sensitive substring rules.
// An identifier no rule names is english.
InputLanguage detectLanguage(QStringView sourceId);

} // namespace mirevo
