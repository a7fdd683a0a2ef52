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
    QTabWidget* tabs() const { return m_tabs; }

    std::function<void(QWidget*)> onClose;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void restoreFrame();
    void saveFrame() const;

    QTabWidget* m_tabs = nullptr;
};

} // namespace mirevo
