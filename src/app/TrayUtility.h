#pragma once

#include "app/CommandLine.h"
#include "platform/InputSourceFactory.h"

namespace mirevo {

// Runs Mirevo as a tray utility until the user quits; returns the exit status (1 when no
// display can be opened or another instance cannot be reached).
int runTrayUtility(int argc, char** argv, const CommandLine& line);

// Prints "<identifier>\t<language>\t<backend>" for the current source; 1 when none answers.
int printCurrentSource(int argc, char** argv, const InputBackendChoice& backend);

} // namespace mirevo
