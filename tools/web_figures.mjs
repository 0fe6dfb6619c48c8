#!/usr/bin/env node
// The page's speed and weight, in headless Debian chromium (after bash tools/web build and
// bash tools/web test-deps):
// - page bytes: everything a visit loads, uncompressed; wasm bytes: the core's module;
// - first markup: from navigation to the first markup shown (median of fresh visits);
// - conversion: about 32,767 characters with the heaviest setting in html, in the worker
//   (the core alone) and as the page waits for it (median, after three to warm up);
// - typing: keys typed into a 32,767-character text, the longest a key waited before its
//   handler ran and the main thread's long tasks meanwhile.
//
//     node tools/web_figures.mjs [--runs N]
//
// Targets: page at most 600 KB, wasm at most 300 KB, first markup at most 300 ms,
// conversion at most 30 ms, no key waiting.
import fs from "node:fs";
import os from "node:os";
import path from "node:path";

const root = path.join(import.meta.dirname, "..");
process.env.GRADATION_PAGE ??= path.join(root, "build/web");
const { control, launch, scratch, serve, settle, shiftJis } = await import("../tests/support/page_harness.mjs");
const runs = Number(process.argv[process.argv.indexOf("--runs") + 1]) || 5;
const heaviest = "重,ON,ON,ON,ON,ON,ON, 1, 0, 4,ON, 2,V,ON, 0, 255, 0, 0, 0, 0, 255,1";
const longest = "グラデーション gradation 色の階調、".repeat(2000).slice(0, 32767);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const figures = [];
const report = (name, value, target) => figures.push(`${name.padEnd(44)} ${String(value).padStart(10)}   (${target})`);

const server = await serve();
const { context, page, requests } = await launch();
const sizes = new Map();
page.on("response", async (response) => {
    const url = response.url().split("?")[0];
    if (url.startsWith(server.url) && !sizes.has(url)) sizes.set(url, (await response.body()).length);
});

const firsts = [];
for (let i = 0; i < runs; ++i) {
    await page.goto(server.url + "?visit=" + i);
    await settle(page);
    await page.waitForFunction(() => performance.getEntriesByName("gradation first markup").length > 0);
    firsts.push(await page.evaluate(() => performance.getEntriesByName("gradation first markup")[0].startTime));
    if (i === 0) await page.waitForTimeout(500);  // every file the first visit asks for has arrived
}
const engine = fs.readFileSync(path.join(process.env.GRADATION_PAGE, "engine.js"), "utf8");
const wasm = Buffer.from(engine.match(/data:application\/octet-stream;base64,([A-Za-z0-9+/=]+)/)[1], "base64");
const pageBytes = [...sizes.values()].reduce((a, b) => a + b, 0);
report("page bytes, uncompressed (" + sizes.size + " files)", pageBytes, "at most 614,400");
report("wasm bytes", wasm.length, "at most 307,200");
report("navigation to first markup, ms (median)", median(firsts).toFixed(1), "at most 300");

// The heaviest setting, from a QX.ini opened as a user opens one.
const file = scratch("heaviest.ini");
fs.writeFileSync(file, shiftJis("[UserSetting]\r\n00=" + heaviest + "\r\n"));
const chooser = page.waitForEvent("filechooser");
await control(page, "Open QX.ini").click();
await (await chooser).setFiles(file);
await control(page, "Format").selectOption("html");
const core = [], waited = [];
for (let i = -3; i < runs; ++i) {  // three to warm up, as typing does
    await control(page, "Text").fill(longest.slice(0, 32767 - i - 3));
    await settle(page);
    const measure = await page.evaluate(() => {
        const last = performance.getEntriesByName("gradation convert").pop();
        return { core: last.detail.core, duration: last.duration };
    });
    if (i < 0) continue;
    core.push(measure.core);
    waited.push(measure.duration);
}
report("32,767 characters, heaviest, html: core, ms", median(core).toFixed(1), "at most 30");
report("  the same as the page waits for it, ms", median(waited).toFixed(1), "");

// Typing at the end of a 32,767-character text, a key every 50 ms.
await control(page, "Text").fill(longest.slice(0, 32767 - 20));
await settle(page);
await page.evaluate(() => {
    window.keyDelays = [];
    window.longTasks = [];
    // How long each key waited for the page between being pressed and its handler.
    addEventListener("keydown", (e) => keyDelays.push(performance.now() - e.timeStamp), true);
    new PerformanceObserver((list) => list.getEntries().forEach((e) => longTasks.push(e.duration)))
        .observe({ type: "longtask" });
});
await control(page, "Text").press("End");
await control(page, "Text").pressSequentially("あいうえおかきくけこさしすせそたちつてと", { delay: 50 });
await settle(page);
await page.waitForTimeout(300);
const typing = await page.evaluate(() => ({ keys: keyDelays, tasks: longTasks }));
const longestWait = Math.max(0, ...typing.keys);
report("typing: longest a key waited, ms", longestWait.toFixed(1), "no key waits: under 50");
report("typing: main-thread tasks over 50 ms", typing.tasks.length + (typing.tasks.length ? ` (longest ${Math.max(...typing.tasks).toFixed(0)})` : ""), "");
report("typing waited for a conversion", longestWait >= 50 ? "yes" : "no", "no");

const outside = requests.filter((url) => !url.startsWith(server.url) && !/^(blob|data|about):/.test(url));
report("requests outside the page's own files", outside.length, "0");
await context.close();
server.close();
// Times are of this machine as it was: the load says how busy it was (2 cores here).
report("load average over the last minute", os.loadavg()[0].toFixed(2), os.cpus().length + " cores");
console.log(figures.join("\n"));
