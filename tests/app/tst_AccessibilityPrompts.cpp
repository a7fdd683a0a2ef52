#include "app/AccessibilityPrompts.h"
#include "common/TestRegistry.h"
#include "platform/Accessibility.h"
#include "platform/StringTables.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace mirevo;

namespace {

class FakeAccessibility : public Accessibility {
public:
    bool trusted = false;
    int settingsOpened = 0;
    bool isProcessTrusted() const override { return trusted; }
    bool openPrivacySettings() override { return ++settingsOpened > 0; }
};

// Answers each alert with a chosen button and remembers the titles it was shown.
class ScriptedAlerts : public AlertPresenter {
public:
    int answer = 1;
    QStringList shown;
    int runAlert(const QString& title, const QString&, const QStringList&) override
    {
        shown << title;
        return answer;
    }
};

struct Fixture {
    QTemporaryDir dir;
    QSettings defaults{dir.filePath("defaults.ini"), QSettings::IniFormat};
    FakeAccessibility accessibility;
    ScriptedAlerts alerts;
    AccessibilityPrompts prompts{accessibility, alerts, defaults};
};

} // namespace

class AccessibilityPromptsTest : public QObject {
    Q_OBJECT
private slots:
    // The launch check never blocks the launch: without access the alert comes later, once;
    // with access, or after "don't show again", never.
    void launchCheck()
    {
        Fixture untrusted, trusted, hidden;
        trusted.accessibility.trusted = true;
        hidden.defaults.setValue(AccessibilityPrompts::kHideAlertKey, true);
        for (Fixture* f : {&untrusted, &trusted, &hidden})
            f->prompts.checkAccessibilityPermission();
        QVERIFY(untrusted.alerts.shown.isEmpty());
        untrusted.accessibility.trusted = true; // granted meanwhile: told what launch found
        QTRY_COMPARE_WITH_TIMEOUT(untrusted.alerts.shown.size(), 1, 4000);
        QTest::qWait(100);
        QCOMPARE(untrusted.alerts.shown.size(), 1);
        QVERIFY(trusted.alerts.shown.isEmpty() && hidden.alerts.shown.isEmpty());
    }

    // What each answer does; the menu's re-check always answers, whatever the launch
    // alert's setting.
    void alerts_data()
    {
        QTest::addColumn<QString>("alert"); // "" for the launch alert, else the re-check's
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("settingsOpened");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("open settings") << "" << 0 << 1 << false;
        QTest::newRow("continue") << "" << 1 << 0 << false;
        QTest::newRow("don't show again") << "" << 2 << 0 << true;
        QTest::newRow("re-check, trusted") << ".enabled" << 0 << 0 << true;
        QTest::newRow("re-check, untrusted") << ".disabled" << 0 << 1 << true;
    }
    void alerts()
    {
        QFETCH(QString, alert);
        QFETCH(int, answer);
        QFETCH(int, settingsOpened);
        QFETCH(bool, hidden);
        Fixture f;
        f.accessibility.trusted = alert == ".enabled";
        f.alerts.answer = answer;
        f.defaults.setValue(AccessibilityPrompts::kHideAlertKey, !alert.isEmpty());
        alert.isEmpty() ? f.prompts.showAccessibilityAlert()
                        : f.prompts.recheckAccessibilityPermission();
        QCOMPARE(f.alerts.shown,
                 QStringList(localized("Localizable", "alert.accessibility" + alert + ".title")));
        QCOMPARE(f.accessibility.settingsOpened, settingsOpened);
        QCOMPARE(f.defaults.value(AccessibilityPrompts::kHideAlertKey).toBool(), hidden);
    }

    void alertsPutTheirHeadingInTheBody()
    {
        const auto box =
            MessageBoxAlertPresenter::buildAlert("Access & more", "Why it matters.", {"A", "B"});
        QCOMPARE(box->text(), QString("<b>Access &amp; more</b>"));
        QCOMPARE(box->informativeText(), QString("Why it matters."));
        QVERIFY(!box->windowTitle().contains("Access"));
        // The answer is the index of the button as given, whatever order the box shows.
        QTimer::singleShot(0, [] {
            for (auto* button : QApplication::activeModalWidget()->findChildren<QAbstractButton*>())
                if (button->text() == "OK")
                    button->click();
        });
        MessageBoxAlertPresenter presenter;
        QCOMPARE(presenter.runAlert("Heading", "Text", {"&Open Settings", "OK"}), 1);
    }
};

MIREVO_TEST_CLASS(AccessibilityPromptsTest)
#include "tst_AccessibilityPrompts.moc"
