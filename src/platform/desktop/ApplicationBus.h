#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace mirevo {

class ApplicationBusObject;

// What the program's object on the session bus answers with; set by the application.
struct ApplicationBusHandlers {
    std::function<void()> activate;
    // False when `tab` names no tab of the settings window.
    std::function<bool(const QString& tab)> showSettings;
    std::function<QString()> currentLanguage;
    std::function<QString()> currentSourceId;
    std::function<QString()> backend;
    // Ends the program as its tray menu's Quit does.
    std::function<void()> quit;
};

// The program's well-known name on the session bus (its application id). Owning it makes a
// process the one running instance: the bus grants a name to one caller only, however
// many ask at once. The object under the name answers org.freedesktop.Application
// (Activate, and ActivateAction "quit") and the scripting interface kScriptingInterface.
class ApplicationBus : public QObject {
    Q_OBJECT
public:
    static inline const QString kScriptingInterface = QStringLiteral("io.github.mirevo.Mirevo1");

    enum class Claim { owned, ownedElsewhere, noBus, failed };

    explicit ApplicationBus(const QString& applicationId, QObject* parent = nullptr);
    ~ApplicationBus() override;

    // Exports the object, then asks for the name, waiting at most `timeoutMs` for the bus.
    Claim claim(int timeoutMs);
    // How the name's owner answered a call to activate.
    struct Activation {
        enum class Outcome { activated, noAnswer, error };
        Outcome outcome = Outcome::noAnswer;
        QString error; // with Outcome::error: the error's name and message
    };
    // Asks the name's owner to activate, waiting at most `timeoutMs` for its answer.
    Activation activateOwner(int timeoutMs);
    // The process that owns the name, or 0 when the bus does not say.
    qint64 ownerProcessId(int timeoutMs) const;
    // Asks the name's owner to quit and waits up to `timeoutMs` for it to let the name go.
    enum class QuitRequest { ended, noneRunning, noBus, stillRunning };
    QuitRequest quitOwner(int timeoutMs);

    // Sends the scripting interface's LanguageChanged signal.
    void announceLanguageChanged(const QString& language, const QString& sourceId);

    ApplicationBusHandlers handlers;

    QString name() const { return m_name; }
    // The application id with dots as slashes: "/io/github/mirevo/Mirevo".
    static QString objectPath(const QString& applicationId);

private:
    QString m_name;
    std::unique_ptr<ApplicationBusObject> m_object;
    bool m_exported = false;
};

} // namespace mirevo
