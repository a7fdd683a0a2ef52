#include "common/TestRegistry.h"
#include "settings/SettingsJson.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace mirevo;
using mirevo::test::row;

namespace {

// The default document with `key` of the member `record` (the root when empty) set to
// `value`, or removed when `value` is undefined, then decoded.
std::optional<AppSettings> decodeEdited(const QString& record, const QString& key,
                                        const QJsonValue& value)
{
    QJsonObject root = QJsonDocument::fromJson(encodeSettings(AppSettings{})).object();
    QJsonObject object = record.isEmpty() ? root : root.value(record).toObject();
    value.isUndefined() ? object.remove(key) : void(object.insert(key, value));
    if (record.isEmpty())
        root = object;
    else
        root.insert(record, object);
    return decodeSettings(QJsonDocument(root).toJson());
}

} // namespace

class SettingsJsonTest : public QObject {
    Q_OBJECT
private slots:
    // A complete file with every value changed, as an earlier release wrote it: it must
    // keep loading field for field, and is written back whole with the members added since.
    void goldenFileLoadsFieldForField()
    {
        QFile file(MIREVO_SOURCE_DIR "/tests/settings/golden_settings.json");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray golden = file.readAll();
        const std::optional<AppSettings> s = decodeSettings(golden);
        QVERIFY(s);
        QJsonObject written = QJsonDocument::fromJson(encodeSettings(*s)).object();
        QJsonObject ime = written.value("imeIndicator").toObject();
        QCOMPARE(ime.take("layoutLabel"), QJsonValue("language"));
        written.insert("imeIndicator", ime);
        QVERIFY(QJsonDocument(written) == QJsonDocument::fromJson(golden));
        QCOMPARE(
            decodeEdited("imeIndicator", "layoutLabel", "layout_code")->imeIndicator.layoutLabel,
            LayoutLabel::layoutCode);
        // Neighbours of one type, which keys swapped in the table would exchange.
        QCOMPARE(s->imeIndicator.positionY, 300.25);
        QCOMPARE(s->clock.positionX, 1200.0);
        QCOMPARE(s->clock.windowHeight, 96.0);
        QCOMPARE(s->clock.customDateFormat2, QStringLiteral("d MMM yyyy"));
        QCOMPARE(s->clock.customTimeFormat1, QStringLiteral("h:mm a"));
        QCOMPARE(s->clock.timeFormatStyle, TimeFormatStyle::custom1);
        QCOMPARE(s->clock.analogColor.red, 0.1234567890123);
        QCOMPARE(s->mouseCursorIndicator.offsetX, -12.0);
        QCOMPARE(s->imeIndicator.colors[languageIndex(InputLanguage::korean)].red, 1.5);
        QCOMPARE(s->imeIndicator.textForLanguage(InputLanguage::japanese),
                 QString::fromUtf8("\xe3\x81\x82\xc2\xb7"));
        QCOMPARE(s->imeIndicator.textForLanguage(InputLanguage::other), QStringLiteral("\"?\\\n"));
    }

    void decoding_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QJsonValue>("value"); // undefined: the key removed
        QTest::addColumn<bool>("decodes");
        const QJsonValue removed(QJsonValue::Undefined);
        row("missing record", "", "mouseCursorIndicator", removed, false);
        row("missing otherText", "imeIndicator", "otherText", removed, false);
        row("missing colour member", "clock", "textColor",
            QJsonValue(QJsonObject{{"red", 1}, {"green", 0}, {"blue", 0}}), false);
        row("bool as number", "clock", "isVisible", QJsonValue(1), false);
        row("double as string", "imeIndicator", "positionX", QJsonValue("24"), false);
        row("null", "imeIndicator", "fontName", QJsonValue(QJsonValue::Null), false);
        row("record as array", "", "clock", QJsonValue(QJsonArray()), false);
        row("displayIndex 1.5", "imeIndicator", "displayIndex", QJsonValue(1.5), false);
        row("displayIndex 2.0", "imeIndicator", "displayIndex", QJsonValue(2.0), true);
        row("displayIndex 1e300", "clock", "displayIndex", QJsonValue(1e300), false);
        row("displayIndex negative", "clock", "displayIndex", QJsonValue(-1), true);
        row("style capitalised", "clock", "style", QJsonValue("Analog"), false);
        row("unknown date style", "clock", "dateFormatStyle", QJsonValue("short"), false);
        row("unknown time style", "clock", "timeFormatStyle", QJsonValue("long"), false);
        row("position not a string", "clock", "dateTimePosition", QJsonValue(0), false);
        row("layout label unknown", "imeIndicator", "layoutLabel", QJsonValue("code"), false);
        row("extra member", "clock", "moveMode", QJsonValue(true), true);
        row("integer for double", "mouseCursorIndicator", "size", QJsonValue(24), true);
        row("root extra", "", "version", QJsonValue(2), true);
    }
    void decoding()
    {
        QFETCH(QString, record);
        QFETCH(QString, key);
        QFETCH(QJsonValue, value);
        QFETCH(bool, decodes);
        QCOMPARE(decodeEdited(record, key, value).has_value(), decodes);
    }

    // Earlier releases wrote "horizontal" and "vertical"; unknown words fall back.
    void datetimePositionStrings_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("written");
        row("older horizontal", "horizontal", "date_time_horizontal");
        row("older vertical", "vertical", "date_time_vertical");
        row("unknown word", "diagonal", "date_time_vertical");
    }
    void datetimePositionStrings()
    {
        QFETCH(QString, stored);
        QFETCH(QString, written);
        const auto decoded = decodeEdited("clock", "dateTimePosition", stored);
        QVERIFY(decoded);
        const QJsonObject again = QJsonDocument::fromJson(encodeSettings(*decoded)).object();
        QCOMPARE(again.value("clock").toObject().value("dateTimePosition").toString(), written);
    }
};

MIREVO_TEST_CLASS(SettingsJsonTest)
#include "tst_SettingsJson.moc"
