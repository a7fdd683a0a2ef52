<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>MouseCursorIndicator</name>
    <message>
        <source>title</source>
        <extracomment>title</extracomment>
        <translation>Pointer Badge</translation>
    </message>
    <message>
        <source>basic</source>
        <extracomment>heading</extracomment>
        <translation>Basic</translation>
    </message>
    <message>
        <source>show_indicator</source>
        <translation>&amp;Show the badge next to the pointer</translation>
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
        <extracomment>heading</extracomment>
        <translation>Size and Position</translation>
    </message>
    <message>
        <source>size</source>
        <translation>Si&amp;ze</translation>
    </message>
    <message>
        <source>size_small</source>
        <extracomment>button</extracomment>
        <translation>Small</translation>
    </message>
    <message>
        <source>size_medium</source>
        <extracomment>button</extracomment>
        <translation>Medium</translation>
    </message>
    <message>
        <source>size_large</source>
        <extracomment>button</extracomment>
        <translation>Large</translation>
    </message>
    <message>
        <source>offset</source>
        <extracomment>heading</extracomment>
        <translation>Offset from the Pointer</translation>
    </message>
    <message>
        <source>appearance</source>
        <extracomment>heading</extracomment>
        <translation>Appearance</translation>
    </message>
    <message>
        <source>opacity</source>
        <translation>&amp;Opacity</translation>
    </message>
    <message>
        <source>reset</source>
        <extracomment>button</extracomment>
        <translation>&amp;Reset to Defaults</translation>
    </message>
</context>
</TS>
