// One run of the program for a group of checks: a virtual display, the
// program on it and, when asked for, the stand-in service. stop() ends all
// of it whatever state it is in.

import { writeFileSync } from "node:fs";
import path from "node:path";
import { after, before } from "node:test";
import { VirtualDisplay } from "./display.mjs";
import { artifactDir } from "./paths.mjs";
import { RepairApp, START_PAGE_READY, START_URL } from "./repair_app.mjs";
import { RepairPage } from "./repair_page.mjs";
import { RepairSim } from "./repair_sim.mjs";

// A test file imports from here what it uses beside the session: the
// journal's readers, bounded waits, the start page and the appended
// switches, and the writer of a test's own scenario.
export * from "./journal.mjs";
export { APPENDED_SWITCHES, START_PAGE_READY, START_URL } from "./repair_app.mjs";
export { RepairSim, writeRestoreScenario, writeScenario } from "./repair_sim.mjs";
export { sleep, waitFor } from "../../wait.mjs";

export class Session {
  // appArgs: extra switches; appEnv: changes to the program's environment,
  // undefined values remove a variable; sim: { scenario, timeScale } or null
  // for none.
  static async start(options) {
    const session = new Session();
    await session.open(options);
    return session;
  }

  async open({ appArgs = [], appEnv = {}, sim = null } = {}) {
    try {
      this.display = await VirtualDisplay.start();
      if (sim) this.sim = await RepairSim.start(sim);
      const env = { ...this.display.env, ...appEnv };
      for (const [name, value] of Object.entries(env)) if (value === undefined) delete env[name];
      this.app = await RepairApp.start(this.display, appArgs, env);
      this.page = await this.app.connect();
      this.window = await this.app.window();
    } catch (e) {
      await this.stop();
      throw e;
    }
  }

  // Replaces the stand-in by one with another scenario and loads the page
  // afresh, so that it scans again. The old page is left first, so that
  // none of its requests reaches the new stand-in's journal; the requests
  // and answers of the old one kept the service's contract.
  async restartSim(options) {
    await this.page.send("Page.navigate", { url: "about:blank" });
    await this.page.waitForPage("the page to leave for about:blank", "location.href === 'about:blank'");
    await this.sim?.checkContract();
    if (this.sim) await this.sim.stop();
    this.sim = null;
    this.sim = await RepairSim.start(options);
    await this.load();
  }

  // Loads url (the start page by default) afresh and waits for its modules.
  async load(url = START_URL) {
    await this.page.send("Page.navigate", { url });
    await this.page.waitForPage(`${url} to load afresh and its modules to publish their handlers`,
      `location.href === ${JSON.stringify(url)} && ${START_PAGE_READY}`, { timeout: 15000 });
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

// One session for the tests of a describe block: started in its before hook,
// then setUp(session) if given, and stopped in its after hook, which fails
// when the stand-in's requests or answers broke the service's contract. The session and
// a RepairPage on it are handed out at once and usable from before on.
export function useSession(options, setUp) {
  const session = new Session();
  const repair = new RepairPage(null);
  before(async () => {
    await session.open(options);
    repair.page = session.page;
    await setUp?.(session);
  });
  after(async () => {
    try {
      await session.sim?.checkContract();
    } finally {
      await session.stop();
    }
  });
  return { session, repair };
}
