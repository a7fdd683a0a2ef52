<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Localizable</name>
    <message>
        <source>menu.about_app</source>
        <translation>About Mirevo</translation>
    </message>
    <message>
        <source>menu.show_ime_indicator</source>
        <translation>Show IME Indicator</translation>
    </message>
    <message>
        <source>menu.show_clock</source>
        <translation>Show Clock</translation>
    </message>
    <message>
        <source>menu.show_mouse_cursor_indicator</source>
        <translation>Show Pointer Badge</translation>
    </message>
    <message>
        <source>menu.settings</source>
        <translation>Settings…</translation>
    </message>
    <message>
        <source>menu.check_accessibility</source>
        <translation>Check Accessibility Permission</translation>
    </message>
    <message>
        <source>menu.quit</source>
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
        <translation>Accessibility permission needed</translation>
    </message>
    <message>
        <source>alert.accessibility.message</source>
        <translation>Mirevo follows the mouse pointer and the active input source more reliably with accessibility access. You can grant it in the system's privacy settings.</translation>
    </message>
    <message>
        <source>alert.accessibility.open_settings</source>
        <translation>Open Settings</translation>
    </message>
    <message>
        <source>alert.accessibility.continue</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>alert.accessibility.dont_show</source>
        <translation>Don't Show Again</translation>
    </message>
    <message>
        <source>alert.accessibility.enabled.title</source>
        <translation>Accessibility permission is granted</translation>
    </message>
    <message>
        <source>alert.accessibility.enabled.message</source>
        <translation>Mirevo has everything it needs.</translation>
    </message>
    <message>
        <source>alert.accessibility.disabled.title</source>
        <translation>Accessibility permission is missing</translation>
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
        <translation>X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
</context>
</TS>
