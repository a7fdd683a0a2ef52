#pragma once

#include "settings/SettingsEnums.h"
#include "settings_ui/FormatPickerView.h"

namespace mirevo {

// Labels of the style rows.
QString dateFormatStyleLabel(DateFormatStyle style);
QString timeFormatStyleLabel(TimeFormatStyle style);

// Chooses the clock's date style and edits customDateFormat1/2. Style indices follow
// kAllDateFormatStyles.
class DateFormatPickerView : public FormatPickerView {
    Q_OBJECT
public:
    explicit DateFormatPickerView(const QString& locale, TimeSource now = {},
                                  QWidget* parent = nullptr);
    void setValues(DateFormatStyle style, const QString& custom1, const QString& custom2);
    static DateFormatStyle styleAt(int index);
};

// Chooses the clock's time style and edits customTimeFormat1/2. Style indices follow
// kAllTimeFormatStyles.
class TimeFormatPickerView : public FormatPickerView {
    Q_OBJECT
public:
    explicit TimeFormatPickerView(const QString& locale, TimeSource now = {},
                                  QWidget* parent = nullptr);
    void setValues(TimeFormatStyle style, const QString& custom1, const QString& custom2);
    static TimeFormatStyle styleAt(int index);
};

} // namespace mirevo
