// A start with an empty, read-only home, as a recovery environment may
// give: the page works and nothing is written there, from start to exit.

import assert from "node:assert/strict";
import { chmodSync, mkdtempSync, readdirSync, rmSync, statSync } from "node:fs";
import os from "node:os";
import path from "node:path";
import { after, before, describe, it } from "node:test";
import { named, useSession } from "./harness/session.mjs";

describe("a start with an empty, read-only home", () => {
  const home = mkdtempSync(path.join(os.tmpdir(), "lumenos-home-"));
  let homeChanged;
  before(() => {
    // Root may write here all the same: the checks below look at what is there.
    chmodSync(home, 0o555);
    homeChanged = statSync(home).mtimeMs;
  });
  const { session, repair } = useSession({
    sim: { scenario: "default" },
    // The per-user folders then default to places under the home.
    appEnv: { HOME: home, XDG_CACHE_HOME: undefined, XDG_CONFIG_HOME: undefined,
      XDG_DATA_HOME: undefined, XDG_STATE_HOME: undefined },
  });
  after(() => {
    chmodSync(home, 0o700);
    rmSync(home, { recursive: true, force: true });
  });

  it("scans, lists, ends on window.close() and leaves the home as it was", async () => {
    const { app, page } = session;
    const menu = await repair.waitForMenu();
    assert.ok(menu.length > 0, "the image list has entries");
    const journal = await session.sim.journal();
    assert.equal(named(journal, "scan").length, 1);
    assert.equal(named(journal, "list").length, 1);

    await page.evaluate("window.close()");
    assert.deepEqual(await app.waitForExit(15000), { code: 0, signal: null });
    assert.deepEqual(readdirSync(home, { recursive: true }), [], "nothing in the home");
    assert.equal(statSync(home).mtimeMs, homeChanged, "nothing created and removed there either");
  });
});
