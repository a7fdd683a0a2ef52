#pragma once

#include "platform/desktop/ApplicationBus.h"

#include <QDBusAbstractAdaptor>
#include <QDBusContext>
#include <QVariantMap>

namespace mirevo {

class ScriptingAdaptor;

// The object exported under the program's name; its adaptors are the two interfaces.
// It carries the D-Bus call context, which Qt gives an adaptor's parent.
class ApplicationBusObject : public QObject, protected QDBusContext {
    Q_OBJECT
public:
    explicit ApplicationBusObject(ApplicationBus& bus);

    ApplicationBus& bus() const { return m_bus; }
    void refuse(const QString& errorName, const QString& message) const;
    void emitLanguageChanged(const QString& language, const QString& sourceId);

private:
    ApplicationBus& m_bus;
    ScriptingAdaptor* m_scripting;
};

// org.freedesktop.Application: what desktops and a second start call to bring the
// program forward. Activate opens the settings window.
class ApplicationAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    explicit ApplicationAdaptor(ApplicationBusObject* object);

public slots:
    void Activate(const QVariantMap& platformData);
    // The one action is "quit".
    void ActivateAction(const QString& name, const QVariantList& parameter,
                        const QVariantMap& platformData);

private:
    ApplicationBusObject* m_object;
};

// For scripts and status bars: the current input language and source, a way to open the
// settings on a tab, and to quit.
class ScriptingAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.mirevo.Mirevo1")
    Q_PROPERTY(QString CurrentLanguage READ currentLanguage)
    Q_PROPERTY(QString CurrentSourceId READ currentSourceId)
    Q_PROPERTY(QString Backend READ backend)
public:
    explicit ScriptingAdaptor(ApplicationBusObject* object);

    QString currentLanguage() const;
    QString currentSourceId() const;
    QString backend() const;

public slots:
    // `tab`: imeIndicator, clock, mouseCursor or about; empty for the tab shown last.
    void ShowSettings(const QString& tab);
    void Quit();

signals:
    void LanguageChanged(const QString& language, const QString& sourceId);

private:
    ApplicationBusObject* m_object;
};

} // namespace mirevo
