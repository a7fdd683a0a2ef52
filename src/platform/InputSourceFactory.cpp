#include "platform/InputSourceFactory.h"

#include "platform/FileInputSource.h"
#include "platform/x11/AutoInputSource.h"
#include "platform/x11/Fcitx5InputSource.h"
#include "platform/x11/IBusInputSource.h"
#include "platform/x11/XkbInputSource.h"

namespace mirevo {

std::optional<InputSourceSpec> InputSourceSpec::parse(const QString& text)
{
    using Kind = InputSourceSpec::Kind;
    if (text == QLatin1String("auto"))
        return InputSourceSpec{Kind::automatic, {}};
    if (text == QLatin1String("fcitx5"))
        return InputSourceSpec{Kind::fcitx5, {}};
    if (text == QLatin1String("ibus"))
        return InputSourceSpec{Kind::ibus, {}};
    if (text == QLatin1String("xkb"))
        return InputSourceSpec{Kind::xkb, {}};
    const QLatin1String filePrefix("file:");
    if (text.startsWith(filePrefix) && text.size() > filePrefix.size())
        return InputSourceSpec{Kind::file, text.mid(filePrefix.size())};
    return std::nullopt;
}

std::unique_ptr<InputSource> createInputSource(const InputSourceSpec& spec)
{
    switch (spec.kind) {
    case InputSourceSpec::Kind::file:
        return std::make_unique<FileInputSource>(spec.filePath);
    case InputSourceSpec::Kind::fcitx5:
        return std::make_unique<Fcitx5InputSource>();
    case InputSourceSpec::Kind::ibus:
        return std::make_unique<IBusInputSource>();
    case InputSourceSpec::Kind::xkb:
        return std::make_unique<XkbInputSource>();
    case InputSourceSpec::Kind::automatic:
        break;
    }
    return std::make_unique<AutoInputSource>();
}

} // namespace mirevo
