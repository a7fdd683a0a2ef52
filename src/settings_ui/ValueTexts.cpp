#include "settings_ui/ValueTexts.h"

#include "platform/StringTables.h"

#include <QRegularExpression>

#include <cmath>

namespace mirevo {
namespace {

// Truncated toward zero, as a whole-number format of the value would be.
qint64 truncated(double value)
{
    return std::isfinite(value) ? static_cast<qint64>(value) : 0;
}

} // namespace

QString formatCount(const QString& pattern, qint64 value)
{
    QString text = pattern;
    return text.replace(QLatin1String("%lld"), QString::number(value));
}

QString formatText(const QString& pattern, const QString& value)
{
    QString text = pattern;
    return text.replace(QLatin1String("%@"), value);
}

QString pixelValueText(double pixels)
{
    return formatCount(localized("Localizable", "%lld px"), truncated(pixels));
}

QString percentValueText(double ratio)
{
    return formatCount(localized("Localizable", "%lld%"), truncated(ratio * 100.0));
}

QString positionText(double position)
{
    return QString::asprintf("%.0f", position);
}

std::optional<double> parsePositionText(const QString& text)
{
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok); // QString::toDouble always reads the C locale
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace mirevo
