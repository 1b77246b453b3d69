// The battery in the real program, with a stand-in for the engine's battery
// in the page from its first moment, by the unit's keys alone: a restore
// held back at 12 %, started once the charger brought it to 15 %, the line
// not to switch off while it runs, the warning at 8 % off the charger, the
// result, and one restore request in all.

import assert from "node:assert/strict";
import { describe, it } from "node:test";
import { shownText as shown } from "../page_reading.mjs";
import { standInBattery } from "../stand_in_battery.mjs";
import { destructive, scanUuid, useSession, writeRestoreScenario } from "./harness/session.mjs";


describe("the battery", () => {
  const scenario = writeRestoreScenario("restore-on-battery", "a restore long enough to watch its battery",
    { duration_ms: 12000, message: "Restore accepted", status_lines: ["Writing system", "Writing boot"],
      log_lines: ["wrote system", "wrote boot"], final_line: "Restore finished" });
  const sim = { scenario, timeScale: 1 };
  const { session, repair } = useSession({ sim }, async () => {
    await session.page.send("Page.enable");
    await session.page.send("Page.addScriptToEvaluateOnNewDocument",
      { source: `(${standInBattery})(${JSON.stringify({ level: 0.12, charging: false })});` });
    await session.restartSim(sim);
  });
  const battery = (changes) => session.page.evaluate(`window.__battery(${JSON.stringify(changes)})`);

  it("holds a restore back at 12 %, starts it on the charger, keeps the lines while it runs", async () => {
    const { page } = session;
    const { disc, image } = await repair.chooseRestoreByKeys();
    assert.equal(await repair.prop("restore", "checked"), true);

    await page.press("Enter");
    const held = await page.waitForPage("the held-back words", "document.getElementById('status').textContent");
    assert.equal(held, " The battery is at 12 %, too low to start a restore. Connect the charger and let it charge to 15 %.");
    assert.equal(await repair.dialogOpen(), false);
    await session.keepScreenshot("battery-held-back");

    await battery({ charging: true });
    await page.waitForPage("the words for the charger", "/Keep the charger connected/.test(document.getElementById('status').textContent)");
    await battery({ level: 0.15 });
    await page.waitForPage("the words to go", "document.getElementById('status').textContent === ''");
    assert.deepEqual(destructive(await session.sim.journal()), [], "nothing sent while held back");
    await page.press("Enter");
    await repair.waitForDialog();
    await page.press("Enter");
    await repair.waitForDialogGone();

    const power = await page.waitForPage("the line not to switch off", shown("action_power"));
    assert.equal(power, "Do not switch the unit off until the result shows.");
    await battery({ charging: false, level: 0.08 });
    const warning = await page.waitForPage("the low-battery warning", shown("action_battery"));
    assert.equal(warning, "The battery is at 8 %. Connect the charger now, so that the restore can finish.");
    assert.equal((await repair.actionState()).buttons, false, "still running");
    await session.keepScreenshot("battery-action-page");
    await battery({ charging: true });
    await page.waitForPage("the warning to go on the charger", `${shown("action_battery")} === null`);

    const result = await repair.waitForResult();
    assert.equal(result.msg, "SUCCESS  Restore finished");
    assert.deepEqual(await page.evaluate(`[${shown("action_power")}, ${shown("action_battery")}]`), [null, null]);
    const journal = await session.sim.journal();
    assert.deepEqual(destructive(journal).map((e) => [e.path, e.params]),
      [["/lumenos-repair/restore", { disc, image, scanuuid: scanUuid(journal) }]]);
  });
});
