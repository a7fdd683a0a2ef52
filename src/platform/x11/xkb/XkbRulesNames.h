#pragma once

#include <QByteArray>
#include <QStringList>

namespace mirevo {

// The root window's _XKB_RULES_NAMES: rules, model, layouts, variants and options, each
// NUL-terminated. Layout i (and variant i) belong to keyboard group i.
struct XkbRulesNames {
    QString rules;
    QString model;
    QStringList layouts;  // "us", "ru", ...
    QStringList variants; // same length as layouts; empty entries for none
    QString options;
};

XkbRulesNames parseXkbRulesNames(const QByteArray& property);

} // namespace mirevo
