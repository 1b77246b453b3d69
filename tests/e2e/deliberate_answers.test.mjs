// Only a deliberate answer starts an action, with real input in the real
// program: held keys and their repeats, presses after the action page has
// covered "Proceed", a double-click; and the page's script policy refuses
// script that is not the page's own.

import assert from "node:assert/strict";
import { describe, it } from "node:test";
import { destructive, sleep, useSession } from "./harness/session.mjs";
import { OPTION_IDS } from "../../web/vocabulary.js";

// Long enough for an answer to reach the watcher and its request the service.
const SETTLE_MS = 800;

describe("deliberate answers only", () => {
  const { session, repair } = useSession({ sim: { scenario: "default", timeScale: 50 } });

  const sent = async () => destructive(await session.sim.journal());

  // A fresh page with an image and "restore" chosen.
  async function firstPage() {
    await session.load();
    await repair.choose(1, "restore");
  }

  it("held keys open the dialog and answer nothing; a fresh press answers once; later presses do nothing", async () => {
    const { page } = session;
    await firstPage();
    await repair.pressKeys(["Tab", "Tab", "Tab", "Tab"], "ok_button");

    for (const key of ["Enter", " "]) {
      await page.holdKey(key, 30); // about a second of auto-repeat
      assert.equal(await repair.dialogOpen(), true, `a held ${JSON.stringify(key)} on Proceed opens the dialog`);
      await sleep(SETTLE_MS);
      assert.deepEqual(await sent(), [], `a held ${JSON.stringify(key)} sends nothing`);
      assert.equal(await repair.dialogOpen(), true, "the dialog is still waiting for its answer");
      if (key === "Enter") {
        await repair.escape();
        await repair.waitForFocus("ok_button", "Escape");
      }
    }

    // The dialog of the held space bar, answered by a fresh Enter.
    await page.press("Enter");
    await repair.waitForDialogGone();
    await sleep(SETTLE_MS);
    assert.deepEqual((await sent()).map((e) => e.path), ["/lumenos-repair/restore"]);

    for (let i = 0; i < 5; i++) {
      await page.press("Enter");
      await sleep(100);
      assert.equal(await repair.dialogOpen(), false, `press ${i + 1} after the answer opens no dialog`);
    }
    await page.holdKey("Enter", 15);
    await sleep(SETTLE_MS);
    assert.equal(await repair.dialogOpen(), false, "nor does a held Enter");
    assert.equal((await sent()).length, 1, "the one answer sent one request");
    const enabled = await page.evaluate(`${JSON.stringify(["ok_button", ...OPTION_IDS])}
      .filter((id) => !document.getElementById(id).disabled)`);
    assert.deepEqual(enabled, [], "the covered controls are disabled");
  });

  it("a double-click on Proceed opens the dialog and answers nothing", async () => {
    const { page } = session;
    await firstPage();
    const earlier = (await sent()).length;
    const { x, y } = await page.centreOf("ok_button");
    for (const clickCount of [1, 2]) await page.clickAt(x, y, clickCount);
    await sleep(SETTLE_MS);
    assert.equal(await repair.dialogOpen(), true);
    assert.deepEqual((await sent()).slice(earlier), []);
    await repair.escape();
  });

  it("the page's script policy refuses an injected inline handler, and the page works under it", async () => {
    const { page } = session;
    const outcome = await page.evaluate(`new Promise((resolve) => {
      window.__ran = false;
      document.addEventListener("securitypolicyviolation",
        (e) => resolve({ ran: window.__ran, directive: e.effectiveDirective, blocked: e.blockedURI }), { once: true });
      const holder = document.createElement("div");
      holder.innerHTML = '<img src="pass.png" onload="window.__ran = true">';
      document.body.append(holder);
    })`);
    assert.equal(outcome.ran, false);
    assert.match(outcome.directive, /^script-src/);
    assert.equal(outcome.blocked, "inline");
    // The page itself loaded its modules and ran its click attributes.
    assert.equal(await page.evaluate("typeof window.TakeAction"), "function");
  });
});
