// One whole game of the browser version, as a player meets it: a real score server started here
// serves the page, headless Chromium opens /play/?seed=N and is driven by real key and mouse
// events, watched through screenshots of the page. An option is changed, a level is played to
// the name entry, a name typed, the send box ticked and Enter pressed; the name and score must
// reach the world page and the row turn proven by the server's replay; the row's replay link
// plays the game through to its end in the page; a reload keeps the option and the table.
// A failure prints the step, the last screenshot (base64 PNG) and the browser's console.
//
// usage: node --experimental-websocket whole_game.mjs SERVER SITE GAMEDATA CONFIG OUTDIR
//   CONFIG  a Config.cfg whose table any positive score enters, put in the browser's storage
//           first as a player's earlier games would have left it
import { mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";

import { Browser } from "./cdp.mjs";
import { encodePng } from "./png.mjs";
import { grab, screens, toPage } from "./screen.mjs";
import { runToEnd } from "./run.mjs";
import { ScoreServer } from "./server.mjs";

const [serverProgram, site, gameData, config, out] = process.argv.slice(2);
if (!out) {
  console.error("usage: whole_game.mjs SERVER SITE GAMEDATA CONFIG OUTDIR");
  process.exit(2);
}
// With seed 8 a fish of the first level's goal kind swims past the resting hook a few seconds
// into play, so one short cast wins the level (the desktop test relies on the same sea).
const seed = 8;
const started = Date.now();
rmSync(out, { recursive: true, force: true });
mkdirSync(out, { recursive: true });
const work = mkdtempSync(join(tmpdir(), "brinecast-web."));

let stepName = "setting up";
let last = null; // the last picture grabbed
let browser = null;
let page = null;
let server = null;

function step(name) {
  stepName = name;
  console.log(`[${((Date.now() - started) / 1000).toFixed(1)}s] ${name}`);
}

class TestFailure extends Error {}
function fail(why) {
  throw new TestFailure(why);
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Polls the page's picture until test(picture) holds; fails after limit seconds.
async function waitFor(limit, what, test) {
  const until = Date.now() + limit * 1000;
  for (;;) {
    const picture = await grab(page);
    if (picture) {
      last = picture;
      if (test(picture)) return picture;
    }
    if (Date.now() > until) fail(`no ${what} after ${limit}s`);
    await sleep(150);
  }
}

async function cameWithin(limit, test) {
  try {
    await waitFor(limit, "", test);
    return true;
  } catch (error) {
    if (error instanceof TestFailure) return false;
    throw error;
  }
}

async function clickAt(x, y) {
  const picture = last ?? (await grab(page));
  const at = toPage(picture, x, y);
  await page.click(at.x, at.y);
}

async function typeKeys(...names) {
  for (const name of names) {
    await page.key(name);
    await sleep(60);
  }
}

// The lit main-menu item, or 0.
function litItem(picture) {
  for (let n = 1; n <= 6; n++) if (screens.menuLit(picture, n)) return n;
  return 0;
}

async function walkMenuTo(item) {
  for (let i = 0; i < 6; i++) {
    const picture = await waitFor(60, "a lit main-menu item", (p) => litItem(p) > 0);
    const lit = litItem(picture);
    if (lit === item) return;
    await page.key(lit > item ? "Up" : "Down");
    const next = lit > item ? lit - 1 : lit + 1;
    await waitFor(60, `item ${next} lit`, (p) => screens.menuLit(p, next));
  }
  fail(`the main menu never lit item ${item}`);
}

// Music and sound rows of the options screen; the screen row depends on the browser.
const optionsShow = (p, music, sound) =>
  screens.optionsShow(p, "window", music, sound) || screens.optionsShow(p, "full", music, sound);

// Puts a file where the page keeps the player's files: one IndexedDB record a path.
async function keepInBrowser(path, bytes) {
  await page.evaluate(`new Promise((resolve, reject) => {
    const open = indexedDB.open("brinecast", 1);
    open.onupgradeneeded = () => open.result.createObjectStore("files");
    open.onerror = () => reject(open.error);
    open.onsuccess = () => {
      const tx = open.result.transaction("files", "readwrite");
      tx.objectStore("files").put(new Uint8Array(${JSON.stringify([...bytes])}), ${JSON.stringify(path)});
      tx.oncomplete = () => { open.result.close(); resolve(true); };
      tx.onerror = () => reject(tx.error);
    };
  })`);
}

async function worldRow(name) {
  // The world page: proven scores first, then every score sent, on one page.
  const { status, text } = await server.get("/cgi/version.pl?prg=Brinecast&show&type=0");
  if (status !== 200) fail(`the world page answered ${status}`);
  writeFileSync(join(out, "world.html"), text);
  return text.split("\n").find((line) => line.includes(`>${name}<`)) ?? null;
}

async function main() {
  step("starting a score server that serves the web game");
  server = await ScoreServer.start({
    program: serverProgram,
    db: join(work, "scores.db"),
    log: join(out, "server.log"),
    args: ["--web", site, "--game-data", gameData],
  });
  console.log(`score server on port ${server.port}`);

  step("starting headless Chromium");
  browser = await Browser.launch();
  page = await browser.newPage();
  await page.send("Emulation.setDeviceMetricsOverride", {
    width: 1024,
    height: 768,
    deviceScaleFactor: 1,
    mobile: false,
  });

  step("a table of low scores in the browser's storage");
  await page.goto(`${server.origin}/health`);
  await keepInBrowser("/brinecast/Config.cfg", readFileSync(config));

  step(`opening /play/?seed=${seed}`);
  await page.goto(`${server.origin}/play/?seed=${seed}`);
  await waitFor(120, "main menu with item 1 lit", (p) => screens.menuLit(p, 1));

  step("options: music off by keys");
  await page.key("Down");
  await waitFor(60, "item 2 lit after Down", (p) => screens.menuLit(p, 2));
  await page.key("Enter");
  await waitFor(60, "the options screen", (p) => optionsShow(p, "on", "on"));
  await typeKeys("Down", "Down", "Right");
  await waitFor(60, "music off after Right", (p) => optionsShow(p, "off", "on"));
  await page.key("Escape");

  step("a game: start by keys");
  await walkMenuTo(1);
  await page.key("Enter");
  await waitFor(60, "the play field", screens.playField);

  step("the level banner, then one short cast");
  if (!(await cameWithin(30, screens.levelBanner))) console.log("(the level banner was already gone)");
  await waitFor(60, "the level banner to end", (p) => !screens.levelBanner(p));
  await page.keyDown("Down");
  await sleep(300);
  await page.keyUp("Down");

  step("the resting hook lands a goal fish and the level is won");
  const levelOne = last.sum(90, 560, 135, 590);
  const gameOverPanel = (p) => screens.woodAt(p, 260, 300) && screens.woodAt(p, 300, 400);
  const nextLevel = (p) => !gameOverPanel(p) && screens.levelBanner(p) && p.sum(90, 560, 135, 590) !== levelOne;
  const ended = await waitFor(120, "the first level won or lost", (p) => !screens.playField(p) || gameOverPanel(p) || nextLevel(p));
  if (!(screens.playField(ended) && nextLevel(ended))) fail("the first level ended without a catch");
  await waitFor(60, "the second level's banner to end", (p) => !screens.levelBanner(p));

  step("Esc and Enter end the game; its score enters the table");
  for (let i = 0; ; i++) {
    if (i === 10) fail("Esc in play never asked the leave question");
    await page.key("Escape");
    if (await cameWithin(10, (p) => screens.woodAt(p, 570, 240) && screens.playField(p))) break;
  }
  await page.key("Enter");
  await waitFor(120, "the name entry", screens.nameEntry);

  step("name entry: a name, the check box ticked by a click, Enter sends");
  if (!screens.boxEmpty(last)) fail("the send box is ticked before anyone ticked it");
  await typeKeys("w", "e", "b", "b", "y");
  await clickAt(387, 376);
  await waitFor(60, "the check box ticked", (p) => screens.nameEntry(p) && screens.boxTicked(p));
  await page.key("Enter");
  const after = await waitFor(60, "the high-score table or a message box", (p) => screens.subScreenBackLit(p) || screens.messageBox(p));
  if (screens.messageBox(after)) fail("sending to the page's own server showed a message box");
  const tableSum = after.sum(100, 120, 700, 460);

  step("the world page shows the name and score, and the row turns proven");
  let row = null;
  const until = Date.now() + 120000;
  for (;;) {
    row = await worldRow("Webby");
    if (row && row.includes('class="proven"')) break;
    if (Date.now() > until) fail(`Webby's row never became proven: ${row}`);
    await sleep(500);
  }
  const replay = row.match(/href="(\/play\/\?replay=\d+)"/);
  if (!replay) fail(`the proven row has no replay link: ${row}`);

  step("the row's replay plays in the page to its end");
  await page.goto(`${server.origin}${replay[1]}`);
  await waitFor(120, "the replay's play field", screens.playField);
  // The page says it ended, and how: a refused recording ends too, after the game's box.
  const endOfReplay = Date.now() + 180000;
  while ((await page.evaluate("document.body.dataset.state")) !== "ended") {
    if (Date.now() > endOfReplay) fail("the replay never ended");
    last = (await grab(page)) ?? last;
    if (screens.messageBox(last)) fail("the replay showed a message box");
    await sleep(500);
  }
  const ending = await page.evaluate(`({ how: document.body.dataset.ending,
    again: !document.getElementById("watch").hidden && !document.getElementById("again").hidden })`);
  if (ending.how !== "replay") fail(`the replay ended as ${ending.how}, not as a watched game`);
  if (!ending.again) fail("the end of the replay offers no way to watch again and to play");

  step("a reload keeps the option and the table");
  await page.goto(`${server.origin}/play/`);
  await waitFor(120, "the main menu after a reload", (p) => litItem(p) > 0);
  await walkMenuTo(2);
  await page.key("Enter");
  await waitFor(60, "the options screen with music off", (p) => optionsShow(p, "off", "on"));
  await page.key("Escape");
  await walkMenuTo(3);
  await page.key("Enter");
  await waitFor(60, "the high-score table as it was", (p) => screens.subScreenBackLit(p) && p.sum(100, 120, 700, 460) === tableSum);

  console.log(`whole_game (web): passed in ${((Date.now() - started) / 1000).toFixed(0)}s (seed ${seed})`);
}

// A picture scaled down to width w (nearest pixel), small enough for a test log.
function shrink(image, w) {
  const h = Math.round((image.height * w) / image.width);
  const rgba = Buffer.alloc(w * h * 4);
  for (let y = 0; y < h; y++) {
    for (let x = 0; x < w; x++) {
      const sx = Math.floor((x * image.width) / w);
      const sy = Math.floor((y * image.height) / h);
      image.rgba.copy(rgba, (y * w + x) * 4, (sy * image.width + sx) * 4, (sy * image.width + sx) * 4 + 4);
    }
  }
  return { width: w, height: h, rgba };
}

function report(error) {
  console.error(`whole_game (web): FAILED during: ${stepName}: ${error.message}`);
  if (!(error instanceof TestFailure)) console.error(error.stack);
  if (page) {
    console.error("---- the browser's console ----");
    for (const line of page.console.slice(-80)) console.error(line);
  }
  try {
    console.error("---- the score server's log (end) ----");
    console.error(readFileSync(join(out, "server.log"), "utf8").split("\n").slice(-30).join("\n"));
  } catch {}
  if (last) {
    const png = encodePng(shrink(last.image, 400));
    writeFileSync(join(out, "last-screen.png"), png);
    console.error("---- the last screenshot, PNG in base64 (base64 -d > shot.png) ----");
    console.error("BEGIN");
    console.error(png.toString("base64"));
    console.error("END");
  }
}

await runToEnd(main, report, async () => {
  if (browser) await browser.close();
  if (server) await server.stop();
  rmSync(work, { recursive: true, force: true });
});
