#pragma once

#include <QColor>
#include <QPushButton>

namespace mirevo {

// A button that shows a colour (over a checkerboard, so translucency is visible) and
// opens the colour dialog, opacity included, when clicked.
class ColorWell : public QPushButton {
    Q_OBJECT
public:
    explicit ColorWell(QWidget* parent = nullptr);

    QColor color() const { return m_color; }
    // Shows `color` without emitting colorPicked.
    void setColor(const QColor& color);
    // What accepting the dialog does: shows the colour and emits colorPicked. An invalid
    // colour (a cancelled dialog) changes nothing.
    void pickColor(const QColor& color);

    QSize sizeHint() const override { return {44, 24}; }

signals:
    void colorPicked(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void openDialog();

    QColor m_color = Qt::white;
};

} // namespace mirevo
