// Keeps every file of the page, so that after one visit over http(s) it works with the
// network gone and installs as an app. The build fills in the files and their version.
var kCache = "gradation-@VERSION@";
var kFiles = ["@FILES@"];

self.addEventListener("install", function (event) {
    event.waitUntil(caches.open(kCache).then(function (cache) {
        return cache.addAll(kFiles);
    }).then(function () {
        return self.skipWaiting();
    }));
});

self.addEventListener("activate", function (event) {
    event.waitUntil(caches.keys().then(function (names) {
        return Promise.all(names.filter(function (name) {
            return name.indexOf("gradation-") === 0 && name !== kCache;
        }).map(function (name) {
            return caches.delete(name);
        }));
    }).then(function () {
        return self.clients.claim();
    }));
});

// The kept file when there is one, else the network.
self.addEventListener("fetch", function (event) {
    if (event.request.method !== "GET") return;
    event.respondWith(caches.open(kCache).then(function (cache) {
        return cache.match(event.request, {ignoreSearch: true});
    }).then(function (kept) {
        return kept || fetch(event.request);
    }));
});
