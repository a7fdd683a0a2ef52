// Any bytes as the settings file, and as the two older files the first start migrates
// (split at the first NUL byte). Whatever decodes must be written back to the same values:
// a file that loads but does not survive its next save loses the user's settings.
#include "settings/SettingsJson.h"

#include <cstdint>
#include <cstdlib>

using namespace mirevo;

namespace {

void expectSavedAsLoaded(const AppSettings& settings)
{
    const std::optional<AppSettings> again = decodeSettings(encodeSettings(settings));
    if (!again || !(*again == settings))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const std::optional<AppSettings> settings = decodeSettings(bytes))
        expectSavedAsLoaded(*settings);

    const qsizetype split = bytes.indexOf('\0');
    const QByteArray ime = split < 0 ? bytes : bytes.left(split);
    const QByteArray clock = split < 0 ? bytes : bytes.mid(split + 1);
    const LegacyMigration migrated = migrateLegacyRecords(ime, clock);
    if (migrated.imeDecoded || migrated.clockDecoded)
        expectSavedAsLoaded(migrated.settings);
    return 0;
}
