#include "platform/Displays.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace mirevo {
namespace {

// The screens Qt reports, the primary screen first. Kept from one change of the screens to
// the next: the pointer badge converts coordinates twenty times a second.
class SystemDisplays : public Displays {
public:
    SystemDisplays()
    {
        auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
        if (!app)
            return;
        for (QScreen* screen : QGuiApplication::screens())
            watch(screen);
        connect(app, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
            watch(screen);
            refresh();
        });
        connect(app, &QGuiApplication::screenRemoved, this, &SystemDisplays::refresh);
        connect(app, &QGuiApplication::primaryScreenChanged, this, &SystemDisplays::refresh);
        m_geometries = current();
    }

    QList<QRect> geometries() const override { return m_geometries; }

private:
    static QList<QRect> current()
    {
        QList<QRect> result;
        QList<QScreen*> screens = QGuiApplication::screens();
        QScreen* primary = QGuiApplication::primaryScreen();
        std::stable_partition(screens.begin(), screens.end(),
                              [primary](QScreen* s) { return s == primary; });
        for (QScreen* screen : screens)
            result << screen->geometry();
        return result;
    }

    void refresh()
    {
        m_geometries = current();
        emit changed();
    }

    void watch(QScreen* screen)
    {
        connect(screen, &QScreen::geometryChanged, this, &SystemDisplays::refresh);
    }

    QList<QRect> m_geometries;
};

} // namespace

Displays& Displays::system()
{
    static SystemDisplays displays;
    return displays;
}

} // namespace mirevo
