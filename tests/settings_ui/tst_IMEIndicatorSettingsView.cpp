#include "common/TestRegistry.h"
#include "platform/Displays.h"
#include "platform/NotificationCenter.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsJson.h"
#include "settings/SettingsNotifications.h"
#include "settings_ui/ColorWell.h"
#include "settings_ui/IMEIndicatorSettingsView.h"
#include "settings_ui/SteppedSlider.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace mirevo;

namespace {

// A page on a private store, a private notification centre and two fixed displays: a
// 1920x1080 primary and a 1280x1024 display to its right. Every announcement records what
// the settings file held at that moment.
struct PageFixture {
    QTemporaryDir dir;
    AppSettingsManager store{dir.path()};
    NotificationCenter notifications;
    FixedDisplays displays{{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)}};
    QList<std::optional<AppSettings>> fileAtPost;
    std::unique_ptr<IMEIndicatorSettingsView> page;

    PageFixture()
    {
        notifications.observe(notifications::kIMEIndicatorSettingsChanged, &notifications,
                              [this](const QVariant&) { fileAtPost << savedFile(); });
        page = std::make_unique<IMEIndicatorSettingsView>(store, notifications, displays);
    }
    ~PageFixture() { page.reset(); }

    std::optional<AppSettings> savedFile() const
    {
        QFile file(*store.settingsFilePath());
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        return decodeSettings(file.readAll());
    }
    const IMEIndicatorSettings& ime() const { return store.settings().imeIndicator; }
    template <typename T> T* find(const QString& name) const
    {
        T* child = page->findChild<T*>(name);
        if (!child)
            qFatal("no control %s", qPrintable(name));
        return child;
    }
    // What pasting over the whole text does: one edit with the new text.
    void replaceText(const QString& field, const QString& text) const
    {
        auto* edit = find<QLineEdit>(field);
        edit->selectAll();
        edit->insert(text);
    }
    void click(const QString& button) const { find<QPushButton>(button)->click(); }
};

} // namespace

class IMEIndicatorSettingsViewTest : public QObject {
    Q_OBJECT
private slots:
    void sizeSliderCommitsEveryStepOfADrag()
    {
        PageFixture f;
        auto* slider = f.find<SteppedSlider>("indicatorSizeSlider");
        QCOMPARE(slider->steppedValue(), 100.0);
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(slider, Qt::Key_Right);
        QList<double> saved;
        for (const auto& file : f.fileAtPost)
            saved << (file ? file->imeIndicator.indicatorSize : -1);
        QCOMPARE(saved, QList<double>({105, 110, 115, 120}));
        QCOMPARE(f.find<QLabel>("indicatorSizeValue")->text(), QString("120 px"));
        QTest::keyClick(slider, Qt::Key_Home);
        QCOMPARE(f.ime().indicatorSize, 30.0);
    }

    void valueLabelsTruncate_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QString>("label");
        QTest::addColumn<double>("size");
        QTest::addColumn<QString>("sizeLabel");
        QTest::newRow("0.35") << 0.35 << "35%" << 100.0 << "100 px";
        QTest::newRow("0.8") << 0.8 << "80%" << 30.0 << "30 px";
        QTest::newRow("0.57 is 56.99999") << 0.57 << "56%" << 57.9 << "57 px";
        QTest::newRow("0.7") << 0.7 << "70%" << 200.0 << "200 px";
    }
    void valueLabelsTruncate()
    {
        QFETCH(double, ratio);
        QFETCH(QString, label);
        QFETCH(double, size);
        QFETCH(QString, sizeLabel);
        PageFixture f;
        // Values from outside the page show at once and are not written back.
        f.store.edit([&](AppSettings& s) {
            s.imeIndicator.fontSizeRatio = ratio;
            s.imeIndicator.backgroundOpacity = ratio;
            s.imeIndicator.indicatorSize = size;
        });
        QCOMPARE(f.find<QLabel>("textSizeValue")->text(), label);
        QCOMPARE(f.find<QLabel>("opacityValue")->text(), label);
        QCOMPARE(f.find<QLabel>("indicatorSizeValue")->text(), sizeLabel);
        QCOMPARE(f.ime().indicatorSize, size);
        QCOMPARE(f.ime().fontSizeRatio, ratio);
        QVERIFY(f.fileAtPost.isEmpty());
    }

    void textSizeSliderTopAndPresets()
    {
        PageFixture f;
        QTest::keyClick(f.find<SteppedSlider>("textSizeSlider"), Qt::Key_End);
        QCOMPARE(f.ime().fontSizeRatio, 0.8);
        QCOMPARE(f.find<QLabel>("textSizeValue")->text(), QString("80%"));
        QTest::keyClick(f.find<SteppedSlider>("textSizeSlider"), Qt::Key_Left);
        QCOMPARE(f.ime().fontSizeRatio, 0.75);
        f.click("textSizePreset0");
        QCOMPARE(f.ime().fontSizeRatio, 0.4);
        f.click("sizePreset2");
        QCOMPARE(f.ime().indicatorSize, 80.0);
        QCOMPARE(f.find<SteppedSlider>("indicatorSizeSlider")->steppedValue(), 80.0);
        QCOMPARE(f.fileAtPost.size(), 4);
        QCOMPARE(f.fileAtPost.last()->imeIndicator.indicatorSize, 80.0);
    }

    void cornerButtons_data()
    {
        QTest::addColumn<qint64>("display");
        QTest::addColumn<double>("size");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QPointF>("expected");
        QTest::newRow("top right") << qint64(0) << 100.0 << "topRightButton" << QPointF(1800, 960);
        QTest::newRow("bottom right")
            << qint64(0) << 100.0 << "bottomRightButton" << QPointF(1800, 20);
        QTest::newRow("top left") << qint64(0) << 100.0 << "topLeftButton" << QPointF(20, 960);
        QTest::newRow("bottom left") << qint64(0) << 100.0 << "bottomLeftButton" << QPointF(20, 20);
        QTest::newRow("second display")
            << qint64(1) << 60.0 << "topRightButton" << QPointF(1200, 944);
        QTest::newRow("no such display")
            << qint64(5) << 100.0 << "topRightButton" << QPointF(24, 152);
    }
    void cornerButtons()
    {
        QFETCH(qint64, display);
        QFETCH(double, size);
        QFETCH(QString, button);
        QFETCH(QPointF, expected);
        PageFixture f;
        f.store.edit([&](AppSettings& s) {
            s.imeIndicator.displayIndex = display;
            s.imeIndicator.indicatorSize = size;
        });
        f.click(button);
        QCOMPARE(QPointF(f.ime().positionX, f.ime().positionY), expected);
        QCOMPARE(f.fileAtPost.size(), f.displays.isValidIndex(display) ? 1 : 0);
        QCOMPARE(f.find<QLineEdit>("positionXField")->text(), QString::number(expected.x()));
        QCOMPARE(f.find<QLineEdit>("positionYField")->text(), QString::number(expected.y()));
    }

    void positionFieldTakesWholeNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("trailing letter") << "12a" << 24.0;
        QTest::newRow("whole number") << "150" << 150.0;
        QTest::newRow("negative decimal") << "-35.5" << -35.5;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("comma decimal") << "3,5" << 24.0;
        QTest::newRow("empty") << "" << 24.0;
        QTest::newRow("space") << " 5" << 24.0;
        QTest::newRow("infinite") << "1e999" << 24.0;
        QTest::newRow("not a number") << "nan" << 24.0;
    }
    void positionFieldTakesWholeNumbers()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        PageFixture f;
        f.replaceText("positionXField", text);
        QCOMPARE(f.ime().positionX, expected);
        const bool committed = expected != 24.0;
        QCOMPARE(f.fileAtPost.size(), committed ? 1 : 0);
        if (committed)
            QCOMPARE(f.fileAtPost.first()->imeIndicator.positionX, expected);
        QCOMPARE(f.ime().positionY, 152.0);
    }

    void positionFieldKeepsWhatIsBeingTyped()
    {
        PageFixture f;
        auto* field = f.find<QLineEdit>("positionYField");
        QCOMPARE(field->text(), QString("152"));
        field->selectAll();
        QTest::keyClicks(field, "7.");
        QCOMPARE(f.ime().positionY, 7.0);
        QCOMPARE(field->text(), QString("7."));
        QTest::keyClicks(field, "6");
        QCOMPARE(f.ime().positionY, 7.6);
        emit field->editingFinished();
        QCOMPARE(field->text(), QString("8"));
    }

    void choosingADisplayStartsNearItsCorner()
    {
        PageFixture f;
        auto* popup = f.find<QComboBox>("displayPopup");
        QCOMPARE(popup->count(), 2);
        QCOMPARE(popup->itemText(1), QString("Display 2"));
        QCOMPARE(popup->currentIndex(), 0);
        popup->setCurrentIndex(1);
        QCOMPARE(f.ime().displayIndex, qint64(1));
        QCOMPARE(QPointF(f.ime().positionX, f.ime().positionY), QPointF(20, 20));
        QCOMPARE(f.fileAtPost.size(), 1);
        QCOMPARE(f.fileAtPost.first()->imeIndicator.displayIndex, qint64(1));
    }

    void fontListFollowsTheJapaneseText_data()
    {
        QTest::addColumn<QString>("japaneseText");
        QTest::addColumn<bool>("listsDejaVu");
        QTest::addColumn<bool>("listsNotoCJK");
        QTest::newRow("empty tests あ") << "" << false << true;
        QTest::newRow("latin") << "A" << true << true;
        QTest::newRow("kanji first") << "\u6F22a" << false << true;
    }
    void fontListFollowsTheJapaneseText()
    {
        QFETCH(QString, japaneseText);
        QFETCH(bool, listsDejaVu);
        QFETCH(bool, listsNotoCJK);
        PageFixture f;
        f.replaceText("textField_japanese", japaneseText);
        QCOMPARE(f.ime().textForLanguage(InputLanguage::japanese), japaneseText);
        QCOMPARE(f.fileAtPost.size(), 1);
        auto* popup = f.find<QComboBox>("fontPopup");
        QCOMPARE(popup->itemData(0).toString(), QString(".AppleSystemUIFont"));
        QStringList families;
        for (int i = 2; i < popup->count(); ++i)
            families << popup->itemData(i).toString();
        QVERIFY(!families.isEmpty());
        QCOMPARE(families.contains("DejaVu Sans"), listsDejaVu);
        QCOMPARE(families.contains("Noto Sans CJK JP"), listsNotoCJK);
        QStringList sorted = families;
        std::sort(sorted.begin(), sorted.end());
        sorted.removeDuplicates();
        QCOMPARE(families, sorted);
        QVERIFY2(!families.join(',').contains('['), qPrintable(families.join(',')));

        popup->setCurrentIndex(popup->findData("Noto Sans CJK JP"));
        QCOMPARE(f.ime().fontName, QString("Noto Sans CJK JP"));
        QCOMPARE(f.fileAtPost.last()->imeIndicator.fontName, QString("Noto Sans CJK JP"));
        // A stored name with a foundry tag still selects its family.
        f.store.edit([](AppSettings& s) { s.imeIndicator.fontName = "Noto Sans CJK JP [GOOG]"; });
        QCOMPARE(popup->currentData().toString(), QString("Noto Sans CJK JP"));
    }

    void colourPickIsSavedAndAnnounced()
    {
        PageFixture f;
        const QColor picked(10, 20, 30, 128);
        f.find<ColorWell>("colorWell_korean")->pickColor(picked);
        const ColorComponents expected = ColorComponents::fromPlatformColor(picked);
        QCOMPARE(f.ime().colorForLanguage(InputLanguage::korean), expected);
        QCOMPARE(f.fileAtPost.size(), 1);
        QCOMPARE(f.fileAtPost.first()->imeIndicator.colorForLanguage(InputLanguage::korean),
                 expected);
        // A colour set from outside shows in its well without being written back.
        f.store.edit([](AppSettings& s) {
            s.imeIndicator.colors[languageIndex(InputLanguage::thai)] = {0.0, 1.0, 0.0, 0.5};
        });
        QCOMPARE(f.find<ColorWell>("colorWell_thai")->color(), QColor::fromRgbF(0, 1, 0, 0.5));
        QCOMPARE(f.fileAtPost.size(), 1);
    }

    void resetRestoresEveryDefaultAndKeepsMoveMode()
    {
        PageFixture f;
        f.page->show(); // the badge can be dragged while the page is shown
        f.click("topRightButton");
        f.find<ColorWell>("colorWell_english")->pickColor(Qt::yellow);
        f.replaceText("textField_other", "X");
        f.store.edit([](AppSettings& s) { s.imeIndicator.fontName = "DejaVu Sans"; });
        f.fileAtPost.clear();
        f.click("resetButton");
        IMEIndicatorSettings expected;
        expected.moveMode = true;
        QCOMPARE(f.ime(), expected);
        QCOMPARE(f.fileAtPost.size(), 1);
        QCOMPARE(f.fileAtPost.first()->imeIndicator, IMEIndicatorSettings());
        QCOMPARE(f.find<QLineEdit>("textField_other")->text(), QString("?"));
        QCOMPARE(f.find<ColorWell>("colorWell_english")->color(), QColor(Qt::blue));
        QCOMPARE(f.find<QLineEdit>("positionXField")->text(), QString("24"));
    }

    void moveModeWhileShown()
    {
        PageFixture f;
        f.store.edit([](AppSettings& s) { s.imeIndicator.indicatorSize = 150; }); // not saved
        f.page->show();
        QVERIFY(f.ime().moveMode);
        QCOMPARE(f.fileAtPost.size(), 1);
        QCOMPARE(f.fileAtPost.first()->imeIndicator.indicatorSize, 100.0); // announced only
        f.page->hide();
        QVERIFY(!f.ime().moveMode);
        QCOMPARE(f.fileAtPost.size(), 2);
        QCOMPARE(f.fileAtPost.last()->imeIndicator.indicatorSize, 150.0); // saved on leaving
    }

    void everyLanguageRowIsNamed()
    {
        PageFixture f;
        for (InputLanguage language : allInputLanguages()) {
            const QString key = displayKey(language);
            const QString name = f.find<QLabel>("languageName_" + rawValue(language))->text();
            QCOMPARE(name, QCoreApplication::translate("IMEIndicator", key.toUtf8()));
            QVERIFY2(name != key, qPrintable(key));
            QCOMPARE(f.find<QLineEdit>("textField_" + rawValue(language))->text(),
                     defaultLanguageTexts()[languageIndex(language)]);
        }
    }
};

MIREVO_TEST_CLASS(IMEIndicatorSettingsViewTest)
#include "tst_IMEIndicatorSettingsView.moc"
