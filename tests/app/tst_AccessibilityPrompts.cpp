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
    bool openPrivacySettings() override
    {
        ++settingsOpened;
        return true;
    }
};

// Answers each alert with a chosen button and remembers what it was shown.
class ScriptedAlerts : public AlertPresenter {
public:
    int answer = 1;
    QList<QStringList> shown; // title followed by the buttons
    int runAlert(const QString& title, const QString&, const QStringList& buttons) override
    {
        shown << (QStringList(title) + buttons);
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
    void untrustedLaunchShowsTheAlertTwoSecondsLater()
    {
        Fixture f;
        f.alerts.answer = 1; // continue
        f.prompts.checkAccessibilityPermission();
        QTest::qWait(1500);
        QVERIFY(f.alerts.shown.isEmpty());
        f.accessibility.trusted = true; // granted meanwhile: the alert still comes, once
        QTRY_COMPARE_WITH_TIMEOUT(f.alerts.shown.size(), 1, 2000);
        QCOMPARE(f.alerts.shown[0].mid(1),
                 QStringList({localized("Localizable", "alert.accessibility.open_settings"),
                              localized("Localizable", "alert.accessibility.continue"),
                              localized("Localizable", "alert.accessibility.dont_show")}));
        QVERIFY(!f.defaults.value("hideAccessibilityAlert", false).toBool());
        QCOMPARE(f.accessibility.settingsOpened, 0);
    }

    void buttons_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("settingsOpened");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("open settings") << 0 << 1 << false;
        QTest::newRow("continue") << 1 << 0 << false;
        QTest::newRow("don't show again") << 2 << 0 << true;
    }
    void buttons()
    {
        QFETCH(int, answer);
        QFETCH(int, settingsOpened);
        QFETCH(bool, hidden);
        Fixture f;
        f.alerts.answer = answer;
        f.prompts.showAccessibilityAlert();
        QCOMPARE(f.accessibility.settingsOpened, settingsOpened);
        QCOMPARE(f.defaults.value("hideAccessibilityAlert", false).toBool(), hidden);
    }

    void noAlertWhenHiddenOrTrusted()
    {
        for (bool hidden : {true, false}) {
            Fixture f;
            f.defaults.setValue("hideAccessibilityAlert", hidden);
            f.accessibility.trusted = !hidden;
            f.prompts.checkAccessibilityPermission();
            QTest::qWait(AccessibilityPrompts::kLaunchAlertDelayMs + 300);
            QVERIFY(f.alerts.shown.isEmpty());
        }
    }

    void recheckIgnoresTheDefault()
    {
        Fixture f;
        f.defaults.setValue("hideAccessibilityAlert", true);
        f.accessibility.trusted = true;
        f.prompts.recheckAccessibilityPermission();
        QCOMPARE(
            f.alerts.shown.last(),
            QStringList({localized("Localizable", "alert.accessibility.enabled.title"), "OK"}));
        f.accessibility.trusted = false;
        f.alerts.answer = 0;
        f.prompts.recheckAccessibilityPermission();
        QCOMPARE(
            f.alerts.shown.last(),
            QStringList({localized("Localizable", "alert.accessibility.disabled.title"),
                         localized("Localizable", "alert.accessibility.open_settings"), "OK"}));
        QCOMPARE(f.accessibility.settingsOpened, 1);
        QVERIFY(Accessibility::system().isProcessTrusted());
    }

    void alertsPutTheirHeadingInTheBody()
    {
        const auto box =
            MessageBoxAlertPresenter::buildAlert("Access & more", "Why it matters.", {"A", "B"});
        QCOMPARE(box->text(), QString("<b>Access &amp; more</b>"));
        QCOMPARE(box->textFormat(), Qt::RichText);
        QCOMPARE(box->informativeText(), QString("Why it matters."));
        QVERIFY(!box->windowTitle().contains("Access"));
        // The answer is the index of the button as given, whatever order the box shows.
        QTimer::singleShot(0, [] {
            auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            for (QAbstractButton* button : shown->buttons())
                if (button->text() == "OK")
                    button->click();
        });
        MessageBoxAlertPresenter presenter;
        QCOMPARE(presenter.runAlert("Heading", "Text", {"&Open Settings", "OK"}), 1);
    }
};

MIREVO_TEST_CLASS(AccessibilityPromptsTest)
#include "tst_AccessibilityPrompts.moc"
