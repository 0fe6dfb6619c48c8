// The page's words. Japanese is the source language; translations/gradation_en.ts holds
// the English (tools/update_translations reads this file), and where a window says the
// same thing the page uses the window's own entry, so both read alike. The build turns
// the file's English into the dictionary qsTranslate reads (words_en.js).

var pageEnglish = null;  // set when the browser prefers English

function qsTranslate(context, source) {
    var english = pageEnglish && pageEnglish[context + "\u0004" + source];
    return english || source;
}

// A window caption without its access key: "名前(&N)" reads 名前, "&Name" reads Name.
function caption(text) {
    return text.replace(/\(&.\)$/, "").replace(/&(.)/g, "$1");
}

function pageWords() {
    return {
        title: qsTranslate("WebPage", "グラデーション文字"),
        tagline: qsTranslate("WebPage", "文字ごとに色を変えたタグを作ります。"),
        text: qsTranslate("WebPage", "テキスト"),
        sample: qsTranslate("WebPage", "グラデーションで文字に色を付けます"),
        setting: qsTranslate("WebPage", "設定"),
        format: caption(qsTranslate("SettingPreview", "形式(&M)")),
        merge: qsTranslate("WebPage", "同じ色をまとめる"),
        plainBlanks: qsTranslate("WebPage", "空白に色を付けない"),
        lengthLimit: qsTranslate("SettingPreview", "長さの上限"),
        limitUnit: qsTranslate("WebPage", "上限の単位"),
        characters: qsTranslate("WebPage", "文字数"),
        bytes: qsTranslate("WebPage", "バイト数"),
        preview: qsTranslate("SettingsEditor", "プレビュー"),
        markup: qsTranslate("SettingPreview", "タグ"),
        copyMarkup: caption(qsTranslate("SettingPreview", "タグをコピー(&Y)")),
        copied: qsTranslate("WebPage", "タグをコピーしました。"),
        notCopied: qsTranslate("WebPage", "コピーできませんでした。タグの欄から選んでコピーしてください。"),
        openFile: qsTranslate("WebPage", "QX.ini を開く"),
        saveFile: qsTranslate("WebPage", "QX.ini を保存"),
        shipped: qsTranslate("WebPage", "最初の設定に戻す"),
        add: caption(qsTranslate("SettingsEditor", "追加(&A)")),
        theSetting: qsTranslate("WebPage", "設定の中身"),
        name: caption(qsTranslate("SettingForm", "名前(&N)")),
        startColour: caption(qsTranslate("SettingForm", "開始色(&C)")),
        endColour: caption(qsTranslate("SettingForm", "終了色(&E)")),
        gradient: caption(qsTranslate("SettingForm", "グラデーション(&G)")),
        gradientHelp: qsTranslate("GradientBar", "クリック (Insert) で色を追加、印のクリック (←→) で選択、ドラッグで移動、Delete で削除"),
        stopColour: qsTranslate("SettingForm", "色"),
        stopPosition: qsTranslate("SettingForm", "選んだ色の位置"),
        colourSpace: caption(qsTranslate("SettingForm", "色空間(&K)")),
        stops: qsTranslate("WebPage", "カラーストップ"),
        underline: caption(qsTranslate("SettingForm", "下線(&U)")),
        italic: caption(qsTranslate("SettingForm", "斜体(&I)")),
        bold: caption(qsTranslate("SettingForm", "太字(&B)")),
        size: qsTranslate("SettingForm", "大きさ"),
        sizeMode: caption(qsTranslate("SettingForm", "指定(&Z)")),
        sizeModes: [qsTranslate("SettingForm", "なし (ページの大きさ)"), qsTranslate("SettingForm", "絶対"),
                    qsTranslate("SettingForm", "相対")],
        sign: qsTranslate("SettingForm", "符号"),
        value: qsTranslate("SettingForm", "値"),
        wave: caption(qsTranslate("SettingForm", "大きさを波打たせる(&W)")),
        waves: [qsTranslate("SettingForm", "谷"), qsTranslate("SettingForm", "山"),
                qsTranslate("SettingForm", "下り"), qsTranslate("SettingForm", "上り")],
        table: qsTranslate("SettingForm", "表"),
        tableWrap: caption(qsTranslate("SettingForm", "表で囲む(&T)")),
        border: qsTranslate("SettingForm", "枠の太さ"),
        vertical: caption(qsTranslate("SettingForm", "縦書き (表で囲むとき)(&V)")),
        around: qsTranslate("SettingForm", "前後とタグ"),
        startMark: qsTranslate("SettingForm", "開始マーク <!--start-->"),
        endMark: qsTranslate("SettingForm", "終了マーク <!--end-->"),
        breakAfter: qsTranslate("SettingForm", "後に <BR>"),
        separate: qsTranslate("SettingForm", "分離 (色と大きさを別のタグに)"),
        other: qsTranslate("SettingForm", "その他 (%1)"),
        // What the window's tooltip says of the markup.
        length: qsTranslate("MarkupNote", "長さ %1"),
        fitLength: qsTranslate("MarkupNote", "長さ %1 / %2%3%4"),
        tooLong: qsTranslate("MarkupNote", "上限 %1%2 に収まりません: 最短でも %3%2"),
        byteUnit: qsTranslate("MarkupNote", " バイト"),
        merged: qsTranslate("MarkupNote", "まとめ"),
        blanksPlain: qsTranslate("MarkupNote", "空白は色なし"),
        perColour: qsTranslate("MarkupNote", "%1 文字ごとに 1 色"),
        leftOutPrefix: qsTranslate("MarkupNote", "この形式では省きます: "),
        // What the user is told of the text's own characters, in core's order of notes.
        textNotes: [qsTranslate("MarkupNote", "注意: 文字列の § (%1 個) はゲームのコード記号で、この形式ではエスケープできません"),
                    qsTranslate("MarkupNote", "注意: 文字列の & (%1 個) はプラグインのコード記号で、この形式ではエスケープできません"),
                    qsTranslate("MarkupNote", "注意: 文字列の制御文字 (%1 個) は記号で書きます (ESC は ␛)")],
        cannotFit: qsTranslate("SettingPreview", "(上限に収まりません)"),
        textTooLong: qsTranslate("WebPage", "テキストが長すぎます (%1 単位、変換できるのは 32767 単位まで)"),
        notUsable: qsTranslate("SettingsEditor", "使えません: %1"),
        cannotRead: qsTranslate("SettingsEditor", "読めません: %1"),
        notSaved: qsTranslate("WebPage", "この変更は設定に残せません: %1"),
        opened: qsTranslate("WebPage", "%1 を開きました (%2 個の設定)。"),
        kept: qsTranslate("WebPage", "設定はこのブラウザーに保存されます。"),
        offline: qsTranslate("WebPage", "一度開けば、ネットにつながっていなくても使えます。")
    };
}
