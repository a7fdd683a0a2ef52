#pragma once

namespace mirevo {

// Drops Qt's "OpenType support missing for ..." warnings and passes every other message
// on unchanged. Qt prints one for each installed font that it tries and rejects while it
// looks for a font for Bengali, Tamil, Mongolian and other complex scripts, which the
// settings pages show; they are no fault. Qt emits them without a logging category, so a
// logging rule could only silence all uncategorised warnings, real ones included.
void filterFontShapingWarnings();

} // namespace mirevo
