// Pointer lag of the pointer badge on a running X desktop: moves the pointer with
// `xdotool mousemove_relative` and measures, from the moment the X server has moved the
// pointer, the time until the badge's window stands at its new place.
//   bench_cursor_lag [MOVES] [OFFSET_X OFFSET_Y SIZE]     (defaults 50, 16 8 20)
// Run it through bench/cursor.sh, which starts the desktop and the program.
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>
#include <xcb/xcb.h>

extern char** environ;

namespace {

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

Point pointer(xcb_connection_t* c, xcb_window_t root)
{
    xcb_query_pointer_reply_t* reply =
        xcb_query_pointer_reply(c, xcb_query_pointer(c, root), nullptr);
    const Point p = reply ? Point{reply->root_x, reply->root_y} : Point{};
    free(reply);
    return p;
}

std::optional<Point> windowPosition(xcb_connection_t* c, xcb_window_t window)
{
    xcb_get_geometry_reply_t* reply =
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    if (!reply)
        return std::nullopt;
    const Point p{reply->x, reply->y};
    free(reply);
    return p;
}

// The badge: a mapped, unmanaged SIZE x SIZE child of the root.
std::optional<xcb_window_t> findBadge(xcb_connection_t* c, xcb_window_t root, int size)
{
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr);
    if (!tree)
        return std::nullopt;
    std::optional<xcb_window_t> found;
    const xcb_window_t* children = xcb_query_tree_children(tree);
    for (int i = xcb_query_tree_children_length(tree) - 1; i >= 0 && !found; --i) {
        auto* attributes =
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, children[i]), nullptr);
        auto* geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, children[i]), nullptr);
        if (attributes && geometry && attributes->override_redirect &&
            attributes->map_state == XCB_MAP_STATE_VIEWABLE && geometry->width == size &&
            geometry->height == size)
            found = children[i];
        free(attributes);
        free(geometry);
    }
    free(tree);
    return found;
}

pid_t moveRelative(int dx, int dy)
{
    const std::string x = std::to_string(dx), y = std::to_string(dy);
    const char* argv[] = {"xdotool", "mousemove_relative", "--", x.c_str(), y.c_str(), nullptr};
    pid_t pid = -1;
    if (posix_spawnp(&pid, "xdotool", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
        return -1;
    return pid;
}

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const size_t index =
        std::min(values.size() - 1, size_t(fraction * double(values.size() - 1) + 0.5));
    return values[index];
}

} // namespace

int main(int argc, char** argv)
{
    const int moves = argc > 1 ? std::atoi(argv[1]) : 50;
    const int offsetX = argc > 4 ? std::atoi(argv[2]) : 16;
    const int offsetY = argc > 4 ? std::atoi(argv[3]) : 8;
    const int size = argc > 4 ? std::atoi(argv[4]) : 20;

    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "bench_cursor_lag: cannot open the display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const std::optional<xcb_window_t> badge = findBadge(c, root, size);
    if (!badge) {
        std::fprintf(stderr, "bench_cursor_lag: no %dx%d badge window on screen\n", size, size);
        return 2;
    }

    std::mt19937 random(7);
    std::uniform_int_distribution<int> pause(40, 140); // spreads the moves over the timer phase
    std::vector<double> lags;
    int missed = 0;
    for (int i = 0; i < moves; ++i) {
        const int sign = i % 2 ? -1 : 1;
        const Point before = pointer(c, root);
        const pid_t child = moveRelative(sign * 40, sign * 30);
        if (child < 0) {
            std::fprintf(stderr, "bench_cursor_lag: cannot run xdotool\n");
            return 2;
        }
        QElapsedTimer waited;
        waited.start();
        Point now = before;
        while ((now = pointer(c, root)) == before && waited.elapsed() < 2000) {
        }
        QElapsedTimer lag;
        lag.start();
        const Point target{now.x + offsetX, now.y + offsetY};
        bool placed = false;
        while (lag.elapsed() < 500) {
            if (windowPosition(c, *badge) == target) {
                placed = true;
                break;
            }
            QThread::usleep(100);
        }
        if (placed)
            lags.push_back(double(lag.nsecsElapsed()) / 1e6);
        else
            ++missed;
        waitpid(child, nullptr, 0);
        QThread::msleep(pause(random));
    }
    if (lags.empty()) {
        std::fprintf(stderr, "bench_cursor_lag: the badge never reached the pointer\n");
        return 1;
    }
    std::printf("pointer lag over %zu moves: median %.1f ms, p95 %.1f ms, max %.1f ms, missed %d\n",
                lags.size(), percentile(lags, 0.5), percentile(lags, 0.95), percentile(lags, 1.0),
                missed);
    xcb_disconnect(c);
    return 0;
}
