// The worker that runs the core, so that no conversion ever holds up typing: it answers
// the page's calls one at a time, in the order they come.
var coreReady = GradationCore();

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
        if (typeof result.markup === "string") result.preview = previewBody(request.preview, result.markup);
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
