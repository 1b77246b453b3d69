// Every state has a way on, in the real program with the unit's keys only:
// a service that comes up after the program is waited for; a refused scan
// offers "Try again"; a list answered "still running" is asked again; a
// renderer that dies between Yes and the service's slow accept brings back
// the action page, not a second chance to start an action.

import assert from "node:assert/strict";
import { describe, it } from "node:test";
import { killRenderer, pageAgain } from "./harness/renderer.mjs";
import { destructive, named, RepairSim, sleep, useSession, writeScenario } from "./harness/session.mjs";

const WAITING = "Waiting for the repair service to start...";
const withFaults = (name, faults) => ({ scenario: writeScenario(name, { faults }), timeScale: 2 });

describe("no dead end", () => {
  const { session, repair } = useSession({ sim: null });
  const page = () => session.page;

  it("a service that starts 4 s after the program: the page waits, saying so, and reaches the image list by itself", async () => {
    await page().waitForPage("the waiting words", `document.getElementById('scan_msg').textContent === ${JSON.stringify(WAITING)}`);
    await session.keepScreenshot("no-dead-end-waiting-for-service");
    await sleep(4000);
    session.sim = await RepairSim.start({ scenario: "default", timeScale: 2 });
    const menu = await repair.waitForMenu();
    assert.ok(menu.length >= 3);
    await repair.waitForFocus("images", "the first page became usable");
    const journal = await session.sim.journal();
    assert.deepEqual(journal.filter((e) => e.path !== "/lumenos-repair/status").map((e) => e.path),
      ["/lumenos-repair/scan", "/lumenos-repair/list"]);
  });

  it("a refused scan: the failure with \"Try again\" focused; Enter scans again and reaches the image list", async () => {
    await session.restartSim(withFaults("scan-refused-once",
      [{ on: "scan", occurrence: 1, kind: "refusal", status: 503, message: "service starting" }]));
    await repair.waitForFocus("retry_button", "the refused scan");
    assert.equal(await repair.prop("scan_msg"), "Failed: Restart application");
    assert.equal(await repair.prop("loading_img", "style.display"), "none");
    await session.keepScreenshot("no-dead-end-try-again");
    await page().press("Enter");
    await repair.waitForMenu();
    await repair.waitForFocus("images", "the first page became usable");
    assert.equal(named(await session.sim.journal(), "scan").length, 2);
  });

  it("a list answered \"still running\" once is asked again and fills the image list", async () => {
    await session.restartSim(withFaults("list-running-once", [{ on: "list", occurrence: 1, kind: "still-running" }]));
    await repair.waitForMenu();
    const journal = await session.sim.journal();
    assert.deepEqual([named(journal, "scan").length, named(journal, "list").length], [1, 2]);
  });

  it("the renderer dies after Yes, before the service accepts: the action page comes back unconfirmed, nothing more is sent", async () => {
    const { app } = session;
    await session.restartSim(withFaults("slow-accept", [{ on: "restore", kind: "slow", delay_ms: 12000 }]));
    await repair.chooseRestoreByKeys();
    await page().press("Enter");
    await repair.waitForDialog();
    await page().press("Enter");
    await page().waitForPage("the action page", "document.getElementById('action_ui').style.display !== 'none'");

    await killRenderer(app);
    session.page = repair.page = await pageAgain(app,
      "document.getElementById('action_msg').textContent.startsWith('NOT CONFIRMED')");
    const back = await repair.actionState();
    assert.match(back.heading, /^Running Restore on /);
    assert.match(back.msg, /do not switch the unit off/);
    assert.equal(back.buttons, true, "Close and Reboot");
    assert.equal(await page().evaluate("!!document.getElementById('loading_id')"), false, "no scan overlay");
    await session.keepScreenshot("no-dead-end-unconfirmed-after-death");

    // The covered first page takes nothing: the keys reach the action page only.
    await repair.waitForFocus("action_log", "the action page came back");
    for (const key of ["ArrowUp", "ArrowUp", "Enter", "ArrowDown", "Enter"]) await page().press(key);
    await sleep(14000); // past the slow accept
    assert.equal(await repair.dialogOpen(), false);
    const journal = await session.sim.journal();
    assert.equal(named(journal, "scan").length, 1, "no scan after the death");
    assert.deepEqual(destructive(journal).map((e) => e.path), ["/lumenos-repair/restore"]);
  });
});
