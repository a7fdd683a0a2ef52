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
    void readsTheFirstLine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected"); // empty: no source
        QTest::newRow("one line") << QByteArray("ibus.inputmethod.hangul.Korean\n")
                                  << "ibus.inputmethod.hangul.Korean";
        QTest::newRow("no newline")
            << QByteArray("xkb.keylayout.ru.Russian") << "xkb.keylayout.ru.Russian";
        QTest::newRow("second line ignored") << QByteArray("first\nsecond\n") << "first";
        QTest::newRow("surrounding blanks") << QByteArray("  spaced \r\n") << "spaced";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("blank first line") << QByteArray("\nsecond\n") << "";
        QTest::newRow("utf-8") << QByteArray("file.inputmethod.\xe3\x81\x82")
                               << QString::fromUtf8("file.inputmethod.\xe3\x81\x82");
    }
    void readsTheFirstLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath("source");
        writeFile(path, content);
        FileInputSource source(path);
        QCOMPARE(source.currentSourceId().value_or(QString()), expected);
    }

    void nonRegularFileIsNoSource_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"fifo", "device", "folder"})
            QTest::newRow(kind) << kind;
    }
    void nonRegularFileIsNoSource()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString path = dir.filePath("source");
        if (kind == "fifo")
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == "folder")
            QVERIFY(QDir(dir.path()).mkdir("source"));
        else
            path = "/dev/zero";
        FileInputSource source(path);
        alarm(5); // a read that blocks on the FIFO ends the run instead of hanging it
        const std::optional<QString> id = source.currentSourceId();
        alarm(0);
        QCOMPARE(id, std::nullopt);
    }

    void missingFileIsNoSourceUntilItAppears()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("later");
        FileInputSource source(path);
        QCOMPARE(source.currentSourceId(), std::nullopt);
        QSignalSpy changed(&source, &InputSource::mayHaveChanged);
        writeFile(path, "xkb.keylayout.gr.Greek\n");
        QTRY_VERIFY(changed.count() > 0);
        QCOMPARE(source.currentSourceId(), std::optional<QString>("xkb.keylayout.gr.Greek"));
    }

    void signalsEditsAndReplacements()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("source");
        writeFile(path, "a\n");
        FileInputSource source(path);
        QSignalSpy changed(&source, &InputSource::mayHaveChanged);

        writeFile(path, "b\n");
        QTRY_VERIFY(changed.count() > 0);
        QCOMPARE(source.currentSourceId(), std::optional<QString>("b"));

        // Replaced by rename, as editors and `mv` do; later edits must still be seen.
        writeFile(dir.filePath("tmp"), "c\n");
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::rename(dir.filePath("tmp"), path));
        changed.clear();
        QTRY_VERIFY(changed.count() > 0);
        QCOMPARE(source.currentSourceId(), std::optional<QString>("c"));
        changed.clear();
        writeFile(path, "d\n");
        QTRY_VERIFY(changed.count() > 0);
        QCOMPARE(source.currentSourceId(), std::optional<QString>("d"));
    }
};

MIREVO_TEST_CLASS(FileInputSourceTest)
#include "tst_FileInputSource.moc"
