#include "settings/SettingsJson.h"

#include "settings/SettingsFields.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <limits>

namespace mirevo {
namespace {

class Writer {
public:
    QJsonObject object;

    void field(const QString& key, bool value) { object.insert(key, value); }
    void field(const QString& key, double value) { object.insert(key, value); }
    void field(const QString& key, qint64 value) { object.insert(key, value); }
    void field(const QString& key, const QString& value) { object.insert(key, value); }
    void field(const QString& key, const ColorComponents& value)
    {
        Writer nested;
        fields::visitColor(value, nested);
        object.insert(key, nested.object);
    }
    template <typename Enum> void field(const QString& key, Enum value)
    {
        object.insert(key, rawValue(value));
    }
    template <typename Value> void optionalField(const QString& key, const Value& value)
    {
        field(key, value);
    }
    void record(const QString& key, const IMEIndicatorSettings& s)
    {
        nested(key, s, fields::visitIMEIndicator<const IMEIndicatorSettings, Writer>);
    }
    void record(const QString& key, const ClockSettings& s)
    {
        nested(key, s, fields::visitClock<const ClockSettings, Writer>);
    }
    void record(const QString& key, const MouseCursorIndicatorSettings& s)
    {
        nested(key, s,
               fields::visitMouseCursorIndicator<const MouseCursorIndicatorSettings, Writer>);
    }

private:
    template <typename Record, typename Visit>
    void nested(const QString& key, const Record& s, Visit visit)
    {
        Writer inner;
        visit(s, inner);
        object.insert(key, inner.object);
    }
};

// Reads fields into a record; the first problem marks the whole read failed.
class Reader {
public:
    explicit Reader(QJsonObject object) : m_object(std::move(object)) {}

    bool ok() const { return m_ok; }

    void field(const QString& key, bool& out)
    {
        const QJsonValue v = m_object.value(key);
        v.isBool() ? void(out = v.toBool()) : fail();
    }
    void field(const QString& key, double& out)
    {
        const QJsonValue v = m_object.value(key);
        v.isDouble() ? void(out = v.toDouble()) : fail();
    }
    void field(const QString& key, qint64& out)
    {
        const QJsonValue v = m_object.value(key);
        const double d = v.toDouble();
        // 2^63 itself is out of range; every double below it converts exactly.
        const bool integral = v.isDouble() && std::trunc(d) == d && d >= -9223372036854775808.0 &&
                              d < 9223372036854775808.0;
        integral ? void(out = v.toInteger(static_cast<qint64>(d))) : fail();
    }
    void field(const QString& key, QString& out)
    {
        const QJsonValue v = m_object.value(key);
        v.isString() ? void(out = v.toString()) : fail();
    }
    void field(const QString& key, ColorComponents& out)
    {
        const QJsonValue v = m_object.value(key);
        if (!v.isObject())
            return fail();
        Reader nested(v.toObject());
        fields::visitColor(out, nested);
        nested.ok() ? void() : fail();
    }
    void field(const QString& key, ClockStyle& out) { enumField(key, out, clockStyleFromRawValue); }
    void field(const QString& key, DateFormatStyle& out)
    {
        enumField(key, out, dateFormatStyleFromRawValue);
    }
    void field(const QString& key, TimeFormatStyle& out)
    {
        enumField(key, out, timeFormatStyleFromRawValue);
    }
    void field(const QString& key, LayoutLabel& out)
    {
        enumField(key, out, layoutLabelFromRawValue);
    }
    // A missing key keeps the default; a present one must be valid like any other.
    template <typename Value> void optionalField(const QString& key, Value& out)
    {
        if (m_object.contains(key))
            field(key, out);
    }
    void field(const QString& key, DateTimePosition& out)
    {
        const QJsonValue v = m_object.value(key);
        v.isString() ? void(out = dateTimePositionFromStoredString(v.toString())) : fail();
    }

    template <typename Record> void record(const QString& key, Record& out)
    {
        const QJsonValue v = m_object.value(key);
        if (!v.isObject())
            return fail();
        if (!readRecord(v.toObject(), out))
            fail();
    }

    static bool readRecord(const QJsonObject& object, IMEIndicatorSettings& out)
    {
        return read(object, out, fields::visitIMEIndicator<IMEIndicatorSettings, Reader>);
    }
    static bool readRecord(const QJsonObject& object, ClockSettings& out)
    {
        return read(object, out, fields::visitClock<ClockSettings, Reader>);
    }
    static bool readRecord(const QJsonObject& object, MouseCursorIndicatorSettings& out)
    {
        return read(object, out,
                    fields::visitMouseCursorIndicator<MouseCursorIndicatorSettings, Reader>);
    }
    static bool readRecord(const QJsonObject& object, AppSettings& out)
    {
        return read(object, out, fields::visitApp<AppSettings, Reader>);
    }

private:
    template <typename Record, typename Visit>
    static bool read(const QJsonObject& object, Record& out, Visit visit)
    {
        Reader reader(object);
        visit(out, reader);
        return reader.ok();
    }

    template <typename Enum, typename Parse>
    void enumField(const QString& key, Enum& out, Parse parse)
    {
        const QJsonValue v = m_object.value(key);
        const auto parsed = v.isString() ? parse(v.toString()) : std::nullopt;
        parsed ? void(out = *parsed) : fail();
    }

    void fail() { m_ok = false; }

    QJsonObject m_object;
    bool m_ok = true;
};

template <typename Record> std::optional<Record> decodeDocument(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    Record record; // every stored field is overwritten; moveMode keeps its default false
    if (!Reader::readRecord(document.object(), record))
        return std::nullopt;
    return record;
}

} // namespace

QByteArray encodeSettings(const AppSettings& settings)
{
    Writer writer;
    fields::visitApp(settings, writer);
    // QJsonObject keeps its keys sorted, so every level is written in key order.
    return QJsonDocument(writer.object).toJson(QJsonDocument::Indented);
}

std::optional<AppSettings> decodeSettings(const QByteArray& json)
{
    return decodeDocument<AppSettings>(json);
}

std::optional<IMEIndicatorSettings> decodeIMEIndicatorSettings(const QByteArray& json)
{
    return decodeDocument<IMEIndicatorSettings>(json);
}

std::optional<ClockSettings> decodeClockSettings(const QByteArray& json)
{
    return decodeDocument<ClockSettings>(json);
}

LegacyMigration migrateLegacyRecords(const std::optional<QByteArray>& imeJson,
                                     const std::optional<QByteArray>& clockJson)
{
    LegacyMigration migration;
    if (const auto ime = imeJson ? decodeIMEIndicatorSettings(*imeJson) : std::nullopt) {
        migration.settings.imeIndicator = *ime;
        migration.imeDecoded = true;
    }
    if (const auto clock = clockJson ? decodeClockSettings(*clockJson) : std::nullopt) {
        migration.settings.clock = *clock;
        migration.clockDecoded = true;
    }
    return migration;
}

} // namespace mirevo
