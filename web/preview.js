// The preview of markup as its destination shows it, drawn as the settings editor draws
// it: HTML as it is, BBCode as the HTML a forum makes of it, JSON text components, and
// the coded dialects as coloured text on a dark background, read back with the codes the
// dialect's row in the core lists. Runs in the worker.
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

    // A palette's entry, or the colour as it was for an index the palette lacks.
    function paletteColour(palette, n, otherwise) {
        return n >= 0 && n < palette.length ? palette[n].toLowerCase() : otherwise;
    }

    function applySgr(look, parameters, palette) {
        var p = parameters.split(";");
        for (var i = 0; i < p.length; ++i) {
            var code = Number(p[i]) || 0;
            if (code === 0) Object.assign(look, plainLook());
            if (code === 1) look.bold = true;
            if (code === 3) look.italic = true;
            if (code === 4) look.underline = true;
            if (code >= 30 && code <= 37) look.colour = paletteColour(palette, code - 30, look.colour);
            if (code === 38 && i + 4 < p.length && p[i + 1] === "2") {
                look.colour = "#" + hex(+p[i + 2]) + hex(+p[i + 3]) + hex(+p[i + 4]);
                i += 4;
            } else if (code === 38 && i + 2 < p.length && p[i + 1] === "5") {
                look.colour = paletteColour(palette, +p[i + 2], look.colour);
                i += 2;
            }
        }
    }

    // What each of the core's code effects does to the look (or, for an escape, the text).
    var effects = {
        colour: function (look, group) { look.colour = "#" + group.replace(/\u00a7/g, "").toLowerCase(); },
        colourResettingFormats: function (look, group) {
            Object.assign(look, plainLook());
            effects.colour(look, group);
        },
        palette: function (look, group, palette) { look.colour = paletteColour(palette, +group, look.colour); },
        sgr: function (look, group, palette) { applySgr(look, group, palette); },
        bold: function (look) { look.bold = true; },
        italic: function (look) { look.italic = true; },
        underline: function (look) { look.underline = true; },
        endBold: function (look) { look.bold = false; },
        endItalic: function (look) { look.italic = false; },
        endUnderline: function (look) { look.underline = false; },
        toggleBold: function (look) { look.bold = !look.bold; },
        toggleItalic: function (look) { look.italic = !look.italic; },
        toggleUnderline: function (look) { look.underline = !look.underline; },
        reset: function (look) { Object.assign(look, plainLook()); },
        text: function (look, group) { return group; },
        drop: function () {}
    };

    // The row's codes as sticky expressions, made once per preview.
    function compiled(preview) {
        return preview.codes.map(function (code) {
            return {expression: new RegExp(code.pattern, "y"), effect: effects[code.effect]};
        });
    }

    // One code where the markup stands, applied to `look`: how many units it took (0 for
    // none) and the text an escape stands for.
    function readCode(codes, palette, markup, at, look) {
        for (var k = 0; k < codes.length; ++k) {
            codes[k].expression.lastIndex = at;
            var m = codes[k].expression.exec(markup);
            if (!m) continue;
            var escaped = codes[k].effect(look, m[1] || "", palette);
            return {taken: m[0].length, escaped: escaped || ""};
        }
        return {taken: 0, escaped: ""};
    }

    function codedText(preview, markup) {
        var codes = compiled(preview);
        var body = "", run = "", look = plainLook(), runLook = plainLook();
        for (var at = 0; at < markup.length;) {
            var next = Object.assign({}, look);
            var code = readCode(codes, preview.palette, markup, at, next);
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

    // The preview document's body for `markup` of a dialect whose row's preview is `preview`.
    return function (preview, markup) {
        if (preview.kind === "html") return {dark: false, body: markup};
        if (preview.kind === "bbcode") return {dark: false, body: bbcodeHtml(markup)};
        if (preview.kind === "json") return {dark: true, body: jsonText(markup)};
        return {dark: true, body: codedText(preview, markup)};
    };
})();
