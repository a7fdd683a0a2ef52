#include "app/AccessibilityPrompts.h"

#include "platform/Accessibility.h"
#include "platform/StringTables.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

namespace mirevo {

namespace {

const char* const kButtonIndex = "alertButtonIndex";

} // namespace

std::unique_ptr<QMessageBox> MessageBoxAlertPresenter::buildAlert(const QString& title,
                                                                  const QString& message,
                                                                  const QStringList& buttons)
{
    auto box = std::make_unique<QMessageBox>();
    box->setIcon(QMessageBox::Information);
    // Title bars cut long headings short: the heading belongs in the body.
    box->setWindowTitle(QGuiApplication::applicationDisplayName());
    box->setTextFormat(Qt::RichText);
    box->setText(QStringLiteral("<b>%1</b>").arg(title.toHtmlEscaped()));
    box->setInformativeText(message);
    for (int index = 0; index < buttons.size(); ++index)
        box->addButton(buttons[index], QMessageBox::AcceptRole)->setProperty(kButtonIndex, index);
    return box;
}

int MessageBoxAlertPresenter::runAlert(const QString& title, const QString& message,
                                       const QStringList& buttons)
{
    const std::unique_ptr<QMessageBox> box = buildAlert(title, message, buttons);
    box->exec();
    const QAbstractButton* chosen = box->clickedButton();
    return chosen ? chosen->property(kButtonIndex).toInt() : -1;
}

AccessibilityPrompts::AccessibilityPrompts(Accessibility& accessibility, AlertPresenter& alerts,
                                           QSettings& defaults, QObject* parent)
    : QObject(parent), m_accessibility(accessibility), m_alerts(alerts), m_defaults(defaults)
{}

void AccessibilityPrompts::checkAccessibilityPermission()
{
    if (m_defaults.value(kHideAlertKey, false).toBool())
        return;
    if (m_accessibility.isProcessTrusted())
        return;
    QTimer::singleShot(kLaunchAlertDelayMs, this, &AccessibilityPrompts::showAccessibilityAlert);
}

void AccessibilityPrompts::showAccessibilityAlert()
{
    // The permission is not asked again: the user is told what was found at launch.
    const int choice =
        m_alerts.runAlert(localized("Localizable", "alert.accessibility.title"),
                          localized("Localizable", "alert.accessibility.message"),
                          {localized("Localizable", "alert.accessibility.open_settings"),
                           localized("Localizable", "alert.accessibility.continue"),
                           localized("Localizable", "alert.accessibility.dont_show")});
    if (choice == 0)
        m_accessibility.openPrivacySettings();
    else if (choice == 2)
        m_defaults.setValue(kHideAlertKey, true);
}

void AccessibilityPrompts::recheckAccessibilityPermission()
{
    if (m_accessibility.isProcessTrusted()) {
        m_alerts.runAlert(localized("Localizable", "alert.accessibility.enabled.title"),
                          localized("Localizable", "alert.accessibility.enabled.message"),
                          {QStringLiteral("OK")});
        return;
    }
    const int choice = m_alerts.runAlert(
        localized("Localizable", "alert.accessibility.disabled.title"),
        localized("Localizable", "alert.accessibility.disabled.message"),
        {localized("Localizable", "alert.accessibility.open_settings"), QStringLiteral("OK")});
    if (choice == 0)
        m_accessibility.openPrivacySettings();
}

} // namespace mirevo
