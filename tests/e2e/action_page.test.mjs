// The buttons of the action page after a restore: "Clear Log", "Reboot"
// with the image chosen now, "Reboot" with none, and "Close".

import assert from "node:assert/strict";
import { describe, it } from "node:test";
import { actionUuid, destructive, named, scanUuid, useSession } from "./harness/session.mjs";

describe("the action page's buttons", () => {
  let menu;
  let restoreUuid;
  const { session, repair } = useSession({ sim: { scenario: "default", timeScale: 2 } }, async () => {
    ({ menu } = await repair.startAction());
    await repair.waitForResult();
    restoreUuid = actionUuid(await session.sim.journal());
  });

  it("Clear Log empties the log area and the service's log of the restore", async () => {
    assert.ok((await session.sim.logOf(restoreUuid)).length > 0, "the service holds a log first");
    await session.page.click("clearlogbtn");
    const state = await repair.waitForActionMessage("the clear's outcome", "m === 'Logs cleaned'", 10000);
    assert.equal(state.log, "");
    const clears = named(await session.sim.journal(), "clear");
    assert.deepEqual(clears.map((e) => e.params), [{ uuid: restoreUuid }]);
    assert.deepEqual(await session.sim.logOf(restoreUuid), []);
  });

  it("Reboot asks about the image chosen now and reboots it only after Yes", async () => {
    const { disc, image } = JSON.parse(menu[3].value);
    await repair.chooseImage(3);
    const expected = { title: "Reboot", message: `Will reboot ${disc} : image-${image}. Continue?` };
    await session.page.click("reboot1");
    assert.deepEqual(await repair.waitForDialog(), expected);
    assert.equal(await repair.prop("action_img", "style.opacity"), "0");
    await repair.answer(false);
    assert.deepEqual(named(await session.sim.journal(), "reboot"), [], "nothing sent after No");

    await session.page.click("reboot1");
    assert.deepEqual(await repair.waitForDialog(), expected);
    await repair.answer(true);
    const started = await repair.actionState();
    assert.equal(started.heading, `Rebooting ${disc} : ${image}`);
    assert.equal(started.msg, "In 10 seconds");
    assert.equal(started.log.includes("Restore of"), false, "the log area was emptied");
    const result = await repair.waitForActionMessage("the reboot's result", "m.startsWith('SUCCESS')");
    assert.equal(result.msg, "SUCCESS  Reboot scheduled");
    const journal = await session.sim.journal();
    assert.deepEqual(named(journal, "reboot").map((e) => e.params),
      [{ disc, image, scanuuid: scanUuid(journal), delay: "10" }]);
  });

  it("Reboot with Select.. chosen asks nothing and names no image", async () => {
    const before = destructive(await session.sim.journal()).length;
    await repair.chooseImage(0);
    await session.page.click("reboot1");
    const state = await repair.waitForActionMessage("the missing image's message", "m === 'Please select image'", 5000);
    assert.equal(state.heading, "");
    assert.equal(await repair.dialogOpen(), false);
    assert.equal(destructive(await session.sim.journal()).length, before);
  });

  // Last: it ends the program.
  it("Close ends the program with status 0", async () => {
    // The program may end before it answers the click's last input event.
    await session.page.click("close1").catch((e) => {
      if (!e.message.endsWith("the DevTools socket closed")) throw e;
    });
    assert.deepEqual(await session.app.waitForExit(15000), { code: 0, signal: null });
  });
});
