// The page's start and its conversion: the language, the worker that runs the core, and
// the markup, preview and length line shown for the text as it is typed. The setting
// form is page_setting.js, the gradient bar page_gradient.js; they share `page`.
var page = {setting: null, dialects: [], spaces: [], markup: ""};

(function () {
    "use strict";
    var $ = function (id) { return document.getElementById(id); };
    var kFrameStyle = "body{margin:6px;font:16px system-ui,sans-serif;overflow-wrap:anywhere}" +
        "body.dark{background:#1e1e1e;color:#fff;white-space:pre-wrap}" +
        "pre{margin:0;font:13px ui-monospace,monospace;white-space:pre-wrap;word-break:break-all}pre.long{white-space:pre}";

    // "%1 of %2" with each %n replaced by the n-th argument, in one pass.
    page.fill = function (pattern) {
        var args = arguments;
        return pattern.replace(/%([1-9])/g, function (m, n) { return n < args.length ? String(args[n]) : m; });
    };

    // English when the browser's preferred languages name English before Japanese, as the
    // windows choose; otherwise Japanese.
    function chooseLanguage() {
        var languages = navigator.languages && navigator.languages.length ? navigator.languages : [navigator.language];
        for (var i = 0; i < languages.length; ++i) {
            var primary = String(languages[i] || "").toLowerCase().split("-")[0];
            if (primary === "ja" || primary === "en") return primary;
        }
        return "ja";
    }

    function showWords() {
        var language = chooseLanguage();
        pageEnglish = language === "en" ? pageEnglishWords : null;
        document.documentElement.lang = language;
        page.words = pageWords();
        $("preview-frame").title = page.words.preview;
        $("markup-frame").title = page.words.markup;
        page.english = language === "en";
        document.querySelectorAll("[data-word]").forEach(function (element) {
            element.textContent = page.words[element.dataset.word];
        });
        document.title = "gradation: " + page.words.title;
    }

    // Whether the markup is still on its way: calls unanswered, frames not yet drawn.
    var pending = {};
    var busy = page.busy = function (what, still) {
        pending[what] = still;
        $("markup").setAttribute("aria-busy", String(Object.keys(pending).some(function (k) { return pending[k]; })));
    };

    function draw(frame, html) {
        busy(frame, true);
        $(frame).srcdoc = html;
    }

    // The core runs in the worker engine.js started. While any call is unanswered the
    // markup is marked busy, for screen readers (and tests) to wait on.
    function startWorker() {
        var worker = gradationWorker;
        var waiting = new Map(), next = 1;
        worker.onmessage = function (event) {
            var resolve = waiting.get(event.data.id);
            waiting.delete(event.data.id);
            resolve(event.data.result);
            // After the answer's own follow-up calls have been made.
            setTimeout(function () { busy("calls", waiting.size > 0); }, 0);
        };
        page.call = function (name, argument) {
            busy("calls", true);
            return new Promise(function (resolve) {
                waiting.set(next, resolve);
                worker.postMessage({id: next++, call: name, argument: argument});
            });
        };
    }

    function chosenDialect() { return page.dialects[$("format").selectedIndex] || page.dialects[0]; }

    function limit() {
        var value = parseInt($("limit").value, 10);
        return value > 0 ? value : 0;
    }

    function request() {
        var dialect = chosenDialect(), s = page.setting;
        return {text: $("text").value, fields: s.fields, stops: s.stops, space: s.space, dialect: dialect.name,
                preview: dialect.preview, merge: $("merge").checked, plainBlanks: $("plain-blanks").checked,
                limit: limit(), limitBytes: $("limit-unit").value === "bytes"};
    }

    // What the window's tooltip says of fitting: "長さ 251 / 256 (まとめ)".
    function fitLine(fit) {
        var w = page.words, unit = fit.bytes ? w.byteUnit : "";
        if (!fit.fitted) return page.fill(w.tooLong, fit.limit, unit, fit.length);
        var what = [];
        if (fit.merge) what.push(w.merged);
        if (fit.plainBlanks) what.push(w.blanksPlain);
        if (fit.perColour > 1) what.push(page.fill(w.perColour, fit.perColour));
        return page.fill(w.fitLength, fit.length, fit.limit, unit, what.length ? " (" + what.join(", ") + ")" : "");
    }

    function noteLines(sent, result) {
        var w = page.words, lines = [];
        if (result.refused) return [page.fill(w.notUsable, result.refused)];
        if (result.units > 32767) return [page.fill(w.textTooLong, result.units)];
        if (result.markup === undefined) return [];
        lines.push(sent.dialect + ": " + (result.fit ? fitLine(result.fit) : page.fill(w.length, result.markup.length)));
        if (result.leftOut.length) {
            lines.push(w.leftOutPrefix + result.leftOut.map(function (f) { return qsTranslate("MarkupNote", f); }).join(", "));
        }
        result.notes.forEach(function (n) { lines.push(page.fill(w.textNotes[n[0]], n[1])); });
        return lines;
    }

    function frameDocument(body, dark) {
        return '<!doctype html><html><head><meta charset="utf-8"><style>' + kFrameStyle + "</style></head><body" +
            (dark ? ' class="dark">' : ">") + body + "</body></html>";
    }

    function escaped(text) { return text.replace(/&/g, "&amp;").replace(/</g, "&lt;"); }

    function show(sent, result) {
        page.markup = result.markup || "";
        draw("markup-frame", frameDocument(result.markupBody || ""));
        $("copy").disabled = !page.markup;
        $("copy-status").textContent = "";
        $("length-line").textContent = noteLines(sent, result).join("\n");
        var fitFailed = result.fit && !result.fit.fitted;
        var preview = result.preview || {body: "<p>" + escaped(fitFailed ? page.words.cannotFit : "") + "</p>"};
        draw("preview-frame", frameDocument(preview.body, preview.dark));
    }

    // The latest text wins: one conversion at a time, and while one runs only the newest
    // request waits; a result that a newer request has overtaken is not shown.
    var converting = false, again = false;
    page.convertSoon = function () {
        if (!page.setting) {  // no usable setting: nothing to show but why (beside the files)
            show({}, {});
            return;
        }
        if (converting) {
            again = true;
            return;
        }
        converting = true;
        again = false;
        var sent = request(), started = performance.now();
        page.call("convert", sent).then(function (result) {
            converting = false;
            if (again) {
                page.convertSoon();
                return;
            }
            show(sent, result);
            if (!performance.getEntriesByName("gradation first markup").length && page.markup) {
                performance.mark("gradation first markup");
            }
            performance.measure("gradation convert", {start: started, end: performance.now(),
                                                      detail: {core: result.coreMs, units: result.units}});
        });
    };

    // The text box is watched through what moves its caret and a few other events, not
    // through "input": Chromium spends about 0.1 s preparing every input event of a
    // 32,767-character box that has a listener for it, and typing would wait for that.
    function watchText() {
        var box = $("text"), last = box.value, check = function () {
            if (box.value === last) return;
            last = box.value;
            page.convertSoon();
        };
        ["selectionchange", "keyup", "cut", "paste", "drop", "compositionend", "change"].forEach(function (name) {
            box.addEventListener(name, function () {
                busy("text", true);
                setTimeout(function () {
                    check();
                    busy("text", false);
                }, 0);
            });
        });
    }

    function showPurpose() {
        $("purpose").textContent = qsTranslate("MarkupNote", chosenDialect().purposeJa);
    }

    function formatChosen() {
        var dialect = chosenDialect();
        $("merge").checked = dialect.merge;
        $("plain-blanks").checked = dialect.plainBlanks;
        showPurpose();
        page.convertSoon();
    }

    function copyMarkup() {
        var w = page.words;
        navigator.clipboard.writeText(page.markup).then(function () {
            $("copy-status").textContent = w.copied;
        }, function () {
            $("copy-status").textContent = w.notCopied;
        });
    }

    function start(core) {
        page.dialects = core.dialects;
        page.spaces = core.spaces;
        page.dialects.forEach(function (d) { $("format").add(new Option(d.name, d.name)); });
        page.spaces.forEach(function (name) { $("space").add(new Option(name, name)); });
        if (!$("text").value) $("text").value = page.words.sample;  // unless typed into already
        formatChosen();
        page.startSettings(core.shipped);
        watchText();
        $("limit").addEventListener("input", page.convertSoon);
        ["merge", "plain-blanks", "limit-unit"].forEach(function (id) { $(id).addEventListener("change", page.convertSoon); });
        $("format").addEventListener("change", formatChosen);
        $("copy").addEventListener("click", copyMarkup);
        ["markup-frame", "preview-frame"].forEach(function (id) {
            $(id).addEventListener("load", function () { busy(id, false); });
        });
        // Installing needs http(s): a page from file:// may not even read its manifest.
        if (location.protocol !== "file:") {
            var manifest = document.createElement("link");
            manifest.rel = "manifest";
            manifest.href = "manifest.webmanifest";
            document.head.append(manifest);
            if ("serviceWorker" in navigator) navigator.serviceWorker.register("service_worker.js").catch(function () {});
        }
    }

    showWords();
    startWorker();
    page.call("start").then(start);
})();
