// The gradient bar and the stop controls, kept in step with the Stops field (the command
// line's --stops form), which is what the conversion reads. Click the bar (or Insert) to
// add a stop, click a stop (or ←/→) to select it, drag it, Delete removes it.
(function () {
    "use strict";
    var $ = function (id) { return document.getElementById(id); };
    var kMaxStops = 16;
    var stops = [], selected = 0, colours = [];

    function stopsText() {
        return stops.map(function (s, i) {
            return s.colour + (i > 0 && i < stops.length - 1 ? "@" + s.position : "");
        }).join(",");
    }

    function drawColours() {
        page.call("gradientColours", {fields: page.setting.fields, stops: page.setting.stops, space: page.setting.space})
            .then(function (result) {
                if (!result.colours) return;
                colours = result.colours;
                $("gradient-colours").style.background = "linear-gradient(to right," + colours.join(",") + ")";
            });
    }

    function marker(stop, i) {
        var button = document.createElement("button");
        button.type = "button";
        button.className = "stop";
        button.style.left = stop.position + "%";
        button.style.background = stop.colour;
        button.setAttribute("aria-label", stop.colour + " " + stop.position + "%");
        button.setAttribute("aria-pressed", String(i === selected));
        button.addEventListener("pointerdown", function (event) { drag(event, i); });
        button.addEventListener("keydown", function (event) { key(event, i); });
        return button;
    }

    function draw(focus) {
        var bar = $("gradient-bar");
        bar.querySelectorAll(".stop").forEach(function (b) { b.remove(); });
        stops.forEach(function (s, i) { bar.append(marker(s, i)); });
        var ends = selected === 0 || selected === stops.length - 1;
        $("start-colour").value = stops[0].colour.toLowerCase();
        $("end-colour").value = stops[stops.length - 1].colour.toLowerCase();
        $("stop-colour").value = stops[selected].colour.toLowerCase();
        $("stop-position").value = stops[selected].position;
        $("stop-position").disabled = ends;
        if (focus) bar.querySelectorAll(".stop")[selected].focus();
        drawColours();
    }

    // The bar's stops changed: the Stops field follows, and the setting with it.
    function edited(focus) {
        $("stops").value = stopsText();
        $("stops").removeAttribute("aria-invalid");
        $("stops-note").textContent = "";
        page.setting.stops = $("stops").value;
        draw(focus);
        page.settingEdited();
    }

    function moveTo(i, position) {
        if (i === 0 || i === stops.length - 1) return;
        stops[i].position = Math.max(stops[i - 1].position, Math.min(stops[i + 1].position, Math.round(position)));
    }

    function positionAt(event) {
        var box = $("gradient-colours").getBoundingClientRect();
        return Math.max(0, Math.min(100, (event.clientX - box.left) / box.width * 100));
    }

    function drag(event, i) {
        event.stopPropagation();
        selected = i;
        var button = event.currentTarget;
        button.setPointerCapture(event.pointerId);
        button.onpointermove = function (move) {
            moveTo(i, positionAt(move));
            button.style.left = stops[i].position + "%";
        };
        button.onpointerup = function () {
            button.onpointermove = button.onpointerup = null;
            edited(true);
        };
    }

    function add(position) {
        if (stops.length >= kMaxStops) return;
        var at = stops.findIndex(function (s) { return s.position > position; });
        if (at <= 0) at = stops.length - 1;
        var colour = colours.length ? colours[Math.round(position / 100 * (colours.length - 1))].toUpperCase() : stops[at].colour;
        stops.splice(at, 0, {colour: colour, position: Math.round(position)});
        selected = at;
        edited(true);
    }

    function key(event, i) {
        selected = i;
        var step = {ArrowLeft: -1, ArrowRight: 1}[event.key];
        if (step && event.altKey) return;
        if (step) moveTo(i, stops[i].position + step);
        else if ((event.key === "Delete" || event.key === "Backspace") && i > 0 && i < stops.length - 1) stops.splice(i, 1);
        else if (event.key === "Insert") return add((stops[i].position + stops[Math.min(i + 1, stops.length - 1)].position) / 2);
        else if (event.key !== "Enter" && event.key !== " ") return;
        event.preventDefault();
        selected = Math.min(selected, stops.length - 1);
        edited(true);
    }

    function colourChosen(i, value) {
        stops[i].colour = value.toUpperCase();
        edited(false);
    }

    page.gradient = {
        // The Stops field as the core reads it; a refusal is shown beside it and the
        // conversion keeps the last stops that were read.
        fromStops: function () {
            var text = $("stops").value;
            page.call("stopPositions", text).then(function (result) {
                if (text !== $("stops").value) return;
                $("stops-note").textContent = result.refused || "";
                if (result.refused) {
                    $("stops").setAttribute("aria-invalid", "true");
                    return;
                }
                $("stops").removeAttribute("aria-invalid");
                stops = result.stops;
                selected = Math.min(selected, stops.length - 1);
                if (page.setting.stops !== text) {
                    page.setting.stops = text;
                    page.settingEdited();
                }
                draw(false);
            });
        }
    };

    $("stops").addEventListener("input", page.gradient.fromStops);
    $("space").addEventListener("change", function () {
        page.setting.space = $("space").value;
        drawColours();
        page.settingEdited();
    });
    $("gradient-bar").addEventListener("pointerdown", function (event) { add(positionAt(event)); });
    $("start-colour").addEventListener("input", function () { colourChosen(0, this.value); });
    $("end-colour").addEventListener("input", function () { colourChosen(stops.length - 1, this.value); });
    $("stop-colour").addEventListener("input", function () { colourChosen(selected, this.value); });
    $("stop-position").addEventListener("change", function () {
        moveTo(selected, Number(this.value));
        edited(false);
    });
})();
