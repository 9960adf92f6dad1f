// A brinecast-scores of the test's own on a free loopback port, serving the web game; ended by
// its own process id.
import { spawn } from "node:child_process";
import { openSync, closeSync } from "node:fs";
import { createServer } from "node:net";

function freePort() {
  return new Promise((resolve, reject) => {
    const probe = createServer();
    probe.once("error", reject);
    probe.listen(0, "127.0.0.1", () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
  });
}

export class ScoreServer {
  static async start({ program, db, log, args = [] }) {
    for (let attempt = 0; attempt < 5; attempt++) {
      const port = await freePort();
      const out = openSync(log, "a");
      const proc = spawn(program, ["--bind", "127.0.0.1", "--port", String(port), "--db", db, ...args], {
        stdio: ["ignore", out, out],
      });
      closeSync(out);
      const server = new ScoreServer(proc, port);
      if (await server.#ready()) return server;
      await server.stop();
    }
    throw new Error(`the score server did not start; see ${log}`);
  }

  constructor(proc, port) {
    this.proc = proc;
    this.port = port;
    this.origin = `http://127.0.0.1:${port}`;
  }

  async #ready() {
    const until = Date.now() + 30000;
    while (Date.now() < until && this.proc.exitCode === null) {
      try {
        const reply = await fetch(`${this.origin}/health`);
        if (reply.ok) return true;
      } catch {}
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
    return false;
  }

  async get(path) {
    const reply = await fetch(`${this.origin}${path}`);
    return { status: reply.status, headers: reply.headers, text: await reply.text() };
  }

  async stop() {
    if (this.proc.exitCode !== null || this.proc.signalCode !== null) return;
    const ended = new Promise((resolve) => this.proc.once("exit", resolve));
    this.proc.kill("SIGTERM");
    const timer = setTimeout(() => this.proc.kill("SIGKILL"), 10000);
    await ended;
    clearTimeout(timer);
  }
}
