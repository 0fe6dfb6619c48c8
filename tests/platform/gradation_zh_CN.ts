<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="ja">
<context>
    <name>frmMain</name>
    <message>
        <source>変換(&amp;X&amp;ｻ)</source>
        <translation>转换(&amp;X)</translation>
    </message>
    <message>
        <source>長さの上限</source>
        <translation>长度上限</translation>
    </message>
</context>
</TS>
