#include "common/TestRegistry.h"
#include "platform/x11/XkbRulesNames.h"

#include <QTest>

using namespace mirevo;
using mirevo::test::row;

class XkbRulesNamesTest : public QObject {
    Q_OBJECT
private slots:
    void xkbRulesNames_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QString>("layouts");  // joined with '|'
        QTest::addColumn<QString>("variants"); // joined with '|'
        row("recorded", QByteArray("evdev\0pc105\0us,ru,jp\0\0grp:alt_shift_toggle\0", 42),
            "us|ru|jp", "||");
        row("variants", QByteArray("evdev\0pc105\0us,ru\0,phonetic\0\0", 30), "us|ru", "|phonetic");
        row("more variants than layouts", QByteArray("evdev\0pc105\0us\0intl,x\0\0", 24), "us",
            "intl");
        row("truncated", QByteArray("evdev\0pc1", 9), "", "");
    }
    void xkbRulesNames()
    {
        QFETCH(QByteArray, property);
        QFETCH(QString, layouts);
        QFETCH(QString, variants);
        const XkbRulesNames names = parseXkbRulesNames(property);
        QCOMPARE(names.layouts.join('|'), layouts);
        QCOMPARE(names.variants.join('|'), variants);
    }
};

MIREVO_TEST_CLASS(XkbRulesNamesTest)
#include "tst_XkbRulesNames.moc"
