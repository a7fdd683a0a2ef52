#pragma once

class QWidget;

namespace mirevo {

// Sliders, drop-downs and spin boxes under `root` take wheel turns only while they have
// the keyboard focus (given by a click or Tab, never by the wheel itself). Otherwise the
// turn goes on to the scrolling page around them, so scrolling a page changes no setting.
// Applies to the controls that exist when it is called; call it once per page.
void guardWheelEvents(QWidget* root);

} // namespace mirevo
