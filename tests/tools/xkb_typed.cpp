// xkb_typed [KEYCODE]: prints the locked XKB group and the keysym the key (29, the key
// labelled Y on a US keyboard, unless given) types in it, as "GROUP KEYSYM". The tests'
// truth for "what the keyboard types": Xvfb delivers XTEST presses in group 0 whatever
// group is locked, so the keymap is asked instead of typing.

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const int keycode = argc > 1 ? std::atoi(argv[1]) : 29;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xkb_typed: cannot open the display\n");
        return 1;
    }
    XkbStateRec state;
    if (XkbGetState(display, XkbUseCoreKbd, &state) != Success) {
        std::fprintf(stderr, "xkb_typed: no XKB state\n");
        return 1;
    }
    const KeySym keysym = XkbKeycodeToKeysym(display, KeyCode(keycode), state.locked_group, 0);
    const char* name = XKeysymToString(keysym);
    std::printf("%d %s\n", state.locked_group, name ? name : "NoSymbol");
    XCloseDisplay(display);
    return 0;
}
