// The page with the unit's controls: the image acted on is the one the list
// shows, however it was changed; and a gamepad (a stand-in for
// navigator.getGamepads) walks the whole repair with pushes, holds and
// repeats, never answering a dialog with a held button.

import { test, describe } from "node:test";
import assert from "node:assert/strict";
import { answer, pagePerTest } from "./harness/browser.mjs";
import { YES } from "../page_reading.mjs";
import { standInGamepads } from "../stand_in_gamepads.mjs";

let ui;
const { open, ready } = pagePerTest();

const shown = () => ui.page.evaluate(() => document.getElementById("images").selectedIndex);
const listOpen = () => ui.page.evaluate(() => document.getElementById("images").hasAttribute("size"));
const sent = () => ui.svc.requests.filter((r) => !["scan", "list", "status"].includes(r.op));
// Entries of TWO_DISCS: 0 "Select..", then sda's two images, then mmcblk0's.
const IMAGES = [null, ["sda", "lumenos-2.4"], ["sda", "lumenos-2.3"], ["mmcblk0", "lumenos-3.0-rc1"], ["mmcblk0", "factory"]];

describe("the image acted on is the image the list shows", () => {
  // Each way starts on the ready first page, with the focus on the list
  // showing entry 1 (picked by a click): its name, the entry it leaves
  // shown, and what it does.
  const WAYS = [
    ["a click on an entry", 3, () => ui.choose(3)],
    ["a key of the closed list itself (End)", 4, () => ui.keys("End")],
    ["the list opened by Enter, two Down, Enter", 3, () => ui.keys("Enter", "ArrowDown", "ArrowDown", "Enter")],
    ["the list opened by Enter, Down, then Escape back", 1, async () => {
      await ui.keys("Enter", "ArrowDown");
      assert.equal(await shown(), 2, "the opened list shows the entry chosen");
      await ui.keys("Escape");
    }],
    ["a pointer pick in the list opened by Enter", 2, async () => {
      await ui.keys("Enter");
      await ui.page.click("#images option:nth-child(3)");
    }],
    ["Down on the closed list: the focus moves on, the entry stays", 1, async () => {
      await ui.keys("ArrowDown");
      assert.equal(await ui.focused(), "restore");
      await ui.page.focus("#images");
    }],
    ["a script setting the entry without any event", 4,
      () => ui.page.evaluate(() => (document.getElementById("images").selectedIndex = 4))],
  ];

  for (const [way, index, change] of WAYS) {
    test(way, async () => {
      ui = await ready({ restore: answer.done("Restored") });
      assert.equal(await ui.focused(), "images", "the first page opens with the focus on the list");
      await ui.choose(1);
      await ui.page.focus("#images");
      await change();
      assert.equal(await shown(), index);
      assert.equal(await listOpen(), false, "the list is closed");
      const [disc, image] = IMAGES[index];
      await ui.option("restore");
      await ui.proceed();
      assert.equal(await ui.html("#exConfirmPromise_message"),
        `${disc} : ${image}<br>Action can't be undone. Continue?`);
      await ui.answer(true);
      await ui.idle();
      assert.deepEqual(sent().map((r) => [r.op, r.params.disc, r.params.image]), [["restore", disc, image]]);
      assert.equal(await ui.text("#action_label"), `Running Restore on ${disc} : ${image}`);
    });
  }
});

describe("a standard gamepad", () => {
  const [A, B, UP, DOWN, LEFT, RIGHT] = [0, 1, 12, 13, 14, 15];
  const pad = (buttons, axes) => ui.page.evaluate(([b, a]) => window.__pad(b, a), [buttons, axes]);
  // Holds buttons for ms of the page's clock, then lets go.
  async function hold(buttons, ms, axes) {
    await pad(buttons, axes);
    await ui.advance(ms);
    await pad([]);
    await ui.advance(50);
  }
  // Pushes each button in turn.
  const push = async (...buttons) => {
    for (const button of buttons) await hold([button], 50);
  };
  const reads = () => ui.page.evaluate(() => window.__padReads);

  test("walks the whole repair: pushes move one step, holds repeat, A acts, B goes back, a held A never answers", async () => {
    const log = Array.from({ length: 80 }, (_, i) => `line ${i}`);
    ui = await open({ restore: answer.pending("R-1", "accepted"), status: answer.status("R-1", 200, "Restore complete", log),
      reboot: answer.done("Rebooting") });
    await ui.page.evaluate(standInGamepads);
    await ui.ready();
    // Without a pad the page reads none, frame after frame.
    const idleReads = await reads();
    await ui.advance(1000);
    assert.equal(await reads(), idleReads, "no reading without a pad");

    // The pad shows itself with A held: that press is from before, it opens nothing.
    await ui.page.evaluate(() => window.__connectPad([0]));
    await ui.advance(1000);
    assert.ok((await reads()) > idleReads + 30, "read once a frame");
    assert.equal(await ui.focused(), "images");
    assert.equal(await listOpen(), false);
    await pad([]);
    await ui.advance(50);

    // One push, one step; a hold repeats after 400 ms, every 100 ms.
    await push(DOWN);
    assert.equal(await ui.focused(), "restore");
    await hold([UP], 350);
    assert.equal(await ui.focused(), "images", "a push of 350 ms is one step");
    await hold([DOWN], 650); // the press, then repeats at 400, 500 and 600 ms
    assert.equal(await ui.focused(), "reboot");
    await hold([], 50, [0, -0.9, 0, 0]); // the stick up
    assert.equal(await ui.focused(), "repair");
    await hold([], 50, [0, 0.3, 0, 0]); // a slight tilt is no push
    assert.equal(await ui.focused(), "repair");
    // A toggles the focused option by its rule; A held toggles once.
    await push(A, UP, UP);
    await hold([A], 1000);
    assert.deepEqual(await ui.page.evaluate(() => ["restore", "repair"].map((id) => document.getElementById(id).checked)),
      [true, false], "checking restore unchecked repair");
    // The list: A opens it, Down chooses, B goes back, then A takes an entry.
    await push(UP, A, DOWN, DOWN, B);
    assert.equal(await shown(), 0);
    await push(A, DOWN, DOWN, A);
    assert.equal(await shown(), 2);

    // Proceed by A, held through the dialog's opening: no answer.
    await hold([DOWN], 650); // restore .. reboot, then Proceed
    await push(DOWN);
    assert.equal(await ui.focused(), "ok_button");
    await hold([A], 2000);
    assert.equal(await ui.dialogOpen(), true);
    assert.equal(await ui.focused(), YES);
    assert.deepEqual(sent(), [], "a held A answers nothing");
    // Up and Down stay in the dialog; B answers No.
    await push(UP, DOWN);
    assert.equal(await ui.focused(), YES);
    await push(B);
    await ui.dialogGone();
    assert.equal(await ui.dialogOpen(), false);
    assert.equal(await ui.focused(), "ok_button");
    // Right then A on the dialog: No.
    await push(A, RIGHT, A);
    await ui.dialogGone();
    assert.deepEqual(sent(), []);
    // A fresh A on Yes.
    await push(A, A);
    await ui.idle();
    assert.deepEqual(sent().map((r) => [r.op, r.params.image]), [["restore", "lumenos-2.3"]]);
    assert.equal(await ui.focused(), "action_log", "the action page opens with the focus on its log");
    await ui.untilResult();
    await ui.advance(20); // the frame in which the area follows the last poll

    // The log scrolls under Up and Down and is left at its edges; nothing
    // under the action page is reachable.
    const logTop = () => ui.page.evaluate(() => document.getElementById("action_log").scrollTop);
    const scrollLog = (top) => ui.page.evaluate((t) => (document.getElementById("action_log").scrollTop = t), top);
    await scrollLog(1e6);
    const bottom = await logTop();
    assert.ok(bottom > 0, "the log overflows its area");
    await push(UP);
    assert.ok((await logTop()) < bottom, "Up scrolls the log");
    await hold([DOWN], 1500); // scrolls to the bottom, where held repeats stay
    assert.equal(await ui.focused(), "action_log");
    await push(DOWN);
    assert.equal(await ui.focused(), "close1", "Down at the bottom goes to the button below");
    await push(LEFT, LEFT);
    assert.equal(await ui.focused(), "clearlogbtn");
    await hold([RIGHT], 1000);
    assert.equal(await ui.focused(), "reboot1", "the row ends at Reboot");
    await push(UP);
    assert.equal(await ui.focused(), "action_log");
    await scrollLog(0);
    await push(UP);
    assert.equal(await ui.focused(), "images", "Up at the top goes to the list");
    await hold([DOWN], 1000); // the log, then its repeats scroll it
    assert.equal(await ui.focused(), "action_log");
    assert.ok((await logTop()) > 0);
    await scrollLog(1e6);
    await push(DOWN);
    assert.equal(await ui.focused(), "close1");
    // Reboot from the result: the dialog's own Yes.
    await push(RIGHT);
    await hold([A], 1000);
    assert.equal(await ui.html("#exConfirmPromise_message"), "Will reboot sda : image-lumenos-2.3. Continue?");
    assert.equal(await ui.dialogOpen(), true, "held A: still asking");
    assert.equal(sent().length, 1);
    await push(A);
    await ui.idle();
    assert.deepEqual(sent().map((r) => [r.op, r.params.image]), [["restore", "lumenos-2.3"], ["reboot", "lumenos-2.3"]]);

    // The pad gone, the reading stops.
    await ui.page.evaluate(() => (window.__pads[0] = null));
    await ui.advance(100);
    const last = await reads();
    await ui.advance(1000);
    assert.equal(await reads(), last);
  });

  // Keys pressed before a pad connects: whether the pad is then heard. An
  // arrow and Enter from the unit's keys reach everything, so the page stops
  // listening for pads; a pad that showed itself first stays heard.
  const KEYS_BEFORE_PAD = [
    ["arrows only", ["ArrowDown", "ArrowUp"], false, true],
    ["Enter and Escape only", ["Enter", "Escape"], false, true],
    ["an arrow and Enter", ["ArrowDown", "ArrowUp", "Enter", "Escape"], false, false],
    ["an arrow and Enter, the pad first", ["ArrowDown", "ArrowUp", "Enter", "Escape"], true, true],
  ];
  for (const [name, keys, padFirst, heard] of KEYS_BEFORE_PAD) {
    test(`keys before the pad: ${name}: the pad is ${heard ? "" : "not "}heard`, async () => {
      ui = await open({});
      await ui.page.evaluate(standInGamepads);
      await ui.ready();
      if (padFirst) await ui.page.evaluate(() => window.__connectPad([]));
      await ui.keys(...keys);
      assert.equal(await ui.focused(), "images");
      if (!padFirst) await ui.page.evaluate(() => window.__connectPad([]));
      await ui.advance(100);
      const before = await reads();
      await push(DOWN);
      assert.equal(await ui.focused(), heard ? "restore" : "images");
      assert.equal((await reads()) > before, heard);
    });
  }
});
