<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>MouseCursorIndicator</name>
    <message>
        <source>title</source>
        <translation>Pointer badge</translation>
    </message>
    <message>
        <source>basic</source>
        <translation>Basic</translation>
    </message>
    <message>
        <source>show_indicator</source>
        <translation>Show the badge next to the pointer</translation>
    </message>
    <message>
        <source>settings_note</source>
        <translation>The badge shows the current input source and lets clicks pass through. It uses the IME indicator's colors.</translation>
    </message>
    <message>
        <source>needs_x11</source>
        <translation>The pointer badge needs an X11 session: on Wayland, Mirevo cannot follow the pointer over other programs' windows, so the badge stays hidden.</translation>
    </message>
    <message>
        <source>size_position</source>
        <translation>Size and position</translation>
    </message>
    <message>
        <source>size</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>size_small</source>
        <translation>Small</translation>
    </message>
    <message>
        <source>size_medium</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>size_large</source>
        <translation>Large</translation>
    </message>
    <message>
        <source>offset</source>
        <translation>Offset from the pointer</translation>
    </message>
    <message>
        <source>appearance</source>
        <translation>Appearance</translation>
    </message>
    <message>
        <source>opacity</source>
        <translation>Opacity</translation>
    </message>
    <message>
        <source>reset</source>
        <translation>Reset to defaults</translation>
    </message>
</context>
</TS>
