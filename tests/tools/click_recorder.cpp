// A plain window for end-to-end tests that records the clicks it receives.
//   click-recorder X Y W H RRGGBB FILE
// Opens an unmanaged window of that geometry filled with the colour, prints "ready" once
// it is on screen, then appends "x y" (window coordinates) to FILE for every button press.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

int main(int argc, char** argv)
{
    if (argc != 7) {
        std::fprintf(stderr, "usage: click-recorder X Y W H RRGGBB FILE\n");
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "click-recorder: cannot open the display\n");
        return 2;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t window = xcb_generate_id(c);
    const uint32_t values[] = {uint32_t(std::strtoul(argv[5], nullptr, 16)), 1,
                               XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, int16_t(std::atoi(argv[1])),
                      int16_t(std::atoi(argv[2])), uint16_t(std::atoi(argv[3])),
                      uint16_t(std::atoi(argv[4])), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
    xcb_map_window(c, window);
    xcb_flush(c);

    bool announced = false;
    while (xcb_generic_event_t* event = xcb_wait_for_event(c)) {
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_EXPOSE && !announced) {
            std::printf("ready\n");
            std::fflush(stdout);
            announced = true;
        } else if (type == XCB_BUTTON_PRESS) {
            const auto* press = reinterpret_cast<xcb_button_press_event_t*>(event);
            if (FILE* file = std::fopen(argv[6], "a")) {
                std::fprintf(file, "%d %d\n", press->event_x, press->event_y);
                std::fclose(file);
            }
        }
        std::free(event);
    }
    xcb_disconnect(c);
    return 0;
}
