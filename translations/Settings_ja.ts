<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>Settings</name>
    <message>
        <source>settings.window_title</source>
        <translation>Mirevo 設定</translation>
    </message>
    <message>
        <source>tab.ime_indicator</source>
        <translation>IME インジケーター</translation>
    </message>
    <message>
        <source>tab.clock</source>
        <translation>時計</translation>
    </message>
    <message>
        <source>tab.mouse_cursor</source>
        <translation>ポインターバッジ</translation>
    </message>
    <message>
        <source>tab.about</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>font.not_installed %1 %2</source>
        <translation>%1（未導入、%2 を使用）</translation>
    </message>
</context>
</TS>
