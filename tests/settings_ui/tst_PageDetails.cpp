#include "PagesFixture.h"
#include "clock/DateTimeFormats.h"
#include "common/TestRegistry.h"
#include "platform/StringTables.h"
#include "platform/desktop/Autostart.h"
#include "settings_ui/AboutLanguages.h"
#include "settings_ui/ColorWell.h"
#include "settings_ui/DateTimeFormatPickers.h"
#include "settings_ui/FontChoices.h"
#include "settings_ui/FontPicker.h"
#include "settings_ui/UnifiedSettingsWindow.h"
#include "settings_ui/UnifiedSettingsWindowManager.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <algorithm>

using namespace mirevo;
using mirevo::test::Pages;

namespace {

// The window on the pages' store, counting the clock's move-mode changes.
struct WindowFixture : Pages {
    int clockMoveModeApplied = 0;
    UnifiedSettingsWindowManager manager{store, notifications, [this] { ++clockMoveModeApplied; }};

    SettingsTab shownTab() const
    {
        return qobject_cast<UnifiedSettingsWindow*>(manager.settingsWindow())->selectedTab();
    }
    // Whether a key closes the window, as the user presses it.
    bool close(const QKeySequence& key)
    {
        if (!QTest::qWaitForWindowActive(manager.settingsWindow()))
            return false;
        QTest::keySequence(manager.settingsWindow(), key);
        return !manager.isSettingsWindowOpen();
    }
};

} // namespace

// What the pages do beyond writing one field per control: typing, font lists, the format
// pickers' list, editor and previews, the colour wells' swatches, the About page; and the
// window that holds the pages.
class PageDetailsTest : public QObject {
    Q_OBJECT
    QDateTime m_now{QDate(2024, 3, 5), QTime(10, 0, 0)};
    const TimeSource clock = [this] { return m_now; };

private slots:
    void valueLabelsTruncate()
    {
        QCOMPARE(percentValueText(0.57), QStringLiteral("56%"));
        QCOMPARE(pixelValueText(57.9), QStringLiteral("57 px"));
    }

    void positionFieldKeepsWhatIsBeingTyped()
    {
        Pages pages;
        const std::unique_ptr<QWidget> page = pages.make(SettingsTab::imeIndicator);
        auto* field = page->findChild<QLineEdit*>("positionYField");
        field->selectAll();
        QTest::keyClicks(field, "7.");
        QCOMPARE(pages.store.settings().imeIndicator.positionY, 7.0);
        QCOMPARE(field->text(), QStringLiteral("7."));
        QTest::keyClicks(field, "6");
        emit field->editingFinished();
        QCOMPARE(field->text(), QStringLiteral("8"));
    }

    void badgeFontListFollowsTheJapaneseText()
    {
        Pages pages;
        const std::unique_ptr<QWidget> page = pages.make(SettingsTab::imeIndicator);
        auto* popup = page->findChild<QComboBox*>("fontPopup");
        // An empty text tests あ.
        for (const auto& [text, listsDejaVu] :
             {std::pair<QString, bool>("", false), {"A", true}, {"\u6F22a", false}}) {
            pages.store.edit([text = text](AppSettings& s) {
                s.imeIndicator.texts[languageIndex(InputLanguage::japanese)] = text;
            });
            QStringList families;
            for (int i = 2; i < popup->count(); ++i)
                families << popup->itemData(i).toString();
            QVERIFY2(families.contains("DejaVu Sans") == listsDejaVu, qPrintable(text));
            QVERIFY(families.contains("Noto Sans CJK JP"));
        }
        // A stored name with a foundry tag still selects its family.
        pages.store.edit(
            [](AppSettings& s) { s.imeIndicator.fontName = "Noto Sans CJK JP [GOOG]"; });
        QCOMPARE(popup->currentData().toString(), QStringLiteral("Noto Sans CJK JP"));
    }

    void clockFontListKeepsFamiliesThatDrawTheSample()
    {
        const QStringList families{"Zeta Sans", "Alpha Mincho", "Latin Only", "Alpha Mincho"};
        QCOMPARE(fontListEntries(families, [](const QString& f) { return f != "Latin Only"; }),
                 QStringList({kSystemFontDisplayName, "Alpha Mincho", "Zeta Sans"}));
        // Plain names once each, and no symbol fonts.
        QCOMPARE(plainFamilyName("Nimbus Sans [URW ]"), QStringLiteral("Nimbus Sans"));
        const QStringList installed = installedFontFamilies();
        QVERIFY(installed.contains("DejaVu Sans"));
        for (const QString& family : installed)
            QVERIFY2(!family.contains('[') &&
                         !QFontDatabase::writingSystems(family).contains(QFontDatabase::Symbol),
                     qPrintable(family));
    }

    // A stored family that is not installed shows as an entry of its own, naming it and an
    // installed family that draws instead, on both pages; choosing another one drops it.
    void missingFontNamesTheFontDrawnInstead()
    {
        Pages pages;
        pages.store.edit([](AppSettings& s) {
            s.clock.fontName = "No Such Family";
            s.imeIndicator.fontName = "No Such Family";
        });
        const QStringList installed = installedFontFamilies();
        for (const auto& [tab, name] : {std::pair(SettingsTab::clock, "fontFamilyPicker"),
                                        {SettingsTab::imeIndicator, "fontPopup"}}) {
            const std::unique_ptr<QWidget> page = pages.make(tab);
            auto* picker = page->findChild<QComboBox*>(name);
            const QString shown = picker->currentText();
            QVERIFY2(picker->currentIndex() >= 0 && shown.startsWith("No Such Family"),
                     qPrintable(shown));
            QVERIFY(picker->model()->flags(picker->model()->index(picker->currentIndex(), 0)) &
                    Qt::ItemIsEnabled);
            const QString drawn = shown.mid(QStringLiteral("No Such Family").size());
            QVERIFY2(std::any_of(installed.begin(), installed.end(),
                                 [&](const QString& family) { return drawn.contains(family); }),
                     qPrintable(shown));
            const int entries = picker->count();
            picker->setCurrentIndex(0);
            QCOMPARE(picker->count(), entries - 1);
        }
    }

    // The list shows every name whole; the drop-down cuts the middle of a long name only
    // while the cut names still differ.
    void fontNamesShowWhole()
    {
        const QString filler(40, QLatin1Char('x'));
        for (const auto& [families, cut] :
             {std::pair(QStringList{"Alpha " + filler + " One", "Alpha " + filler + " Two"}, true),
              {QStringList{filler + " One " + filler, filler + " Two " + filler}, false}}) {
            FontPicker picker("System font", [](const QString&) { return QString(); });
            picker.setFamilies(families);
            picker.showFamily(families.first());
            QCOMPARE(picker.minimumSizeHint().width() <= FontPicker::kMaxWidth, cut);
            picker.show();
            picker.showPopup();
            const int listWidth = picker.view()->viewport()->width();
            for (int i = 0; i < picker.count(); ++i) {
                const QFont font = picker.itemData(i, Qt::FontRole).value<QFont>();
                QVERIFY(QFontMetrics(font).horizontalAdvance(picker.itemText(i)) < listWidth);
            }
            picker.hidePopup();
        }
    }

    void pointerPageSaysWhyTheBadgeNeedsX11()
    {
        Pages pages;
        qputenv("XDG_SESSION_TYPE", "wayland");
        const std::unique_ptr<QWidget> onWayland = pages.make(SettingsTab::mouseCursor);
        qunsetenv("XDG_SESSION_TYPE");
        const auto* note = onWayland->findChild<QLabel*>("needsX11Note");
        QVERIFY(note && note->text().contains("needs an X11 session"));
        QVERIFY(!pages.make(SettingsTab::mouseCursor)->findChild<QLabel*>("needsX11Note"));
    }

    // The editor opens without choosing its style; an empty pattern previews empty, one the
    // formatter refuses says so; choosing a row closes list and editor.
    void formatListAndEditor()
    {
        DateFormatPickerView date(displayLocale(), clock);
        date.setValues(DateFormatStyle::complete, "yyyy/MM/dd E", "M/d (EEE)");
        date.show();
        auto* summary = date.findChild<QWidget*>("summaryRow");
        QTest::mouseClick(summary, Qt::LeftButton, {}, summary->rect().center());
        QVERIFY(date.isExpanded());
        auto* edit = date.findChild<QPushButton*>("edit_custom1");
        edit->click();
        QCOMPARE(edit->text(), localized("Clock", "close"));
        auto* field = date.findChild<QLineEdit*>("patternField");
        QCOMPARE(field->text(), "yyyy/MM/dd E");
        for (const char* pattern : {"", "jjj", "d"}) {
            field->selectAll();
            QTest::keyClick(field, Qt::Key_Delete);
            QTest::keyClicks(field, pattern);
            QCOMPARE(date.findChild<QWidget*>("patternError")->isVisibleTo(&date),
                     pattern == QString("jjj"));
            if (pattern != QString("jjj"))
                QCOMPARE(date.findChild<QLabel*>("patternPreview")->text(), pattern[0] ? "5" : "");
        }
        date.findChild<QRadioButton*>("radio_custom2")->click();
        QVERIFY(!date.isExpanded());
        QCOMPARE(date.editingCustom(), std::nullopt);
        QCOMPARE(edit->text(), localized("Clock", "edit"));
        QCOMPARE(date.findChild<QLabel*>("summaryLabel")->text(),
                 localized("Clock", "date_format_custom2"));
        QCOMPARE(date.findChild<QLabel*>("summaryPreview")->text(), QStringLiteral("3/5 (Tue)"));
    }

    void previewsFollowTheClockWhileShown()
    {
        TimeFormatPickerView time(displayLocale(), clock);
        time.setValues(TimeFormatStyle::standard, "HH:mm:ss", "H:mm");
        time.show();
        auto* row = time.findChild<QLabel*>("preview_custom1");
        auto* example = time.findChild<QLabel*>("examplePreview_4"); // "h:mm:ss a"
        QCOMPARE(row->text(), QStringLiteral("10:00:00"));
        m_now = m_now.addSecs(1);
        QTRY_COMPARE(row->text(), QStringLiteral("10:00:01"));
        QCOMPARE(example->text(), QStringLiteral("10:00:01 AM"));
        time.hide();
        QVERIFY(!time.findChild<QTimer*>("previewTimer")->isActive());
    }

    void swatchShowsTranslucency()
    {
        for (const int alpha : {255, 128}) {
            ColorWell well;
            well.setColor(QColor(200, 0, 0, alpha));
            well.resize(well.sizeHint());
            QImage image(well.size(), QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            well.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
            // Two neighbouring checker cells in the middle of the swatch.
            const QColor first = image.pixelColor(10, 11);
            QCOMPARE(first != image.pixelColor(15, 11), alpha < 255);
            QVERIFY(first.red() > first.green() + 40); // the colour is on top
        }
    }

    void aboutBadgeIsADiscInItsColour()
    {
        AboutLanguageBadge badge("A", QColor(0, 122, 255));
        QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        badge.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        QCOMPARE(image.pixelColor(3, 10).rgb(), QColor(0, 122, 255).rgb()); // the disc's edge
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);                        // outside the circle
    }

    // Ticking it writes a valid entry that tries the program (e2e package.sh); here: started
    // after the panel that hosts the tray, removed, and an entry made elsewhere shown.
    void startAtLoginWritesAndRemovesTheEntry()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        const QString entry = Autostart::forCurrentUser().entryPath();
        AboutView view;
        view.show();
        auto* box = view.findChild<QCheckBox*>("startAtLogin");
        QVERIFY(!box->isChecked());
        box->click();
        const QByteArray text = test::readFile(entry);
        QVERIFY(text.contains("\nX-GNOME-Autostart-Delay=") &&
                text.contains("\nX-KDE-autostart-phase=2\n"));
        box->click();
        QVERIFY(!QFile::exists(entry));
        // An entry made elsewhere shows the next time the page does.
        view.hide();
        QVERIFY(Autostart::forCurrentUser().setEnabled(true));
        view.show();
        QVERIFY(box->isChecked());
        qunsetenv("XDG_CONFIG_HOME");
        // A program path with blanks and dollars still makes a valid entry.
        const Autostart spaced(config.filePath("entry.desktop"), "/opt/My $Apps/mirevo");
        QVERIFY(spaced.setEnabled(true));
        QCOMPARE(QProcess::execute("desktop-file-validate", {spaced.entryPath()}), 0);
        QVERIFY(test::readFile(spaced.entryPath()).contains("\nTryExec=/opt/My $Apps/mirevo\n"));
    }

    // Opens on the requested tab, else on the last one requested. An open window keeps the
    // user's tab when none is named (a named one: e2e settings_keyboard.sh). Esc and Ctrl+W
    // close it.
    void opensOnTheRequestedOrRememberedTab()
    {
        WindowFixture f;
        f.manager.showSettings(std::nullopt);
        QCOMPARE(f.shownTab(), SettingsTab::imeIndicator);
        QVERIFY(f.close(Qt::Key_Escape));
        f.manager.showSettings(SettingsTab::about);
        QCOMPARE(f.shownTab(), SettingsTab::about);
        QWidget* window = f.manager.settingsWindow();
        window->findChild<QTabWidget*>()->setCurrentIndex(int(SettingsTab::mouseCursor));
        f.manager.showSettings(std::nullopt);
        QCOMPARE(f.shownTab(), SettingsTab::mouseCursor);
        QVERIFY(f.close(QKeySequence("Ctrl+W")));
        f.manager.showSettings(std::nullopt);
        QCOMPARE(f.shownTab(), SettingsTab::about);
    }

    // Both displays can be dragged while the window is open, and no longer once it closes;
    // the badge hears of it once its page has gone.
    void moveModesFollowTheWindow()
    {
        WindowFixture f;
        f.manager.showSettings(SettingsTab::imeIndicator);
        QVERIFY(f.store.settings().clock.moveMode && f.store.settings().imeIndicator.moveMode);
        QCOMPARE(f.clockMoveModeApplied, 1);
        QWidget other;
        f.manager.windowWillClose(&other); // another window's close changes nothing
        QVERIFY(f.store.settings().clock.moveMode);
        f.heard.clear();
        QVERIFY(f.close(Qt::Key_Escape));
        QVERIFY(!f.store.settings().clock.moveMode && !f.store.settings().imeIndicator.moveMode);
        QCOMPARE(f.clockMoveModeApplied, 2);
        QCOMPARE(f.heard, QStringList());
        QTRY_COMPARE(f.heard, QStringList("ime"));
    }
};

MIREVO_TEST_CLASS(PageDetailsTest)
#include "tst_PageDetails.moc"
