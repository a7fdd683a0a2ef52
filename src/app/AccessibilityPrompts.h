#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QMessageBox;
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
    // The alert as shown: the heading in bold at the top of its body, the explanation
    // below it, the program's name in the title bar, and the buttons in the given order.
    static std::unique_ptr<QMessageBox> buildAlert(const QString& title, const QString& message,
                                                   const QStringList& buttons);
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
