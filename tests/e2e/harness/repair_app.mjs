// The program under test: started on a virtual display with DevTools open,
// its stderr collected, its page reachable over CDP.

import { PageSession, pageTargets } from "./cdp.mjs";
import { appBinary } from "./paths.mjs";
import { freePort } from "./ports.mjs";
import { ProcessGroup } from "./process_group.mjs";
import { waitFor } from "../../wait.mjs";

export const START_URL = "client://web/index.html";
// Holds in the start page once its modules have published their handlers.
export const START_PAGE_READY = "typeof window.TakeAction === 'function' && document.readyState === 'complete'";
export const APPENDED_SWITCHES =
  ["--disable-web-security", "--disable-sync", "--ignore-gpu-blacklist", "--start-fullscreen"];

export class RepairApp {
  // display: a VirtualDisplay; args: extra switches of the program; env:
  // its environment, the display's by default.
  static async start(display, args = [], env = display.env) {
    const app = new RepairApp();
    app.display = display;
    app.debugPort = await freePort();
    const switches = ["--no-sandbox", `--remote-debugging-port=${app.debugPort}`, ...args];
    app.process = new ProcessGroup("lumenos-repair-app", appBinary(), switches, { env });
    return app;
  }

  get pid() {
    return this.process.pid;
  }

  get stderr() {
    return this.process.stderr;
  }

  // Connects to the start page once it is listed and waits until its
  // modules have run.
  async connect() {
    const target = await waitFor(`the start page's DevTools target (port ${this.debugPort})`, async () => {
      this.process.checkRunning();
      return (await pageTargets(this.debugPort)).find((t) => t.url === START_URL);
    }, { timeout: 20000, interval: 200 });
    this.page = await PageSession.connect(target.webSocketDebuggerUrl);
    await this.page.waitForPage("the page's modules to publish their handlers", START_PAGE_READY, { timeout: 15000 });
    return this.page;
  }

  async window() {
    return this.display.windowOf(this.pid);
  }

  // Lines of stderr that match pattern.
  stderrLines(pattern) {
    return this.stderr.split("\n").filter((line) => pattern.test(line));
  }

  waitForExit(timeout = 15000) {
    return this.process.waitForExit(timeout);
  }

  async stop() {
    if (this.page) this.page.close();
    await this.process.stop();
  }
}
