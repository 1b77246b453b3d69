// The battery (a stand-in for navigator.getBattery): a restore, factory
// reset or repair is held back, with nothing sent, on a battery that may not
// last it; the battery's events lift the hold but start nothing; a battery
// that cannot be read counts as full; while the discs are written the action
// page says not to switch off, and warns off the charger below 10 %.

import { test, describe } from "node:test";
import assert from "node:assert/strict";
import { answer, pagePerTest } from "./harness/browser.mjs";
import { shownText } from "../page_reading.mjs";
import { standInBattery } from "../stand_in_battery.mjs";
import { DESTRUCTIVE_REQUESTS } from "../../web/vocabulary.js";

let ui;
const { ready } = pagePerTest();

const sent = () => ui.svc.requests.filter((r) => DESTRUCTIVE_REQUESTS.includes(r.op)).map((r) => r.op);
const KEEP_ON = "Do not switch the unit off until the result shows.";
const R = "R-1";

// Every action accepted at once; a factory reset is followed until run.finished.
function service(state) {
  const run = { finished: false };
  run.handlers = {
    restore: answer.done("Restored"),
    "factory-reset": answer.pending(R, "Factory reset accepted"),
    repair: answer.done("Repair ready"),
    reboot: answer.done("Reboot scheduled"),
    status: () => (run.finished ? answer.status(R, 200, "Done", ["end"]) : answer.status(R, 102, "Writing", ["w"])),
  };
  run.open = async () => (ui = await ready(run.handlers, { initScript: [standInBattery, state] }));
  return run;
}

// A factory reset started on this battery; delivers its run.
async function factoryReset(state) {
  const run = service(state);
  await run.open();
  await ui.start(1, "factory-reset");
  await ui.idle();
  return run;
}

// Lets the run's factory reset end with its result: the page's lines gone, one
// factory reset sent in all.
async function finish(run) {
  run.finished = true;
  await ui.untilResult();
  assert.equal((await ui.actionPage()).msg, "SUCCESS  Done");
  assert.deepEqual(await words(), { status: "", power: null, battery: null }, "the lines go with the result");
  assert.deepEqual(sent(), ["factory-reset"]);
}

const battery = (changes) => ui.page.evaluate((c) => window.__battery(c), changes);

// What the page says: "status", and the action page's two lines (null while hidden).
const words = () => ui.page.evaluate(`({ status: document.getElementById("status").textContent,
  power: ${shownText("action_power")}, battery: ${shownText("action_battery")} })`);

// Chooses image 1 and the option, presses "Proceed"; delivers whether the
// dialog opened.
async function proceed(option) {
  await ui.ask(1, option);
  return ui.dialogOpen();
}

describe("before an action that writes the discs", () => {
  // level, charging, option: the words that hold it back, or null for started.
  const TABLE = [
    [0.19, false, "restore", " The battery is at 19 %, too low to start a restore. Connect the charger."],
    [0.2, false, "restore", null],
    [0.14, false, "factory-reset",
      " The battery is at 14 %, too low to start a factory reset. Connect the charger and let it charge to 15 %."],
    [0.14, true, "repair",
      " The battery is at 14 %, too low to start a repair. Keep the charger connected until the battery reaches 15 %."],
    [0.15, true, "repair", null],
    [0.15, false, "repair", " The battery is at 15 %, too low to start a repair. Connect the charger."],
    [0.01, false, "reboot", null],
  ];
  for (const [level, charging, option, holds] of TABLE) {
    test(`${option} at ${Math.round(level * 100)} %${charging ? " on the charger" : ""}: ${holds ? "held back" : "started"}`,
      async () => {
        await service({ level, charging }).open();
        assert.equal(await proceed(option), !holds, "the dialog opens only when the action may start");
        if (holds) {
          assert.deepEqual(await words(), { status: holds, power: null, battery: null });
          assert.equal(await ui.focused(), "ok_button", "the focus stays on Proceed");
          await ui.idle();
          assert.deepEqual(sent(), []);
          return;
        }
        await ui.answer(true);
        await ui.idle();
        assert.deepEqual(sent(), [option]);
        assert.equal((await words()).status, "");
      });
  }

  test("read again at Yes; its events update or take back the words, and start or answer nothing", async () => {
    await service({ level: 0.5, charging: false }).open();
    assert.equal(await proceed("restore"), true);
    await battery({ level: 0.12 });
    assert.equal(await ui.dialogOpen(), true, "an event answers nothing");
    await ui.answer(true);
    await ui.dialogGone();
    const low = " The battery is at 12 %, too low to start a restore. ";
    assert.deepEqual(await words(), { status: low + "Connect the charger and let it charge to 15 %.", power: null,
      battery: null });
    assert.equal(await ui.visible("#action_ui"), false);

    await battery({ charging: true });
    assert.equal((await words()).status, low + "Keep the charger connected until the battery reaches 15 %.");
    // Words the person replaced by another choice stay away.
    await ui.option("repair");
    await battery({ level: 0.13 });
    assert.equal((await words()).status, "");
    await ui.option("restore");
    await ui.proceed();
    assert.match((await words()).status, /^ The battery is at 13 %/);
    await battery({ level: 0.15 });
    assert.equal((await words()).status, "", "the level allows: the words go");
    await battery({ level: 0.14 });
    assert.equal((await words()).status, "", "and do not come back by themselves");
    await ui.idle();
    assert.deepEqual(sent(), [], "no event started anything");
    assert.equal(await ui.dialogOpen(), false);

    await battery({ level: 0.15 });
    await ui.proceed();
    await ui.answer(true);
    await ui.idle();
    assert.deepEqual(sent(), ["restore"]);
  });

  test("a battery that cannot be read counts as full, in each way", async () => {
    const WAYS = ["absent", "rejects", "throws", "silent", { level: 1, charging: true, chargingTime: 0 },
      { level: "0.05", charging: false }, { level: 0.05, charging: "no" }, { level: 5, charging: false }];
    for (const way of WAYS) {
      const run = await factoryReset(way);
      assert.deepEqual(sent(), ["factory-reset"], JSON.stringify(way));
      assert.deepEqual(await words(), { status: "", power: KEEP_ON, battery: null }, JSON.stringify(way));
      await finish(run);
    }
  });
});

describe("while the discs are written", () => {
  test("the line not to switch off, the warning below 10 % off the charger, both gone with the result", async () => {
    const run = await factoryReset({ level: 0.5, charging: false });
    assert.deepEqual(await words(), { status: "", power: KEEP_ON, battery: null });
    await battery({ level: 0.1 });
    assert.equal((await words()).battery, null, "10 % gives no warning");
    await battery({ level: 0.09 });
    const warning = (n) => `The battery is at ${n} %. Connect the charger now, so that the factory reset can finish.`;
    assert.deepEqual(await words(), { status: "", power: KEEP_ON, battery: warning(9) });
    await battery({ charging: true, level: 0.05 });
    assert.equal((await words()).battery, null, "on the charger: no warning");
    await battery({ charging: false });
    assert.equal((await words()).battery, warning(5));

    await ui.elapse(4000);
    assert.equal((await ui.actionPage()).buttons, false, "the action goes on");
    await finish(run);
  });

  test("the page loaded again during the action shows the same lines", async () => {
    const run = await factoryReset({ level: 0.5, charging: false });
    await ui.page.reload();
    await ui.idle();
    assert.equal(await ui.visible("#action_ui"), true);
    assert.deepEqual(await words(), { status: "", power: KEEP_ON, battery: null });
    await battery({ level: 0.04 });
    assert.match((await words()).battery, /^The battery is at 4 %\. Connect the charger now/);
    await finish(run);
  });
});
