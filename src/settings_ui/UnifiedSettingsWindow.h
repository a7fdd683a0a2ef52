#pragma once

#include "settings/SettingsWindowAccess.h"

#include <QWidget>

#include <functional>

class QTabWidget;

namespace mirevo {

class AppSettingsManager;

// The tabbed settings window. Its frame is remembered across runs; closing it tells the
// manager through `onClose`.
class UnifiedSettingsWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize kDefaultSize{950, 700};
    static constexpr QSize kMinimumSize{800, 600};
    static constexpr QSize kMaximumSize{1400, 1000};
    static inline const QString kFrameAutosaveName = QStringLiteral("UnifiedSettings");

    UnifiedSettingsWindow(AppSettingsManager& store, SettingsTab selectedTab);

    SettingsTab selectedTab() const;
    void selectTab(SettingsTab tab);
    QTabWidget* tabs() const { return m_tabs; }

    std::function<void(QWidget*)> onClose;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void restoreFrame();
    void saveFrame() const;
    void closeUnlessAPopupTookTheKey();

    QTabWidget* m_tabs = nullptr;
    // Whether the current press of a close key began while a pop-up or dialog was open.
    bool m_keyTakenByPopup = false;
};

} // namespace mirevo
