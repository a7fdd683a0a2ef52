#include "cursor/MouseCursorIndicatorView.h"

#include "indicator/BadgePainter.h"
#include "platform/CompositorWatcher.h"
#include "platform/NotificationCenter.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsNotifications.h"

#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace mirevo {
namespace {

constexpr double kOutlineWidth = 1.0;

} // namespace

MouseCursorIndicatorView::MouseCursorIndicatorView(AppSettingsManager& store,
                                                   NotificationCenter& center,
                                                   InputLanguage language, QWidget* parent)
    : QWidget(parent), m_store(store), m_currentLanguage(language)
{
    setObjectName(QStringLiteral("mouseCursorIndicatorView"));
    setAttribute(Qt::WA_TranslucentBackground);
    m_drawnLook = currentLook();
    center.observe(notifications::kMouseCursorIndicatorLanguageChanged, this,
                   [this](const QVariant& object) {
                       if (object.metaType() != QMetaType::fromType<InputLanguage>())
                           return;
                       m_currentLanguage = object.value<InputLanguage>();
                       refreshIfChanged();
                   });
    connect(&m_store, &AppSettingsManager::settingsChanged, this,
            &MouseCursorIndicatorView::refreshIfChanged);
}

int MouseCursorIndicatorView::sideForSize(double size)
{
    if (!std::isfinite(size))
        return 1;
    return int(std::lround(std::clamp(size, 1.0, 2048.0)));
}

QPainterPath MouseCursorIndicatorView::visibleShape(int side)
{
    return badgeDiscShape(QRectF(0, 0, side, side), kOutlineWidth);
}

MouseCursorIndicatorView::Look MouseCursorIndicatorView::currentLook() const
{
    const AppSettings& settings = m_store.settings();
    return Look{double(sideForSize(settings.mouseCursorIndicator.size)),
                settings.mouseCursorIndicator.opacity, settings.imeIndicator.fontSizeRatio,
                settings.imeIndicator.colorForLanguage(m_currentLanguage).toQColor(),
                settings.imeIndicator.badgeText(m_currentLanguage, m_layoutCode)};
}

void MouseCursorIndicatorView::setLayoutCode(const QString& code)
{
    m_layoutCode = code;
    refreshIfChanged();
}

void MouseCursorIndicatorView::refreshIfChanged()
{
    const Look look = currentLook();
    if (look == m_drawnLook)
        return;
    m_drawnLook = look;
    update();
}

void MouseCursorIndicatorView::paintEvent(QPaintEvent*)
{
    const Look look = currentLook();
    m_drawnLook = look;
    QFont font = QGuiApplication::font();
    font.setBold(true);
    const double fontSize = look.size * look.fontSizeRatio;
    font.setPixelSize(std::isfinite(fontSize) ? int(std::lround(std::clamp(fontSize, 1.0, 4096.0)))
                                              : 1);

    BadgeStyle style;
    style.color = look.color;
    style.opacity = look.opacity;
    style.outlineWidth = kOutlineWidth;
    style.text = look.text;
    style.font = font;
    style.shadowBlur = 1.0;
    style.shadowOffsetY = 0.5;
    style.opaque = !CompositorWatcher::shared().isRunning();

    QPainter painter(this);
    paintBadge(painter, QRectF(0, 0, look.size, look.size), style);
}

} // namespace mirevo
