#include "clock/ClockView.h"

#include "clock/ClockAppearance.h"
#include "clock/DateTimeFormats.h"
#include "settings/AppSettingsManager.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

namespace mirevo {
namespace {

constexpr int kTickIntervalMs = 1000;

// A text that moved, changed or came or went: where it was and where it is.
QRegion changedText(const std::optional<ClockText>& before, const std::optional<ClockText>& now)
{
    QRegion region;
    if (before == now)
        return region;
    if (before)
        region += before->rect.toAlignedRect();
    if (now)
        region += now->rect.toAlignedRect();
    return region;
}

} // namespace

ClockView::ClockView(AppSettingsManager& store, ClockSources sources, QWidget* parent)
    : QWidget(parent), m_store(store), m_settings(store.settings().clock),
      m_sources(sources.withDefaults())
{
    m_locale = m_sources.locale();
    m_font = clockFont(m_settings.fontName, m_settings.fontSize);
    m_currentTime = m_sources.now();
    m_date = dateText();
    m_time = timeText();
    m_hands = handAngles(m_currentTime.time(), m_settings.showSeconds);
    relayout();
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    m_timer.setInterval(kTickIntervalMs);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ClockView::tick);
    // The background follows the input state and the live colour settings at once.
    connect(&store, &AppSettingsManager::isJapaneseInputChanged, this,
            qOverload<>(&QWidget::update));
    connect(&store, &AppSettingsManager::settingsChanged, this, qOverload<>(&QWidget::update));
}

QString ClockView::dateText() const
{
    return formattedDate(m_currentTime, m_settings.dateFormatStyle, m_locale,
                         m_settings.customDateFormat1, m_settings.customDateFormat2);
}

QString ClockView::timeText() const
{
    return formattedTime(m_currentTime, m_settings.timeFormatStyle, m_locale,
                         m_settings.customTimeFormat1, m_settings.customTimeFormat2);
}

QColor ClockView::backgroundColor() const
{
    const QColor fill = clockBackgroundColor(
        m_settings, m_store.settings(), m_store.isJapaneseInput(), m_sources.currentLanguage());
    return withOpacity(fill, m_settings.backgroundOpacity);
}

void ClockView::relayout()
{
    m_layout = fitClock(m_settings.style, m_settings.dateTimePosition, QSizeF(size()),
                        m_settings.analogClockSize, m_font, m_date, m_time, m_measures);
}

void ClockView::tick()
{
    m_currentTime = m_sources.now();
    const FittedClock before = m_layout;
    const ClockHands handsBefore = m_hands;
    m_hands = handAngles(m_currentTime.time(), m_settings.showSeconds);
    const QString date = dateText();
    const QString time = timeText();
    if (date != m_date || time != m_time) {
        m_date = date;
        m_time = time;
        relayout();
    }
    const QRegion dirty = changedText(before.date, m_layout.date) +
                          changedText(before.time, m_layout.time) + movedHands(handsBefore);
    if (!dirty.isEmpty())
        update(dirty);
}

QRegion ClockView::movedHands(const ClockHands& before) const
{
    QRegion region;
    if (!m_layout.face || before == m_hands)
        return region;
    const double side = m_layout.face->width();
    const QPointF center = m_layout.face->center();
    const QList<QRectF> was = handBounds(side, before);
    const QList<QRectF> is = handBounds(side, m_hands);
    for (qsizetype i = 0; i < std::max(was.size(), is.size()); ++i) {
        if (i < was.size() && i < is.size() && was[i] == is[i])
            continue;
        if (i < was.size())
            region += was[i].translated(center).toAlignedRect();
        if (i < is.size())
            region += is[i].translated(center).toAlignedRect();
    }
    return region;
}

const QPixmap& ClockView::faceLayer()
{
    const QColor background = backgroundColor();
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_faceLayer.size() == pixels && m_faceLayerColor == background)
        return m_faceLayer;
    m_faceLayer = QPixmap(pixels);
    m_faceLayer.setDevicePixelRatio(ratio);
    m_faceLayer.fill(Qt::transparent);
    m_faceLayerColor = background;
    QPainter painter(&m_faceLayer);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(rect()), kClockCornerRadius, kClockCornerRadius);
    painter.fillPath(outline, background);
    if (m_layout.face)
        paintAnalogDial(painter, m_layout.face->center(), m_layout.face->width(),
                        m_settings.analogColor.toQColor());
    return m_faceLayer;
}

void ClockView::paintEvent(QPaintEvent* event)
{
    // Most paints are a tick's few changed places: what lies elsewhere is not drawn at all.
    const QRegion& area = event->region();
    QPainter painter(this);
    // Piece by piece: a whole-window picture would be blended on worker threads, waking
    // them every second for a few changed pixels.
    const QPixmap& layer = faceLayer();
    const qreal ratio = layer.devicePixelRatio();
    for (const QRect& piece : area)
        painter.drawPixmap(QRectF(piece), layer,
                           QRectF(QPointF(piece.topLeft()) * ratio, QSizeF(piece.size()) * ratio));
    if (m_layout.face)
        paintAnalogHands(painter, m_layout.face->center(), m_layout.face->width(), m_hands,
                         m_settings.analogColor.toQColor(), area);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(m_settings.textColor.toQColor());
    for (const std::optional<ClockText>& text : {m_layout.date, m_layout.time}) {
        if (!text || !area.intersects(text->rect.toAlignedRect()))
            continue;
        painter.setFont(text->font);
        painter.drawText(text->baseline, text->text);
    }
}

void ClockView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void ClockView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    tick();
    m_timer.start();
}

void ClockView::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_timer.stop();
}

} // namespace mirevo
