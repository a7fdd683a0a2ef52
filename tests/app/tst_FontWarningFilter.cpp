#include "app/FontWarningFilter.h"
#include "common/TestRegistry.h"

#include <QRegularExpression>
#include <QTest>

class FontWarningFilterTest : public QObject {
    Q_OBJECT
private slots:
    // Qt's complaints about fonts without shaping tables vanish; everything else, warnings
    // included, still reaches the log.
    void dropsOnlyFontShapingWarnings()
    {
        mirevo::filterFontShapingWarnings();
        QTest::failOnWarning(QRegularExpression("OpenType support missing"));
        QTest::ignoreMessage(QtWarningMsg, "QObject::connect: No such signal");
        QTest::ignoreMessage(QtInfoMsg, "OpenType support missing for a reason of its own");
        qWarning("  OpenType support missing for \"DejaVu Sans\", script 17");
        qWarning("QObject::connect: No such signal");
        qInfo("OpenType support missing for a reason of its own");
    }
};

MIREVO_TEST_CLASS(FontWarningFilterTest)
#include "tst_FontWarningFilter.moc"
