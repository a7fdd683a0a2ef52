<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Settings</name>
    <message>
        <source>settings.window_title</source>
        <extracomment>title</extracomment>
        <translation>Mirevo Settings</translation>
    </message>
    <message>
        <source>tab.ime_indicator</source>
        <extracomment>tab</extracomment>
        <translation>IME Indicator</translation>
    </message>
    <message>
        <source>tab.clock</source>
        <extracomment>tab</extracomment>
        <translation>Clock</translation>
    </message>
    <message>
        <source>tab.mouse_cursor</source>
        <extracomment>tab</extracomment>
        <translation>Pointer Badge</translation>
    </message>
    <message>
        <source>tab.about</source>
        <extracomment>tab</extracomment>
        <translation>About</translation>
    </message>
    <message>
        <source>font.not_installed %1 %2</source>
        <translation>%1 (not installed, %2 used)</translation>
    </message>
</context>
</TS>
