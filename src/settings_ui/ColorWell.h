#pragma once

#include <QColor>
#include <QPushButton>

namespace mirevo {

// A button showing a colour; pressing it opens a colour dialog with an alpha channel.
class ColorWell : public QPushButton {
    Q_OBJECT
public:
    explicit ColorWell(QWidget* parent = nullptr);

    QColor color() const { return m_color; }
    // Shows `color` without emitting colorPicked.
    void setColor(const QColor& color);
    // What accepting the dialog does: shows `color` and emits colorPicked.
    void pickColor(const QColor& color);

signals:
    void colorPicked(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void openDialog();

    QColor m_color = Qt::white;
};

} // namespace mirevo
