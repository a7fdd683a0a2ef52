#pragma once

#include <QString>

namespace mirevo {

// Earlier versions kept the settings in the data folder; they now live in the
// configuration folder. Moves the settings files of `from` into `to` unless `to` already
// holds a settings file (it is newer and wins; `from` then stays as it is), and returns the
// folder whose files this run uses: `to`, or `from` while its files cannot be moved. A move
// that fails says why on stderr and is tried again at the next start; a file leaves `from`
// only once its copy in `to` is whole and on the disk, and a link is moved as a link to the
// same file. Other files in `from` are left alone.
QString moveEarlierSettings(const QString& from, const QString& to);

} // namespace mirevo
