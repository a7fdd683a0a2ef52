#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace mirevo {

// What a save's temporary file adds to the file's name: "app_settings.json.saving-Ab12Cd".
// No one names a file like that by hand, so a crash's leftovers can be told from a
// backup the user made beside the file.
inline const QString kSavingInfix = QStringLiteral(".saving-");

// The file a save of `path` replaces: `path` itself, or, when it is a symbolic link, the
// file the link leads to (people keep their settings in a dotfiles repository and link
// them). Nothing for a link that leads nowhere.
std::optional<QString> saveTarget(const QString& path);

// Writes `bytes` to a temporary file beside the save target of `path`, flushes it to the
// disk and renames it over the target, with the target's permissions: a crash or a full
// disk never leaves a truncated file, and a link stays a link. False, with errno set and
// the file untouched, when any step fails; a link that leads nowhere fails with ENOENT.
bool writeAtomically(const QString& path, const QByteArray& bytes);

// Flushes `folder`'s entries (a rename, a new or removed file) to the disk.
bool syncFolder(const QString& folder);

} // namespace mirevo
