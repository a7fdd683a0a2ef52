#include "settings_ui/UnifiedSettingsWindow.h"

#include "platform/StringTables.h"
#include "settings_ui/SettingsPages.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace mirevo {
namespace {

struct TabDescription {
    SettingsTab tab;
    const char* labelKey;
    const char* themeIcon;
    QStyle::StandardPixmap fallbackIcon;
};

QString tabLabel(SettingsTab tab)
{
    switch (tab) {
    case SettingsTab::imeIndicator:
        return localized("Settings", "tab.ime_indicator");
    case SettingsTab::clock:
        return localized("Settings", "tab.clock");
    case SettingsTab::mouseCursor:
        return localized("Settings", "tab.mouse_cursor");
    case SettingsTab::about:
        return localized("Settings", "tab.about");
    }
    return {};
}

QIcon tabIcon(SettingsTab tab, const QStyle* style)
{
    switch (tab) {
    case SettingsTab::imeIndicator:
        return QIcon::fromTheme(QStringLiteral("input-keyboard"),
                                style->standardIcon(QStyle::SP_DesktopIcon));
    case SettingsTab::clock:
        return QIcon::fromTheme(QStringLiteral("preferences-system-time"),
                                style->standardIcon(QStyle::SP_BrowserReload));
    case SettingsTab::mouseCursor:
        return QIcon::fromTheme(QStringLiteral("input-mouse"),
                                style->standardIcon(QStyle::SP_ArrowUp));
    case SettingsTab::about:
        return QIcon::fromTheme(QStringLiteral("help-about"),
                                style->standardIcon(QStyle::SP_MessageBoxInformation));
    }
    return {};
}

constexpr SettingsTab kTabsInOrder[] = {SettingsTab::imeIndicator, SettingsTab::clock,
                                        SettingsTab::mouseCursor, SettingsTab::about};

} // namespace

UnifiedSettingsWindow::UnifiedSettingsWindow(AppSettingsManager& store, SettingsTab selectedTab)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowTitle(localized("Settings", "settings.window_title"));
    setMinimumSize(kMinimumSize);
    setMaximumSize(kMaximumSize);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("settingsTabs"));
    for (SettingsTab tab : kTabsInOrder)
        m_tabs->addTab(createSettingsPage(tab, store), tabIcon(tab, style()), tabLabel(tab));
    m_tabs->setCurrentIndex(static_cast<int>(selectedTab));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);

    restoreFrame();
}

SettingsTab UnifiedSettingsWindow::selectedTab() const
{
    return settingsTabFromRawValue(m_tabs->currentIndex()).value_or(SettingsTab::imeIndicator);
}

void UnifiedSettingsWindow::restoreFrame()
{
    const QSettings defaults;
    const QByteArray frame = defaults.value(kFrameAutosaveName).toByteArray();
    if (!frame.isEmpty() && restoreGeometry(frame))
        return;
    resize(kDefaultSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect centred(QPoint(), kDefaultSize);
        centred.moveCenter(screen->availableGeometry().center());
        move(centred.topLeft());
    }
}

void UnifiedSettingsWindow::saveFrame() const
{
    QSettings defaults;
    defaults.setValue(kFrameAutosaveName, saveGeometry());
}

void UnifiedSettingsWindow::closeEvent(QCloseEvent* event)
{
    saveFrame();
    if (onClose)
        onClose(this);
    QWidget::closeEvent(event);
}

} // namespace mirevo
