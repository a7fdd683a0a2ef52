#include "platform/InputSourceFactory.h"

#include "platform/FileInputSource.h"
#include "platform/x11/AutoInputSource.h"
#include "platform/x11/Fcitx5InputSource.h"
#include "platform/x11/IBusInputSource.h"
#include "platform/x11/XkbInputSource.h"

namespace mirevo {

std::optional<InputBackendChoice> InputBackendChoice::parse(const QString& text)
{
    using Kind = InputBackendChoice::Kind;
    if (text == QLatin1String("auto"))
        return InputBackendChoice{Kind::automatic, {}};
    if (text == QLatin1String("fcitx5"))
        return InputBackendChoice{Kind::fcitx5, {}};
    if (text == QLatin1String("ibus"))
        return InputBackendChoice{Kind::ibus, {}};
    if (text == QLatin1String("xkb"))
        return InputBackendChoice{Kind::xkb, {}};
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
    case InputBackendChoice::Kind::automatic:
        break;
    }
    return std::make_unique<AutoInputSource>();
}

} // namespace mirevo
