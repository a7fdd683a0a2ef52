#include "platform/InputSourceFactory.h"

#include "platform/FileInputSource.h"

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

} // namespace mirevo

namespace mirevo {
namespace {

// Answers no source; used until a daemon-backed backend is available.
class NoInputSource : public InputSource {
public:
    std::optional<QString> currentSourceId() override { return std::nullopt; }
    QString backendName() const override { return QStringLiteral("none"); }
};

} // namespace

std::unique_ptr<InputSource> createInputSource(const InputSourceSpec& spec)
{
    if (spec.kind == InputSourceSpec::Kind::file)
        return std::make_unique<FileInputSource>(spec.filePath);
    return std::make_unique<NoInputSource>();
}

} // namespace mirevo
