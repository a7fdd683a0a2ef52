#pragma once

#include "platform/InputSource.h"

#include <QFileSystemWatcher>

namespace mirevo {

// Reads the identifier from the first line of a text file, so that people and tests can
// drive Mirevo without an input-method daemon. A missing or empty file, or anything but a
// regular file, means no source.
class FileInputSource : public InputSource {
    Q_OBJECT
public:
    explicit FileInputSource(const QString& path, QObject* parent = nullptr);

    std::optional<QString> currentSourceId() override;
    QString backendName() const override { return QStringLiteral("file"); }
    QString path() const { return m_path; }

private:
    void rewatch();

    QString m_path;
    QFileSystemWatcher m_watcher;
};

} // namespace mirevo
