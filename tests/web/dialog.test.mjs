// The confirmation dialog, through "Proceed" on the real page and
// as a module on a blank page.

import { beforeEach, describe, test } from "node:test";
import assert from "node:assert/strict";
import { answer, pagePerTest } from "./harness/browser.mjs";
import { NO, YES } from "../page_reading.mjs";

let ui;
const { open, ready } = pagePerTest();

const overlays = () => ui.page.evaluate(() => document.querySelectorAll("#exConfirmPromiseOverLay").length);

describe("the dialog opened by Proceed", () => {
  // The first page, ready, with image 1 and "restore" chosen and the dialog
  // opened by "Proceed".
  async function openDialog(option = "restore") {
    ui = await ready({ restore: answer.done("Restored"), reboot: answer.hang() });
    await ui.ask(1, option);
    assert.equal(await ui.dialogOpen(), true);
  }
  const actionStarted = () => ui.visible("#action_ui");
  const sent = () => ui.svc.ops().filter((op) => op !== "scan" && op !== "list");
  // Lets ms pass, waits for the page to be quiet, and delivers what was sent.
  const sentAfter = async (ms) => (await ui.elapse(ms), sent());

  test("title is the option value, the message fixed, Yes has the focus, its elements and their look", async () => {
    await openDialog("factory-reset");
    const d = await ui.page.evaluate(() => {
      const $ = (id) => document.getElementById(id);
      const overlay = $("exConfirmPromiseOverLay");
      const wrap = $("exConfirmPromiseWrap");
      const cs = (e) => getComputedStyle(e);
      const [yes, no, row] = [$("exConfirmPromiseBtnYes"), $("exConfirmPromiseBtnNo"), $("exConfirmPromiseBtnWrap")];
      return {
        last: document.body.lastElementChild === overlay,
        overlay: [cs(overlay).position, cs(overlay).zIndex, cs(overlay).backgroundColor, cs(overlay).width],
        wrap: [cs(wrap).position, cs(wrap).zIndex, cs(wrap).width, cs(wrap).top, cs(wrap).right, cs(wrap).cursor],
        order: [...wrap.children].map((c) => c.id || c.tagName),
        title: $("exConfirmPromise_title").textContent,
        message: wrap.querySelector("p").innerHTML,
        yes: [yes.className, yes.textContent, yes.hasAttribute("autofocus")],
        no: [no.className, no.textContent],
        row: [row.textContent, cs(row).textAlign],
        btn: [cs(yes).backgroundColor, cs(yes).height],
        opacity: wrap.style.opacity,
      };
    });
    assert.deepEqual(d, {
      last: true, title: "Factory-reset", message: "sda : lumenos-2.4<br>Action can't be undone. Continue?", opacity: "0",
      overlay: ["fixed", "9998", "rgba(255, 255, 255, 0)", "800px"],
      wrap: ["fixed", "9999", "342px", "140px", "304px", "pointer"],
      order: ["exConfirmPromise_title", "exConfirmPromise_message", "exConfirmPromiseBtnWrap"],
      yes: ["btn btn-success btn-sm", "Yes", true], no: ["btn btn-danger btn-sm", "No"],
      row: ["Yes No", "center"], btn: ["rgb(90, 90, 90)", "30px"],
    });
    assert.equal(await ui.focused(), YES);
    // Fade-in: steps of 0.02, one per clamped timer run (4 ms).
    const opacity = () => ui.page.evaluate(() => document.getElementById("exConfirmPromiseWrap").style.opacity);
    await ui.advance(4);
    assert.equal(await opacity(), "0.02");
    await ui.advance(300);
    assert.equal(await opacity(), "1");
    assert.deepEqual(sent(), []);
  });

  test("Yes by click starts the action; No by click sends nothing and leaves the first page as it was", async () => {
    await openDialog();
    await ui.answer(false);
    assert.deepEqual(sent(), []);
    assert.equal(await actionStarted(), false);
    assert.equal(await ui.focused(), "ok_button", "the focus is back at once");
    const restoreAndStatus = () => [document.getElementById("restore").checked, document.getElementById("status").textContent];
    assert.deepEqual(await ui.page.evaluate(restoreAndStatus), [true, ""]);
    await ui.advance(600);
    assert.equal(await ui.dialogOpen(), false);
    await ui.proceed();
    await ui.answer(true);
    assert.deepEqual(await sentAfter(0), ["restore"]);
    assert.equal(await actionStarted(), true);
  });

  test("Enter right after opening answers Yes", async () => {
    await openDialog();
    await ui.keys("Enter");
    assert.deepEqual(await sentAfter(10), ["restore"]);
  });

  test("ArrowRight then Enter answers No; the space bar presses the focused button too", async () => {
    await openDialog();
    await ui.keys("ArrowRight");
    assert.equal(await ui.focused(), NO);
    await ui.advance(10);
    assert.equal(await ui.focused(), NO, "the watcher holds the focus on the active button");
    await ui.keys("Enter");
    assert.deepEqual(await sentAfter(600), []);
    assert.equal(await ui.dialogOpen(), false);
    await ui.proceed();
    await ui.keys("ArrowRight", "ArrowLeft");
    assert.equal(await ui.focused(), YES);
    await ui.keys(" ");
    assert.deepEqual(await sentAfter(10), ["restore"]);
  });

  test("ArrowLeft while Yes is active, ArrowUp and ArrowDown change nothing", async () => {
    await openDialog();
    for (const [button, keys] of [[YES, ["ArrowLeft", "ArrowUp", "ArrowDown"]], [NO, ["ArrowRight", "ArrowUp", "ArrowDown"]]]) {
      if (button === NO) await ui.keys("ArrowRight");
      for (const name of keys) {
        await ui.keys(name);
        assert.equal(await ui.focused(), button, name);
      }
    }
  });

  test("Escape answers No: nothing is sent and the focus goes back", async () => {
    await openDialog();
    await ui.keys("Escape");
    await ui.advance(4);
    assert.equal(await ui.focused(), "ok_button");
    await ui.advance(600);
    assert.equal(await ui.dialogOpen(), false);
    assert.deepEqual(await sentAfter(5000), []);
    assert.equal(await actionStarted(), false);
    // A new Proceed opens a working dialog.
    await ui.proceed();
    await ui.answer(true);
    assert.deepEqual(await sentAfter(0), ["restore"]);
  });

  test("Tab and other keys are blocked, Enter and space are not; the focus stays on the active button", async () => {
    await openDialog();
    await ui.page.evaluate(() => {
      window.__keys = [];
      document.addEventListener("keydown", (e) => window.__keys.push([e.key, e.defaultPrevented]));
      window.addEventListener("keydown", (e) => window.__keys.push(["window:" + e.key]));
    });
    for (const [name, button] of [["Tab", YES], ["Shift+Tab", YES], ["a"], ["ArrowRight"], ["Tab", NO]]) {
      await ui.keys(name);
      if (button) assert.equal(await ui.focused(), button, name);
    }
    const keys = await ui.page.evaluate(() => window.__keys);
    assert.deepEqual(keys, [["Tab", true], ["Shift", true], ["Tab", true], ["a", true], ["ArrowRight", true], ["Tab", true]]);
    await ui.keys(" ");
    await ui.advance(10);
    const last = await ui.page.evaluate(() => window.__keys.slice(6));
    assert.deepEqual(last[0], [" ", false]);
    assert.equal(last[1][0], "window: ", "space goes on to the window");
    assert.deepEqual(sent(), [], "space pressed No");
  });

  test("clicks under the overlay reach nothing there and give the focus back to the active button", async () => {
    await openDialog();
    await ui.keys("ArrowRight");
    for (const id of ["reboot", "ok_button", "images"]) {
      const box = await ui.page.locator("#" + id).boundingBox();
      await ui.page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
      assert.equal(await ui.focused(), NO, id);
    }
    // A click on the dialog's own title keeps the focus on No as well.
    await ui.page.click("#exConfirmPromise_title");
    assert.equal(await ui.focused(), NO);
    const state = await ui.page.evaluate(() => ["reboot", "restore"].map((id) => document.getElementById(id).checked));
    assert.deepEqual([...state, await overlays()], [false, true, 1], "reboot, restore checked; overlays");
    assert.deepEqual(sent(), []);
  });

  test("after an answer the overlay stays 510 ms while the box fades out; the focus returns at once", async () => {
    await openDialog();
    await ui.page.click("#" + NO);
    await ui.advance(4); // the watcher's next run: reset and answer
    assert.equal(await ui.focused(), "ok_button");
    const opacity = () => ui.page.evaluate(() => {
      const w = document.getElementById("exConfirmPromiseWrap");
      return w ? Number(w.style.opacity) : null;
    });
    assert.equal(await opacity(), 1);
    await ui.advance(100);
    const mid = await opacity();
    assert.ok(mid > 0 && mid < 1, `fading: ${mid}`);
    await ui.advance(300);
    assert.equal(await opacity(), 0, "the fade ends before the duration");
    assert.equal(await ui.dialogOpen(), true);
    await ui.advance(100); // 504 ms after the answer was noticed
    assert.equal(await ui.dialogOpen(), true);
    await ui.advance(10);
    assert.equal(await ui.dialogOpen(), false);
  });
});

describe("the dialog module", () => {
  // Each test on a blank page with the dialog module and a focused button.
  beforeEach(async () => {
    ui = await open({}, { path: "/__blank.html" });
    await ui.page.evaluate(async () => {
      const { exConfirmPromise } = await import("/exConfirm.js");
      window.dialog = exConfirmPromise;
      window.answers = [];
      window.calls = [];
      document.body.innerHTML = '<button id="before">before</button>';
      document.getElementById("before").focus();
    });
  });
  // Opens a dialog whose answer is recorded under name; with `calls`, its
  // onResolve and onReject record the number of answers before them.
  const make = (name, options = {}, calls = false) =>
    ui.page.evaluate(([name, options, calls]) => {
      if (calls) {
        options.onResolve = () => window.calls.push(["resolve", window.answers.length]);
        options.onReject = () => window.calls.push(["reject", window.answers.length]);
      }
      window.dialog.make(options).then((v) => window.answers.push([name, v]));
    }, [name, options, calls]);
  const shown = () => ui.page.evaluate(() =>
    [document.getElementById("exConfirmPromise_title")?.innerHTML, document.querySelector("#exConfirmPromiseWrap p")?.innerHTML]);
  const answers = () => ui.page.evaluate(() => window.answers);
  const calls = () => ui.page.evaluate(() => window.calls);

  test("make without options shows the defaults only until a call sets title or message", async () => {
    // Title and message are markup.
    for (const [name, options, want] of [["a", {}, ["Confirmation", "Confirmation Required!"]],
      ["b", { title: "Reboot" }, ["Reboot", "Confirmation Required!"]], ["c", {}, ["Reboot", "Confirmation Required!"]],
      ["d", { message: "<i>sure?</i>" }, ["Reboot", "<i>sure?</i>"]]]) {
      await make(name, options);
      assert.deepEqual(await shown(), want, name);
    }
  });

  test("a second make while a dialog is open removes the first at once; only the second answers", async () => {
    await make("first", { title: "One" });
    await make("second", { title: "Two" });
    assert.equal(await overlays(), 1);
    assert.deepEqual(await shown(), ["Two", "Confirmation Required!"]);
    await ui.page.click("#" + YES);
    await ui.advance(1000);
    assert.deepEqual(await answers(), [["second", true]]);
    assert.equal(await ui.focused(), "before");
  });

  test("Yes and No call onResolve and onReject first; Escape answers No", async () => {
    for (const [name, answerIt] of [["x", () => ui.page.click("#" + YES)], ["y", () => ui.page.click("#" + NO)],
      ["z", () => ui.keys("Escape")]]) {
      await make(name, {}, true);
      await answerIt();
      await ui.advance(name === "z" ? 2000 : 10);
    }
    assert.deepEqual(await answers(), [["x", true], ["y", false], ["z", false]]);
    assert.deepEqual(await calls(), [["resolve", 0], ["reject", 1], ["reject", 2]]);
    assert.equal(await ui.dialogOpen(), false);
  });

  test("the first answer stands: No or Escape before the watcher's next run neither changes nor cancels a Yes", async () => {
    await make("a", {}, true);
    await ui.page.click("#" + YES);
    await ui.page.click("#" + NO);
    await ui.keys("Escape");
    await ui.advance(10);
    assert.deepEqual(await answers(), [["a", true]]);
    assert.deepEqual(await calls(), [["resolve", 0]]);
  });

  test("during the 510 ms of closing the box answers nothing; a new make removes it at once", async () => {
    await make("a", {}, true);
    await ui.page.click("#" + YES);
    await ui.advance(10);
    await ui.page.click("#" + NO); // on the box fading out
    await make("b", { title: "Next" }, true);
    assert.equal(await overlays(), 1);
    await ui.advance(1000);
    assert.equal(await ui.dialogOpen(), true, "the old exit timer does not remove the new dialog");
    assert.deepEqual(await shown(), ["Next", "Confirmation Required!"]);
    await ui.page.click("#" + YES);
    await ui.advance(10);
    assert.deepEqual(await answers(), [["a", true], ["b", true]]);
    assert.deepEqual(await calls(), [["resolve", 0], ["resolve", 1]], "no call for the stale No");
  });

  test("disableForceFocus: no key blocking, no Escape, no focus holding; without animation the overlay goes at once", async () => {
    await make("a", { disableForceFocus: true, animation: false });
    await ui.page.evaluate(() => {
      window.__prevented = [];
      document.addEventListener("keydown", (e) => window.__prevented.push(e.defaultPrevented));
    });
    await ui.keys("Escape");
    assert.equal(await ui.dialogOpen(), true);
    await ui.keys("Tab");
    assert.deepEqual(await ui.page.evaluate(() => window.__prevented), [false, false]);
    assert.notEqual(await ui.focused(), YES);
    await ui.advance(20);
    assert.notEqual(await ui.focused(), YES, "the watcher does not take the focus back");
    await ui.page.click("#" + NO);
    await ui.advance(4);
    assert.equal(await ui.dialogOpen(), false);
    assert.deepEqual(await answers(), [["a", false]]);
  });
});
