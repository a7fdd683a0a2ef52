// Locks the core keyboard's XKB group, as a layout switch key would:
// xkb_lock_group N  (0-based). `xdotool key ISO_Next_Group` does not switch groups.

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: xkb_lock_group GROUP\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xkb_lock_group: cannot open the display\n");
        return 1;
    }
    const bool ok = XkbLockGroup(display, XkbUseCoreKbd, std::atoi(argv[1]));
    XSync(display, False);
    XCloseDisplay(display);
    return ok ? 0 : 1;
}
