// What the page does when things go wrong, in headless Chromium against a real score server:
// a browser without WebAssembly gets a plain message; a failed download gets a message whose
// retry button loads the game; a hidden tab stops the picture until it is shown again; a
// recording that is damaged, empty or missing is refused in the game's own box.
// A failure prints the check, the last screenshot (base64 PNG) and the browser's console.
//
// usage: node --experimental-websocket page_checks.mjs SERVER SITE OUTDIR
import { mkdirSync, mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";

import { Browser } from "./cdp.mjs";
import { encodePng } from "./png.mjs";
import { grab, screens } from "./screen.mjs";
import { runToEnd } from "./run.mjs";
import { ScoreServer } from "./server.mjs";

const [serverProgram, site, out] = process.argv.slice(2);
if (!out) {
  console.error("usage: page_checks.mjs SERVER SITE OUTDIR");
  process.exit(2);
}
rmSync(out, { recursive: true, force: true });
mkdirSync(out, { recursive: true });
const work = mkdtempSync(join(tmpdir(), "brinecast-page."));
const started = Date.now();

let checkName = "setting up";
let last = null;
let browser = null;
let page = null;
let server = null;

class CheckFailure extends Error {}
function fail(why) {
  throw new CheckFailure(why);
}
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function check(name) {
  checkName = name;
  console.log(`[${((Date.now() - started) / 1000).toFixed(1)}s] ${name}`);
}

// Polls probe() until it gives something truthy; fails after limit seconds.
async function until(limit, what, probe) {
  const end = Date.now() + limit * 1000;
  for (;;) {
    const value = await probe();
    if (value) return value;
    if (Date.now() > end) fail(`no ${what} after ${limit}s`);
    await sleep(150);
  }
}

async function picture(test) {
  const p = await grab(page);
  if (p) last = p;
  return p && test(p) ? p : null;
}

const pageState = () => page.evaluate("document.body.dataset.state || ''");

// The page's own words: the notice's text and whether its retry button shows.
const notice = () =>
  page.evaluate(`(() => {
    const box = document.getElementById("notice");
    if (!box || box.hidden) return null;
    return { text: document.getElementById("notice-text").textContent,
             retry: !document.getElementById("retry").hidden };
  })()`);

// Requests whose address matches pattern are answered by answer(request) while the returned
// function has not been called: { fail: true } or { status, body }.
async function intercept(pattern, answer) {
  const listener = (message) => {
    if (message.sessionId !== page.sessionId || message.method !== "Fetch.requestPaused") return;
    const { requestId, request } = message.params;
    const reply = answer(request);
    if (reply.fail) {
      page.send("Fetch.failRequest", { requestId, errorReason: "ConnectionFailed" }).catch(() => {});
    } else {
      page
        .send("Fetch.fulfillRequest", {
          requestId,
          responseCode: reply.status,
          responseHeaders: [{ name: "Content-Type", value: "application/octet-stream" }],
          body: Buffer.from(reply.body).toString("base64"),
        })
        .catch(() => {});
    }
  };
  browser.on(listener);
  await page.send("Fetch.enable", { patterns: [{ urlPattern: pattern, requestStage: "Request" }] });
  return async () => {
    browser.listeners = browser.listeners.filter((l) => l !== listener);
    await page.send("Fetch.disable");
  };
}

// A real click at the middle of the element with this id.
async function clickElement(id) {
  const box = await page.evaluate(`(() => {
    const r = document.getElementById(${JSON.stringify(id)}).getBoundingClientRect();
    return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
  })()`);
  await page.click(box.x, box.y);
}

async function noWebAssembly() {
  check("a browser without WebAssembly gets a plain message");
  const { identifier } = await page.send("Page.addScriptToEvaluateOnNewDocument", {
    source: "delete globalThis.WebAssembly;",
  });
  await page.goto(`${server.origin}/play/`);
  const said = await until(30, "message about WebAssembly", notice);
  await page.send("Page.removeScriptToEvaluateOnNewDocument", { identifier });
  if (!/WebAssembly/.test(said.text)) fail(`the message does not name WebAssembly: ${said.text}`);
  if (said.retry) fail("a retry is offered where retrying cannot help");
  if ((await pageState()) !== "failed") fail(`the page's state is ${await pageState()}, not failed`);
}

async function failedDownloads() {
  // Each download must reach the network to fail there, not come from the cache.
  await page.send("Network.setCacheDisabled", { cacheDisabled: true });
  for (const part of ["*.wasm", "*.data", "*/brinecast.*.js"]) {
    check(`a failed download of ${part} gets a message whose retry loads the game`);
    const stop = await intercept(part, () => ({ fail: true }));
    await page.goto(`${server.origin}/play/`);
    const said = await until(60, "message about the download", notice);
    await stop();
    if (!said.retry) fail(`no retry with the message: ${said.text}`);
    if ((await pageState()) !== "failed") fail(`the page's state is ${await pageState()}, not failed`);
    if (await picture((p) => screens.menuBackground(p))) fail("the menu shows behind the message");
    const loaded = new Promise((resolve) => page.loadWaiters.push(resolve));
    await clickElement("retry");
    await loaded;
    await until(120, "the main menu after the retry", () => picture((p) => screens.menuLit(p, 1)));
    if ((await pageState()) !== "running") fail(`the page's state is ${await pageState()}, not running`);
  }
  await page.send("Network.setCacheDisabled", { cacheDisabled: false });
}

// A hidden tab pauses the game as a lost focus does on the desktop: the picture stops, and once
// shown the game waits, paused, for the player's P. The play field outside the pause banner
// moves while the game runs.
async function hiddenTabPauses() {
  check("a hidden tab stops the picture and pauses the game until P");
  await page.goto(`${server.origin}/play/?seed=3`);
  await until(120, "the main menu", () => picture((p) => screens.menuLit(p, 1)));
  await page.key("Enter");
  await until(60, "the play field", () => picture(screens.playField));
  const field = (p) => [p.sum(0, 0, 800, 280), p.sum(0, 330, 800, 600)].join();
  const moving = async () => {
    const first = field(await picture(() => true));
    await sleep(300);
    return field(await picture(() => true)) !== first;
  };
  const standsStill = async (what) => {
    const still = field(await picture(() => true));
    for (let i = 0; i < 6; i++) {
      await sleep(250);
      if (field(await picture(() => true)) !== still) fail(`the play field moved ${what}`);
    }
  };
  await until(30, "a moving play field", moving);
  const setHidden = (hidden) =>
    page.evaluate(`(() => {
      Object.defineProperty(document, "hidden", { configurable: true, get: () => ${hidden} });
      Object.defineProperty(document, "visibilityState", { configurable: true,
        get: () => ${hidden ? '"hidden"' : '"visible"'} });
      document.dispatchEvent(new Event("visibilitychange"));
      return true;
    })()`);
  await setHidden(true);
  await until(10, "the picture to settle while hidden", async () => !(await moving()));
  await standsStill("while the tab was hidden");
  await setHidden(false);
  await until(10, "the pause banner once shown", () => picture(screens.pauseBanner));
  await standsStill("while paused after the tab came back");
  await page.key("p");
  await until(30, "the play field moving again after P", moving);
}

async function refusedRecordings() {
  const cases = [
    { name: "a damaged recording", body: Buffer.from("BRINECAST?".repeat(40)) },
    { name: "an empty recording", body: Buffer.alloc(0) },
    { name: "a recording the server does not have", body: null },
  ];
  for (const { name, body } of cases) {
    check(`?replay= of ${name} is refused in the game's box`);
    const stop = body ? await intercept("*/recordings/*", () => ({ status: 200, body })) : async () => {};
    await page.goto(`${server.origin}/play/?replay=987654`);
    await until(60, "the game's message box", () => picture(screens.messageBox));
    await stop();
    if ((await pageState()) !== "running") fail(`the page's state is ${await pageState()} under the box`);
    await page.key("Enter");
    await until(30, "the page's end after the box", async () => (await pageState()) === "ended");
    const ending = await page.evaluate("document.body.dataset.ending");
    if (ending !== "refused") fail(`the page ended as ${ending}, not refused`);
  }
}

async function main() {
  server = await ScoreServer.start({
    program: serverProgram,
    db: join(work, "scores.db"),
    log: join(out, "server.log"),
    args: ["--web", site],
  });
  browser = await Browser.launch();
  page = await browser.newPage();
  await page.send("Emulation.setDeviceMetricsOverride", { width: 1024, height: 768, deviceScaleFactor: 1, mobile: false });
  await noWebAssembly();
  await failedDownloads();
  await hiddenTabPauses();
  await refusedRecordings();
  console.log(`page_checks (web): passed in ${((Date.now() - started) / 1000).toFixed(0)}s`);
}

function report(error) {
  console.error(`page_checks (web): FAILED: ${checkName}: ${error.message}`);
  if (!(error instanceof CheckFailure)) console.error(error.stack);
  if (page) {
    console.error("---- the browser's console ----");
    for (const line of page.console.slice(-60)) console.error(line);
  }
  if (last) {
    const png = encodePng(last.image);
    writeFileSync(join(out, "last-screen.png"), png);
    console.error(`---- the last screenshot: ${join(out, "last-screen.png")} ----`);
  }
}

await runToEnd(main, report, async () => {
  if (browser) await browser.close();
  if (server) await server.stop();
  rmSync(work, { recursive: true, force: true });
});
