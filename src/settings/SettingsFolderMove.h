#pragma once

#include <QString>

namespace mirevo {

// Earlier versions kept the settings in the data folder; they now live in the
// configuration folder. Moves the settings files of `from` into `to` when `to` holds no
// settings file yet: a file already in `to` is newer and wins, and `from` then stays as it
// is. Other files in `from` are left alone. A file that cannot be moved stays where it was
// and the reason goes to stderr. Returns the number of files moved.
int moveEarlierSettings(const QString& from, const QString& to);

} // namespace mirevo
