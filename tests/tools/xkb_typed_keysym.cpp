// xkb_typed_keysym KEYCODE: prints "<group> <keysym>" ("2 Cyrillic_ya"), what the key types
// unshifted in the locked XKB group (Xvfb types synthetic presses in group 0 whatever is locked).

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
