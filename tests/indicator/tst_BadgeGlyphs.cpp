#include "common/TestRegistry.h"
#include "indicator/IMEIndicatorView.h"
#include "settings/IMEIndicatorSettings.h"

#include <QGlyphRun>
#include <QTest>
#include <QTextLayout>

using namespace mirevo;

namespace {

// Whether some character of `text` has no glyph in any installed font the badge's font
// falls back to through fontconfig: it would show as the empty box (glyph 0).
bool drawsEmptyBox(const QString& text, const QFont& font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns())
        if (run.glyphIndexes().contains(0))
            return true;
    return false;
}

} // namespace

class BadgeGlyphsTest : public QObject {
    Q_OBJECT
private slots:
    void everyDefaultTextHasGlyphs()
    {
        const IMEIndicatorSettings defaults;
        for (InputLanguage language : allInputLanguages()) {
            const IMEIndicatorView view = makeIndicatorView(defaults, language);
            QVERIFY2(!drawsEmptyBox(view.text, view.font()),
                     qPrintable(QStringLiteral("no installed font draws %1's \"%2\"")
                                    .arg(rawValue(language), view.text)));
        }
    }
};

MIREVO_TEST_CLASS(BadgeGlyphsTest)
#include "tst_BadgeGlyphs.moc"
