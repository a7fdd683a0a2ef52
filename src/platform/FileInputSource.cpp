#include "platform/FileInputSource.h"

#include <QFile>
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
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // An identifier is short; cap the read so a huge file cannot stall the main thread.
    const QByteArray head = file.read(4096);
    const qsizetype end = head.indexOf('\n');
    const QString line = QString::fromUtf8(end < 0 ? head : head.left(end)).trimmed();
    if (line.isEmpty())
        return std::nullopt;
    return line;
}

} // namespace mirevo
