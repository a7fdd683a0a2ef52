#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace mirevo {

// The short code a badge shows for a keyboard layout, read from an identifier composed by
// SourceIdComposition ("<backend>.keylayout.<label>.<Name>").
//
// The user's own label wins where the desktop keeps one (Plasma's display label, carried
// in the identifier as "@EN"); otherwise the layout's code in capitals ("US", "DE"). The
// variant's short form follows ("US·INTL") only when another configured source has the
// same layout, since only then the layout alone does not tell the two apart. Input
// methods and identifiers of no known backend have no code: they keep the language's text.
//
// `configuredIds` are the identifiers of every source the user has set up. Nothing means
// the backend cannot tell: the variant then always shows, so that two sources of one
// layout are never shown alike.
QString layoutCodeForSourceId(const QString& id,
                              const std::optional<QStringList>& configuredIds = std::nullopt);

// The "@LABEL" part composeKdeSourceId appends for a user's label: at most three letters
// or digits in capitals, so it can neither look like another layout nor trigger a language
// rule (those are capitalised words or longer). Empty when nothing usable is left.
QString layoutLabelSuffix(const QString& label);

} // namespace mirevo
