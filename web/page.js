// The page's start and its conversion: the language, the worker that runs the core, and
// the markup, preview and length line shown for the text as it is typed. The setting
// form is page_setting.js, the gradient bar page_gradient.js; they share `page`.
var page = {setting: null, dialects: [], spaces: [], markup: ""};

(function () {
    "use strict";
    var $ = function (id) { return document.getElementById(id); };
    var kPreviewStyle = "body{margin:6px;font:16px system-ui,sans-serif;overflow-wrap:anywhere}" +
        "body.dark{background:#1e1e1e;color:#fff;white-space:pre-wrap}";

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
        page.english = language === "en";
        document.querySelectorAll("[data-word]").forEach(function (element) {
            element.textContent = page.words[element.dataset.word];
        });
        document.title = "gradation: " + page.words.title;
    }

    // The core runs in a worker made from the engine's own source, so that it starts from
    // file:// too, where a page may not load a worker's script from a file. While any call
    // is unanswered the markup is marked busy, for screen readers (and tests) to wait on.
    function startWorker() {
        var source = new Blob(["(" + gradationEngine.toString() + ")()"], {type: "text/javascript"});
        var worker = new Worker(URL.createObjectURL(source));
        var waiting = new Map(), next = 1;
        worker.onmessage = function (event) {
            var resolve = waiting.get(event.data.id);
            waiting.delete(event.data.id);
            resolve(event.data.result);
            // After the answer's own follow-up calls have been made.
            setTimeout(function () { $("markup").setAttribute("aria-busy", String(waiting.size > 0)); }, 0);
        };
        page.call = function (name, argument) {
            $("markup").setAttribute("aria-busy", "true");
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
            lines.push(w.leftOutPrefix + result.leftOut.map(function (f) { return w.leftOut[f]; }).join(", "));
        }
        if (result.lookalike) lines.push(w.lookalike);
        return lines;
    }

    function showPreview(preview, message) {
        var frame = $("preview-frame");
        var escaped = message.replace(/&/g, "&amp;").replace(/</g, "&lt;");
        frame.srcdoc = '<!doctype html><html><head><meta charset="utf-8"><style>' + kPreviewStyle + "</style></head>" +
            (preview ? "<body" + (preview.dark ? ' class="dark">' : ">") + preview.body : "<body><p>" + escaped) +
            "</body></html>";
    }

    function show(sent, result) {
        page.markup = result.markup || "";
        $("markup").textContent = page.markup;
        $("copy").disabled = !page.markup;
        $("copy-status").textContent = "";
        $("length-line").textContent = noteLines(sent, result).join("\n");
        var fitFailed = result.fit && !result.fit.fitted;
        showPreview(result.preview, fitFailed ? page.words.cannotFit : "");
    }

    // The latest text wins: one conversion at a time, and while one runs only the newest
    // request waits; a result that a newer request has overtaken is not shown.
    var busy = false, again = false;
    page.convertSoon = function () {
        if (!page.setting) return;
        if (busy) {
            again = true;
            return;
        }
        busy = true;
        again = false;
        var sent = request(), started = performance.now();
        page.call("convert", sent).then(function (result) {
            busy = false;
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

    function showPurpose() {
        var purpose = chosenDialect().purpose;
        $("purpose").textContent = page.english ? purpose : (pageJapaneseDialectPurposes[purpose] || purpose);
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

    function fitPreviewHeight() {
        var frame = $("preview-frame"), doc = frame.contentDocument;
        if (doc && doc.body) frame.style.height = Math.min(Math.max(doc.body.scrollHeight + 14, 48), 320) + "px";
    }

    function start(core) {
        page.dialects = core.dialects;
        page.spaces = core.spaces;
        page.dialects.forEach(function (d) { $("format").add(new Option(d.name, d.name)); });
        page.spaces.forEach(function (name) { $("space").add(new Option(name, name)); });
        $("text").value = page.words.sample;
        formatChosen();
        page.startSettings(core.shipped);
        ["text", "limit"].forEach(function (id) { $(id).addEventListener("input", page.convertSoon); });
        ["merge", "plain-blanks", "limit-unit"].forEach(function (id) { $(id).addEventListener("change", page.convertSoon); });
        $("format").addEventListener("change", formatChosen);
        $("copy").addEventListener("click", copyMarkup);
        $("preview-frame").addEventListener("load", fitPreviewHeight);
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
