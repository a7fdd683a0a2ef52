// Renders the settings window's pages to PNG files, for looking at layouts in each
// language: settings-shots en|ja OUTPUT_FOLDER
#include "platform/StringTables.h"
#include "settings/AppSettingsManager.h"
#include "settings_ui/FormatPickerView.h"
#include "settings_ui/UnifiedSettingsWindow.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace mirevo;

namespace {

void save(QWidget* widget, const QString& path)
{
    if (!widget->grab().save(path))
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

void settle()
{
    QTest::qWait(400);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: settings-shots en|ja OUTPUT_FOLDER\n");
        return 2;
    }
    const QString language = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    installTranslations(language == QLatin1String("ja") ? QLocale(QLocale::Japanese)
                                                        : QLocale(QLocale::English));
    QTemporaryDir folder;
    AppSettingsManager store(folder.path());

    const std::pair<SettingsTab, const char*> pages[] = {{SettingsTab::clock, "clock"},
                                                         {SettingsTab::mouseCursor, "pointer"}};
    for (const auto& [tab, name] : pages) {
        for (const QSize size : {QSize(950, 700), QSize(800, 600)}) {
            UnifiedSettingsWindow window(store, tab);
            window.setAttribute(Qt::WA_DeleteOnClose, false);
            window.resize(size);
            window.show();
            settle();
            const QString stem = QStringLiteral("%1-%2-%3x%4")
                                     .arg(QLatin1String(name), language)
                                     .arg(size.width())
                                     .arg(size.height());
            save(&window, out.filePath(stem + ".png"));
            if (tab != SettingsTab::clock)
                continue;
            // The whole scrolling column, and again with both pickers open.
            auto* content = window.findChild<QWidget*>(QStringLiteral("clockSettingsContent"));
            save(content, out.filePath(stem + "-full.png"));
            for (auto* picker : window.findChildren<FormatPickerView*>()) {
                picker->setExpanded(true);
                settle();
                picker->toggleEditor(picker->objectName() == QLatin1String("dateFormatPicker") ? 4
                                                                                               : 3);
            }
            settle();
            content->adjustSize();
            save(content, out.filePath(stem + "-pickers.png"));
        }
    }
    return 0;
}
