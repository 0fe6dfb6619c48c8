<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>ColourField</name>
    <message>
        <source>色を選ぶ</source>
        <translation>Choose a colour</translation>
    </message>
    <message>
        <source>#RRGGBB (例: #FF8000)</source>
        <translation>#RRGGBB (e.g. #FF8000)</translation>
    </message>
    <message>
        <source>0〜255 の外の値です。変えなければそのまま残ります。</source>
        <translation>A value outside 0 to 255. It stays as it is unless you change it.</translation>
    </message>
</context>
<context>
    <name>GradientBar</name>
    <message>
        <source>クリック (Insert) で色を追加、印のクリック (←→) で選択、ドラッグで移動、Delete で削除</source>
        <translation>Click (Insert) to add a colour, click a mark (← →) to select it, drag to move it, Delete to remove it</translation>
    </message>
</context>
<context>
    <name>LimitField</name>
    <message>
        <source>上限なし</source>
        <translation>No limit</translation>
    </message>
</context>
<context>
    <name>MarkupNote</name>
    <message>
        <source>文字の大きさ</source>
        <translation>text size</translation>
    </message>
    <message>
        <source>表</source>
        <translation>table</translation>
    </message>
    <message>
        <source>開始マーカー</source>
        <translation>start marker</translation>
    </message>
    <message>
        <source>終了マーカー</source>
        <translation>end marker</translation>
    </message>
    <message>
        <source>色と大きさの分離</source>
        <translation>separate colour and size tags</translation>
    </message>
    <message>
        <source> バイト</source>
        <translation> bytes</translation>
    </message>
    <message>
        <source>上限 %1%2 に収まりません: 最短でも %3%2</source>
        <translation>Does not fit the limit of %1%2: %3%2 at the shortest</translation>
    </message>
    <message>
        <source>まとめ</source>
        <translation>merged</translation>
    </message>
    <message>
        <source>空白は色なし</source>
        <translation>blanks uncoloured</translation>
    </message>
    <message>
        <source>%1 文字ごとに 1 色</source>
        <translation>one colour per %1 characters</translation>
    </message>
    <message>
        <source>長さ %1 / %2%3%4</source>
        <translation>Length %1 / %2%3%4</translation>
    </message>
    <message>
        <source>UTF-8 バイト</source>
        <translation>UTF-8 bytes</translation>
    </message>
    <message>
        <source>UTF-16 単位</source>
        <translation>UTF-16 units</translation>
    </message>
    <message>
        <source>長さ %1</source>
        <translation>Length %1</translation>
    </message>
    <message>
        <source>この形式では省きます: </source>
        <translation>Left out in this format: </translation>
    </message>
    <message>
        <source>ウェブチャット向けの HTML の FONT タグ (これまでの形式)</source>
        <translation>HTML font tags for web chat rooms (the classic markup)</translation>
    </message>
    <message>
        <source>新しい HTML: CSS で色を付けた span 要素</source>
        <translation>modern HTML: span elements with CSS colours</translation>
    </message>
    <message>
        <source>掲示板: [color] と [size] のタグ</source>
        <translation>forums: [color] and [size] tags</translation>
    </message>
    <message>
        <source>Minecraft のチャットとプラグイン: &amp;#rrggbb のコード</source>
        <translation>Minecraft chat and plugins: &amp;#rrggbb codes</translation>
    </message>
    <message>
        <source>Minecraft: § のコード (§x)</source>
        <translation>Minecraft: section-sign codes (§x)</translation>
    </message>
    <message>
        <source>MiniMessage を使う Minecraft サーバー: &lt;#rrggbb&gt; のタグ</source>
        <translation>Minecraft servers with MiniMessage: &lt;#rrggbb&gt; tags</translation>
    </message>
    <message>
        <source>Minecraft の JSON テキスト (/tellraw、看板、本)</source>
        <translation>Minecraft JSON text components (/tellraw, signs, books)</translation>
    </message>
    <message>
        <source>24 ビットカラーの端末</source>
        <translation>terminals with 24-bit colour</translation>
    </message>
    <message>
        <source>256 色の端末</source>
        <translation>terminals with 256 colours</translation>
    </message>
    <message>
        <source>注意: 文字列の § (%1 個) はゲームのコード記号で、この形式ではエスケープできません</source>
        <translation>Note: the text holds § (%1), the game&apos;s code sign, which this format cannot escape</translation>
    </message>
    <message>
        <source>注意: 文字列の &amp; (%1 個) はプラグインのコード記号で、この形式ではエスケープできません</source>
        <translation>Note: the text holds &amp; (%1), the code sign of Minecraft plugins, which this format cannot escape</translation>
    </message>
    <message>
        <source>注意: 文字列の制御文字 (%1 個) は記号で書きます (ESC は ␛)</source>
        <translation>Note: the text&apos;s control characters (%1) are written as symbols (ESC as ␛)</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>italic</translation>
    </message>
    <message>
        <source>IRC: mIRC の色コード (99 色)</source>
        <translation>IRC: mIRC colour codes, 99 colours</translation>
    </message>
    <message>
        <source>Discord: 色付きの ansi コードブロック (8 色)</source>
        <translation>Discord: a coloured ansi code block, 8 colours</translation>
    </message>
</context>
<context>
    <name>SettingForm</name>
    <message>
        <source>開始色</source>
        <translation>Start colour</translation>
    </message>
    <message>
        <source>終了色</source>
        <translation>End colour</translation>
    </message>
    <message>
        <source>下線(&amp;U)</source>
        <translation>&amp;Underline</translation>
    </message>
    <message>
        <source>斜体(&amp;I)</source>
        <translation>&amp;Italic</translation>
    </message>
    <message>
        <source>太字(&amp;B)</source>
        <translation>&amp;Bold</translation>
    </message>
    <message>
        <source>名前(&amp;N)</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>開始色(&amp;C)</source>
        <translation>Start &amp;colour</translation>
    </message>
    <message>
        <source>終了色(&amp;E)</source>
        <translation>&amp;End colour</translation>
    </message>
    <message>
        <source>グラデーション(&amp;G)</source>
        <translation>&amp;Gradient</translation>
    </message>
    <message>
        <source>文字</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>なし (ページの大きさ)</source>
        <translation>None (the page&apos;s size)</translation>
    </message>
    <message>
        <source>絶対</source>
        <translation>Absolute</translation>
    </message>
    <message>
        <source>相対</source>
        <translation>Relative</translation>
    </message>
    <message>
        <source>大きさを波打たせる(&amp;W)</source>
        <translation>&amp;Wave the size</translation>
    </message>
    <message>
        <source>谷</source>
        <translation>Valley</translation>
    </message>
    <message>
        <source>山</source>
        <translation>Hill</translation>
    </message>
    <message>
        <source>下り</source>
        <translation>Falling</translation>
    </message>
    <message>
        <source>上り</source>
        <translation>Rising</translation>
    </message>
    <message>
        <source>メイン画面に出る絵</source>
        <translation>The picture the main window shows</translation>
    </message>
    <message>
        <source>大きさ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>指定(&amp;Z)</source>
        <translation>Si&amp;ze</translation>
    </message>
    <message>
        <source>符号</source>
        <translation>Sign</translation>
    </message>
    <message>
        <source>値</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>表で囲む(&amp;T)</source>
        <translation>Wrap in a &amp;table</translation>
    </message>
    <message>
        <source>縦書き (表で囲むとき)(&amp;V)</source>
        <translation>&amp;Vertical (in a table)</translation>
    </message>
    <message>
        <source>表</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>枠の太さ</source>
        <translation>Border width</translation>
    </message>
    <message>
        <source>開始マーク &lt;!--start--&gt;</source>
        <translation>Start mark &lt;!--start--&gt;</translation>
    </message>
    <message>
        <source>終了マーク &lt;!--end--&gt;</source>
        <translation>End mark &lt;!--end--&gt;</translation>
    </message>
    <message>
        <source>後に &lt;BR&gt;</source>
        <translation>&lt;BR&gt; after</translation>
    </message>
    <message>
        <source>分離 (色と大きさを別のタグに)</source>
        <translation>Split (colour and size in separate tags)</translation>
    </message>
    <message>
        <source>前後とタグ</source>
        <translation>Around and tags</translation>
    </message>
    <message>
        <source>選んだ色の位置</source>
        <translation>The selected colour&apos;s position</translation>
    </message>
    <message>
        <source>色</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>選んだ色を変える</source>
        <translation>Change the selected colour</translation>
    </message>
    <message>
        <source>色空間(&amp;K)</source>
        <translation>C&amp;olour space</translation>
    </message>
    <message>
        <source>グラデーションの色</source>
        <translation>Gradient colour</translation>
    </message>
    <message>
        <source>その他 (%1)</source>
        <translation>Other (%1)</translation>
    </message>
    <message>
        <source>RGB の値を一段ずつ変えます (これまでどおりの色)。</source>
        <translation>Steps the RGB values one by one (the colours as before).</translation>
    </message>
    <message>
        <source>光の強さで混ぜます。中ほどが明るめになります。</source>
        <translation>Mixes by light intensity; the middle is brighter.</translation>
    </message>
    <message>
        <source>目に均等に見えるように混ぜます。中ほどがくすみません。</source>
        <translation>Mixes evenly to the eye; the middle does not turn dull.</translation>
    </message>
    <message>
        <source>明るさ・鮮やかさ・色相で混ぜ、色相は近い向きに回ります。</source>
        <translation>Mixes lightness, chroma and hue; the hue turns the short way.</translation>
    </message>
    <message>
        <source>色相を遠い向きに回します (虹のように)。</source>
        <translation>Turns the hue the long way (like a rainbow).</translation>
    </message>
</context>
<context>
    <name>SettingPreview</name>
    <message>
        <source>見本の文字列</source>
        <translation>Sample text</translation>
    </message>
    <message>
        <source>見本(&amp;P)</source>
        <translation>Sam&amp;ple</translation>
    </message>
    <message>
        <source>タグをコピー(&amp;Y)</source>
        <translation>Cop&amp;y markup</translation>
    </message>
    <message>
        <source>形式(&amp;M)</source>
        <translation>For&amp;mat</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Shown</translation>
    </message>
    <message>
        <source>タグ</source>
        <translation>Markup</translation>
    </message>
    <message>
        <source>長さの上限</source>
        <translation>Length limit</translation>
    </message>
    <message>
        <source>(見本の文字列を入れてください)</source>
        <translation>(enter a sample text)</translation>
    </message>
    <message>
        <source>(見本が長すぎます)</source>
        <translation>(the sample is too long)</translation>
    </message>
    <message>
        <source>(上限に収まりません)</source>
        <translation>(does not fit the limit)</translation>
    </message>
    <message>
        <source>%1 文字 / %2 バイト (UTF-8)</source>
        <translation>%1 characters / %2 bytes (UTF-8)</translation>
    </message>
</context>
<context>
    <name>SettingsEditor</name>
    <message>
        <source>プレビュー</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>設定の一覧(&amp;L)</source>
        <translation>Settings &amp;list</translation>
    </message>
    <message>
        <source>追加(&amp;A)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>複製(&amp;D)</source>
        <translation>&amp;Duplicate</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>↑ 上へ</source>
        <translation>↑ Up</translation>
    </message>
    <message>
        <source>↓ 下へ</source>
        <translation>↓ Down</translation>
    </message>
    <message>
        <source>読み直す(&amp;R)</source>
        <translation>&amp;Reload</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>一覧に出ません: %1</source>
        <translation>Not listed: %1</translation>
    </message>
    <message>
        <source>使えません: %1</source>
        <translation>Not usable: %1</translation>
    </message>
    <message>
        <source>gradation では: %1</source>
        <translation>In gradation: %1</translation>
    </message>
    <message>
        <source>この行は読めないので、gradation では使えません: %1</source>
        <translation>gradation cannot read this line, so it cannot use it: %1</translation>
    </message>
    <message>
        <source>この変更はファイルに書けません: %1</source>
        <translation>This change cannot be written to the file: %1</translation>
    </message>
    <message>
        <source>先にこの設定を直してください: %1</source>
        <translation>Correct this setting first: %1</translation>
    </message>
    <message>
        <source>追加できません</source>
        <translation>Cannot add</translation>
    </message>
    <message>
        <source>一覧の最後に追加しました。</source>
        <translation>Added at the end of the list.</translation>
    </message>
    <message>
        <source>複製できません</source>
        <translation>Cannot duplicate</translation>
    </message>
    <message>
        <source>一覧の最後に複製しました。</source>
        <translation>Duplicated at the end of the list.</translation>
    </message>
    <message>
        <source>一覧の最後に複製しましたが、グラデーションは複製できませんでした。</source>
        <translation>Duplicated at the end of the list, but its gradient could not be copied.</translation>
    </message>
    <message>
        <source>削除できません</source>
        <translation>Cannot delete</translation>
    </message>
    <message>
        <source>削除しました。</source>
        <translation>Deleted.</translation>
    </message>
    <message>
        <source>移せません</source>
        <translation>Cannot move</translation>
    </message>
    <message>
        <source>この設定の [Gradient] の色は、設定行の開始色・終了色と合わないため使われていません。</source>
        <translation>This setting&apos;s [Gradient] colours are not used: they do not match the line&apos;s start and end colours.</translation>
    </message>
    <message>
        <source>グラデーションを捨てる</source>
        <translation>Drop the gradient</translation>
    </message>
    <message>
        <source>両端を設定行の色にして使う</source>
        <translation>Use it with the line&apos;s colours at both ends</translation>
    </message>
    <message>
        <source>[Gradient] の行が読めないので、2 色で表示しています: %1</source>
        <translation>The [Gradient] line cannot be read, so two colours are shown: %1</translation>
    </message>
    <message>
        <source>捨てられません</source>
        <translation>Cannot drop</translation>
    </message>
    <message>
        <source>[Gradient] の行を捨てました。</source>
        <translation>The [Gradient] line was dropped.</translation>
    </message>
    <message>
        <source>直せません</source>
        <translation>Cannot repair</translation>
    </message>
    <message>
        <source>[Gradient] の両端を設定行の色にしました。</source>
        <translation>The [Gradient] ends now have the line&apos;s colours.</translation>
    </message>
    <message>
        <source>ファイル: %1</source>
        <translation>File: %1</translation>
    </message>
    <message>
        <source>ファイル: %1 (最初の保存で %2 を写して作ります)</source>
        <translation>File: %1 (the first save creates it as a copy of %2)</translation>
    </message>
    <message>
        <source>読めません: %1</source>
        <translation>Cannot read: %1</translation>
    </message>
    <message>
        <source>保存できませんでした。変更はそのまま残っています: %1</source>
        <translation>Not saved. Your changes are kept: %1</translation>
    </message>
    <message>
        <source>%1 は読んだ後にほかで変更されています。
読み直す: ここでの変更を捨てて、ファイルを読み直します。
上書き保存: ここでの内容で保存します。ほかでの変更は %2 に残ります。
キャンセル: 保存しません。ここでの変更は残ります。</source>
        <translation>%1 was changed elsewhere after it was read.
Reload: drop the changes made here and read the file again.
Overwrite: save what is here. The other change is kept in %2.
Cancel: do not save. The changes made here stay.</translation>
    </message>
    <message>
        <source>保存しました。gradation の一覧にもすぐ反映されます。</source>
        <translation>Saved. gradation&apos;s list shows it at once.</translation>
    </message>
    <message>
        <source>ほかでの変更は %1 に残っています。</source>
        <translation> The other change is kept in %1.</translation>
    </message>
    <message>
        <source>保存していない変更を捨てて、ファイルを読み直しますか?</source>
        <translation>Drop the unsaved changes and read the file again?</translation>
    </message>
    <message>
        <source>保存していない変更があります。保存しますか?</source>
        <translation>There are unsaved changes. Save them?</translation>
    </message>
    <message>
        <source>はい</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>保存しない</source>
        <translation>Don&apos;t save</translation>
    </message>
    <message>
        <source>読み直す</source>
        <translation>Reload</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>gradation 設定エディタ - %1[*]</source>
        <translation>gradation settings editor - %1[*]</translation>
    </message>
    <message>
        <source>新しい設定</source>
        <translation>New setting</translation>
    </message>
</context>
<context>
    <name>WebPage</name>
    <message>
        <source>グラデーション文字</source>
        <translation>Gradient text</translation>
    </message>
    <message>
        <source>文字ごとに色を変えたタグを作ります。</source>
        <translation>Makes markup that gives each character its own colour.</translation>
    </message>
    <message>
        <source>テキスト</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>同じ色をまとめる</source>
        <translation>Merge</translation>
    </message>
    <message>
        <source>空白に色を付けない</source>
        <translation>Plain blanks</translation>
    </message>
    <message>
        <source>上限の単位</source>
        <translation>Limit unit</translation>
    </message>
    <message>
        <source>文字数</source>
        <translation>characters</translation>
    </message>
    <message>
        <source>バイト数</source>
        <translation>bytes</translation>
    </message>
    <message>
        <source>タグをコピーしました。</source>
        <translation>The markup was copied.</translation>
    </message>
    <message>
        <source>コピーできませんでした。タグの欄から選んでコピーしてください。</source>
        <translation>Could not copy. Select the markup in its box and copy it.</translation>
    </message>
    <message>
        <source>QX.ini を開く</source>
        <translation>Open QX.ini</translation>
    </message>
    <message>
        <source>QX.ini を保存</source>
        <translation>Save QX.ini</translation>
    </message>
    <message>
        <source>最初の設定に戻す</source>
        <translation>Back to the shipped settings</translation>
    </message>
    <message>
        <source>設定の中身</source>
        <translation>The setting</translation>
    </message>
    <message>
        <source>カラーストップ</source>
        <translation>Stops</translation>
    </message>
    <message>
        <source>テキストが長すぎます (%1 単位、変換できるのは 32767 単位まで)</source>
        <translation>The text is too long (%1 units; at most 32767 units can be converted)</translation>
    </message>
    <message>
        <source>この変更は設定に残せません: %1</source>
        <translation>This change cannot be kept in the settings: %1</translation>
    </message>
    <message>
        <source>%1 を開きました (%2 個の設定)。</source>
        <translation>Opened %1 (%2 settings).</translation>
    </message>
    <message>
        <source>設定はこのブラウザーに保存されます。</source>
        <translation>Your settings are kept in this browser.</translation>
    </message>
    <message>
        <source>一度開けば、ネットにつながっていなくても使えます。</source>
        <translation>After one visit the page works without a network.</translation>
    </message>
    <message>
        <source>グラデーションで文字に色を付けます</source>
        <translation>Colour your text with a gradient</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>変換(&amp;X&amp;ｻ)</source>
        <translation>&amp;Convert</translation>
    </message>
    <message>
        <source>終了&amp;Q&amp;ﾀ)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>分離</source>
        <translation>Split</translation>
    </message>
    <message>
        <source>ファイル(&amp;F&amp;ﾊ)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>常に手前に表示</source>
        <translation>Always on &amp;top</translation>
    </message>
    <message>
        <source>終了(Q)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;V&amp;ﾋ)</source>
        <translation>&amp;Version</translation>
    </message>
    <message>
        <source>中止(&amp;X&amp;ｻ)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>設定を読み直しました</source>
        <translation>Settings reloaded</translation>
    </message>
    <message>
        <source>形式(&amp;M)</source>
        <translation>For&amp;mat</translation>
    </message>
    <message>
        <source>長さの上限(&amp;L)...</source>
        <translation>Length &amp;limit...</translation>
    </message>
    <message>
        <source>長さの上限</source>
        <translation>Length limit</translation>
    </message>
    <message>
        <source>変換したタグの長さの上限:</source>
        <translation>Longest markup a conversion may give:</translation>
    </message>
    <message>
        <source>UTF-16 は読めません</source>
        <translation>Cannot read UTF-16</translation>
    </message>
    <message>
        <source>設定なし</source>
        <translation>No settings</translation>
    </message>
    <message>
        <source>読めない設定</source>
        <translation>Unreadable setting</translation>
    </message>
    <message>
        <source> (UTF-8 か Shift-JIS で保存)</source>
        <translation> (save it as UTF-8 or Shift-JIS)</translation>
    </message>
    <message>
        <source>(設定がありません)</source>
        <translation>(no settings)</translation>
    </message>
    <message>
        <source>形式と長さの上限は次の起動まで残せません: %1</source>
        <translation>The format and length limit cannot be kept for the next start: %1</translation>
    </message>
</context>
<context>
    <name>frmVersion</name>
    <message>
        <source>バージョン情報</source>
        <translation>Version information</translation>
    </message>
    <message>
        <source>&amp;O&amp;ﾗK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
</TS>
