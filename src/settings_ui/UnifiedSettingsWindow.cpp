#include "settings_ui/UnifiedSettingsWindow.h"

#include "platform/StringTables.h"
#include "settings_ui/SettingsPages.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace mirevo {
namespace {

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
        m_tabs->addTab(createSettingsPage(tab, store), settingsTabIcon(tab), settingsTabLabel(tab));
    m_tabs->setCurrentIndex(static_cast<int>(selectedTab));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);

    // Esc and Ctrl+W close the window like a dialog.
    auto* close = new QShortcut(this);
    close->setKeys({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    connect(close, &QShortcut::activated, this, &QWidget::close);

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
