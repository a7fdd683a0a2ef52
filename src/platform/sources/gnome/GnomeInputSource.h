#pragma once

#include "platform/InputSource.h"
#include "platform/sources/gnome/GnomeSources.h"
#include "platform/sources/ibus/IBusGlobalEngine.h"

#include <QHash>

#include <functional>
#include <memory>
#include <optional>

typedef struct _GSettings GSettings;

namespace mirevo {

class XkbConnection;

// The input source GNOME Shell applied (appliedGnomeSource): its settings
// (org.gnome.desktop.input-sources), IBus's global engine and, on X11, the keyboard group
// the shell locks, so that the sources the shell restores for each window and the layout
// it falls back to in password fields show too. On Wayland the X keyboard is XWayland's,
// which does not follow the shell, and is not read. Layout sources are described by
// xkeyboard-config's registry, IBus sources by the engine's description from IBus. All
// of it arrives as change signals; nothing is polled.
class GnomeInputSource : public InputSource {
    Q_OBJECT
public:
    explicit GnomeInputSource(QObject* parent = nullptr);
    ~GnomeInputSource() override;

    // Whether GNOME's input-source settings are installed here.
    static bool isAvailable();

    std::optional<QString> currentSourceId() override { return m_current; }
    QString currentLayoutCode() override;
    QString backendName() const override { return QStringLiteral("gnome"); }
    bool isReady() const override { return m_ibus.isReady(); }

private:
    void readSettings();
    void update();

    GSettings* m_settings = nullptr;
    std::function<void()> m_readSettings; // what GSettings' change signal calls
    IBusGlobalEngine m_ibus;
    std::unique_ptr<XkbConnection> m_xkb;
    GnomeShellFacts m_facts;
    QHash<QString, IBusEngineInfo> m_engines; // descriptions IBus gave, by engine name
    std::optional<QString> m_current;
};

} // namespace mirevo
