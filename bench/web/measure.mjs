// The browser game measured in headless Chromium against a real score server on loopback:
// bytes sent for the whole game (as sent, compressed), the first picture after opening /play/
// with an empty cache, frames per second in play and the share of the time the page's main
// thread is busy. Prints one line per figure.
//
// usage: node --experimental-websocket bench/web/measure.mjs SERVER SITE [SECONDS]
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";

import { Browser } from "../../tests/web/browser/cdp.mjs";
import { ScoreServer } from "../../tests/web/browser/server.mjs";

const [serverProgram, site, seconds = "10"] = process.argv.slice(2);
if (!site) {
  console.error("usage: measure.mjs SERVER SITE [SECONDS]");
  process.exit(2);
}
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const work = mkdtempSync(join(tmpdir(), "brinecast-measure."));
let server = null;
let browser = null;

async function until(page, expression, limit) {
  const end = Date.now() + limit * 1000;
  while (!(await page.evaluate(expression))) {
    if (Date.now() > end) throw new Error(`${expression} not true after ${limit}s`);
    await sleep(100);
  }
}

// Cumulative busy time of the page's main thread, in seconds, and the clock it was read at.
async function busy(page) {
  const { metrics } = await page.send("Performance.getMetrics");
  const get = (name) => metrics.find((m) => m.name === name)?.value ?? 0;
  return { task: get("TaskDuration"), at: get("Timestamp") };
}

try {
  server = await ScoreServer.start({
    program: serverProgram,
    db: join(work, "scores.db"),
    log: join(work, "server.log"),
    args: ["--web", site],
  });
  browser = await Browser.launch();
  const page = await browser.newPage();
  await page.send("Emulation.setDeviceMetricsOverride", { width: 1024, height: 768, deviceScaleFactor: 1, mobile: false });
  await page.send("Performance.enable");

  await page.goto(`${server.origin}/play/?seed=3`);
  await until(page, "document.body.dataset.state === 'running'", 60);
  const first = await page.evaluate("brinecastStats.firstPicture");
  // What is still arriving after the first picture counts too.
  await sleep(1000);
  console.log(`first picture: ${(first / 1000).toFixed(2)} s after the page began (empty cache, loopback)`);
  console.log(`bytes sent for the game: ${(page.bytesReceived / 1e6).toFixed(2)} MB (as encoded on the wire)`);

  await page.key("Enter");
  await sleep(3000); // past the level banner
  const before = { frames: await page.evaluate("brinecastStats.frames"), ...(await busy(page)) };
  await sleep(Number(seconds) * 1000);
  const after = { frames: await page.evaluate("brinecastStats.frames"), ...(await busy(page)) };
  const span = after.at - before.at;
  const fps = (after.frames - before.frames) / span;
  console.log(`frames per second in play: ${fps.toFixed(1)} over ${span.toFixed(1)} s`);
  console.log(`main thread busy: ${((100 * (after.task - before.task)) / span).toFixed(1)} % of the time` +
    ` (${((1000 * (after.task - before.task)) / (after.frames - before.frames)).toFixed(2)} ms a frame)`);
} finally {
  if (browser) await browser.close();
  if (server) await server.stop();
  rmSync(work, { recursive: true, force: true });
}
