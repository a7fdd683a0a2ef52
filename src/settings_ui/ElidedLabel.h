#pragma once

#include <QLabel>

namespace mirevo {

// One line of text that never widens its page: when the label is narrower than its text,
// the text ends in "…" and the whole of it shows as the tooltip. text() is always the
// whole text.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // Hides QLabel::setText, so that the tooltip follows the text.
    void setText(const QString& text);
    bool isElided() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateToolTip();
};

} // namespace mirevo
