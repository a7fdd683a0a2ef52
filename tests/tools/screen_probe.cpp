// Reads the X screen's pixels for end-to-end tests and benchmarks.
//   screen-probe pixel X Y                         prints "#rrggbb"
//   screen-probe wait X Y RRGGBB TOLERANCE MS      waits until the pixel is within TOLERANCE
//                                                  of the colour; prints the milliseconds
//                                                  taken, exits 1 on timeout
//   screen-probe count X Y W H RRGGBB TOLERANCE    prints how many pixels of the rectangle
//                                                  are within TOLERANCE of the colour
//   screen-probe png FILE                          saves the whole screen
#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <xcb/xcb.h>

namespace {

struct Screen {
    xcb_connection_t* connection = nullptr;
    xcb_screen_t* screen = nullptr;
};

Screen connect()
{
    Screen s;
    s.connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(s.connection)) {
        std::fprintf(stderr, "screen-probe: cannot open the display\n");
        std::exit(2);
    }
    s.screen = xcb_setup_roots_iterator(xcb_get_setup(s.connection)).data;
    return s;
}

QImage grab(const Screen& s, int x, int y, int w, int h)
{
    xcb_get_image_reply_t* reply =
        xcb_get_image_reply(s.connection,
                            xcb_get_image(s.connection, XCB_IMAGE_FORMAT_Z_PIXMAP, s.screen->root,
                                          int16_t(x), int16_t(y), uint16_t(w), uint16_t(h), ~0u),
                            nullptr);
    if (!reply)
        return {};
    const uint8_t* data = xcb_get_image_data(reply);
    QImage image(data, w, h, w * 4, QImage::Format_RGB32);
    QImage copy = image.copy();
    free(reply);
    return copy;
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

QRgb parseColor(const char* text)
{
    return QColor(QString::fromLatin1("#") + QString::fromLatin1(text).remove('#')).rgb();
}

int usage()
{
    std::fprintf(stderr, "usage: screen-probe pixel X Y | wait X Y RRGGBB TOL MS | "
                         "count X Y W H RRGGBB TOL | png FILE\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    const std::string command = argv[1];
    const Screen s = connect();
    if (command == "pixel" && argc == 4) {
        const QImage image = grab(s, std::atoi(argv[2]), std::atoi(argv[3]), 1, 1);
        std::printf("%s\n", QColor(image.pixel(0, 0)).name().toLatin1().constData());
        return 0;
    }
    if (command == "wait" && argc == 7) {
        const int x = std::atoi(argv[2]), y = std::atoi(argv[3]);
        const QRgb wanted = parseColor(argv[4]);
        const int tolerance = std::atoi(argv[5]);
        QElapsedTimer timer;
        timer.start();
        QRgb last = 0;
        while (timer.elapsed() <= std::atoi(argv[6])) {
            last = grab(s, x, y, 1, 1).pixel(0, 0);
            if (near(last, wanted, tolerance)) {
                std::printf("%.1f\n", timer.nsecsElapsed() / 1e6);
                return 0;
            }
            QThread::usleep(500);
        }
        std::fprintf(stderr, "screen-probe: pixel (%d,%d) is %s, not %s\n", x, y,
                     QColor(last).name().toLatin1().constData(), argv[4]);
        return 1;
    }
    if (command == "count" && argc == 8) {
        const QImage image =
            grab(s, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
        const QRgb wanted = parseColor(argv[6]);
        const int tolerance = std::atoi(argv[7]);
        long count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                count += near(image.pixel(x, y), wanted, tolerance);
        }
        std::printf("%ld\n", count);
        return 0;
    }
    if (command == "png" && argc == 3) {
        const QImage image = grab(s, 0, 0, s.screen->width_in_pixels, s.screen->height_in_pixels);
        return image.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    return usage();
}
