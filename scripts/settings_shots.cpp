// Renders every page of the settings window to PNG files, for looking at layouts:
//   settings-shots [--font-size PT] [--dark] en|ja OUTPUT_FOLDER
// Each page at 950x700 and 800x600; the clock page also whole, and with its pickers open.
#include "platform/StringTables.h"
#include "settings/AppSettingsManager.h"
#include "settings_ui/FormatPickerView.h"
#include "settings_ui/UnifiedSettingsWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
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

QPalette darkPalette()
{
    QPalette palette;
    const std::pair<QPalette::ColorRole, QColor> roles[] = {
        {QPalette::Window, {45, 45, 48}},
        {QPalette::WindowText, {230, 230, 230}},
        {QPalette::Base, {30, 30, 32}},
        {QPalette::AlternateBase, {45, 45, 48}},
        {QPalette::Text, {230, 230, 230}},
        {QPalette::Button, {45, 45, 48}},
        {QPalette::ButtonText, {230, 230, 230}},
        {QPalette::Light, {75, 75, 80}},
        {QPalette::Midlight, {62, 62, 66}},
        {QPalette::Mid, {38, 38, 40}},
        {QPalette::Dark, {24, 24, 26}},
        {QPalette::Shadow, Qt::black},
        {QPalette::Highlight, {42, 130, 218}},
        {QPalette::HighlightedText, Qt::white},
        {QPalette::ToolTipBase, {30, 30, 32}},
        {QPalette::ToolTipText, {230, 230, 230}},
        {QPalette::PlaceholderText, {150, 150, 150}}};
    for (const auto& [role, color] : roles)
        palette.setColor(role, color);
    return palette;
}

} // namespace

int main(int argc, char** argv)
{
    // The UI language comes from the environment, as in the program itself.
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "ja") == 0)
            qputenv("LC_ALL", "ja_JP.UTF-8");
        else if (qstrcmp(argv[i], "en") == 0)
            qputenv("LC_ALL", "en_US.UTF-8");
    }
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({"font-size", "Desktop font size in points.", "points"});
    parser.addOption({"dark", "A dark palette."});
    parser.addPositionalArgument("language", "en or ja");
    parser.addPositionalArgument("folder", "Where the PNG files go.");
    parser.process(app);
    if (parser.positionalArguments().size() != 2)
        parser.showHelp(2);
    const QString language = parser.positionalArguments().at(0);
    const QDir out(parser.positionalArguments().at(1));
    QString variant;
    if (parser.isSet("font-size")) {
        QFont font = QApplication::font();
        font.setPointSizeF(parser.value("font-size").toDouble());
        QApplication::setFont(font);
        variant += QStringLiteral("-%1pt").arg(parser.value("font-size"));
    }
    if (parser.isSet("dark")) {
        QApplication::setPalette(darkPalette());
        variant += QStringLiteral("-dark");
    }
    installTranslations();
    QTemporaryDir folder;
    AppSettingsManager store(folder.path());

    const std::pair<SettingsTab, const char*> pages[] = {{SettingsTab::imeIndicator, "ime"},
                                                         {SettingsTab::clock, "clock"},
                                                         {SettingsTab::mouseCursor, "pointer"},
                                                         {SettingsTab::about, "about"}};
    for (const auto& [tab, name] : pages) {
        for (const QSize size : {QSize(950, 700), QSize(800, 600)}) {
            UnifiedSettingsWindow window(store, tab);
            window.setAttribute(Qt::WA_DeleteOnClose, false);
            window.resize(size);
            window.show();
            settle();
            const QString stem = QStringLiteral("%1-%2-%3x%4%5")
                                     .arg(QLatin1String(name), language)
                                     .arg(size.width())
                                     .arg(size.height())
                                     .arg(variant);
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
            save(content, out.filePath(stem + "-pickers.png"));
        }
    }
    return 0;
}
