#include "common/TestRegistry.h"
#include "platform/StringTables.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

namespace {

using Table = QMap<QString, QString>; // key -> text

// The texts of one language's Linguist files, by table (context) name; a key's role for
// the wording rules ("button", "heading", ...) is its translator comment.
QMap<QString, Table> readLanguage(const QString& language, QMap<QString, QString>* roles = nullptr)
{
    QMap<QString, Table> tables;
    QDirIterator files(QStringLiteral(MIREVO_SOURCE_DIR "/translations"),
                       {"*_" + language + ".ts"});
    while (files.hasNext()) {
        QFile file(files.next());
        file.open(QIODevice::ReadOnly);
        QXmlStreamReader xml(&file);
        QString context, source;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name"))
                context = xml.readElementText();
            else if (xml.name() == QLatin1String("source"))
                source = xml.readElementText();
            else if (xml.name() == QLatin1String("extracomment") && roles)
                (*roles)[context + "/" + source] = xml.readElementText();
            else if (xml.name() == QLatin1String("translation"))
                tables[context][source] = xml.readElementText();
        }
    }
    return tables;
}

// Mnemonic letter of a text ("&Font" and "フォント(&F)" both give "F"), and the text
// without it.
QString mnemonic(const QString& text)
{
    static const QRegularExpression marker(QStringLiteral("&([^&])"));
    return marker.match(text).captured(1).toUpper();
}
QString withoutMnemonic(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\(&.\\)$"))).remove('&');
}

// Title case for buttons, headings, tabs and menus; sentence case for everything else
// (capitals only for acronyms, names and the first word of a sentence or clause).
QString englishWordingProblem(const QString& key, const QString& text, const QString& role)
{
    static const QRegularExpression british(
        QStringLiteral("colour|customis|centre|behaviour|favourite|licence|grey"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression names(QStringLiteral("^(Mirevo|Wayland|Plasma)"));
    static const QStringList smallWords{"a",    "an", "and", "as", "at",  "by", "for", "in",
                                        "from", "of", "on",  "or", "the", "to", "with"};
    if (british.match(text).hasMatch())
        return "British spelling";
    const bool titleCase = !role.isEmpty();
    // The copyright holder's name is a name, article included.
    const QStringList words = withoutMnemonic(text)
                                  .remove(QStringLiteral("The Mirevo developers"))
                                  .split(' ', Qt::SkipEmptyParts);
    for (int i = 0; i < words.size(); ++i) {
        const QString word = words[i];
        if (!word[0].isLetter() || key.startsWith("lang_"))
            continue;
        const bool capital = word[0].isUpper();
        if (titleCase && !capital && (i == 0 || !smallWords.contains(word)))
            return "title case wanted at \"" + word + "\"";
        const bool clauseStart = i == 0 || QStringLiteral(".:!?").contains(words[i - 1].back());
        if (!titleCase && capital && !clauseStart && word != word.toUpper() &&
            !names.match(word).hasMatch())
            return "sentence case wanted at \"" + word + "\"";
    }
    return {};
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
    // Every key the program looks up has an English text, and every English text a Japanese
    // one, worded alike.
    void textsAreCompleteAndConsistent()
    {
        QMap<QString, QString> roles;
        const auto english = readLanguage("en", &roles);
        const auto japanese = readLanguage("ja");
        QStringList problems;
        const QStringList keys = keysUsedInCode();
        QVERIFY(keys.size() > 20);
        for (const QString& entry : keys) {
            if (english.value(entry.section('/', 0, 0)).value(entry.section('/', 1)).isEmpty())
                problems << entry + ": no English text";
        }
        // One term for each thing in Japanese, and labels without colons (the forms
        // place them) in both languages.
        static const QRegularExpression japaneseVariants(QStringLiteral(
            "IME[\\p{Han}\\p{Hiragana}\\p{Katakana}]|この画面|マウスカーソル|ウインドウ|[:：]$"));
        QMap<QString, QString> shared; // key -> its texts without mnemonics, as first seen
        for (auto table = english.begin(); table != english.end(); ++table) {
            for (auto it = table->begin(); it != table->end(); ++it) {
                const QString where = table.key() + "/" + it.key();
                const QString en = it.value();
                const QString ja = japanese.value(table.key()).value(it.key());
                const QString problem = englishWordingProblem(it.key(), en, roles.value(where));
                if (!problem.isEmpty())
                    problems << where + ": " + problem;
                if (ja.isEmpty())
                    problems << where + ": no Japanese text";
                if (en.endsWith(':') || japaneseVariants.match(ja).hasMatch())
                    problems << where + ": colon or Japanese variant";
                if (mnemonic(en) != mnemonic(ja))
                    problems << where + ": mnemonics differ";
                // A key that several tables share says the same everywhere.
                const QString texts = withoutMnemonic(en) + '|' + withoutMnemonic(ja);
                if (!QStringList{"title", "drag_hint", "show_indicator"}.contains(it.key()) &&
                    shared.value(it.key(), texts) != texts)
                    problems << where + ": differs from another table";
                if (!shared.contains(it.key()))
                    shared.insert(it.key(), texts);
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
    }

    void qtOwnTextsFollowTheLanguage()
    {
        const auto texts = [] {
            return QCoreApplication::translate("QColorDialog", "Select Color") + '|' +
                   mirevo::localized("Settings", "tab.clock");
        };
        mirevo::installTranslations(QLocale(QLocale::Japanese));
        const QString japanese = texts();
        mirevo::installTranslations(QLocale(QLocale::English));
        QCOMPARE(japanese.section('|', 1), QString("時計"));
        QVERIFY2(japanese.section('|', 0, 0) != "Select Color", "Qt's Japanese texts not loaded");
        QCOMPARE(texts(), QString("Select Color|Clock"));
    }
};

MIREVO_TEST_CLASS(StringTablesTest)
#include "tst_StringTables.moc"
