// The setting the page converts with: the settings list (the shipped QX.ini, or the
// user's own kept in the browser's storage), the setting's fields, and opening, saving
// and adding to a QX.ini. Every reading and writing of the file is the core's.
(function () {
    "use strict";
    var $ = function (id) { return document.getElementById(id); };
    var kStorageKey = "gradation.QX.ini";
    var kFlags = [["underline", "Underline"], ["italic", "Italic"], ["bold", "Bold"], ["size-wave", "SizeWave"],
                  ["table-wrap", "TableWrap"], ["start-mark", "StartMark"], ["end-mark", "EndMark"],
                  ["break-after", "BreakAfter"]];
    var kNumbers = [["size-mode", "SizeMode"], ["size-sign", "SizeSign"], ["size-value", "SizeValue"],
                    ["border", "TableBorder"]];
    var shipped = null, bytes = null, settings = [];

    function toBase64(data) {
        var text = "";
        for (var i = 0; i < data.length; i += 0x8000) text += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
        return btoa(text);
    }

    function fromBase64(text) {
        var binary = atob(text), data = new Uint8Array(binary.length);
        for (var i = 0; i < binary.length; ++i) data[i] = binary.charCodeAt(i);
        return data;
    }

    function stored() {
        try {
            var text = localStorage.getItem(kStorageKey);
            return text ? fromBase64(text) : null;
        } catch (e) {
            return null;  // storage switched off: the shipped settings, kept for this visit only
        }
    }

    function keep(data) {
        bytes = data;
        try { localStorage.setItem(kStorageKey, toBase64(data)); } catch (e) { /* kept for this visit only */ }
    }

    function status(text) { $("file-status").textContent = text; }

    // A select that shows `value` even when it is none of its usual choices.
    function choose(select, value) {
        var odd = select.querySelector("option.odd");
        if (odd) odd.remove();
        if (!Array.from(select.options).some(function (o) { return Number(o.value) === value; })) {
            var option = new Option(page.fill(page.words.other, value), String(value));
            option.className = "odd";
            select.add(option);
        }
        select.value = String(value);
    }

    function showForm(s) {
        var f = s.fields;
        $("name").value = s.name;
        kFlags.forEach(function (k) { $(k[0]).checked = f[k[1]]; });
        kNumbers.forEach(function (k) {
            if ($(k[0]).tagName === "SELECT") choose($(k[0]), f[k[1]]);
            else $(k[0]).value = f[k[1]];
        });
        document.querySelectorAll("input[name=wave]").forEach(function (r) { r.checked = Number(r.value) === f.WavePattern; });
        $("vertical").checked = f.Direction === "V";
        $("separate").checked = f.DevTag === 1;
        $("separate").indeterminate = f.DevTag === 2;
        $("space").value = s.space;
        $("stops").value = s.stops;
        page.gradient.fromStops();
    }

    // The fields as the form shows them; what it cannot show (an odd stored value) stays.
    function readForm() {
        var f = Object.assign({}, page.setting.fields);
        kFlags.forEach(function (k) { f[k[1]] = $(k[0]).checked; });
        kNumbers.forEach(function (k) {
            var value = parseInt($(k[0]).value, 10);
            if (!isNaN(value)) f[k[1]] = Math.max(-32768, Math.min(32767, value));
        });
        var wave = document.querySelector("input[name=wave]:checked");
        if (wave) f.WavePattern = Number(wave.value);
        if ($("vertical").checked) f.Direction = "V";
        else if (f.Direction === "V") f.Direction = "H";
        if (!$("separate").indeterminate) f.DevTag = $("separate").checked ? 1 : 0;
        return f;
    }

    function chooseSetting(n) {
        var s = settings[n];
        $("setting").selectedIndex = n;
        if (!s || s.refused) {
            page.setting = null;
            status(s ? page.fill(page.words.notUsable, s.refused) : "");
            page.convertSoon();
            return;
        }
        page.setting = {n: n, name: s.name, fields: s.fields, stops: s.stops, space: s.space};
        showForm(page.setting);
        page.convertSoon();
    }

    function useSettings(data, read, n) {
        bytes = data;
        settings = read.settings;
        var select = $("setting");
        select.length = 0;
        settings.forEach(function (s, i) { select.add(new Option(s.name || "(" + i + ")", String(i))); });
        chooseSetting(Math.min(n, settings.length - 1));
    }

    // Writes the form's setting into the user's own settings (the first edit makes them a
    // copy of the shipped ones), as the settings editor would, a moment after the last edit.
    var keepTimer = 0;
    function keepSoon() {
        clearTimeout(keepTimer);
        keepTimer = setTimeout(keepNow, 400);
    }

    function keepNow(n) {
        clearTimeout(keepTimer);
        keepTimer = 0;
        var s = page.setting;
        if (!s) return Promise.resolve();
        var edit = {bytes: bytes, n: n === undefined ? s.n : n, name: s.name, fields: s.fields, stops: s.stops, space: s.space};
        return page.call("storeEdit", edit).then(function (result) {
            if (result.refused) {
                status(page.fill(page.words.notSaved, result.refused));
                return null;
            }
            keep(result.bytes);
            status("");
            return page.call("readSettings", result.bytes).then(function (read) {
                settings = read.settings;
                return result.n;
            });
        });
    }

    page.settingEdited = function () {
        if (!page.setting) return;
        page.setting.fields = readForm();
        page.setting.name = $("name").value;
        $("setting").options[page.setting.n].text = page.setting.name;
        page.convertSoon();
        keepSoon();
    };

    function openFile() {
        var file = $("open-file").files[0];
        if (!file) return;
        page.busy("opening", true);
        file.arrayBuffer().then(function (buffer) {
            var data = new Uint8Array(buffer);
            return page.call("readSettings", data).then(function (read) {
                if (read.refused) {
                    status(page.fill(page.words.cannotRead, read.refused));
                    return;
                }
                keep(data);
                useSettings(data, read, 0);
                status(page.fill(page.words.opened, file.name, read.settings.length));
            });
        }).finally(function () { page.busy("opening", false); });
        $("open-file").value = "";
    }

    function saveFile() {
        (keepTimer ? keepNow() : Promise.resolve()).then(function () {
            var link = document.createElement("a");
            link.href = URL.createObjectURL(new Blob([bytes], {type: "application/octet-stream"}));
            link.download = "QX.ini";
            document.body.appendChild(link);
            link.click();
            link.remove();
            setTimeout(function () { URL.revokeObjectURL(link.href); }, 10000);
        });
    }

    function addSetting() {
        keepNow(-1).then(function (n) {
            if (n === null || n === undefined) return;
            useSettings(bytes, {settings: settings}, n);
        });
    }

    function backToShipped() {
        try { localStorage.removeItem(kStorageKey); } catch (e) { /* nothing kept */ }
        page.call("readSettings", shipped).then(function (read) { useSettings(shipped, read, 0); });
    }

    function buildWaves() {
        page.words.waves.forEach(function (caption, i) {
            var box = document.createElement("div"), radio = document.createElement("input"), label = document.createElement("label");
            box.className = "check";
            radio.type = "radio";
            radio.name = "wave";
            radio.id = "wave-" + i;
            radio.value = String(i);
            label.htmlFor = radio.id;
            label.textContent = caption;
            box.append(radio, label);
            $("waves").append(box);
        });
        page.words.sizeModes.forEach(function (caption, i) { $("size-mode").add(new Option(caption, String(i))); });
        ["+", "-"].forEach(function (sign, i) { $("size-sign").add(new Option(sign, String(i))); });
    }

    page.startSettings = function (shippedBytes) {
        shipped = shippedBytes;
        buildWaves();
        var own = stored();
        page.call("readSettings", own || shipped).then(function (read) {
            if (read.refused) {
                status(page.fill(page.words.cannotRead, read.refused));
                return page.call("readSettings", shipped).then(function (r) { useSettings(shipped, r, 0); });
            }
            useSettings(own || shipped, read, 0);
        });
        $("setting").addEventListener("change", function () { chooseSetting($("setting").selectedIndex); });
        document.querySelectorAll(".setting input:not(.gradient), .setting select:not(.gradient)").forEach(function (c) {
            c.addEventListener(c.type === "text" || c.type === "number" ? "input" : "change", page.settingEdited);
        });
        $("open-file").addEventListener("change", openFile);
        $("save").addEventListener("click", saveFile);
        $("add").addEventListener("click", addSetting);
        $("shipped").addEventListener("click", backToShipped);
    };
})();
