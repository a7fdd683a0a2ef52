#include "common/TestRegistry.h"
#include "platform/NotificationCenter.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsNotifications.h"
#include "settings_ui/MouseCursorIndicatorSettingsView.h"
#include "settings_ui/SettingsControls.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace mirevo;

namespace {

struct Fixture {
    QTemporaryDir dir;
    AppSettingsManager store{dir.path()};
    NotificationCenter notifications;
    int posted = 0;
    MouseCursorIndicatorSettingsView view{store, notifications};

    Fixture()
    {
        notifications.observe(notifications::kMouseCursorIndicatorSettingsChanged, &view,
                              [this](const QVariant&) { ++posted; });
    }
    template <typename T> T* find(const char* name)
    {
        auto* found = view.findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    void setBadge(const std::function<void(MouseCursorIndicatorSettings&)>& change)
    {
        store.edit([&](AppSettings& s) { change(s.mouseCursorIndicator); });
    }
    MouseCursorIndicatorSettings saved() const
    {
        return AppSettingsManager(dir.path()).settings().mouseCursorIndicator;
    }
};

} // namespace

class MouseCursorIndicatorSettingsViewTest : public QObject {
    Q_OBJECT
private slots:
    void sizePresets_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<double>("size");
        QTest::newRow("small") << "size_small" << 16.0;
        QTest::newRow("medium") << "size_medium" << 20.0;
        QTest::newRow("large") << "size_large" << 28.0;
    }
    void sizePresets()
    {
        QFETCH(QString, button);
        QFETCH(double, size);
        Fixture f;
        f.setBadge([](MouseCursorIndicatorSettings& s) { s.size = 13; });
        f.find<QPushButton>(qPrintable(button))->click();
        QCOMPARE(f.saved().size, size);
        QCOMPARE(f.posted, 1);
        QCOMPARE(f.find<QLabel>("sizeValue")->text(), QStringLiteral("%1 px").arg(size));
        QCOMPARE(f.find<SteppedSlider>("sizeSlider")->steppedValue(), size);
    }

    void valueLabels_data()
    {
        QTest::addColumn<double>("offsetX");
        QTest::addColumn<double>("offsetY");
        QTest::addColumn<double>("opacity");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("zero has a plus sign")
            << 0.0 << -12.0 << 0.85 << QStringList{"+0", "-12", "85%"};
        QTest::newRow("ends of the ranges")
            << 30.0 << -30.0 << 0.5 << QStringList{"+30", "-30", "50%"};
        QTest::newRow("outside the ranges is shown")
            << 45.4 << 0.6 << 1.2 << QStringList{"+45", "+1", "120%"};
    }
    void valueLabels()
    {
        QFETCH(double, offsetX);
        QFETCH(double, offsetY);
        QFETCH(double, opacity);
        QFETCH(QStringList, shown);
        Fixture f;
        f.setBadge([&](MouseCursorIndicatorSettings& s) {
            s.offsetX = offsetX;
            s.offsetY = offsetY;
            s.opacity = opacity;
        });
        QCOMPARE(f.find<QLabel>("offsetXValue")->text(), shown[0]);
        QCOMPARE(f.find<QLabel>("offsetYValue")->text(), shown[1]);
        QCOMPARE(f.find<QLabel>("opacityValue")->text(), shown[2]);
        QCOMPARE(f.posted, 0);
        QCOMPARE(f.store.settings().mouseCursorIndicator.opacity, opacity);
    }

    void everySliderStepSavesAndNotifies()
    {
        Fixture f;
        auto* opacity = f.find<SteppedSlider>("opacitySlider");
        opacity->setValue(opacity->value() + 1);
        opacity->setValue(opacity->value() + 1);
        QCOMPARE(f.saved().opacity, 0.9);
        auto* offset = f.find<SteppedSlider>("offsetYSlider");
        offset->setValue(0);
        QCOMPARE(f.saved().offsetY, -30.0);
        QCOMPARE(f.posted, 3);
    }

    void followsTheTrayToggle()
    {
        Fixture f;
        auto* toggle = f.find<QCheckBox>("showIndicatorSwitch");
        QVERIFY(toggle->isChecked());
        f.setBadge([](MouseCursorIndicatorSettings& s) { s.isVisible = false; });
        QVERIFY(!toggle->isChecked());
        QCOMPARE(f.posted, 0);
        toggle->click();
        QVERIFY(f.saved().isVisible);
        QCOMPARE(f.posted, 1);
    }

    void saysWhyTheBadgeNeedsX11()
    {
        for (const bool wayland : {false, true}) {
            if (wayland)
                qputenv("XDG_SESSION_TYPE", "wayland");
            Fixture f;
            qunsetenv("XDG_SESSION_TYPE");
            const auto* note = f.view.findChild<QLabel*>("needsX11Note");
            QCOMPARE(note != nullptr, wayland);
            QVERIFY(!note || note->text().contains("needs an X11 session"));
        }
    }

    void resetRestoresTheDefaultColorsToo()
    {
        Fixture f;
        f.setBadge([](MouseCursorIndicatorSettings& s) {
            s.colors[0] = {0.1, 0.2, 0.3, 0.4};
            s.useSameColorAsIMEIndicator = false;
            s.size = 31;
        });
        f.store.saveSettings();
        QVERIFY(f.saved() != MouseCursorIndicatorSettings());
        f.find<QPushButton>("resetButton")->click();
        QCOMPARE(f.saved(), MouseCursorIndicatorSettings());
        QCOMPARE(f.posted, 1);
        QCOMPARE(f.find<QLabel>("sizeValue")->text(), QStringLiteral("20 px"));
    }
};

MIREVO_TEST_CLASS(MouseCursorIndicatorSettingsViewTest)
#include "tst_MouseCursorIndicatorSettingsView.moc"
