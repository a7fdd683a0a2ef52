#pragma once

#include "platform/InputSource.h"
#include "platform/x11/xkb/XkbConnection.h"

namespace mirevo {

// The X keyboard's current group as a keyboard layout ("xkb.keylayout.ru.Russian").
// Answers nothing without an X display.
class XkbInputSource : public InputSource {
    Q_OBJECT
public:
    explicit XkbInputSource(QObject* parent = nullptr);

    std::optional<QString> currentSourceId() override;
    // The layouts of _XKB_RULES_NAMES are the configured ones.
    QString currentLayoutCode() override;
    QString backendName() const override { return QStringLiteral("xkb"); }
    bool isAvailable() const { return m_xkb.isValid(); }

private:
    XkbConnection m_xkb;
};

} // namespace mirevo
