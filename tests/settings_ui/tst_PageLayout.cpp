#include "PagesFixture.h"
#include "common/TestRegistry.h"
#include "input/InputLanguage.h"
#include "platform/StringTables.h"
#include "settings_ui/ElidedLabel.h"
#include "settings_ui/FormatPickerView.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

using namespace mirevo;
using mirevo::test::Pages;

namespace {

void turnWheel(QWidget* widget)
{
    const QPointF centre = QRectF(widget->rect()).center();
    QWheelEvent turn(centre, widget->mapToGlobal(centre), {}, QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &turn);
}

// What is wrong with one page as shown: clipped texts, labels touching their fields, a
// page wider than its window, controls without a name for screen readers, labels without
// mnemonics or two controls with one mnemonic.
QStringList pageProblems(QWidget* page)
{
    static const QRegularExpression mnemonic(QStringLiteral("&([^&])"));
    QStringList problems;
    if (page->findChild<QScrollArea*>("pageScrollArea")->horizontalScrollBar()->maximum() > 0)
        problems << "page wider than the window";
    for (const QFormLayout* form : page->findChildren<QFormLayout*>()) {
        for (int row = 0; row < form->rowCount(); ++row) {
            const QLayoutItem* label = form->itemAt(row, QFormLayout::LabelRole);
            const QLayoutItem* field = form->itemAt(row, QFormLayout::FieldRole);
            if (label && field && label->geometry().right() + 6 > field->geometry().left())
                problems << "label touches its field: " +
                                qobject_cast<QLabel*>(label->widget())->text();
        }
    }
    QStringList mnemonics;
    for (QWidget* widget : page->findChildren<QWidget*>()) {
        if (widget->window() != page) // drop-down lists, named by their drop-downs
            continue;
        auto* label = qobject_cast<QLabel*>(widget);
        auto* button = qobject_cast<QAbstractButton*>(widget);
        const QString text = label ? label->text() : button ? button->text() : QString();
        const bool cut =
            (label && !label->wordWrap() && !qobject_cast<ElidedLabel*>(label)) || button;
        if (cut && widget->isVisibleTo(page) && widget->width() < widget->sizeHint().width())
            problems << "clipped: " + text;
        if (widget->focusPolicy() != Qt::NoFocus &&
            QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name).isEmpty())
            problems << "no accessible name: " + widget->objectName();
        const bool needsMnemonic = (label && label->buddy()) || qobject_cast<QCheckBox*>(widget);
        const QString letter = mnemonic.match(text).captured(1).toUpper();
        if (needsMnemonic && letter.isEmpty())
            problems << "no mnemonic: " + text;
        if (!letter.isEmpty() && mnemonics.contains(letter))
            problems << "mnemonic used twice: " + text;
        mnemonics << letter;
    }
    return problems;
}

} // namespace

// The pages as shown: texts that fit, names and mnemonics for every control, and a wheel
// that scrolls the page rather than changing a control the user has not picked.
class PageLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void wheelChangesOnlyFocusedControls()
    {
        for (const auto& [tab, control] : {std::pair(SettingsTab::imeIndicator, "fontPopup"),
                                           {SettingsTab::clock, "fontSizeSlider"},
                                           {SettingsTab::mouseCursor, "opacitySlider"}}) {
            Pages pages;
            const std::unique_ptr<QWidget> page = pages.make(tab);
            page->show();
            QApplication::setActiveWindow(page.get());
            QVERIFY(QTest::qWaitForWindowActive(page.get()));
            auto* target = page->findChild<QWidget*>(control);
            const QByteArray before = pages.savedFile();
            turnWheel(target);
            QCOMPARE(pages.savedFile(), before);
            target->setFocus();
            turnWheel(target);
            QVERIFY(pages.savedFile() != before);
        }
    }

    void pagesFitTheirTextsAndNameEveryControl_data()
    {
        QTest::addColumn<bool>("japanese");
        QTest::addColumn<int>("points");
        QTest::addColumn<QSize>("size");
        QTest::newRow("English 11 pt, smallest") << false << 11 << QSize(800, 565);
        QTest::newRow("Japanese 14 pt, smallest") << true << 14 << QSize(800, 565);
    }
    void pagesFitTheirTextsAndNameEveryControl()
    {
        QFETCH(bool, japanese);
        QFETCH(int, points);
        QFETCH(QSize, size);
        const QFont desktopFont = QApplication::font();
        const auto restore = qScopeGuard([&] {
            QApplication::setFont(desktopFont);
            installTranslations(QLocale(QLocale::English));
        });
        QFont font = desktopFont;
        font.setPointSize(points);
        QApplication::setFont(font);
        installTranslations(QLocale(japanese ? QLocale::Japanese : QLocale::English));
        Pages pages;
        // A pattern far wider than any window, with its editor open.
        pages.store.edit([](AppSettings& s) {
            s.clock.customDateFormat1 = QString("yyyy-MM-dd ").repeated(200);
            s.clock.dateFormatStyle = DateFormatStyle::custom1;
        });
        for (SettingsTab tab : {SettingsTab::imeIndicator, SettingsTab::clock,
                                SettingsTab::mouseCursor, SettingsTab::about}) {
            const std::unique_ptr<QWidget> page = pages.make(tab);
            page->resize(size);
            page->show();
            QVERIFY(QTest::qWaitForWindowExposed(page.get()));
            if (auto* date = page->findChild<FormatPickerView*>("dateFormatPicker")) {
                date->setExpanded(true);
                date->toggleEditor(4);
                QTRY_COMPARE(date->findChild<QWidget*>("patternEditor")->maximumHeight(),
                             QWIDGETSIZE_MAX);
                // The cut preview has the whole of it as its tooltip.
                auto* preview = date->findChild<ElidedLabel*>("patternPreview");
                QCOMPARE(preview->toolTip(), preview->text());
            }
            if (auto* list = page->findChild<QScrollArea*>("aboutLanguageList")) {
                QCOMPARE(list->findChildren<QWidget*>("aboutLanguageRow").size(),
                         kInputLanguageCount);
                QVERIFY(list->height() >= 100); // the rows scroll in a list still in view
            }
            const QStringList problems = pageProblems(page.get());
            QVERIFY2(problems.isEmpty(),
                     qPrintable(page->objectName() + ": " + problems.join(", ")));
        }
    }
};

MIREVO_TEST_CLASS(PageLayoutTest)
#include "tst_PageLayout.moc"
