#pragma once

#include <QByteArray>
#include <QString>

namespace mirevo {

// What reading a file the program depends on found. FIFOs, devices and folders are
// refused before anything waits on them: opening a FIFO blocks until a writer comes.
struct RegularFileContent {
    enum class Status { read, missing, notRegular, unreadable };
    Status status = Status::missing;
    QByteArray bytes;

    bool isRead() const { return status == Status::read; }
};

// Reads at most `maxBytes` of the regular file at `path` (a link to one counts) without
// blocking: a file that is not regular, cannot be opened, or is larger than `maxBytes`
// when `wholeFileOnly` is set, is refused.
RegularFileContent readRegularFile(const QString& path, qint64 maxBytes, bool wholeFileOnly);

} // namespace mirevo
