#include "settings/AtomicWrite.h"

#include <QFile>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

namespace mirevo {
namespace {

// Unbuffered, because a buffered file reports a short write on a full disk as success at
// its flush; unbuffered, write() returns the short count and the save is dropped.
class UnbufferedTemporaryFile : public QTemporaryFile {
public:
    using QTemporaryFile::QTemporaryFile;
    bool openUnbuffered() { return open(QIODevice::ReadWrite | QIODevice::Unbuffered); }
};

} // namespace

bool writeAtomically(const QString& path, const QByteArray& bytes)
{
    UnbufferedTemporaryFile file(path + kSavingInfix + QStringLiteral("XXXXXX"));
    if (!file.openUnbuffered() || file.write(bytes) != bytes.size() || ::fsync(file.handle()) != 0)
        return false;
    if (std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(path).constData()) != 0)
        return false;
    file.setAutoRemove(false); // it is `path` now
    return true;
}

} // namespace mirevo
