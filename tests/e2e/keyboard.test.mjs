// The whole repair by keyboard alone, with real X key presses: Tab through
// the page's focus order, the list's pop-up, the checkbox, "Proceed", the
// dialog, and "Close" on the result.

import assert from "node:assert/strict";
import { after, before, describe, it } from "node:test";
import { destructive, scanUuid } from "./harness/journal.mjs";
import { RepairPage } from "./harness/repair_page.mjs";
import { Session } from "./harness/session.mjs";

describe("keyboard-only operation", () => {
  let session;
  let repair;
  before(async () => {
    session = await Session.start({ sim: { scenario: "default", timeScale: 2 } });
    repair = new RepairPage(session.page);
  });
  after(async () => {
    await session?.stop();
  });

  // Presses X keys, then waits until the focused element has id `focused`.
  async function keys(names, focused) {
    await session.display.run("xdotool", ["key", "--delay", "80", ...names]);
    await session.page.waitForPage(`the focus on "${focused}" after ${names.join(" ")}`,
      `document.activeElement && document.activeElement.id === ${JSON.stringify(focused)}`);
  }

  it("restores an image from start to result and closes, without the pointer", async () => {
    const { app, page } = session;
    const menu = await repair.waitForMenu();
    await keys(["Tab"], "images");
    await keys(["space"], "images"); // opens the list's pop-up
    await new Promise((resolve) => setTimeout(resolve, 300));
    await keys(["Down", "Return"], "images");
    assert.equal(await page.evaluate("document.getElementById('images').selectedIndex"), 1);
    await keys(["Tab"], "restore");
    await keys(["space"], "restore");
    assert.equal(await page.evaluate("document.getElementById('restore').checked"), true);
    await keys(["Tab", "Tab", "Tab", "Tab"], "ok_button");
    await keys(["Return"], "exConfirmPromiseBtnYes");
    assert.deepEqual(destructive(await session.sim.journal()), [], "nothing sent before the answer");
    await session.display.run("xdotool", ["key", "Return"]);

    const result = await repair.waitForResult();
    const { disc, image } = JSON.parse(menu[1].value);
    assert.equal(result.message, `SUCCESS  Restore of ${image} finished`);
    const journal = await session.sim.journal();
    assert.deepEqual(destructive(journal).map((e) => e.params),
      [{ disc, image, scanuuid: scanUuid(journal) }]);

    // The action page took the focus; its controls follow it.
    await keys(["Tab", "Tab", "Tab"], "close1");
    await session.display.run("xdotool", ["key", "Return"]);
    assert.deepEqual(await app.waitForExit(15000), { code: 0, signal: null });
  });
});
