// The whole repair by keys alone, with real key presses in the real program:
// once with Tab and the space bar through the page's focus order and the
// list's own pop-up; once with only the unit's controls (arrows, Enter,
// Escape), changing the image by keys, answering No and Yes, rebooting from
// the result and closing; its screenshots show the focus marks.

import assert from "node:assert/strict";
import { describe, it } from "node:test";
import { YES } from "../page_reading.mjs";
import { destructive, scanUuid, sleep, useSession, waitFor } from "./harness/session.mjs";

// A session per walk: each ends the program with "Close".
function walk(title, body) {
  describe(title, () => body(useSession({ sim: { scenario: "default", timeScale: 2 } })));
}

walk("keyboard operation with Tab and the space bar", ({ session, repair }) => {
  // Presses X keys, then waits until the focused element has id `focused`.
  async function keys(names, focused) {
    await session.display.run("xdotool", ["key", "--delay", "80", ...names]);
    await repair.waitForFocus(focused, names.join(" "));
  }

  it("restores an image from start to result and closes, without the pointer", async () => {
    const { app, page } = session;
    const menu = await repair.waitForMenu();
    await repair.waitForFocus("images", "the first page became usable");
    await keys(["space"], "images"); // opens the list's pop-up
    await sleep(300);
    await keys(["Down", "Return"], "images");
    assert.equal(await repair.prop("images", "selectedIndex"), 1);
    await keys(["Tab"], "restore");
    await keys(["space"], "restore");
    assert.equal(await repair.prop("restore", "checked"), true);
    await keys(["Tab", "Tab", "Tab", "Tab"], "ok_button");
    await keys(["Return"], YES);
    assert.deepEqual(destructive(await session.sim.journal()), [], "nothing sent before the answer");
    await session.display.run("xdotool", ["key", "Return"]);

    const result = await repair.waitForResult();
    const { disc, image } = JSON.parse(menu[1].value);
    assert.equal(result.msg, `SUCCESS  Restore of ${image} finished`);
    const journal = await session.sim.journal();
    assert.deepEqual(destructive(journal).map((e) => e.params),
      [{ disc, image, scanuuid: scanUuid(journal) }]);

    // The action page gave the focus to its log area; its buttons follow it.
    await keys(["Tab", "Tab"], "close1");
    await session.display.run("xdotool", ["key", "Return"]);
    assert.deepEqual(await app.waitForExit(15000), { code: 0, signal: null });
  });
});

walk("operation with the unit's controls alone: arrows, Enter, Escape", ({ session, repair }) => {
  it("changes the image by keys, answers No and Yes, restores that image, reboots it from the result and closes", async () => {
    const { app, page } = session;
    const sent = async () => destructive(await session.sim.journal());
    // Down until the focus leaves the log area, which scrolls first.
    async function leaveLogDown() {
      for (let i = 0; i < 200; i++) {
        if ((await page.evaluate("document.activeElement.id")) !== "action_log") return;
        await page.press("ArrowDown");
      }
      throw new Error("Down never left the log area");
    }

    const menu = await repair.waitForMenu();
    assert.ok(menu.length >= 3, "two images to choose from");
    await repair.waitForFocus("images", "the first page became usable");
    assert.equal(await page.evaluate("scrollY"), 0, "the page did not scroll");

    // The list opens by Enter and takes an entry by Enter. A Down on the
    // closed list moves on and leaves the entry as it is.
    await repair.pressKeys(["Enter", "ArrowDown", "Enter"], "images");
    assert.equal(await repair.prop("images", "selectedIndex"), 1);
    await repair.pressKeys(["ArrowDown"], "restore");
    assert.equal(await repair.prop("images", "selectedIndex"), 1, "Down on the closed list changed nothing");
    await repair.pressKeys(["ArrowUp", "Enter", "ArrowDown"], "images");
    await session.keepScreenshot("focus-mark-open-list");
    await page.press("Enter");
    assert.equal(await repair.prop("images", "selectedIndex"), 2);
    const { disc, image } = JSON.parse(menu[2].value);

    await repair.pressKeys(["ArrowDown", "Enter"], "restore");
    assert.equal(await repair.prop("restore", "checked"), true);
    await session.keepScreenshot("focus-mark-checkbox");
    await repair.pressKeys(["ArrowDown", "ArrowDown", "ArrowDown", "ArrowDown"], "ok_button");
    await session.keepScreenshot("focus-mark-button");

    // A held Enter opens the dialog and answers nothing; Escape answers No.
    await page.holdKey("Enter", 20);
    assert.deepEqual(await repair.waitForDialog(),
      { title: "Restore", message: `${disc} : ${image}Action can't be undone. Continue?` });
    await session.keepScreenshot("focus-mark-dialog");
    await page.press("Escape");
    await repair.waitForDialogGone();
    await repair.waitForFocus("ok_button", "No by Escape");
    await sleep(800);
    assert.deepEqual(await sent(), [], "No by Escape sends nothing");

    await page.press("Enter");
    await repair.waitForDialog();
    await page.press("Enter");
    const result = await repair.waitForResult();
    assert.equal(result.heading, `Running Restore on ${disc} : ${image}`);
    assert.equal(result.msg, `SUCCESS  Restore of ${image} finished`);
    const scan = scanUuid(await session.sim.journal());
    assert.deepEqual((await sent()).map((e) => [e.path, e.params]),
      [["/lumenos-repair/restore", { disc, image, scanuuid: scan }]], "the image the list shows");

    // The action page: its log area has the focus; Down leaves it for the
    // button row, where Right goes to "Reboot".
    await repair.waitForFocus("action_log", "the action page opened");
    await leaveLogDown();
    await repair.pressKeys(["ArrowRight", "ArrowRight", "ArrowRight"], "reboot1");
    await session.keepScreenshot("focus-mark-result");
    await page.press("Enter");
    assert.deepEqual(await repair.waitForDialog(),
      { title: "Reboot", message: `Will reboot ${disc} : image-${image}. Continue?` });
    await sleep(500);
    assert.equal((await sent()).length, 1, "the press that opened the dialog answers nothing");
    await page.press("Enter");
    await repair.waitForDialogGone();
    const reboot = (await waitFor("the reboot request", async () => {
      const all = await sent();
      return all.length > 1 && all;
    })).slice(1).map((e) => [e.path, e.params.disc, e.params.image]);
    assert.deepEqual(reboot, [["/lumenos-repair/reboot", disc, image]]);

    await repair.pressKeys(["ArrowLeft"], "close1");
    // An X key press: the window closes under it, with the DevTools socket.
    await session.display.run("xdotool", ["key", "Return"]);
    assert.deepEqual(await app.waitForExit(15000), { code: 0, signal: null });
  });
});
