#include "common/TestRegistry.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

namespace {

using Table = QMap<QString, QString>; // key -> text

// Reads the texts of one Linguist file, by table (context) name.
QMap<QString, Table> readTranslations(const QString& path)
{
    QMap<QString, Table> tables;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return tables;
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation"))
            tables[context][source] = xml.readElementText();
    }
    return tables;
}

QMap<QString, Table> readLanguage(const QString& language)
{
    QMap<QString, Table> all;
    QDirIterator files(QStringLiteral(MIREVO_SOURCE_DIR "/translations"),
                       {"*_" + language + ".ts"});
    while (files.hasNext()) {
        const auto tables = readTranslations(files.next());
        for (auto it = tables.begin(); it != tables.end(); ++it)
            all[it.key()].insert(it.value());
    }
    return all;
}

// Every literal key the program looks up, as "Table/key".
QStringList keysUsedInCode()
{
    static const QRegularExpression lookup(
        QStringLiteral("localized\\(\\s*\"(\\w+)\"\\s*,\\s*\"((?:[^\"\\\\]|\\\\.)*)\"\\s*\\)"));
    QStringList keys;
    QDirIterator files(QStringLiteral(MIREVO_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        file.open(QIODevice::ReadOnly);
        const QString text = QString::fromUtf8(file.readAll());
        for (const auto& match : lookup.globalMatch(text))
            keys << match.captured(1) + "/" + match.captured(2);
    }
    keys.removeDuplicates();
    return keys;
}

} // namespace

class StringTablesTest : public QObject {
    Q_OBJECT
private slots:
    void everyKeyUsedHasEnglishAndJapaneseTexts()
    {
        const QStringList keys = keysUsedInCode();
        QVERIFY(keys.size() > 20);
        const auto english = readLanguage("en");
        const auto japanese = readLanguage("ja");
        QStringList missing;
        for (const QString& entry : keys) {
            const QString table = entry.section('/', 0, 0);
            const QString key = entry.section('/', 1);
            if (english.value(table).value(key).isEmpty())
                missing << "en " + entry;
            if (japanese.value(table).value(key).isEmpty())
                missing << "ja " + entry;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
    }

    void japaneseCoversEveryEnglishKey()
    {
        const auto english = readLanguage("en");
        const auto japanese = readLanguage("ja");
        QVERIFY(!english.isEmpty());
        for (auto table = english.begin(); table != english.end(); ++table) {
            for (auto key = table->begin(); key != table->end(); ++key) {
                QVERIFY2(!japanese.value(table.key()).value(key.key()).isEmpty(),
                         qPrintable(table.key() + "/" + key.key()));
            }
        }
    }
};

MIREVO_TEST_CLASS(StringTablesTest)
#include "tst_StringTables.moc"
