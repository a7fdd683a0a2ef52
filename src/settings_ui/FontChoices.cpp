#include "settings_ui/FontChoices.h"

#include <QFont>
#include <QFontDatabase>
#include <QRawFont>

#include <algorithm>

namespace mirevo {

char32_t fontSampleCharacter(const QString& japaneseText)
{
    const QString text = japaneseText.isEmpty() ? QStringLiteral("\u3042") : japaneseText;
    const QList<uint> characters = text.left(2).toUcs4();
    return characters.isEmpty() ? U'\u3042' : characters.first();
}

QStringList fontFamiliesCovering(char32_t character)
{
    QStringList families;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family))
            continue;
        QFont font(family, kFontSamplePointSize);
        font.setStyleStrategy(QFont::NoFontMerging);
        // The family's own face: a raw font never substitutes another family's glyphs.
        const QRawFont face = QRawFont::fromFont(font);
        if (face.isValid() && face.familyName() == family && face.supportsCharacter(character))
            families << family;
    }
    std::sort(families.begin(), families.end());
    families.removeDuplicates();
    return families;
}

} // namespace mirevo
