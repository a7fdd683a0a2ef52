#pragma once

#include "platform/InputSource.h"
#include "platform/sources/DBusStringTuples.h"

#include <QDBusConnection>

#include <memory>
#include <optional>

namespace mirevo {

class XkbConnection;

// fcitx5's current input method, read from its controller on the session bus. fcitx5
// announces no switch, so every read asks again in the background and reports a
// difference through mayHaveChanged(); the monitor's poll therefore finds switches
// within one poll interval. Keyboard changes on the X server are announced at once.
class Fcitx5InputSource : public InputSource {
    Q_OBJECT
public:
    explicit Fcitx5InputSource(QObject* parent = nullptr);
    ~Fcitx5InputSource() override;

    // The cached answer; each call also asks fcitx5 for a fresh one.
    std::optional<QString> currentSourceId() override;
    QString backendName() const override { return QStringLiteral("fcitx5"); }
    // Mozc switches between direct input and Japanese inside fcitx5, which tells that only
    // to its own panels: the method shows as Japanese in both.
    QString backendReason() const override
    {
        return m_currentName == QLatin1String("mozc")
                   ? QStringLiteral("mozc's own mode is not visible under fcitx5")
                   : QString();
    }
    bool isReady() const override { return m_haveCurrent && m_haveMethods; }

private slots:
    // Bound by name: QtDBus delivers bus signals only to slots.
    void onInputMethodGroupsChanged();

private:
    void requestCurrent();
    void requestMethods();
    void update();

    QDBusConnection m_bus;
    std::unique_ptr<XkbConnection> m_xkb;
    QList<Fcitx5Method> m_methods;
    QString m_currentName;  // fcitx5's unique name; empty without a focused input context
    QString m_missingAsked; // a current method that prompted a new method list
    std::optional<QString> m_current;
    bool m_haveCurrent = false;
    bool m_haveMethods = false;
    bool m_currentPending = false;
    bool m_methodsPending = false;
};

} // namespace mirevo
