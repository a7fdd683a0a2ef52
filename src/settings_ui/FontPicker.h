#pragma once

#include <QComboBox>

#include <functional>

namespace mirevo {

// The drop-down of font families for one setting. Its first entry is the desktop's own
// font (stored as kSystemFontName), then the installed families. A stored family that is
// not installed gets an entry of its own that names it and the family drawn in its place,
// so the choice never shows greyed out or empty.
// Names show whole: the list is as wide as its widest name, and so is the drop-down where
// the page has room. Where it has not, the drop-down narrows down to kMaxWidth, the shown
// name losing its middle ("Noto Sans…CJK JP"), unless that would make two entries look
// alike: then it keeps the width it needs.
class FontPicker : public QComboBox {
    Q_OBJECT
public:
    static constexpr int kMaxWidth = 320;

    // `drawnFamily(stored)`: the family the display draws with for a stored name.
    FontPicker(const QString& systemFontLabel, std::function<QString(const QString&)> drawnFamily,
               QWidget* parent = nullptr);

    // The installed families to offer, in their order.
    void setFamilies(const QStringList& families);
    // Selects the entry for a stored name, without familyChosen.
    void showFamily(const QString& stored);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void showPopup() override;

signals:
    // The user chose the entry of `stored`.
    void familyChosen(const QString& stored);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void addFamily(int index, const QString& text, const QString& family);
    int missingEntryIndex() const;
    // Whether the entries, their middles cut to fit a drop-down `width` wide, still differ.
    bool entriesDifferAt(int width) const;
    // The width the shown name has in a drop-down `width` wide.
    int textRoom(int width) const;

    QString m_systemFontLabel;
    std::function<QString(const QString&)> m_drawnFamily;
    QStringList m_families;
};

} // namespace mirevo
