#include "platform/InputSourceFactory.h"

#include "platform/sources/AutoInputSource.h"
#include "platform/sources/Fcitx5InputSource.h"
#include "platform/sources/FileInputSource.h"
#include "platform/sources/KdeInputSource.h"
#include "platform/sources/LayoutsAndMethodsInputSource.h"
#include "platform/sources/XkbInputSource.h"
#include "platform/sources/gnome/GnomeInputSource.h"
#include "platform/sources/ibus/IBusInputSource.h"

namespace mirevo {

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
    case InputBackendChoice::Kind::kdeWithIBus:
        return std::make_unique<LayoutsAndMethodsInputSource>(std::make_unique<KdeInputSource>(),
                                                              std::make_unique<IBusInputSource>());
    case InputBackendChoice::Kind::automatic:
        break;
    }
    // The automatic choice builds the backend it picks through this same function.
    return std::make_unique<AutoInputSource>([](InputBackendChoice::Kind kind) {
        return createInputSource({kind, {}});
    });
}

} // namespace mirevo
