#include "settings_ui/SettingsControls.h"

#include "settings_ui/SettingsPageParts.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>

#include <algorithm>
#include <cmath>

namespace mirevo {

QLabel* makeSecondaryLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    applyTextStyle(label, TextStyle::caption);
    makeSecondary(label);
    return label;
}

QWidget* makePageHeader(const QIcon& icon, const QString& title, QWidget* parent)
{
    auto* header = new QWidget(parent);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 5);
    auto* picture = new QLabel(header);
    picture->setPixmap(icon.pixmap(24, 24));
    auto* text = new QLabel(title, header);
    text->setObjectName(QStringLiteral("pageTitle"));
    QFont font = text->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    font.setBold(true);
    text->setFont(font);
    row->addWidget(picture);
    row->addWidget(text);
    row->addStretch();
    return header;
}

} // namespace mirevo
