#include "common/TestRegistry.h"
#include "platform/Autostart.h"
#include "platform/FileLocations.h"
#include "settings_ui/AboutLanguages.h"
#include "settings_ui/AboutView.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace mirevo;

namespace {

// desktop-file-validate's verdict on the entry, empty when it passes.
QString validationProblems(const QString& path)
{
    QProcess validate;
    validate.start(QStringLiteral("desktop-file-validate"), {path});
    if (!validate.waitForFinished(10000))
        return QStringLiteral("desktop-file-validate did not run");
    return validate.exitCode() == 0 ? QString() : QString::fromUtf8(validate.readAll());
}

} // namespace

class AboutViewTest : public QObject {
    Q_OBJECT
private slots:
    void languagesInTheirOwnOrder()
    {
        const QStringList expected{"lang_english",
                                   "lang_japanese",
                                   "lang_chinese_simplified",
                                   "lang_chinese_traditional",
                                   "lang_korean",
                                   "lang_mongolian",
                                   "lang_thai",
                                   "lang_vietnamese",
                                   "lang_myanmar",
                                   "lang_khmer",
                                   "lang_lao",
                                   "lang_hindi",
                                   "lang_bengali",
                                   "lang_tamil",
                                   "lang_telugu",
                                   "lang_nepali",
                                   "lang_sinhala",
                                   "lang_arabic",
                                   "lang_persian",
                                   "lang_hebrew",
                                   "lang_ukrainian",
                                   "lang_russian",
                                   "lang_greek",
                                   "lang_other"};
        AboutView view;
        const auto rows = view.findChildren<QWidget*>("aboutLanguageRow");
        QCOMPARE(rows.size(), 24);
        for (int i = 0; i < rows.size(); ++i) {
            const QString key = expected[i];
            QCOMPARE(rows[i]->property("displayKey").toString(), key);
            const QString name = rows[i]->findChild<QLabel*>("aboutLanguageName")->text();
            QCOMPARE(name, QCoreApplication::translate("About", key.toUtf8()));
            QVERIFY2(name != key, qPrintable(key));
        }
        const auto badge = [&](int row) { return rows[row]->findChild<AboutLanguageBadge*>(); };
        QCOMPARE(badge(1)->sample(), QString("\u3042"));
        QCOMPARE(badge(12)->sample(), QString("\u09AC\u09BE"));
        QCOMPARE(badge(23)->sample(), QString("?"));
        QCOMPARE(badge(2)->color(), QColor::fromRgbF(0.0f, 0.7f, 0.0f));
        QCOMPARE(badge(19)->color(), QColor::fromRgbF(0.85f, 0.65f, 0.0f));
    }

    void badgeIsDrawnInItsColour()
    {
        AboutLanguageBadge badge("A", QColor(0, 122, 255));
        QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        badge.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        QCOMPARE(image.pixelColor(3, 10).rgb(), QColor(0, 122, 255).rgb()); // the disc's edge
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);                        // outside the circle
    }

    void startAtLoginWritesAndRemovesTheEntry()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        const QString entry = Autostart::forCurrentUser().entryPath();
        QVERIFY(entry.startsWith(config.path() + "/autostart/"));
        AboutView view;
        view.show();
        auto* box = view.findChild<QCheckBox*>("startAtLogin");
        QVERIFY(!box->isChecked());
        box->click();
        QVERIFY(QFile::exists(entry));
        QCOMPARE(validationProblems(entry), QString());
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains(
            "Exec=" + QFile::encodeName(QCoreApplication::applicationFilePath())));
        box->click();
        QVERIFY(!QFile::exists(entry));
        // An entry made elsewhere shows the next time the page does.
        view.hide();
        QVERIFY(Autostart::forCurrentUser().setEnabled(true));
        view.show();
        QVERIFY(box->isChecked());
        qunsetenv("XDG_CONFIG_HOME");
    }

    void entryForAProgramPathWithSpacesValidates()
    {
        QTemporaryDir config;
        const Autostart autostart(config.filePath("entry.desktop"), "/opt/My $Apps/mirevo");
        QVERIFY(autostart.setEnabled(true));
        QCOMPARE(validationProblems(autostart.entryPath()), QString());
    }

    void versionLine_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("shown");
        QTest::newRow("no version") << ""
                                    << "Version 1.0";
        QTest::newRow("build version") << "2.3.1"
                                       << "Version 2.3.1";
    }
    void versionLine()
    {
        QFETCH(QString, version);
        QFETCH(QString, shown);
        QCOMPARE(aboutVersionText(version), shown);
        AboutView view;
        QCOMPARE(view.findChild<QLabel*>("aboutVersion")->text(),
                 aboutVersionText(applicationVersion()));
    }

    void listScrollsInTheSmallestWindow()
    {
        AboutView view;
        view.resize(800, 560);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        auto* list = view.findChild<QScrollArea*>("aboutLanguageList");
        QVERIFY(list->height() >= 100);
        QVERIFY(list->verticalScrollBar()->maximum() > 0);
    }
};

MIREVO_TEST_CLASS(AboutViewTest)
#include "tst_AboutView.moc"
