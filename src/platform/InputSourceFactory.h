#pragma once

#include "platform/InputBackendChoice.h"
#include "platform/InputSource.h"

#include <memory>

namespace mirevo {

// The one place that turns a choice of backend into the source that implements it.
std::unique_ptr<InputSource> createInputSource(const InputBackendChoice& choice);

} // namespace mirevo
