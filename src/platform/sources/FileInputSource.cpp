#include "platform/sources/FileInputSource.h"

#include "platform/RegularFile.h"

#include <QFileInfo>

namespace mirevo {

FileInputSource::FileInputSource(const QString& path, QObject* parent)
    : InputSource(parent), m_path(QFileInfo(path).absoluteFilePath())
{
    // Editors and `mv` replace the file, which drops a file watch; the folder watch
    // catches those and re-arms the file watch.
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] {
        rewatch();
        emit mayHaveChanged();
    });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        rewatch();
        emit mayHaveChanged();
    });
    rewatch();
}

void FileInputSource::rewatch()
{
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!m_watcher.directories().contains(folder) && QFileInfo::exists(folder))
        m_watcher.addPath(folder);
    if (!m_watcher.files().contains(m_path) && QFileInfo::exists(m_path))
        m_watcher.addPath(m_path);
}

std::optional<QString> FileInputSource::currentSourceId()
{
    // An identifier is short; cap the read so a huge file cannot stall the main thread. A
    // FIFO or a device would block it or feed it garbage: they are no source.
    const RegularFileContent file = readRegularFile(m_path, 4096, false);
    if (!file.isRead())
        return std::nullopt;
    const QByteArray& head = file.bytes;
    const qsizetype end = head.indexOf('\n');
    const QString line = QString::fromUtf8(end < 0 ? head : head.left(end)).trimmed();
    if (line.isEmpty())
        return std::nullopt;
    return line;
}

} // namespace mirevo
