#include "common/TestRegistry.h"
#include "platform/FileInputSource.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace mirevo;
using mirevo::test::row;

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

} // namespace

class FileInputSourceTest : public QObject {
    Q_OBJECT
private slots:
    // File contents, or a FIFO, a device or a folder at the path.
    void readsTheFirstLine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected"); // empty: no source
        row("second line ignored", QByteArray("first\nsecond\n"), "first");
        row("no newline", QByteArray("xkb.keylayout.ru.Russian"), "xkb.keylayout.ru.Russian");
        row("surrounding blanks", QByteArray("  spaced \r\n"), "spaced");
        row("blank first line", QByteArray("\nsecond\n"), "");
        row("utf-8", QByteArray("file.\xe3\x81\x82"), QString::fromUtf8("file.\xe3\x81\x82"));
        row("fifo", QByteArray("<fifo>"), "");
        row("device", QByteArray("<device>"), "");
        row("folder", QByteArray("<folder>"), "");
    }
    void readsTheFirstLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QString path = dir.filePath("source");
        if (content == "<fifo>")
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (content == "<folder>")
            QVERIFY(QDir(dir.path()).mkdir("source"));
        else if (content == "<device>")
            path = "/dev/zero";
        else
            writeFile(path, content);
        FileInputSource source(path);
        alarm(5); // a read that blocks on the FIFO ends the run instead of hanging it
        const std::optional<QString> id = source.currentSourceId();
        alarm(0);
        QCOMPARE(id.value_or(QString()), expected);
    }

    // A file that appears later, is edited, and is replaced by rename as editors and `mv`
    // do: each change is announced, also after the replacement.
    void announcesEveryChange()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("source");
        FileInputSource source(path);
        QCOMPARE(source.currentSourceId(), std::nullopt);
        QSignalSpy changed(&source, &InputSource::mayHaveChanged);
        const auto expect = [&](const char* id) {
            QTRY_VERIFY(changed.count() > 0);
            changed.clear();
            QCOMPARE(source.currentSourceId(), std::optional<QString>(id));
        };
        writeFile(path, "a\n");
        expect("a");
        writeFile(path, "b\n");
        expect("b");
        writeFile(dir.filePath("tmp"), "c\n");
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::rename(dir.filePath("tmp"), path));
        expect("c");
        writeFile(path, "d\n");
        expect("d");
    }
};

MIREVO_TEST_CLASS(FileInputSourceTest)
#include "tst_FileInputSource.moc"
