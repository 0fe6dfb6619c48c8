// The worker that runs the core, so that no conversion ever holds up typing: it answers
// the page's calls one at a time, in the order they come.
var coreReady = GradationCore();

// The markup as the text of its box: exact, CR included (a document's parser would read a
// bare CR LF as LF), and not wrapped when long, which would take seconds to lay out.
function markupBody(markup) {
    var text = markup.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/\r/g, "&#13;");
    return (markup.length > 20000 ? '<pre class="long">' : "<pre>") + text + "</pre>";
}

var calls = {
    start: function (core) {
        return {dialects: core.dialects(), spaces: core.spaces(), shipped: core.shippedSettings()};
    },
    readSettings: function (core, bytes) { return core.readSettings(bytes); },
    stopPositions: function (core, stops) { return core.stopPositions(stops); },
    gradientColours: function (core, request) { return core.gradientColours(request, 64); },
    storeEdit: function (core, request) { return core.storeEdit(request); },
    convert: function (core, request) {
        var started = performance.now();
        var result = core.convert(request);
        result.coreMs = performance.now() - started;
        if (typeof result.markup === "string") {
            result.preview = previewBody(request.preview, result.markup);
            result.markupBody = markupBody(result.markup);
        }
        return result;
    }
};

onmessage = function (event) {
    coreReady.then(function (core) {
        var message = event.data, result;
        try {
            result = calls[message.call](core, message.argument);
        } catch (error) {
            result = {failed: String(error)};
        }
        postMessage({id: message.id, result: result});
    });
};
