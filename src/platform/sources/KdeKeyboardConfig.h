#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace mirevo {

// A keyboard's layouts in group order, each with its variant ("" for none): what Plasma
// keeps in kxkbrc, or what the X server's _XKB_RULES_NAMES holds.
struct LayoutList {
    QStringList layouts;  // "us", "ru"
    QStringList variants; // as long as layouts
};

// Plasma's keyboard settings as kxkbrc (KConfig's INI dialect) holds them: group [Layout],
// keys LayoutList and VariantList, comma-separated lists in the same order. A missing or
// short VariantList means no variants; anything unreadable means no layouts.
LayoutList parseKxkbrc(const QByteArray& text);

// The user's kxkbrc ($XDG_CONFIG_HOME/kxkbrc), read only if it is a regular file of sane
// size; no layouts otherwise.
LayoutList readKxkbrc();

// The variant of each layout of Plasma's keyboard daemon (getLayoutsList gives layouts and
// long names, never variants), taken from the first description of the keyboard whose
// layouts are the daemon's own, in the same order. When none matches, the descriptions are
// out of date and give nothing: every variant is empty.
QStringList variantsForDaemonLayouts(const QStringList& daemonLayouts,
                                     const QList<LayoutList>& descriptions);

} // namespace mirevo
