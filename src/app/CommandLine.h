#pragma once

#include "platform/InputSourceFactory.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace mirevo {

// What the command line asks for. Options never change how the tray utility behaves;
// they only help people and tests look inside.
struct CommandLine {
    enum class Action { runTrayUtility, detect, printSource, quit, help, version, error };

    Action action = Action::runTrayUtility;
    QString detectId;                // for Action::detect
    InputBackendChoice inputBackend; // --input-backend, else MIREVO_INPUT_BACKEND, else auto
    QString errorMessage;            // for Action::error
    QString platform;                // Qt's -platform, when given
    QString display;                 // Qt's -display, when given

    // `environmentBackend` is the value of MIREVO_INPUT_BACKEND (empty when unset).
    static CommandLine parse(const QStringList& arguments, const QString& environmentBackend);
    static QString helpText();
};

} // namespace mirevo
