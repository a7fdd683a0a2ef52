<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Clock</name>
    <message>
        <source>title</source>
        <extracomment>title</extracomment>
        <translation>Clock</translation>
    </message>
    <message>
        <source>drag_hint</source>
        <translation>While this page is open, drag the clock to move it.</translation>
    </message>
    <message>
        <source>basic</source>
        <extracomment>heading</extracomment>
        <translation>Basic</translation>
    </message>
    <message>
        <source>show_clock</source>
        <translation>&amp;Show clock</translation>
    </message>
    <message>
        <source>style</source>
        <translation>Sty&amp;le</translation>
    </message>
    <message>
        <source>style_analog</source>
        <translation>Analog</translation>
    </message>
    <message>
        <source>style_digital</source>
        <translation>Digital</translation>
    </message>
    <message>
        <source>content</source>
        <translation>&amp;Content</translation>
    </message>
    <message>
        <source>position_date_time_vertical</source>
        <translation>Date above time</translation>
    </message>
    <message>
        <source>position_date_time_horizontal</source>
        <translation>Date, then time</translation>
    </message>
    <message>
        <source>position_time_date_vertical</source>
        <translation>Time above date</translation>
    </message>
    <message>
        <source>position_time_date_horizontal</source>
        <translation>Time, then date</translation>
    </message>
    <message>
        <source>position_date_only</source>
        <translation>Date only</translation>
    </message>
    <message>
        <source>position_time_only</source>
        <translation>Time only</translation>
    </message>
    <message>
        <source>show_seconds</source>
        <translation>Show s&amp;econds hand</translation>
    </message>
    <message>
        <source>font</source>
        <extracomment>heading</extracomment>
        <translation>Font</translation>
    </message>
    <message>
        <source>font_family</source>
        <translation>&amp;Font family</translation>
    </message>
    <message>
        <source>system_font</source>
        <translation>System font</translation>
    </message>
    <message>
        <source>font_size</source>
        <translation>Font si&amp;ze</translation>
    </message>
    <message>
        <source>date_format</source>
        <extracomment>heading</extracomment>
        <translation>Date Format</translation>
    </message>
    <message>
        <source>time_format</source>
        <extracomment>heading</extracomment>
        <translation>Time Format</translation>
    </message>
    <message>
        <source>date_format_numeric</source>
        <translation>Numeric</translation>
    </message>
    <message>
        <source>date_format_abbreviated</source>
        <translation>Abbreviated</translation>
    </message>
    <message>
        <source>date_format_long</source>
        <translation>Long</translation>
    </message>
    <message>
        <source>date_format_complete</source>
        <translation>Complete</translation>
    </message>
    <message>
        <source>date_format_custom1</source>
        <translation>Custom 1</translation>
    </message>
    <message>
        <source>date_format_custom2</source>
        <translation>Custom 2</translation>
    </message>
    <message>
        <source>time_format_standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>time_format_shortened</source>
        <translation>Short</translation>
    </message>
    <message>
        <source>time_format_complete</source>
        <translation>Complete</translation>
    </message>
    <message>
        <source>time_format_custom1</source>
        <translation>Custom 1</translation>
    </message>
    <message>
        <source>time_format_custom2</source>
        <translation>Custom 2</translation>
    </message>
    <message>
        <source>format_examples</source>
        <extracomment>heading</extracomment>
        <translation>Examples</translation>
    </message>
    <message>
        <source>format_help_codes</source>
        <translation>Codes: yyyy year, MM month (01), M month (1), MMM month name, dd day (01), d day (1), E weekday (short), EEEE weekday (full)</translation>
    </message>
    <message>
        <source>time_format_help_codes</source>
        <translation>Codes: HH hour 00–23, H hour 0–23, hh hour 01–12, h hour 1–12, mm minutes, ss seconds, SSS milliseconds, a AM/PM, z time zone</translation>
    </message>
    <message>
        <source>format_help_separator</source>
        <translation>Separators such as / - . : and spaces appear as typed. Put other literal text in single quotes, e.g. 'at'.</translation>
    </message>
    <message>
        <source>edit</source>
        <extracomment>button</extracomment>
        <translation>Edit</translation>
    </message>
    <message>
        <source>close</source>
        <extracomment>button</extracomment>
        <translation>Close</translation>
    </message>
    <message>
        <source>format_invalid</source>
        <translation>This pattern is not valid, so the clock shows nothing for it.</translation>
    </message>
    <message>
        <source>color</source>
        <extracomment>heading</extracomment>
        <translation>Color</translation>
    </message>
    <message>
        <source>text_color</source>
        <translation>&amp;Text color</translation>
    </message>
    <message>
        <source>analog_color</source>
        <translation>&amp;Analog clock color</translation>
    </message>
    <message>
        <source>use_ime_indicator_colors</source>
        <translation>&amp;Use the IME indicator's colors</translation>
    </message>
    <message>
        <source>background</source>
        <extracomment>heading</extracomment>
        <translation>Background</translation>
    </message>
    <message>
        <source>ime_off</source>
        <translation>I&amp;ME off</translation>
    </message>
    <message>
        <source>ime_on</source>
        <translation>IME o&amp;n</translation>
    </message>
    <message>
        <source>opacity</source>
        <translation>&amp;Opacity</translation>
    </message>
    <message>
        <source>position</source>
        <extracomment>heading</extracomment>
        <translation>Position</translation>
    </message>
    <message>
        <source>position_x</source>
        <translation>&amp;X</translation>
    </message>
    <message>
        <source>position_y</source>
        <translation>&amp;Y</translation>
    </message>
    <message>
        <source>display</source>
        <translation>&amp;Display</translation>
    </message>
    <message>
        <source>display_number %lld</source>
        <translation>Display %lld</translation>
    </message>
    <message>
        <source>top_left</source>
        <extracomment>button</extracomment>
        <translation>Top Left</translation>
    </message>
    <message>
        <source>top_right</source>
        <extracomment>button</extracomment>
        <translation>Top Right</translation>
    </message>
    <message>
        <source>bottom_left</source>
        <extracomment>button</extracomment>
        <translation>Bottom Left</translation>
    </message>
    <message>
        <source>bottom_right</source>
        <extracomment>button</extracomment>
        <translation>Bottom Right</translation>
    </message>
    <message>
        <source>size</source>
        <extracomment>heading</extracomment>
        <translation>Size</translation>
    </message>
    <message>
        <source>width</source>
        <translation>&amp;Width</translation>
    </message>
    <message>
        <source>height</source>
        <translation>&amp;Height</translation>
    </message>
    <message>
        <source>analog_size</source>
        <translation>Analo&amp;g clock size</translation>
    </message>
    <message>
        <source>reset</source>
        <extracomment>button</extracomment>
        <translation>&amp;Reset to Defaults</translation>
    </message>
</context>
</TS>
