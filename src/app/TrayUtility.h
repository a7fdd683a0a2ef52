#pragma once

#include "app/CommandLine.h"
#include "platform/InputSourceFactory.h"

namespace mirevo {

// Runs Mirevo as a tray utility until the user quits; returns the exit status (1 when no
// display can be opened or another instance cannot be reached).
int runTrayUtility(int argc, char** argv, const CommandLine& line);

// Prints "<identifier>\t<language>\t<backend>" for the current source; 1 when none answers.
int printCurrentSource(int argc, char** argv, const InputBackendChoice& backend);

// Asks the running instance to quit and waits until it has ended; 1, with the reason on
// stderr, when none runs or it does not end.
int quitRunningInstance(int argc, char** argv);

} // namespace mirevo
