#include "settings_ui/UnifiedSettingsWindow.h"

#include "platform/StringTables.h"
#include "settings_ui/SettingsPages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

namespace mirevo {
namespace {

constexpr SettingsTab kTabsInOrder[] = {SettingsTab::imeIndicator, SettingsTab::clock,
                                        SettingsTab::mouseCursor, SettingsTab::about};
const QList<QKeySequence> kCloseKeys{QKeySequence(Qt::Key_Escape),
                                     QKeySequence(Qt::CTRL | Qt::Key_W)};

// The pop-up or dialog above the window that a key reaches first, if any.
QWidget* popupAbove(const QWidget* window)
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup;
    QWidget* modal = QApplication::activeModalWidget();
    return modal && modal != window ? modal : nullptr;
}

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

    // Esc and Ctrl+W close the window like a dialog, but only when no drop-down list, menu
    // or dialog of the window's has the key: those close first.
    auto* close = new QShortcut(this);
    close->setKeys(kCloseKeys);
    connect(close, &QShortcut::activated, this,
            &UnifiedSettingsWindow::closeUnlessAPopupTookTheKey);
    qApp->installEventFilter(this);

    restoreFrame();
}

SettingsTab UnifiedSettingsWindow::selectedTab() const
{
    return settingsTabFromRawValue(m_tabs->currentIndex()).value_or(SettingsTab::imeIndicator);
}

void UnifiedSettingsWindow::selectTab(SettingsTab tab)
{
    m_tabs->setCurrentIndex(static_cast<int>(tab));
}

bool UnifiedSettingsWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Every key press is first offered as a shortcut override, to the pop-up's list when
    // one is open, and then to the widgets around it. A drop-down list closes itself on
    // that offer of Esc but lets it go on to the shortcuts, which would then find the
    // window on top and close it too. So where the press began is noted here, before
    // anything has closed.
    if (event->type() != QEvent::ShortcutOverride)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (!kCloseKeys.contains(QKeySequence(key->keyCombination())))
        return false;
    auto* target = qobject_cast<QWidget*>(watched);
    if (target && target->window() == this) {
        m_keyTakenByPopup = false; // a press in the window itself
        return false;
    }
    QWidget* popup = popupAbove(this);
    if (!popup)
        return false; // the same press, passed on after its pop-up closed
    m_keyTakenByPopup = true;
    if (key->key() == Qt::Key_Escape)
        return false; // the pop-up or dialog closes itself
    // Ctrl+W closes what is on top, as Esc does, rather than nothing.
    if (auto* combo = qobject_cast<QComboBox*>(popup->parentWidget()))
        combo->hidePopup();
    else
        popup->close();
    key->accept();
    return true;
}

void UnifiedSettingsWindow::closeUnlessAPopupTookTheKey()
{
    if (!std::exchange(m_keyTakenByPopup, false))
        close();
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
