#pragma once

#include "platform/InputSource.h"
#include "platform/sources/DBusStringTuples.h"
#include "platform/sources/Fcitx5TrayItem.h"
#include "platform/sources/LayoutCode.h"
#include "platform/sources/RepeatableRequest.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>

#include <memory>
#include <optional>

class QDBusMessage;

namespace mirevo {

class XkbConnection;

// fcitx5's current input method, read from its controller on the session bus. fcitx5 5.0's
// controller announces no switch; its tray item does (see Fcitx5TrayItem), so while that item is
// registered a switch is read at once, and the item's icon tells an input method's own Latin mode
// (mozc's direct input and ASCII modes give "fcitx5.inputmethod.mozc.Roman"). Without it, only
// asking again finds a switch: each read also asks fcitx5 in the background and reports a
// difference through mayHaveChanged(), and the monitor asks periodically (signalsChanges() is
// false). Keyboard changes on the X server are announced at once. A daemon that goes away or
// answers in a shape it never uses leaves the last good answer in place until a good one comes.
class Fcitx5InputSource : public InputSource {
    Q_OBJECT
public:
    explicit Fcitx5InputSource(QObject* parent = nullptr);
    ~Fcitx5InputSource() override;

    // The cached answer; each call also asks fcitx5 for a fresh one.
    std::optional<QString> currentSourceId() override;
    // Only the current method is known here, not the user's list: see LayoutCode.h.
    QString currentLayoutCode() override
    {
        return layoutCodeForSourceId(m_current.value_or(QString()));
    }
    QString backendName() const override { return QStringLiteral("fcitx5"); }
    // How switches are heard of: through the tray item or by asking.
    QString backendReason() const override;
    bool isReady() const override;
    bool signalsChanges() const override { return m_trayItem.isFound(); }

    // fcitx5's answer to CurrentInputMethod: the method's unique name ("" without a focused
    // input context), or nothing for an error or an answer of any other shape.
    static std::optional<QString> currentMethodFrom(const QDBusMessage& reply);

private slots:
    // Bound by name: QtDBus delivers bus signals only to slots.
    void onInputMethodGroupsChanged();

private:
    void requestCurrent();
    void requestMethods();
    void update();

    QDBusConnection m_bus;
    QDBusServiceWatcher m_daemon;
    Fcitx5TrayItem m_trayItem;
    std::unique_ptr<XkbConnection> m_xkb;
    QList<Fcitx5Method> m_methods;
    QString m_currentName;  // fcitx5's unique name; empty without a focused input context
    QString m_missingAsked; // a current method that prompted a new method list
    std::optional<QString> m_current;
    bool m_haveCurrent = false;
    bool m_haveMethods = false;
    RepeatableRequest m_currentRequest; // CurrentInputMethod
    RepeatableRequest m_methodsRequest; // AvailableInputMethods
};

} // namespace mirevo
