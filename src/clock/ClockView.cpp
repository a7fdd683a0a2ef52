#include "clock/ClockView.h"

#include "clock/AnalogFace.h"
#include "clock/ClockAppearance.h"
#include "clock/DateTimeFormats.h"
#include "settings/AppSettingsManager.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace mirevo {
namespace {

constexpr int kTickIntervalMs = 1000;

QSizeF naturalSize(const QFontMetricsF& metrics, const QString& text)
{
    return {metrics.horizontalAdvance(text), metrics.height()};
}

} // namespace

ClockView::ClockView(AppSettingsManager& store, ClockSources sources, QWidget* parent)
    : QWidget(parent), m_store(store), m_settings(store.settings().clock),
      m_sources(sources.withDefaults())
{
    m_locale = m_sources.locale();
    m_currentTime = m_sources.now();
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

QFont ClockView::textFont() const
{
    return clockFont(m_settings.fontName, m_settings.fontSize);
}

ClockLayout ClockView::currentLayout() const
{
    const QFontMetricsF metrics(textFont());
    return layoutClock(m_settings.style, m_settings.dateTimePosition, QSizeF(size()),
                       m_settings.analogClockSize, naturalSize(metrics, dateText()),
                       naturalSize(metrics, timeText()));
}

QColor ClockView::backgroundColor() const
{
    const QColor fill = clockBackgroundColor(
        m_settings, m_store.settings(), m_store.isJapaneseInput(), m_sources.currentLanguage());
    return withOpacity(fill, m_settings.backgroundOpacity);
}

void ClockView::tick()
{
    m_currentTime = m_sources.now();
    update();
}

void ClockView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QPainterPath background;
    background.addRoundedRect(QRectF(rect()), kClockCornerRadius, kClockCornerRadius);
    painter.fillPath(background, backgroundColor());

    // Format once per paint: the texts are both measured and drawn.
    const QString date = dateText();
    const QString time = timeText();
    const QFont font = textFont();
    const QFontMetricsF metrics(font);
    const ClockLayout layout = layoutClock(m_settings.style, m_settings.dateTimePosition,
                                           QSizeF(size()), m_settings.analogClockSize,
                                           naturalSize(metrics, date), naturalSize(metrics, time));

    if (layout.face)
        paintAnalogFace(painter, layout.face->center(), layout.face->width(),
                        handAngles(m_currentTime.time(), m_settings.showSeconds),
                        m_settings.analogColor.toQColor());

    painter.setFont(font);
    painter.setPen(m_settings.textColor.toQColor());
    const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip;
    if (layout.date)
        painter.drawText(*layout.date, flags, date);
    if (layout.time)
        painter.drawText(*layout.time, flags, time);
}

void ClockView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    startTimer();
}

void ClockView::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    stopTimer();
}

void ClockView::startTimer()
{
    tick();
    m_timer.start();
}

void ClockView::stopTimer()
{
    m_timer.stop();
}

} // namespace mirevo
