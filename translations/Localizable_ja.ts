<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>Localizable</name>
    <message>
        <source>menu.about_app</source>
        <translation>Mirevo について</translation>
    </message>
    <message>
        <source>menu.show_ime_indicator</source>
        <translation>IME インジケーターを表示</translation>
    </message>
    <message>
        <source>menu.show_clock</source>
        <translation>時計を表示</translation>
    </message>
    <message>
        <source>menu.show_mouse_cursor_indicator</source>
        <translation>ポインターバッジを表示</translation>
    </message>
    <message>
        <source>menu.settings</source>
        <translation>設定…</translation>
    </message>
    <message>
        <source>menu.check_accessibility</source>
        <translation>アクセシビリティ権限を確認</translation>
    </message>
    <message>
        <source>menu.quit</source>
        <translation>Mirevo を終了</translation>
    </message>
    <message>
        <source>menu.status_prefix</source>
        <translation>入力: </translation>
    </message>
    <message>
        <source>menu.status_english</source>
        <translation>入力: 英語</translation>
    </message>
    <message>
        <source>menu.status_japanese</source>
        <translation>入力: インプットメソッド</translation>
    </message>
    <message>
        <source>alert.accessibility.title</source>
        <translation>アクセシビリティ権限が必要です</translation>
    </message>
    <message>
        <source>alert.accessibility.message</source>
        <translation>アクセシビリティへのアクセスを許可すると、Mirevo はマウスポインターと入力ソースをより確実に追跡できます。システムのプライバシー設定で許可できます。</translation>
    </message>
    <message>
        <source>alert.accessibility.open_settings</source>
        <translation>設定を開く(&amp;O)</translation>
    </message>
    <message>
        <source>alert.accessibility.continue</source>
        <translation>続ける(&amp;C)</translation>
    </message>
    <message>
        <source>alert.accessibility.dont_show</source>
        <translation>今後表示しない(&amp;D)</translation>
    </message>
    <message>
        <source>alert.accessibility.enabled.title</source>
        <translation>アクセシビリティ権限は許可されています</translation>
    </message>
    <message>
        <source>alert.accessibility.enabled.message</source>
        <translation>Mirevo に必要な権限はすべて揃っています。</translation>
    </message>
    <message>
        <source>alert.accessibility.disabled.title</source>
        <translation>アクセシビリティ権限がありません</translation>
    </message>
    <message>
        <source>alert.accessibility.disabled.message</source>
        <translation>システムのプライバシー設定で Mirevo にアクセシビリティへのアクセスを許可してください。</translation>
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
