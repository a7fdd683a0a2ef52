// Reads the X screen's pixels for end-to-end tests and benchmarks.
//   screen-probe pixel X Y                     prints "#rrggbb"
//   screen-probe wait X Y RRGGBB TOLERANCE MS  waits for the colour; prints the ms taken
//   screen-probe png FILE [X Y W H]            saves the screen, or that part of it
//   screen-probe dark X Y W H RRGGBB RRGGBB    prints the pixels there darker than both
//                                              colours; exits 1 when there is one
// With MIREVO_SCREEN=kwin the pixels come from KWin's screenshots (KWin started with
// KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1): XWayland's root window holds none.
#include <QColor>
#include <QDBusConnection>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <QElapsedTimer>
#include <QImage>
#include <QRect>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

xcb_connection_t* connection = nullptr;
xcb_screen_t* screen = nullptr;

// KWin replies with the image's shape, then writes its raw pixels into the pipe.
QImage grabFromKWin(int x, int y, int w, int h)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return {};
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.KWin"), QStringLiteral("/org/kde/KWin/ScreenShot2"),
        QStringLiteral("org.kde.KWin.ScreenShot2"), QStringLiteral("CaptureArea"));
    call << x << y << uint(w) << uint(h) << QVariantMap()
         << QVariant::fromValue(QDBusUnixFileDescriptor(fds[1]));
    ::close(fds[1]);
    QDBusPendingReply<QVariantMap> reply = QDBusConnection::sessionBus().asyncCall(call, 5000);
    reply.waitForFinished();
    const QVariantMap shape = reply.value();
    if (!reply.isValid())
        std::fprintf(stderr, "screen-probe: KWin: %s\n", qPrintable(reply.error().message()));
    const int height = shape.value(QStringLiteral("height")).toInt();
    const qsizetype size = qsizetype(shape.value(QStringLiteral("stride")).toInt()) * height;
    QByteArray data(reply.isValid() ? size : 0, Qt::Uninitialized);
    for (qsizetype done = 0; done < data.size();) {
        const ssize_t n = ::read(fds[0], data.data() + done, size_t(data.size() - done));
        if (n <= 0) {
            data.clear();
            break;
        }
        done += n;
    }
    ::close(fds[0]);
    if (data.isEmpty())
        return {};
    return QImage(reinterpret_cast<const uchar*>(data.constData()),
                  shape.value(QStringLiteral("width")).toInt(), height,
                  shape.value(QStringLiteral("stride")).toInt(),
                  QImage::Format(shape.value(QStringLiteral("format")).toInt()))
        .convertToFormat(QImage::Format_RGB32);
}

QImage grab(int x, int y, int w, int h)
{
    if (qgetenv("MIREVO_SCREEN") == "kwin")
        return grabFromKWin(x, y, w, h);
    xcb_get_image_reply_t* reply =
        xcb_get_image_reply(connection,
                            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root,
                                          int16_t(x), int16_t(y), uint16_t(w), uint16_t(h), ~0u),
                            nullptr);
    if (!reply)
        return {};
    QImage copy = QImage(xcb_get_image_data(reply), w, h, w * 4, QImage::Format_RGB32).copy();
    free(reply);
    return copy;
}

bool near(QRgb a, const char* wanted, const char* tolerance)
{
    const QRgb b = QColor(QStringLiteral("#") + QString::fromLatin1(wanted).remove('#')).rgb();
    const int most = std::atoi(tolerance);
    return std::abs(qRed(a) - qRed(b)) <= most && std::abs(qGreen(a) - qGreen(b)) <= most &&
           std::abs(qBlue(a) - qBlue(b)) <= most;
}

QByteArray name(QRgb colour)
{
    return QColor(colour).name().toLatin1();
}

double luminance(QRgb colour)
{
    return 0.299 * qRed(colour) + 0.587 * qGreen(colour) + 0.114 * qBlue(colour);
}

int darkPixels(const QRect& area, const char* desktop, const char* badge)
{
    const QImage image = grab(area.x(), area.y(), area.width(), area.height());
    const double darkest = std::min(luminance(QColor(QStringLiteral("#") + desktop).rgb()),
                                    luminance(QColor(QStringLiteral("#") + badge).rgb()));
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            // Rounding in the blend may cost a few levels.
            if (luminance(image.pixel(x, y)) < darkest - 6 && ++dark <= 20)
                std::printf("(%d,%d) %s\n", x, y, name(image.pixel(x, y)).constData());
        }
    }
    std::printf("%d pixels darker than both #%s and #%s\n", dark, desktop, badge);
    return dark > 0 ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    const auto number = [argv](int i) { return std::atoi(argv[i]); };
    connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "screen-probe: cannot open the display\n");
        return 2;
    }
    screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (command == "pixel" && argc == 4) {
        std::printf("%s\n", name(grab(number(2), number(3), 1, 1).pixel(0, 0)).constData());
        return 0;
    }
    if (command == "wait" && argc == 7) {
        QElapsedTimer timer;
        timer.start();
        QRgb last = 0;
        while (timer.elapsed() <= number(6)) {
            last = grab(number(2), number(3), 1, 1).pixel(0, 0);
            if (near(last, argv[4], argv[5])) {
                std::printf("%.1f\n", timer.nsecsElapsed() / 1e6);
                return 0;
            }
            QThread::usleep(500);
        }
        std::fprintf(stderr, "screen-probe: pixel (%s,%s) is %s, not %s\n", argv[2], argv[3],
                     name(last).constData(), argv[4]);
        return 1;
    }
    if (command == "png" && argc == 3)
        return grab(0, 0, screen->width_in_pixels, screen->height_in_pixels).save(argv[2]) ? 0 : 1;
    if (command == "png" && argc == 7)
        return grab(number(3), number(4), number(5), number(6)).save(argv[2]) ? 0 : 1;
    if (command == "dark" && argc == 8)
        return darkPixels(QRect(number(2), number(3), number(4), number(5)), argv[6], argv[7]);
    std::fprintf(stderr, "usage: screen-probe pixel X Y | wait X Y RRGGBB TOL MS | "
                         "png FILE [X Y W H] | dark X Y W H RRGGBB RRGGBB\n");
    return 2;
}
