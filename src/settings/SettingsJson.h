#pragma once

#include "settings/AppSettings.h"

#include <QByteArray>

#include <optional>

namespace mirevo {

// The settings file: pretty-printed JSON, keys sorted at every level, every field written.
QByteArray encodeSettings(const AppSettings& settings);

// Strict decoding: a missing key, a wrong JSON type, a null, a non-integral displayIndex
// or an unknown enumeration string fails the whole document. Extra members are ignored.
std::optional<AppSettings> decodeSettings(const QByteArray& json);

// The two older single-record files.
std::optional<IMEIndicatorSettings> decodeIMEIndicatorSettings(const QByteArray& json);
std::optional<ClockSettings> decodeClockSettings(const QByteArray& json);

// The older files folded into one record: each file that decodes replaces its part of
// the defaults; an absent or broken file leaves that part at its defaults.
struct LegacyMigration {
    AppSettings settings;
    bool imeDecoded = false;
    bool clockDecoded = false;
};
LegacyMigration migrateLegacyRecords(const std::optional<QByteArray>& imeJson,
                                     const std::optional<QByteArray>& clockJson);

} // namespace mirevo
