#include "settings_ui/FontChoices.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QRegularExpression>
#include <QTextLayout>

#include <algorithm>

namespace mirevo {

char32_t fontSampleCharacter(const QString& japaneseText)
{
    const QString text = japaneseText.isEmpty() ? QStringLiteral("\u3042") : japaneseText;
    const QList<uint> characters = text.left(2).toUcs4();
    return characters.isEmpty() ? U'\u3042' : characters.first();
}

QString plainFamilyName(const QString& family)
{
    static const QRegularExpression foundryTag(QStringLiteral("\\s*\\[[^\\]]*\\]\\s*$"));
    return QString(family).remove(foundryTag);
}

QStringList installedFontFamilies()
{
    QStringList families;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family) ||
            QFontDatabase::writingSystems(family).contains(QFontDatabase::Symbol))
            continue;
        families << plainFamilyName(family);
    }
    std::sort(families.begin(), families.end());
    families.removeDuplicates();
    return families;
}

bool familyCoversText(const QString& family, const QString& text)
{
    QFont font(family, kFontSamplePointSize);
    font.setStyleStrategy(QFont::NoFontMerging);
    // The family's own face: a raw font never substitutes another family's glyphs.
    const QRawFont face = QRawFont::fromFont(font);
    if (!face.isValid() || face.familyName().compare(family, Qt::CaseInsensitive) != 0)
        return false;
    const QList<uint> characters = text.toUcs4();
    return std::all_of(characters.begin(), characters.end(),
                       [&face](uint character) { return face.supportsCharacter(character); });
}

QString familyDrawing(const QFont& font, const QString& text)
{
    QTextLayout layout(text.left(2), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    return runs.isEmpty() ? QFontInfo(font).family() : runs.first().rawFont().familyName();
}

QStringList fontFamiliesCovering(const QString& text)
{
    QStringList families = installedFontFamilies();
    families.removeIf([&text](const QString& family) { return !familyCoversText(family, text); });
    return families;
}

QStringList fontFamiliesCovering(char32_t character)
{
    return fontFamiliesCovering(QString::fromUcs4(&character, 1));
}

} // namespace mirevo
