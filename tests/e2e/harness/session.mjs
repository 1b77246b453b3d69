// One run of the program for a group of checks: a virtual display, the
// program on it and, when asked for, the stand-in service. stop() ends all
// of it whatever state it is in.

import { writeFileSync } from "node:fs";
import path from "node:path";
import { VirtualDisplay } from "./display.mjs";
import { artifactDir } from "./paths.mjs";
import { RepairApp, START_URL } from "./repair_app.mjs";
import { RepairSim } from "./repair_sim.mjs";

export class Session {
  // appArgs: extra switches; sim: { scenario, timeScale } or null for none.
  static async start({ appArgs = [], sim = null } = {}) {
    const session = new Session();
    try {
      session.display = await VirtualDisplay.start();
      if (sim) session.sim = await RepairSim.start(sim);
      session.app = await RepairApp.start(session.display, appArgs);
      session.page = await session.app.connect();
      session.window = await session.app.window();
    } catch (e) {
      await session.stop();
      throw e;
    }
    return session;
  }

  // Replaces the stand-in by one with another scenario and loads the page
  // afresh, so that it scans again. The old page is left first, so that
  // none of its requests reaches the new stand-in's journal.
  async restartSim(options) {
    await this.page.send("Page.navigate", { url: "about:blank" });
    await this.page.waitForPage("the page to leave for about:blank", "location.href === 'about:blank'");
    if (this.sim) await this.sim.stop();
    this.sim = null;
    this.sim = await RepairSim.start(options);
    await this.page.send("Page.navigate", { url: START_URL });
    await this.page.waitForPage(
      "the start page's modules to publish their handlers",
      "typeof window.TakeAction === 'function' && document.readyState === 'complete'",
      { timeout: 15000 },
    );
  }

  // Keeps a screenshot of the page as artifacts/e2e/<name>.png.
  async keepScreenshot(name) {
    const file = path.join(artifactDir("e2e"), `${name}.png`);
    writeFileSync(file, await this.page.screenshot());
    return file;
  }

  async stop() {
    for (const part of [this.app, this.sim, this.display]) {
      if (!part) continue;
      try {
        await part.stop();
      } catch (e) {
        console.error(`cleanup: ${e.message}`);
      }
    }
  }
}
