#pragma once

#include "platform/InputSource.h"

#include <QHash>

#include <functional>
#include <memory>
#include <optional>

typedef struct _GSettings GSettings;

namespace mirevo {

class IBusBus;

// GNOME's current input source, from its settings (org.gnome.desktop.input-sources): GNOME
// Shell switches keyboard layouts itself and keeps IBus on one engine for all of them, so
// only its settings tell the layouts apart. Layout sources are described by
// xkeyboard-config's registry, IBus sources by the engine's description from IBus. Changes
// arrive as GSettings change signals; nothing is polled.
class GnomeInputSource : public InputSource {
    Q_OBJECT
public:
    explicit GnomeInputSource(QObject* parent = nullptr);
    ~GnomeInputSource() override;

    // Whether GNOME's input-source settings are installed here.
    static bool isAvailable();

    std::optional<QString> currentSourceId() override;
    QString currentLayoutCode() override;
    QString backendName() const override { return QStringLiteral("gnome"); }
    bool isReady() const override { return m_ready; }

private:
    void reread();
    void resolveEngine();
    void setCurrent(const std::optional<QString>& id);

    GSettings* m_settings = nullptr;
    std::function<void()> m_reread; // what GSettings' change signal calls
    std::unique_ptr<IBusBus> m_ibus;
    QHash<QString, QString> m_engineIds; // engine name -> identifier, from IBus's descriptions
    QString m_engine;                    // the IBus engine of the current source, if any
    std::optional<QString> m_current;
    QStringList m_layoutIds; // of the configured layouts
    bool m_ready = false;
};

} // namespace mirevo
