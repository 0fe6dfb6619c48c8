// The page in Debian's chromium, used through its labelled controls: its markup is
// gradation-cli's byte for byte, characters keep whole, a Shift-JIS QX.ini opens and
// saves, the clipboard, file://, offline, no outside request, hostile text, phone width.
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import { after, before, test } from "node:test";
import { cli, control, fileUrl, launch, markup, previewText, scratch, serve, settle, shiftJis, use } from
    "../support/page_harness.mjs";

const ini = path.join(import.meta.dirname, "../../data/QX.ini");
const poem = "いろはにほへと ちりぬるを わかよたれそ つねならむ";
const mixed = "Gradation <b>&amp; [b]§l&l\\<x> \"q\"\n改行\tタブ 123";
const sixteen = Array.from({ length: 16 }, (_, i) => "#" + ((i * 0x111111 * 15) % 0x1000000).toString(16).padStart(6, "0")).join(",");
// Each dialect, each space with 2, 3 and 16 stops, both shortenings, and the three ways a limit goes.
const rows = [
    { setting: 0, format: "html", space: "srgb", stops: "#0080FF,#FF8000", text: mixed },
    { setting: 1, format: "html-css", space: "oklab", stops: "#FF0000,#FFFF00@35,#0080FF", text: mixed },
    { setting: 3, format: "bbcode", space: "oklch", stops: sixteen, text: mixed },
    { setting: 0, format: "minecraft", space: "oklch-longer", stops: "#FF0000,#00FF00", text: mixed },
    { setting: 2, format: "minecraft-section", space: "linear-srgb", stops: "#000000,#FFFFFF@20,#808080", text: mixed },
    { setting: 7, format: "minimessage", space: "oklch", stops: "#FF0000,#FFFF00@50,#0000FF", text: mixed },
    { setting: 8, format: "minecraft-json", space: "oklab", stops: sixteen, text: mixed },
    { setting: 10, format: "ansi", space: "oklch-longer", stops: "#808080,#FF0080@10,#00FF80", text: mixed },
    { setting: 11, format: "ansi-256", space: "srgb", stops: sixteen, text: mixed },
    { setting: 9, format: "html", space: "oklch", stops: sixteen, text: poem, merge: true, blanks: true },
    { setting: 4, format: "html", space: "srgb", stops: "#123456,#FEDCBA", text: poem, merge: true, blanks: false },
    { setting: 6, format: "bbcode", space: "srgb", stops: "#123456,#FEDCBA", text: poem, merge: false, blanks: false },
    { setting: 5, format: "html-css", space: "oklch-longer", stops: "#FF0000,#FF0001@50,#FF0000", text: poem, blanks: false },
    { setting: 0, format: "html", space: "srgb", stops: "#808080,#808588", text: poem, limit: "500" },
    { setting: 0, format: "minecraft", space: "srgb", stops: "#FF0000,#0000FF", text: poem, limit: "200" },
    { setting: 0, format: "minecraft", space: "oklch", stops: "#FF0000,#0000FF", text: poem, limit: "400b" },
    { setting: 0, format: "html", space: "srgb", stops: "#808080,#808588", text: poem, limit: "40" },
    { setting: 0, format: "irc", space: "oklab", stops: "#FF0000,#0000FF", text: poem, limit: "400b" },
    { setting: 3, format: "discord", space: "oklch", stops: sixteen, text: mixed },
];

function cliArgs(row) {
    const args = ["--ini", ini, "--setting", String(row.setting), "--format", row.format, "--space", row.space,
                  "--stops", row.stops, "--text", row.text];
    if (row.merge !== undefined) args.push(row.merge ? "--merge" : "--no-merge");
    if (row.blanks !== undefined) args.push(row.blanks ? "--plain-blanks" : "--no-plain-blanks");
    if (row.limit) args.push("--fit", row.limit);
    return args;
}

// The numbers of what fitting did, in any order: the page's line and the CLI's say the same.
const numbers = (text) => (text.match(/\d+/g) ?? []).map(Number).sort((a, b) => a - b);
let browser, server;
before(async () => {
    browser = await launch();
    server = await serve();
});
after(async () => {
    // Every request stayed within the page's own files.
    const own = browser.requests.filter((url) => !url.startsWith(server.url) && !url.startsWith(fileUrl().replace("index.html", "")) &&
        !/^(blob|data|about):/.test(url));
    await browser.context.close();
    server.close();
    assert.deepEqual(own, []);
});

test("markup equals gradation-cli's for every row, from file://", async () => {
    const { page } = browser;
    await page.goto(fileUrl());
    for (const row of rows) {
        await use(page, row);
        const expected = cli(cliArgs(row));
        assert.equal(await markup(page), expected.stdout, JSON.stringify(row));
        const line = (await page.locator("#length-line").textContent()).split("\n")[0];
        if (row.limit) assert.deepEqual(numbers(line.slice(line.indexOf(": "))), numbers(expected.stderr.trim().split("\n").pop()));
    }
});

test("each character a reader sees takes one colour", async () => {
    const characters = ["👨‍👩‍👧‍👦", "🏳️‍🌈", "🇯🇵", "🇫🇷", "👍🏽", "👋🏿", "e\u0301", "n\u0303\u0323", "ｶ", "ﾞ", "a"];
    await use(browser.page, { setting: 0, format: "html", merge: false, space: "srgb", stops: "#000000,#FFFFFF", text: characters.join("") });
    const tags = [...(await markup(browser.page)).matchAll(/<FONT COLOR="#[0-9A-F]{6}">(.*?)<\/FONT>/gs)];
    assert.deepEqual(tags.map((tag) => tag[1]), characters);
});

test("the preview shows a hostile text as itself", async () => {
    const { page } = browser;
    const formats = await control(page, "Format").locator("option").evaluateAll((options) => options.map((o) => o.value));
    for (const text of ["<script>alert(1)</script>", "<img src=x onerror=alert(1)>", "&lt;b&gt; & <!-- --> ]]>",
                        "</FONT></B></TABLE></span>x"])
        for (const format of formats)
            for (const merge of [false, true]) {
                await use(page, { setting: 0, format, merge, blanks: merge, space: "srgb", stops: "#0080FF,#FF8000", text });
                assert.equal(await previewText(page), text, `${format} ${merge}`);
            }
});

test("a Shift-JIS QX.ini with a Gradient section opens, and saves as one gradation-cli reads", async () => {
    const { page } = browser;
    const lines = ["; 設定", "[UserSetting]",
                   "00=春の色,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 255, 128, 192, 0, 128, 255,0",
                   "01=虹①,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 255, 0, 0, 0, 0, 255,0",
                   "[Gradient]", "01=oklch #FF0000@0 #00FF00@50 #0000FF@100", ""];
    const file = scratch("QX.ini");
    fs.writeFileSync(file, shiftJis(lines.join("\r\n")));
    const chooser = page.waitForEvent("filechooser");
    await control(page, "Open QX.ini").click();
    await (await chooser).setFiles(file);
    await settle(page);
    assert.deepEqual(await control(page, "Setting").locator("option").allTextContents(), ["春の色", "虹①"]);
    await use(page, { setting: 1 });
    assert.equal(await control(page, "Stops").inputValue(), "#FF0000,#00FF00@50,#0000FF");
    await control(page, "Bold").check();
    const download = page.waitForEvent("download");
    await control(page, "Save QX.ini").click();
    const saved = scratch("saved.ini");
    await (await download).saveAs(saved);
    assert.equal(cli(["--ini", saved, "--list"]).stdout, "00\t春の色\n01\t虹①\t3 stops, oklch\n");
    assert.match(cli(["--ini", saved, "--setting", "1", "--text", "a"]).stdout, /^<B>/);
    assert.ok(fs.readFileSync(saved).includes(shiftJis("01=虹①,OFF,OFF,OFF,OFF,OFF,ON,")), "in Shift-JIS still");
});

test("over http: Copy markup fills the clipboard, and a reload with the network cut still converts", async () => {
    const { context, page } = browser;
    await context.grantPermissions(["clipboard-read", "clipboard-write"], { origin: server.url });
    await page.goto(server.url);
    // The service worker keeps the files once it is active (a bounded wait, where `ready` waits forever).
    await page.waitForFunction(async () => Boolean((await navigator.serviceWorker.getRegistration())?.active),
                               null, { timeout: 60000 });
    const row = rows[1];
    await use(page, row);
    await control(page, "Copy markup").click();
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), await markup(page));
    await context.setOffline(true);
    await page.reload();
    await use(page, row);
    assert.equal(await markup(page), cli(cliArgs(row)).stdout);
    await context.setOffline(false);
});

test("the page in Japanese and English, at desktop width and on a 360-px phone", async () => {
    const shots = process.env.GRADATION_SCREENSHOTS ?? scratch("screenshots");
    fs.mkdirSync(shots, { recursive: true });
    for (const [locale, label, width] of [["ja-JP", "テキスト", 1280], ["en-US", "Text", 360]]) {
        const { context, page } = await launch({ locale, width, height: width > 800 ? 900 : 740 });
        await page.goto(fileUrl());
        await control(page, label).fill("グラデーション gradation 🌈");
        await settle(page);
        assert.equal(await page.evaluate(() => document.documentElement.lang), locale.slice(0, 2));
        assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth), "no sideways scrolling");
        await page.screenshot({ path: path.join(shots, `web-${width}.png`), fullPage: true });
        await context.close();
    }
});
