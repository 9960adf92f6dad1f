// A small client of the browser's DevTools protocol: starts a headless Chromium of its own with an
// empty profile, opens one page and sends it commands. Node 20 needs --experimental-websocket.
import { spawn } from "node:child_process";
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";

const kChromium = process.env.BRINECAST_CHROMIUM || "/usr/bin/chromium";

// Flags that keep a root, offline, GPU-less machine quiet: no sandbox (root), no calls home.
const kFlags = [
  "--headless=new",
  "--no-sandbox",
  "--disable-gpu",
  "--disable-quic",
  "--no-first-run",
  "--no-default-browser-check",
  "--disable-background-networking",
  "--disable-component-update",
  "--disable-sync",
  "--disable-extensions",
  "--mute-audio",
  // The game must keep running when the headless window is not "visible".
  "--disable-background-timer-throttling",
  "--disable-renderer-backgrounding",
  "--disable-backgrounding-occluded-windows",
  "--autoplay-policy=no-user-gesture-required",
  "--remote-debugging-port=0",
];

export class Browser {
  static async launch({ width = 1024, height = 768 } = {}) {
    const profile = mkdtempSync(join(tmpdir(), "brinecast-chromium."));
    const proc = spawn(
      kChromium,
      [...kFlags, `--user-data-dir=${profile}`, `--window-size=${width},${height}`, "about:blank"],
      { stdio: ["ignore", "ignore", "pipe"] },
    );
    const browser = new Browser(proc, profile);
    const url = await browser.#devtoolsUrl();
    await browser.#connect(url);
    return browser;
  }

  constructor(proc, profile) {
    this.proc = proc;
    this.profile = profile;
    this.stderr = "";
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = [];
  }

  #devtoolsUrl() {
    return new Promise((resolve, reject) => {
      const timer = setTimeout(() => reject(new Error("Chromium did not start within 30 s")), 30000);
      this.proc.stderr.on("data", (chunk) => {
        this.stderr += chunk;
        const match = this.stderr.match(/DevTools listening on (ws:\/\/\S+)/);
        if (match) {
          clearTimeout(timer);
          resolve(match[1]);
        }
      });
      this.proc.on("exit", (code) => reject(new Error(`Chromium ended at start (${code}): ${this.stderr}`)));
    });
  }

  #connect(url) {
    return new Promise((resolve, reject) => {
      this.ws = new WebSocket(url);
      this.ws.onopen = resolve;
      this.ws.onerror = () => reject(new Error(`no DevTools connection to ${url}`));
      this.ws.onmessage = (event) => this.#receive(JSON.parse(event.data));
    });
  }

  #receive(message) {
    if (message.id !== undefined) {
      const waiter = this.pending.get(message.id);
      if (!waiter) return;
      this.pending.delete(message.id);
      if (message.error) waiter.reject(new Error(`${waiter.method}: ${message.error.message}`));
      else waiter.resolve(message.result);
      return;
    }
    for (const listener of this.listeners) listener(message);
  }

  send(method, params = {}, sessionId = undefined) {
    const id = this.nextId++;
    const message = { id, method, params };
    if (sessionId) message.sessionId = sessionId;
    return new Promise((resolve, reject) => {
      this.pending.set(id, { resolve, reject, method });
      this.ws.send(JSON.stringify(message));
    });
  }

  on(listener) {
    this.listeners.push(listener);
  }

  async newPage() {
    const { targetId } = await this.send("Target.createTarget", { url: "about:blank" });
    const { sessionId } = await this.send("Target.attachToTarget", { targetId, flatten: true });
    const page = new Page(this, sessionId);
    await page.init();
    return page;
  }

  // Ends this Chromium by its own process id and removes its profile.
  async close() {
    try {
      this.ws?.close();
    } catch {}
    if (this.proc.exitCode === null) {
      const ended = new Promise((resolve) => this.proc.once("exit", resolve));
      this.proc.kill("SIGTERM");
      const timer = setTimeout(() => this.proc.kill("SIGKILL"), 5000);
      await ended;
      clearTimeout(timer);
    }
    // Its helper processes may still be writing the cache for a moment after it ends.
    // A profile left behind must not keep the caller from ending what else it started.
    try {
      rmSync(this.profile, { recursive: true, force: true, maxRetries: 10, retryDelay: 200 });
    } catch (error) {
      console.error(`could not remove Chromium's profile ${this.profile}: ${error.message}`);
    }
  }
}

export class Page {
  constructor(browser, sessionId) {
    this.browser = browser;
    this.sessionId = sessionId;
    this.console = [];
    this.loadWaiters = [];
    this.bytesReceived = 0;
  }

  async init() {
    this.browser.on((message) => {
      if (message.sessionId !== this.sessionId) return;
      const { method, params } = message;
      if (method === "Runtime.consoleAPICalled") {
        const text = params.args.map((a) => a.value ?? a.description ?? "").join(" ");
        this.console.push(`[${params.type}] ${text}`);
      } else if (method === "Runtime.exceptionThrown") {
        const details = params.exceptionDetails;
        this.console.push(`[exception] ${details.exception?.description ?? details.text}`);
      } else if (method === "Log.entryAdded") {
        this.console.push(`[${params.entry.level}] ${params.entry.text} ${params.entry.url ?? ""}`);
      } else if (method === "Page.loadEventFired") {
        for (const resolve of this.loadWaiters.splice(0)) resolve();
      } else if (method === "Network.loadingFinished") {
        this.bytesReceived += params.encodedDataLength;
      }
    });
    await this.send("Page.enable");
    await this.send("Runtime.enable");
    await this.send("Log.enable");
    await this.send("Network.enable");
  }

  send(method, params = {}) {
    return this.browser.send(method, params, this.sessionId);
  }

  async goto(url) {
    const loaded = new Promise((resolve) => this.loadWaiters.push(resolve));
    await this.send("Page.navigate", { url });
    await loaded;
  }

  async reload() {
    const loaded = new Promise((resolve) => this.loadWaiters.push(resolve));
    await this.send("Page.reload", { ignoreCache: false });
    await loaded;
  }

  // The value of an expression evaluated in the page (promises awaited).
  async evaluate(expression) {
    const { result, exceptionDetails } = await this.send("Runtime.evaluate", {
      expression,
      awaitPromise: true,
      returnByValue: true,
    });
    if (exceptionDetails) {
      throw new Error(`page: ${exceptionDetails.exception?.description ?? exceptionDetails.text}`);
    }
    return result.value;
  }

  async screenshot(clip = undefined) {
    const params = { format: "png" };
    if (clip) params.clip = clip;
    const { data } = await this.send("Page.captureScreenshot", params);
    return Buffer.from(data, "base64");
  }

  // Real key events, as a keyboard gives them: down (with its text for letters), then up.
  async key(name, { alt = false } = {}) {
    const spec = keySpec(name);
    const modifiers = alt ? 1 : 0;
    await this.send("Input.dispatchKeyEvent", { type: "keyDown", modifiers, ...spec });
    await this.send("Input.dispatchKeyEvent", {
      type: "keyUp",
      modifiers,
      key: spec.key,
      code: spec.code,
      windowsVirtualKeyCode: spec.windowsVirtualKeyCode,
    });
  }

  async keyDown(name) {
    await this.send("Input.dispatchKeyEvent", { type: "rawKeyDown", ...keySpec(name) });
  }

  async keyUp(name) {
    const spec = keySpec(name);
    await this.send("Input.dispatchKeyEvent", {
      type: "keyUp",
      key: spec.key,
      code: spec.code,
      windowsVirtualKeyCode: spec.windowsVirtualKeyCode,
    });
  }

  async click(x, y) {
    await this.send("Input.dispatchMouseEvent", { type: "mouseMoved", x, y });
    await this.send("Input.dispatchMouseEvent", { type: "mousePressed", x, y, button: "left", clickCount: 1 });
    await this.send("Input.dispatchMouseEvent", { type: "mouseReleased", x, y, button: "left", clickCount: 1 });
  }

  async mouseMove(x, y) {
    await this.send("Input.dispatchMouseEvent", { type: "mouseMoved", x, y });
  }
}

const kNamedKeys = {
  Enter: { key: "Enter", code: "Enter", windowsVirtualKeyCode: 13, text: "\r" },
  Escape: { key: "Escape", code: "Escape", windowsVirtualKeyCode: 27 },
  Space: { key: " ", code: "Space", windowsVirtualKeyCode: 32, text: " " },
  Backspace: { key: "Backspace", code: "Backspace", windowsVirtualKeyCode: 8 },
  Left: { key: "ArrowLeft", code: "ArrowLeft", windowsVirtualKeyCode: 37 },
  Up: { key: "ArrowUp", code: "ArrowUp", windowsVirtualKeyCode: 38 },
  Right: { key: "ArrowRight", code: "ArrowRight", windowsVirtualKeyCode: 39 },
  Down: { key: "ArrowDown", code: "ArrowDown", windowsVirtualKeyCode: 40 },
};

function keySpec(name) {
  if (kNamedKeys[name]) return kNamedKeys[name];
  if (/^[a-zA-Z]$/.test(name)) {
    const upper = name.toUpperCase();
    return { key: name, code: `Key${upper}`, windowsVirtualKeyCode: upper.charCodeAt(0), text: name };
  }
  if (/^[0-9]$/.test(name)) {
    return { key: name, code: `Digit${name}`, windowsVirtualKeyCode: name.charCodeAt(0), text: name };
  }
  throw new Error(`no key named ${name}`);
}
