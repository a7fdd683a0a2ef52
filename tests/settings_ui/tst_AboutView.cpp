#include "common/TestRegistry.h"
#include "input/InputLanguage.h"
#include "platform/Autostart.h"
#include "settings_ui/AboutLanguages.h"
#include "settings_ui/AboutView.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
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
    // A row per input language, its badge drawn in its colour, in a list that scrolls in
    // the smallest window.
    void languageList()
    {
        AboutView view;
        view.resize(800, 560);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.findChildren<QWidget*>("aboutLanguageRow").size(), kInputLanguageCount);
        auto* list = view.findChild<QScrollArea*>("aboutLanguageList");
        QVERIFY(list->height() >= 100);
        QVERIFY(list->verticalScrollBar()->maximum() > 0);

        AboutLanguageBadge badge("A", QColor(0, 122, 255));
        QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        badge.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        QCOMPARE(image.pixelColor(3, 10).rgb(), QColor(0, 122, 255).rgb()); // the disc's edge
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);                        // outside the circle
        QCOMPARE(aboutVersionText(QString()), QStringLiteral("Version 1.0"));
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
        // A program path with blanks and dollars still makes a valid entry.
        const Autostart spaced(config.filePath("entry.desktop"), "/opt/My $Apps/mirevo");
        QVERIFY(spaced.setEnabled(true));
        QCOMPARE(validationProblems(spaced.entryPath()), QString());
    }
};

MIREVO_TEST_CLASS(AboutViewTest)
#include "tst_AboutView.moc"
