#pragma once

#include <QByteArray>
#include <QString>

namespace mirevo {

// What a save's temporary file adds to the file's name: "app_settings.json.saving-Ab12Cd".
// No one names a file like that by hand, so a crash's leftovers can be told from a
// backup the user made beside the file.
inline const QString kSavingInfix = QStringLiteral(".saving-");

// Writes `bytes` to a temporary file beside `path`, flushes it to the disk and renames it
// over `path`: a crash or a full disk never leaves a truncated file. False, and `path`
// untouched, when any step fails.
bool writeAtomically(const QString& path, const QByteArray& bytes);

} // namespace mirevo
