// The preview of markup as its destination shows it, drawn as the settings editor draws
// it: HTML as it is, BBCode as the HTML a forum makes of it, and the game and terminal
// dialects as coloured text on a dark background. Runs in the worker.
var previewBody = (function () {
    "use strict";

    function escapeHtml(text) {
        return text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;").replace(/"/g, "&quot;");
    }

    function plainLook() { return {colour: "#ffffff", bold: false, italic: false, underline: false}; }

    function sameLook(a, b) {
        return a.colour === b.colour && a.bold === b.bold && a.italic === b.italic && a.underline === b.underline;
    }

    function span(look, text) {
        var style = "color:" + look.colour;
        if (look.bold) style += ";font-weight:bold";
        if (look.italic) style += ";font-style:italic";
        if (look.underline) style += ";text-decoration:underline";
        return '<span style="' + style + '">' + escapeHtml(text).replace(/\r?\n/g, "<br>") + "</span>";
    }

    function hex(n) { return (n & 0xFF).toString(16).padStart(2, "0"); }

    // xterm's 256 colours: the 6x6x6 cube and the grey ramp (the first 16 vary by terminal).
    function xtermColour(n) {
        if (n >= 232) return "#" + hex(8 + 10 * (n - 232)).repeat(3);
        if (n < 16) return "#c0c0c0";
        var levels = [0, 95, 135, 175, 215, 255];
        var c = n - 16;
        return "#" + hex(levels[Math.floor(c / 36)]) + hex(levels[Math.floor(c / 6) % 6]) + hex(levels[c % 6]);
    }

    function applySgr(look, parameters) {
        var p = parameters.split(";");
        for (var i = 0; i < p.length; ++i) {
            var code = Number(p[i]) || 0;
            if (code === 0) Object.assign(look, plainLook());
            if (code === 1) look.bold = true;
            if (code === 3) look.italic = true;
            if (code === 4) look.underline = true;
            if (code === 38 && i + 4 < p.length && p[i + 1] === "2") {
                look.colour = "#" + hex(+p[i + 2]) + hex(+p[i + 3]) + hex(+p[i + 4]);
                i += 4;
            } else if (code === 38 && i + 2 < p.length && p[i + 1] === "5") {
                look.colour = xtermColour(+p[i + 2]);
                i += 2;
            }
        }
    }

    var codes = {
        ampersand: /&#([0-9a-fA-F]{6})|&([lonmkr])/y,
        section: /\u00a7x((?:\u00a7[0-9a-fA-F]){6})|\u00a7([lonmkr])/y,
        minimessage: /<#([0-9a-fA-F]{6})>|<(\/?)([biu])>|\\(<)/y,
        sgr: /\x1b\[([0-9;]*)m/y
    };

    // One code at `at`: how many units it takes (0 for none), changing `look`; an escaped
    // character comes back as `escaped`.
    function readCode(kind, markup, at, look) {
        var code = codes[kind];
        code.lastIndex = at;
        var m = code.exec(markup);
        if (!m) return {taken: 0, escaped: ""};
        if (kind === "sgr") {
            applySgr(look, m[1]);
        } else if (kind === "minimessage") {
            if (m[1]) look.colour = "#" + m[1].toLowerCase();
            if (m[3] === "b") look.bold = !m[2];
            if (m[3] === "i") look.italic = !m[2];
            if (m[3] === "u") look.underline = !m[2];
            return {taken: m[0].length, escaped: m[4] || ""};
        } else if (m[1]) {
            Object.assign(look, plainLook());  // a colour code resets the formats in the game
            look.colour = "#" + m[1].replace(/\u00a7/g, "").toLowerCase();
        } else {
            if (m[2] === "r") Object.assign(look, plainLook());
            look.bold = look.bold || m[2] === "l";
            look.italic = look.italic || m[2] === "o";
            look.underline = look.underline || m[2] === "n";
        }
        return {taken: m[0].length, escaped: ""};
    }

    function codedText(kind, markup) {
        var body = "", run = "", look = plainLook(), runLook = plainLook();
        for (var at = 0; at < markup.length;) {
            var next = Object.assign({}, look);
            var code = readCode(kind, markup, at, next);
            if (code.taken > 0 && !code.escaped) {
                look = next;
                at += code.taken;
                continue;
            }
            if (run && !sameLook(runLook, look)) {
                body += span(runLook, run);
                run = "";
            }
            runLook = look;
            run += code.taken > 0 ? code.escaped : markup[at];
            at += code.taken > 0 ? code.taken : 1;
        }
        return body + (run ? span(runLook, run) : "");
    }

    function jsonText(markup) {
        var parts;
        try { parts = JSON.parse(markup); } catch (e) { parts = []; }
        return (Array.isArray(parts) ? parts : []).map(function (o) {
            var look = plainLook();
            if (typeof o.color === "string") look.colour = o.color;
            look.bold = o.bold === true;
            look.italic = o.italic === true;
            look.underline = o.underlined === true;
            return span(look, String(o.text || ""));
        }).join("");
    }

    // A forum turns its tags into HTML much like this.
    function bbcodeHtml(markup) {
        return escapeHtml(markup)
            .replace(/\[color=(#[0-9a-fA-F]{6})\]/g, '<font color="$1">').replace(/\[\/color\]/g, "</font>")
            .replace(/\[size=(\d)\]/g, '<font size="$1">').replace(/\[\/size\]/g, "</font>")
            .replace(/\[(\/?)([biu])\]/g, "<$1$2>").replace(/\n/g, "<br>");
    }

    // The preview document's body for `markup` of a dialect whose preview is `kind`.
    return function (kind, markup) {
        if (kind === "html") return {dark: false, body: markup};
        if (kind === "bbcode") return {dark: false, body: bbcodeHtml(markup)};
        if (kind === "json") return {dark: true, body: jsonText(markup)};
        if (codes[kind]) return {dark: true, body: codedText(kind, markup)};
        return {dark: true, body: span(plainLook(), markup)};
    };
})();
