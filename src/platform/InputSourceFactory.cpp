#include "platform/InputSourceFactory.h"

#include "platform/FileInputSource.h"
#include "platform/x11/AutoInputSource.h"
#include "platform/x11/Fcitx5InputSource.h"
#include "platform/x11/GnomeInputSource.h"
#include "platform/x11/IBusInputSource.h"
#include "platform/x11/KdeInputSource.h"
#include "platform/x11/XkbInputSource.h"

namespace mirevo {

std::optional<InputBackendChoice> InputBackendChoice::parse(const QString& text)
{
    using Kind = InputBackendChoice::Kind;
    const std::pair<QLatin1StringView, Kind> names[] = {
        {QLatin1StringView("auto"), Kind::automatic}, {QLatin1StringView("fcitx5"), Kind::fcitx5},
        {QLatin1StringView("ibus"), Kind::ibus},      {QLatin1StringView("xkb"), Kind::xkb},
        {QLatin1StringView("gnome"), Kind::gnome},    {QLatin1StringView("kde"), Kind::kde},
    };
    for (const auto& [name, kind] : names) {
        if (text == name)
            return InputBackendChoice{kind, {}};
    }
    const QLatin1String filePrefix("file:");
    if (text.startsWith(filePrefix) && text.size() > filePrefix.size())
        return InputBackendChoice{Kind::file, text.mid(filePrefix.size())};
    return std::nullopt;
}

std::unique_ptr<InputSource> createInputSource(const InputBackendChoice& choice)
{
    switch (choice.kind) {
    case InputBackendChoice::Kind::file:
        return std::make_unique<FileInputSource>(choice.filePath);
    case InputBackendChoice::Kind::fcitx5:
        return std::make_unique<Fcitx5InputSource>();
    case InputBackendChoice::Kind::ibus:
        return std::make_unique<IBusInputSource>();
    case InputBackendChoice::Kind::xkb:
        return std::make_unique<XkbInputSource>();
    case InputBackendChoice::Kind::gnome:
        return std::make_unique<GnomeInputSource>();
    case InputBackendChoice::Kind::kde:
        return std::make_unique<KdeInputSource>();
    case InputBackendChoice::Kind::automatic:
        break;
    }
    return std::make_unique<AutoInputSource>();
}

} // namespace mirevo
