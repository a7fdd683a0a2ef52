#pragma once

#include "platform/InputSourceFactory.h"

namespace mirevo {

// Runs Mirevo as a tray utility until the user quits; returns the exit status.
int runTrayUtility(int argc, char** argv, const InputBackendChoice& backend);

// Prints "<identifier>\t<language>\t<backend>" for the current source; 1 when none answers.
int printCurrentSource(int argc, char** argv, const InputBackendChoice& backend);

} // namespace mirevo
