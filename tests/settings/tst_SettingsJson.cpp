#include "common/TestRegistry.h"
#include "settings/SettingsJson.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <functional>

using namespace mirevo;

namespace {

using JsonEdit = std::function<void(QJsonObject&)>;

QJsonObject defaultDocument()
{
    return QJsonDocument::fromJson(encodeSettings(AppSettings{})).object();
}

// Applies `edit` to the member `record` of a default document and decodes the result.
std::optional<AppSettings> decodeEdited(const QString& record, const JsonEdit& edit)
{
    QJsonObject root = defaultDocument();
    if (record.isEmpty()) {
        edit(root);
    } else {
        QJsonObject inner = root.value(record).toObject();
        edit(inner);
        root.insert(record, inner);
    }
    return decodeSettings(QJsonDocument(root).toJson());
}

JsonEdit set(const QString& key, const QJsonValue& value)
{
    return [=](QJsonObject& o) { o.insert(key, value); };
}

JsonEdit drop(const QString& key)
{
    return [=](QJsonObject& o) { o.remove(key); };
}

// QColor keeps 16 bits a component.
bool near(const ColorComponents& a, const ColorComponents& b)
{
    auto close = [](double x, double y) { return std::abs(x - y) < 1e-4; };
    return close(a.red, b.red) && close(a.green, b.green) && close(a.blue, b.blue) &&
           close(a.alpha, b.alpha);
}

// How many leaf values of `a` equal those at the same place in `b`.
int leavesEqual(const QJsonValue& a, const QJsonValue& b)
{
    if (!a.isObject())
        return a == b ? 1 : 0;
    int equal = 0;
    const QJsonObject object = a.toObject();
    for (auto it = object.begin(); it != object.end(); ++it)
        equal += leavesEqual(it.value(), b.toObject().value(it.key()));
    return equal;
}

// Every object's keys, in the order they appear in the text.
void collectKeyOrders(const QByteArray& text, QList<QStringList>& orders)
{
    QStringList stack;
    QList<QStringList> open;
    for (const QByteArray& line : text.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('"')) {
            const int end = trimmed.indexOf('"', 1);
            if (!open.isEmpty())
                open.last() << QString::fromUtf8(trimmed.mid(1, end - 1));
        }
        if (trimmed.endsWith('{'))
            open.append(QStringList());
        if (trimmed.startsWith('}'))
            orders.append(open.takeLast());
    }
}

} // namespace

Q_DECLARE_METATYPE(JsonEdit)

class SettingsJsonTest : public QObject {
    Q_OBJECT
private slots:
    void defaultsRoundTrip()
    {
        AppSettings settings;
        settings.imeIndicator.moveMode = true;
        settings.clock.moveMode = true;
        const QByteArray json = encodeSettings(settings);
        QVERIFY(!json.contains("moveMode"));
        const auto decoded = decodeSettings(json);
        QVERIFY(decoded);
        QVERIFY(!decoded->imeIndicator.moveMode);
        QVERIFY(!decoded->clock.moveMode);
        QVERIFY(*decoded == AppSettings{});
    }

    // A complete file with every value changed, as an earlier release wrote it: it must
    // keep loading field for field.
    void goldenFileLoadsFieldForField()
    {
        QFile file(MIREVO_SOURCE_DIR "/tests/settings/golden_settings.json");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray golden = file.readAll();
        const std::optional<AppSettings> s = decodeSettings(golden);
        QVERIFY(s);
        QVERIFY(QJsonDocument::fromJson(encodeSettings(*s)) == QJsonDocument::fromJson(golden));
        // No value is its default, so none passes for a field that was never read.
        QCOMPARE(leavesEqual(QJsonDocument::fromJson(golden).object(), defaultDocument()), 0);
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

    void twoCodePointTextsStayTwoCodePoints()
    {
        const QByteArray json = encodeSettings(AppSettings{});
        QVERIFY(json.contains("\"nepaliText\": \"\xe0\xa4\xa8\xe0\xa5\x87\""));
        QVERIFY(json.contains("\"sinhalaText\": \"\xe0\xb7\x83\xe0\xb7\x92\""));
        const auto decoded = decodeSettings(json);
        QVERIFY(decoded);
        QCOMPARE(decoded->imeIndicator.textForLanguage(InputLanguage::nepali).size(), 2);
        QCOMPARE(decoded->imeIndicator.textForLanguage(InputLanguage::sinhala).toUcs4(),
                 QList<uint>({0x0DC3, 0x0DD2}));
    }

    void keysAreSortedAtEveryLevel()
    {
        QList<QStringList> orders;
        collectKeyOrders(encodeSettings(AppSettings{}), orders);
        QVERIFY(orders.size() > 50); // root, three records and every colour
        for (const QStringList& keys : orders) {
            QStringList sorted = keys;
            sorted.sort(Qt::CaseSensitive);
            QCOMPARE(keys, sorted);
        }
        QCOMPARE(orders.last(), QStringList({"clock", "imeIndicator", "mouseCursorIndicator"}));
        QVERIFY(orders.contains(QStringList({"alpha", "blue", "green", "red"})));
        // Every field is written, even when it holds its default.
        const QJsonObject root = defaultDocument();
        QCOMPARE(root.value("imeIndicator").toObject().size(), 56);
        QCOMPARE(root.value("clock").toObject().size(), 24);
        QCOMPARE(root.value("mouseCursorIndicator").toObject().size(), 30);
    }

    void decoding_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<JsonEdit>("edit");
        QTest::addColumn<bool>("decodes");
        QTest::newRow("untouched") << "" << JsonEdit([](QJsonObject&) {}) << true;
        QTest::newRow("missing record") << "" << drop("mouseCursorIndicator") << false;
        QTest::newRow("missing otherText") << "imeIndicator" << drop("otherText") << false;
        QTest::newRow("missing colour member") << "clock" << JsonEdit([](QJsonObject& o) {
            QJsonObject c = o.value("textColor").toObject();
            c.remove("alpha");
            o.insert("textColor", c);
        }) << false;
        QTest::newRow("bool as number") << "clock" << set("isVisible", 1) << false;
        QTest::newRow("double as string") << "imeIndicator" << set("positionX", "24") << false;
        QTest::newRow("null") << "imeIndicator" << set("fontName", QJsonValue::Null) << false;
        QTest::newRow("record as array") << "" << set("clock", QJsonArray()) << false;
        QTest::newRow("displayIndex 1.5") << "imeIndicator" << set("displayIndex", 1.5) << false;
        QTest::newRow("displayIndex 2.0") << "imeIndicator" << set("displayIndex", 2.0) << true;
        QTest::newRow("displayIndex 1e300") << "clock" << set("displayIndex", 1e300) << false;
        QTest::newRow("displayIndex negative") << "clock" << set("displayIndex", -1) << true;
        QTest::newRow("style capitalised") << "clock" << set("style", "Analog") << false;
        QTest::newRow("unknown date style") << "clock" << set("dateFormatStyle", "short") << false;
        QTest::newRow("unknown time style") << "clock" << set("timeFormatStyle", "long") << false;
        QTest::newRow("position not a string") << "clock" << set("dateTimePosition", 0) << false;
        QTest::newRow("extra member") << "clock" << set("moveMode", true) << true;
        QTest::newRow("extra colour member")
            << "imeIndicator"
            << set("koreanColor",
                   QJsonObject{
                       {"red", 1}, {"green", 0}, {"blue", 0}, {"alpha", 1}, {"space", "srgb"}})
            << true;
        QTest::newRow("integer for double") << "mouseCursorIndicator" << set("size", 24) << true;
        QTest::newRow("root extra") << "" << set("version", 2) << true;
    }
    void decoding()
    {
        QFETCH(QString, record);
        QFETCH(JsonEdit, edit);
        QFETCH(bool, decodes);
        QCOMPARE(decodeEdited(record, edit).has_value(), decodes);
    }

    void malformedDocuments_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("truncated") << encodeSettings(AppSettings{}).left(200);
        QTest::newRow("array") << QByteArray("[]");
        QTest::newRow("garbage") << QByteArray("\x00\xff{", 3);
    }
    void malformedDocuments()
    {
        QFETCH(QByteArray, text);
        QVERIFY(!decodeSettings(text));
    }

    void datetimePositionStrings_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("written");
        QTest::newRow("older horizontal") << "horizontal"
                                          << "date_time_horizontal";
        QTest::newRow("older vertical") << "vertical"
                                        << "date_time_vertical";
        QTest::newRow("unknown word") << "diagonal"
                                      << "date_time_vertical";
        QTest::newRow("empty") << ""
                               << "date_time_vertical";
        QTest::newRow("time only") << "time_only"
                                   << "time_only";
        QTest::newRow("time date horizontal") << "time_date_horizontal"
                                              << "time_date_horizontal";
    }
    void datetimePositionStrings()
    {
        QFETCH(QString, stored);
        QFETCH(QString, written);
        const auto decoded = decodeEdited("clock", set("dateTimePosition", stored));
        QVERIFY(decoded);
        const QJsonObject again = QJsonDocument::fromJson(encodeSettings(*decoded)).object();
        QCOMPARE(again.value("clock").toObject().value("dateTimePosition").toString(), written);
    }

    void outOfRangeColourKept()
    {
        const auto decoded = decodeEdited("clock", [](QJsonObject& o) {
            o.insert("textColor",
                     QJsonObject{{"red", 1.5}, {"green", 0}, {"blue", 0}, {"alpha", 1}});
        });
        QVERIFY(decoded);
        QCOMPARE(decoded->clock.textColor.red, 1.5);
        QVERIFY(encodeSettings(*decoded).contains("\"red\": 1.5"));
    }

    void legacyRecords()
    {
        const QJsonObject root = defaultDocument();
        const QByteArray ime = QJsonDocument(root.value("imeIndicator").toObject()).toJson();
        const QByteArray clock = QJsonDocument(root.value("clock").toObject()).toJson();
        QVERIFY(decodeIMEIndicatorSettings(ime));
        QVERIFY(decodeClockSettings(clock));
        QVERIFY(!decodeIMEIndicatorSettings(clock));
        QVERIFY(!decodeClockSettings(ime));
    }

    void platformColours()
    {
        const ColorComponents c =
            ColorComponents::fromPlatformColor(QColor::fromRgbF(0.25, 0.5, 1.0, 0.5));
        QVERIFY(near(c, {0.25, 0.5, 1.0, 0.5}));
        const ColorComponents hsv =
            ColorComponents::fromPlatformColor(QColor::fromHsvF(0.0, 1.0, 1.0));
        QVERIFY(near(hsv, {1.0, 0.0, 0.0, 1.0}));
        QCOMPARE(ColorComponents::fromPlatformColor(QColor()),
                 (ColorComponents{1.0, 1.0, 1.0, 1.0}));
    }

    void perLanguageLookups()
    {
        const IMEIndicatorSettings s;
        QCOMPARE(s.colorForLanguage(InputLanguage::english), (ColorComponents{0, 0, 1, 1}));
        QCOMPARE(s.colorForLanguage(InputLanguage::other), (ColorComponents{0.5, 0.5, 0.5, 1}));
        QCOMPARE(s.textForLanguage(InputLanguage::japanese), QString(QChar(0x3042)));
        QCOMPARE(s.textForLanguage(InputLanguage::ukrainian), QString(QChar(0x0423)));
        const QJsonObject ime = defaultDocument().value("imeIndicator").toObject();
        QCOMPARE(ime.value("chineseSimplifiedColor").toObject().value("green").toDouble(), 0.7);
        QCOMPARE(ime.value("chineseTraditionalText").toString(), QString(QChar(0x7E41)));
    }
};

MIREVO_TEST_CLASS(SettingsJsonTest)
#include "tst_SettingsJson.moc"
