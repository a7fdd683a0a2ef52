// What a key types in the locked XKB group: xkb_typed_keysym KEYCODE prints
// "<group> <keysym>" (0-based group, unshifted level), e.g. "2 Cyrillic_ya" for keycode 24.
// The truth for a layout switch on X11: Xvfb delivers synthetic key presses in group 0
// whatever group is locked, so a typed key cannot show it.

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: xkb_typed_keysym KEYCODE\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xkb_typed_keysym: cannot open the display\n");
        return 1;
    }
    XkbStateRec state;
    const bool ok = XkbGetState(display, XkbUseCoreKbd, &state) == Success;
    const KeySym keysym =
        ok ? XkbKeycodeToKeysym(display, KeyCode(std::atoi(argv[1])), state.locked_group, 0)
           : NoSymbol;
    const char* name = keysym == NoSymbol ? nullptr : XKeysymToString(keysym);
    if (name)
        std::printf("%d %s\n", int(state.locked_group), name);
    XCloseDisplay(display);
    return name ? 0 : 1;
}
