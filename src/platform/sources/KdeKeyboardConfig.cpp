#include "platform/sources/KdeKeyboardConfig.h"

#include "platform/RegularFile.h"

#include <QHash>
#include <QStandardPaths>

namespace mirevo {
namespace {

// kxkbrc holds a few lines; anything much larger is not Plasma's.
constexpr qint64 kMaxKxkbrcBytes = 64 * 1024;

// "[Layout]", also with KConfig's flags ("[Layout][$i]"); a nested group
// ("[Layout][Sub]") is another group.
bool isLayoutGroup(QStringView header)
{
    if (!header.startsWith(u"[Layout]"))
        return false;
    for (QStringView rest = header.mid(8); !rest.isEmpty();) {
        const qsizetype end = rest.indexOf(u']');
        if (!rest.startsWith(u"[$") || end < 0)
            return false;
        rest = rest.mid(end + 1);
    }
    return true;
}

// A value as KConfig stores it: \s a space, \t, \n and \r, \\ a backslash; \, and \;
// stay escaped for the list reader.
QString unescapeValue(QStringView value)
{
    static const QHash<QChar, QChar> kEscapes{
        {u's', u' '}, {u't', u'\t'}, {u'n', u'\n'}, {u'r', u'\r'}, {u'\\', u'\\'}};
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar next = i + 1 < value.size() ? value[i + 1] : QChar();
        if (value[i] != u'\\' || next.isNull()) {
            text += value[i];
        } else if (next == u',' || next == u';') {
            text += value.mid(i++, 2);
        } else {
            text += kEscapes.value(next, next);
            ++i;
        }
    }
    return text;
}

// KConfig's list: comma-separated, \, a comma in an item, \0 alone one empty item.
QStringList splitList(const QString& value)
{
    if (value.isEmpty())
        return {};
    if (value == QLatin1String("\\0"))
        return {QString()};
    QStringList items{QString()};
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size())
            items.last() += value[++i];
        else if (value[i] == u',')
            items << QString();
        else
            items.last() += value[i];
    }
    return items;
}

} // namespace

LayoutList parseKxkbrc(const QByteArray& text)
{
    QStringList layouts;
    QStringList variants;
    bool inLayoutGroup = false;
    for (const QByteArray& rawLine : text.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            inLayoutGroup = isLayoutGroup(line);
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inLayoutGroup || equals < 0)
            continue;
        // Flags such as "[$i]" keep the key; a locale ("[de]") makes it a translation.
        QStringView key = QStringView(line).left(equals).trimmed();
        if (key.endsWith(u']') && key.contains(u"[$"))
            key = key.left(key.indexOf(u"[$")).trimmed();
        const QString value = unescapeValue(QStringView(line).mid(equals + 1).trimmed());
        if (key == u"LayoutList")
            layouts = splitList(value);
        else if (key == u"VariantList")
            variants = splitList(value);
    }
    for (QString& layout : layouts)
        layout = layout.trimmed();
    variants.resize(layouts.size());
    for (QString& variant : variants)
        variant = variant.trimmed();
    return {layouts, variants};
}

LayoutList readKxkbrc()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty())
        return {};
    const RegularFileContent file =
        readRegularFile(folder + QStringLiteral("/kxkbrc"), kMaxKxkbrcBytes, true);
    return file.isRead() ? parseKxkbrc(file.bytes) : LayoutList{};
}

QStringList variantsForDaemonLayouts(const QStringList& daemonLayouts,
                                     const QList<LayoutList>& descriptions)
{
    for (const LayoutList& description : descriptions) {
        if (!daemonLayouts.isEmpty() && description.layouts == daemonLayouts) {
            QStringList variants = description.variants;
            variants.resize(daemonLayouts.size());
            return variants;
        }
    }
    return QStringList(daemonLayouts.size(), QString());
}

} // namespace mirevo
