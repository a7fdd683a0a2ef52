<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>About</name>
    <message>
        <source>app_name</source>
        <extracomment>title</extracomment>
        <translation>Mirevo</translation>
    </message>
    <message>
        <source>version %@</source>
        <translation>Version %@</translation>
    </message>
    <message>
        <source>description</source>
        <translation>Mirevo shows the active keyboard input source at a glance: a floating badge, a small badge that follows the mouse pointer, and a desktop clock whose color follows the input state.</translation>
    </message>
    <message>
        <source>supported_languages</source>
        <extracomment>heading</extracomment>
        <translation>Supported Languages</translation>
    </message>
    <message>
        <source>startup</source>
        <extracomment>heading</extracomment>
        <translation>Startup</translation>
    </message>
    <message>
        <source>start_at_login</source>
        <translation>Start Mirevo at &amp;login</translation>
    </message>
    <message>
        <source>customize</source>
        <extracomment>heading</extracomment>
        <translation>Customize</translation>
    </message>
    <message>
        <source>ime_settings</source>
        <translation>IME indicator: size, position, colors and text of each language</translation>
    </message>
    <message>
        <source>layout_code_settings</source>
        <translation>Keyboard layouts: the language or the layout code (US, DE) on the badges</translation>
    </message>
    <message>
        <source>clock_settings</source>
        <translation>Clock: analog or digital, date and time formats, colors</translation>
    </message>
    <message>
        <source>mouse_cursor_indicator_settings</source>
        <translation>Pointer badge: size, offset and opacity</translation>
    </message>
    <message>
        <source>copyright</source>
        <translation>© 2026 The Mirevo developers</translation>
    </message>
    <message>
        <source>license</source>
        <translation>Released under the MIT license</translation>
    </message>
    <message>
        <source>customize_hint</source>
        <translation>Open the settings from the tray icon to customize each display.</translation>
    </message>
    <message>
        <source>lang_english</source>
        <translation>English</translation>
    </message>
    <message>
        <source>lang_japanese</source>
        <translation>Japanese</translation>
    </message>
    <message>
        <source>lang_chinese_simplified</source>
        <translation>Chinese (Simplified)</translation>
    </message>
    <message>
        <source>lang_chinese_traditional</source>
        <translation>Chinese (Traditional)</translation>
    </message>
    <message>
        <source>lang_korean</source>
        <translation>Korean</translation>
    </message>
    <message>
        <source>lang_thai</source>
        <translation>Thai</translation>
    </message>
    <message>
        <source>lang_vietnamese</source>
        <translation>Vietnamese</translation>
    </message>
    <message>
        <source>lang_arabic</source>
        <translation>Arabic</translation>
    </message>
    <message>
        <source>lang_hebrew</source>
        <translation>Hebrew</translation>
    </message>
    <message>
        <source>lang_hindi</source>
        <translation>Hindi</translation>
    </message>
    <message>
        <source>lang_russian</source>
        <translation>Russian</translation>
    </message>
    <message>
        <source>lang_greek</source>
        <translation>Greek</translation>
    </message>
    <message>
        <source>lang_mongolian</source>
        <translation>Mongolian</translation>
    </message>
    <message>
        <source>lang_myanmar</source>
        <translation>Myanmar (Burmese)</translation>
    </message>
    <message>
        <source>lang_khmer</source>
        <translation>Khmer</translation>
    </message>
    <message>
        <source>lang_lao</source>
        <translation>Lao</translation>
    </message>
    <message>
        <source>lang_bengali</source>
        <translation>Bengali</translation>
    </message>
    <message>
        <source>lang_tamil</source>
        <translation>Tamil</translation>
    </message>
    <message>
        <source>lang_telugu</source>
        <translation>Telugu</translation>
    </message>
    <message>
        <source>lang_nepali</source>
        <translation>Nepali</translation>
    </message>
    <message>
        <source>lang_sinhala</source>
        <translation>Sinhala</translation>
    </message>
    <message>
        <source>lang_persian</source>
        <translation>Persian</translation>
    </message>
    <message>
        <source>lang_ukrainian</source>
        <translation>Ukrainian</translation>
    </message>
    <message>
        <source>lang_other</source>
        <translation>Other</translation>
    </message>
</context>
</TS>
