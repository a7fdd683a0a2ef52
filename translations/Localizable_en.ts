<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Localizable</name>
    <message>
        <source>menu.about_app</source>
        <extracomment>menu</extracomment>
        <translation>About Mirevo</translation>
    </message>
    <message>
        <source>menu.show_ime_indicator</source>
        <extracomment>menu</extracomment>
        <translation>Show IME Indicator</translation>
    </message>
    <message>
        <source>menu.show_clock</source>
        <extracomment>menu</extracomment>
        <translation>Show Clock</translation>
    </message>
    <message>
        <source>menu.show_mouse_cursor_indicator</source>
        <extracomment>menu</extracomment>
        <translation>Show Pointer Badge</translation>
    </message>
    <message>
        <source>menu.settings</source>
        <extracomment>menu</extracomment>
        <translation>Settings…</translation>
    </message>
    <message>
        <source>menu.check_accessibility</source>
        <extracomment>menu</extracomment>
        <translation>Check Accessibility Permission</translation>
    </message>
    <message>
        <source>menu.quit</source>
        <extracomment>menu</extracomment>
        <translation>Quit Mirevo</translation>
    </message>
    <message>
        <source>menu.status_prefix</source>
        <translation>Input: </translation>
    </message>
    <message>
        <source>menu.status_english</source>
        <translation>Input: English</translation>
    </message>
    <message>
        <source>menu.status_japanese</source>
        <translation>Input: Input method</translation>
    </message>
    <message>
        <source>alert.accessibility.title</source>
        <extracomment>heading</extracomment>
        <translation>Accessibility Permission Needed</translation>
    </message>
    <message>
        <source>alert.accessibility.message</source>
        <translation>Mirevo follows the mouse pointer and the active input source more reliably with accessibility access. You can grant it in the system's privacy settings.</translation>
    </message>
    <message>
        <source>alert.accessibility.open_settings</source>
        <extracomment>button</extracomment>
        <translation>&amp;Open Settings</translation>
    </message>
    <message>
        <source>alert.accessibility.continue</source>
        <extracomment>button</extracomment>
        <translation>&amp;Continue</translation>
    </message>
    <message>
        <source>alert.accessibility.dont_show</source>
        <extracomment>button</extracomment>
        <translation>&amp;Don't Show Again</translation>
    </message>
    <message>
        <source>alert.accessibility.enabled.title</source>
        <extracomment>heading</extracomment>
        <translation>Accessibility Permission Granted</translation>
    </message>
    <message>
        <source>alert.accessibility.enabled.message</source>
        <translation>Mirevo has everything it needs.</translation>
    </message>
    <message>
        <source>alert.accessibility.disabled.title</source>
        <extracomment>heading</extracomment>
        <translation>Accessibility Permission Missing</translation>
    </message>
    <message>
        <source>alert.accessibility.disabled.message</source>
        <translation>Grant Mirevo accessibility access in the system's privacy settings.</translation>
    </message>
    <message>
        <source>%lld px</source>
        <translation>%lld px</translation>
    </message>
    <message>
        <source>%lld%</source>
        <translation>%lld%</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>&amp;X</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>&amp;Y</translation>
    </message>
</context>
</TS>
