#pragma once

#include <QString>

namespace mirevo {

// A folder only this user can reach, for the files that arbitrate between instances
// of the program: `$XDG_RUNTIME_DIR/<name>`, or `<cache folder>/<name>` when the session
// names no runtime folder (never a shared /tmp path another user could create first).
// `problem` says why there is none: the folder could not be made, or it belongs to
// someone else or lets others in.
struct PrivateRuntimeFolder {
    QString path;
    QString problem;
};

PrivateRuntimeFolder privateRuntimeFolder(const QString& name);

} // namespace mirevo
