#include "settings_ui/AboutView.h"

#include "platform/StringTables.h"
#include "platform/desktop/Autostart.h"
#include "platform/desktop/FileLocations.h"
#include "settings_ui/AboutLanguages.h"
#include "settings_ui/SettingsGroup.h"
#include "settings_ui/SettingsPageParts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

#include <utility>

namespace mirevo {

AboutLanguageBadge::AboutLanguageBadge(const QString& sample, const QColor& color, QWidget* parent)
    : QWidget(parent), m_sample(sample), m_color(color)
{
    setFixedSize(20, 20);
}

void AboutLanguageBadge::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_color);
    painter.drawEllipse(QRectF(rect()));
    QFont font = painter.font();
    font.setPixelSize(13); // a bold 10-point face
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(rect()), Qt::AlignCenter, m_sample);
}

AboutView::AboutView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("aboutView"));
    auto* content = new QWidget;
    auto* stack = new QVBoxLayout(content);
    stack->setSpacing(16);
    stack->addWidget(buildHeader(), 0, Qt::AlignHCenter);

    auto* description = new QLabel(localized("About", "description"));
    description->setObjectName(QStringLiteral("aboutDescription"));
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignHCenter);
    makeSecondary(description);
    stack->addWidget(description);

    stack->addSpacing(8);
    stack->addWidget(makeDivider());
    stack->addSpacing(8);
    stack->addWidget(buildLanguageGroup(), 1);
    stack->addWidget(buildStartupGroup());
    stack->addWidget(buildCustomizeGroup());
    stack->addWidget(buildFooter());
    setUpSettingsPage(this, content, localized("Settings", "tab.about"));
    stack->setContentsMargins(24, 24 + 10, 24, 24 + 10);
}

QWidget* AboutView::buildHeader()
{
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(16);
    auto* symbol = new QLabel;
    symbol->setPixmap(textBoxSymbol(48, QColor(0, 122, 255), devicePixelRatioF()));
    row->addWidget(symbol);
    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    auto* name = new QLabel(localized("About", "app_name"));
    name->setObjectName(QStringLiteral("aboutAppName"));
    applyTextStyle(name, TextStyle::title);
    column->addWidget(name);
    auto* version = new QLabel(aboutVersionText(applicationVersion()));
    version->setObjectName(QStringLiteral("aboutVersion"));
    applyTextStyle(version, TextStyle::subheadline);
    makeSecondary(version);
    column->addWidget(version);
    row->addLayout(column);
    return header;
}

QWidget* AboutView::buildLanguageGroup()
{
    SettingsGroup group(QStringLiteral("aboutLanguageGroup"),
                        localized("About", "supported_languages"),
                        QStringLiteral("preferences-desktop-locale"));
    group.widget()->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    auto* list = new QWidget;
    auto* rows = new QVBoxLayout(list);
    rows->setContentsMargins(4, 4, 4, 4);
    rows->setSpacing(4);
    for (const AboutLanguageRow& language : aboutLanguageRows()) {
        auto* row = new QWidget;
        row->setObjectName(QStringLiteral("aboutLanguageRow"));
        row->setProperty("displayKey", QString::fromLatin1(language.displayKey));
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(8);
        layout->addWidget(new AboutLanguageBadge(language.sample, language.color));
        auto* name = new QLabel(language.name);
        name->setObjectName(QStringLiteral("aboutLanguageName"));
        applyTextStyle(name, TextStyle::callout);
        layout->addWidget(name, 1);
        rows->addWidget(row);
    }
    rows->addStretch();
    QScrollArea* scroll = makeListArea(list, 100);
    scroll->setObjectName(QStringLiteral("aboutLanguageList"));
    scroll->setAccessibleName(localized("About", "supported_languages"));
    scroll->setMinimumHeight(100);
    group.addWideRow(scroll);
    return group.widget();
}

QWidget* AboutView::buildStartupGroup()
{
    SettingsGroup group(QStringLiteral("aboutStartupGroup"), localized("About", "startup"),
                        QStringLiteral("system-run"));
    m_startAtLogin = new QCheckBox(localized("About", "start_at_login"));
    m_startAtLogin->setObjectName(QStringLiteral("startAtLogin"));
    connect(m_startAtLogin, &QCheckBox::toggled, this, [this](bool checked) {
        // A folder that refuses the entry leaves the box showing what is true.
        if (!Autostart::forCurrentUser().setEnabled(checked))
            showAutostartState();
    });
    group.addWideRow(m_startAtLogin);
    showAutostartState();
    return group.widget();
}

void AboutView::showAutostartState()
{
    const QSignalBlocker blocker(m_startAtLogin);
    m_startAtLogin->setChecked(Autostart::forCurrentUser().isEnabled());
}

void AboutView::showEvent(QShowEvent* event)
{
    showAutostartState();
    QWidget::showEvent(event);
}

QWidget* AboutView::buildCustomizeGroup()
{
    SettingsGroup group(QStringLiteral("aboutCustomizeGroup"), localized("About", "customize"),
                        QStringLiteral("preferences-system"));
    const QList<std::pair<QString, QString>> lines{
        {localized("About", "ime_settings"), QStringLiteral("input-keyboard")},
        {localized("About", "layout_code_settings"),
         QStringLiteral("preferences-desktop-keyboard")},
        {localized("About", "clock_settings"), QStringLiteral("preferences-system-time")},
        {localized("About", "mouse_cursor_indicator_settings"), QStringLiteral("input-mouse")},
    };
    for (const auto& [text, icon] : lines) {
        auto* row = new QWidget;
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(6);
        layout->addWidget(themeIconLabel(icon, 14));
        auto* label = new QLabel(text);
        label->setObjectName(QStringLiteral("aboutCustomizeLine"));
        label->setWordWrap(true);
        applyTextStyle(label, TextStyle::callout);
        makeSecondary(label);
        layout->addWidget(label, 1);
        group.addWideRow(row);
    }
    return group.widget();
}

QWidget* AboutView::buildFooter()
{
    auto* footer = new QWidget;
    auto* column = new QVBoxLayout(footer);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    const std::pair<const char*, QString> lines[] = {
        {"copyright", QStringLiteral("aboutCopyright")},
        {"license", QStringLiteral("aboutLicense")},
    };
    for (const auto& [key, name] : lines) {
        auto* line = new QLabel(localized("About", key));
        line->setObjectName(name);
        line->setAlignment(Qt::AlignHCenter);
        applyTextStyle(line, TextStyle::caption);
        makeSecondary(line);
        column->addWidget(line);
    }
    auto* hint = new QLabel(localized("About", "customize_hint"));
    hint->setObjectName(QStringLiteral("aboutCustomizeHint"));
    hint->setAlignment(Qt::AlignHCenter);
    hint->setWordWrap(true);
    applyTextStyle(hint, TextStyle::caption2);
    makeTertiary(hint);
    column->addWidget(hint);
    return footer;
}

} // namespace mirevo
