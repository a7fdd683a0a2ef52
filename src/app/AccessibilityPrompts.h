#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QSettings;

namespace mirevo {

class Accessibility;

// Shows a modal alert and returns the index of the chosen button.
class AlertPresenter {
public:
    virtual ~AlertPresenter() = default;
    virtual int runAlert(const QString& title, const QString& message,
                         const QStringList& buttons) = 0;
};

// The QMessageBox-based alerts of the program.
class MessageBoxAlertPresenter : public AlertPresenter {
public:
    int runAlert(const QString& title, const QString& message, const QStringList& buttons) override;
};

// The accessibility checks: a quiet check at launch with a delayed explanation when access
// is missing (which the user can turn off for good), and the menu's re-check.
class AccessibilityPrompts : public QObject {
    Q_OBJECT
public:
    static constexpr int kLaunchAlertDelayMs = 2000;
    static inline const QString kHideAlertKey = QStringLiteral("hideAccessibilityAlert");

    AccessibilityPrompts(Accessibility& accessibility, AlertPresenter& alerts, QSettings& defaults,
                         QObject* parent = nullptr);

    void checkAccessibilityPermission();
    void showAccessibilityAlert();
    void recheckAccessibilityPermission();

private:
    Accessibility& m_accessibility;
    AlertPresenter& m_alerts;
    QSettings& m_defaults;
};

} // namespace mirevo
