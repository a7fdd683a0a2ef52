#pragma once

#include <QWidget>

class QCheckBox;

namespace mirevo {

// The About tab: the program's name and version, what it does, the languages it tells
// apart, whether it starts at login and where to customize it.
class AboutView : public QWidget {
    Q_OBJECT
public:
    explicit AboutView(QWidget* parent = nullptr);

protected:
    // The login entry may have been added or removed elsewhere since the page last showed.
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildLanguageGroup();
    QWidget* buildStartupGroup();
    QWidget* buildCustomizeGroup();
    QWidget* buildFooter();
    void showAutostartState();

    QCheckBox* m_startAtLogin = nullptr;
};

// A language's round badge: a 20 px disc in its colour with the sample in white.
class AboutLanguageBadge : public QWidget {
    Q_OBJECT
public:
    AboutLanguageBadge(const QString& sample, const QColor& color, QWidget* parent = nullptr);

    QString sample() const { return m_sample; }
    QColor color() const { return m_color; }
    QSize sizeHint() const override { return {20, 20}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_sample;
    QColor m_color;
};

} // namespace mirevo
