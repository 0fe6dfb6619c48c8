// The browser test's harness: Debian's chromium (never a downloaded browser) driven by
// playwright-core, the page served from its folder on 127.0.0.1 or opened from file://,
// used only through its labelled controls; gradation-cli run beside it with empty
// configuration folders.
import { spawnSync } from "node:child_process";
import fs from "node:fs";
import http from "node:http";
import { createRequire } from "node:module";
import os from "node:os";
import path from "node:path";

const { chromium } = createRequire(new URL("../web/package.json", import.meta.url))("playwright-core");
export const pageFolder = process.env.GRADATION_PAGE;
const temporary = fs.mkdtempSync(path.join(os.tmpdir(), "gradation-web-"));
export const scratch = (name) => path.join(temporary, name);

// A fresh browser profile each time, with the flags a closed network needs.
export async function launch({ locale = "en-GB", width = 1280, height = 900 } = {}) {
    const context = await chromium.launchPersistentContext(fs.mkdtempSync(scratch("profile-")), {
        executablePath: "/usr/bin/chromium", headless: true, locale, viewport: { width, height }, acceptDownloads: true,
        args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
               "--disable-background-networking", "--disable-component-update", "--disable-sync"],
    });
    const requests = [];
    context.on("request", (request) => requests.push(request.url()));
    const page = context.pages()[0] ?? (await context.newPage());
    return { context, page, requests };
}

// The page's folder over http, as any static host serves it.
export function serve() {
    const types = { ".html": "text/html", ".js": "text/javascript", ".css": "text/css", ".png": "image/png",
                    ".webmanifest": "application/manifest+json" };
    const server = http.createServer((request, response) => {
        const name = decodeURIComponent(new URL(request.url, "http://x").pathname).replace(/^\/$/, "/index.html");
        const file = path.join(pageFolder, path.normalize(name));
        if (!file.startsWith(pageFolder) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
            response.writeHead(404).end();
            return;
        }
        response.writeHead(200, { "content-type": types[path.extname(file)] ?? "application/octet-stream" });
        response.end(fs.readFileSync(file));
    });
    return new Promise((resolve) => server.listen(0, "127.0.0.1", () =>
        resolve({ url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() })));
}

export const fileUrl = () => "file://" + path.join(pageFolder, "index.html");

// gradation-cli with no settings of the user's or the system's.
export function cli(args) {
    const env = { ...process.env, XDG_CONFIG_HOME: scratch("config"), XDG_CONFIG_DIRS: scratch("config-dirs") };
    const run = spawnSync(process.env.GRADATION_CLI, args, { env });
    return { status: run.status, stdout: run.stdout.toString("utf8"), stderr: run.stderr.toString("utf8") };
}

// `text` in Windows-31J, as Windows writes a QX.ini.
export const shiftJis = (text) => spawnSync("iconv", ["-f", "UTF-8", "-t", "CP932"], { input: text }).stdout;

// Waits until the page has answered every change made so far (after the events the
// changes queued have run).
export async function settle(page) {
    await page.evaluate(() => new Promise((resolve) => setTimeout(resolve, 20)));
    await page.waitForFunction(() => document.getElementById("markup").getAttribute("aria-busy") === "false");
}

const exact = { exact: true };
export const control = (page, name) => page.getByLabel(name, exact);

// Sets the controls a row names, then waits for the page's answer.
export async function use(page, row) {
    if (row.setting !== undefined) await control(page, "Setting").selectOption({ index: row.setting });
    if (row.format) await control(page, "Format").selectOption(row.format);
    for (const [name, on] of [["Merge", row.merge], ["Plain blanks", row.blanks]])
        if (on !== undefined) await control(page, name).setChecked(on);
    if (row.space) await control(page, "Colour space").selectOption(row.space);
    if (row.stops) await control(page, "Stops").fill(row.stops);
    await control(page, "Length limit").fill(row.limit ? String(parseInt(row.limit, 10)) : "");
    await control(page, "Limit unit").selectOption(String(row.limit).endsWith("b") ? "bytes" : "characters");
    if (row.text !== undefined) await control(page, "Text").fill(row.text);
    await settle(page);
}

// What the frame of the control `name` holds: as text, or as a reader sees it.
async function frameText(page, name, property) {
    const frame = await (await control(page, name).locator("iframe").elementHandle()).contentFrame();
    return frame.evaluate((p) => document.body[p], property);
}
export const markup = (page) => frameText(page, "Markup", "textContent");
export const previewText = (page) => frameText(page, "Preview", "innerText");
