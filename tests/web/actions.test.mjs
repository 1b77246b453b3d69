// The actions after confirmation, their following with status
// line and log, the result, and the buttons of the action page.

import { test, describe } from "node:test";
import assert from "node:assert/strict";
import { answer, eventually, pagePerTest, SCAN_UUID } from "./harness/browser.mjs";

let ui;
const { ready, started } = pagePerTest();

// Each option's value, as the headings name it; the id is also the request.
const VALUE = { restore: "Restore", "factory-reset": "Factory-reset", repair: "Repair", reboot: "Reboot" };
const OPTIONS = Object.keys(VALUE);
// The query of a restore, a repair or (with its delay) a reboot of the third entry.
const KEYS = `disc=mmcblk0&image=lumenos-3.0-rc1&scanuuid=${SCAN_UUID}`;

// The result line, the mark and whether the buttons are shown.
async function outcome() {
  const p = await ui.actionPage();
  return [p.msg, p.mark, p.buttons];
}

const polls = () => ui.svc.of("status").filter((r) => r.params.uuid !== SCAN_UUID);

async function clearLog() {
  await ui.page.click("#clearlogbtn");
  await ui.idle();
}

describe("starting an action", () => {
  test("Yes shows the running heading, the busy indicator and \"Started...\" before the answer", async () => {
    ui = await ready({ restore: answer.hang() });
    assert.equal(await ui.text("#action_label"), "Action:  ");
    await ui.start(1, "restore");
    await ui.requests(3);
    assert.deepEqual(await ui.actionPage(), { ui: true, label: "<h2>Running Restore on sda : lumenos-2.4</h2>",
      heading: "Running Restore on sda : lumenos-2.4", msg: "Started...", log: "", mark: "scanning.gif", opacity: "0.4",
      buttons: false });
    // The first page stays in place beneath.
    assert.equal(await ui.visible("#main_menu"), true);
  });

  test("each option sends its request with disc key, image key and scan uuid (factory reset: efi and image)", async () => {
    const factoryReset = `disc=mmcblk0&efi=lumenos-3.0-rc1&image=${SCAN_UUID}`;
    const expected = { restore: KEYS, "factory-reset": factoryReset, repair: KEYS, reboot: `${KEYS}&delay=10` };
    for (const [id, query] of Object.entries(expected)) {
      ui = await started({ [id]: answer.hang() }, id, 3);
      await ui.requests(3);
      assert.deepEqual(ui.svc.ops(), ["scan", "list", id], id);
      assert.equal(ui.svc.of(id)[0].query, query, id);
      assert.equal(await ui.html("#action_label"), `<h2>Running ${VALUE[id]} on mmcblk0 : lumenos-3.0-rc1</h2>`, id);
      assert.equal(await ui.text("#action_msg"), id === "reboot" ? "Rebooting in 10 sec" : "Started...", id);
    }
  });
});

describe("answered at once", () => {
  test("restore, factory reset, repair: 200 shows SUCCESS (repair: its text), the pass mark, the buttons; no poll", async () => {
    for (const [id, message, msg] of [["restore", "All done, it's fine", "SUCCESS  All done, its fine"],
      ["factory-reset", "All done, it's fine", "SUCCESS  All done, its fine"],
      ["repair", "desktop started", "SUCCESS  Minimize this and repair Manually with caution"]]) {
      ui = await started({ [id]: answer.done(message) }, id);
      await ui.idle();
      await ui.elapse(10000);
      // The log keeps the apostrophe.
      assert.deepEqual(await ui.actionPage(), { ui: true, label: `<h2>Running ${VALUE[id]} on sda : lumenos-2.4</h2>`,
        heading: `Running ${VALUE[id]} on sda : lumenos-2.4`, msg, log: message + "\n", mark: "pass.png", opacity: "0.4",
        buttons: true }, id);
      assert.equal(polls().length, 0, id);
    }
  });

  test("reboot answered with 200: \"Rebooting..\", no result, no buttons, the mark unchanged", async () => {
    ui = await started({ reboot: answer.done("rebooting in 10 s") }, "reboot");
    await ui.idle();
    await ui.advance(10000);
    assert.deepEqual(await outcome(), ["Rebooting..", "scanning.gif", false]);
    assert.equal(await ui.log(), "rebooting in 10 s\n");
    assert.equal(polls().length, 0);
  });

  test("each action refused or unreachable: FAIL with the record's message, the fail mark, the buttons", async () => {
    const cases = [
      ["restore", answer.refused("Disc 'sda' is locked"), "FAIL:  Disc sda is locked"],
      ["factory-reset", answer.http(500, { status: 200 }), "FAIL:  Internal Server Error"],
      ["repair", answer.down(), "FAIL:  Failed to fetch"],
      ["reboot", answer.offContract(answer.json({ message: "no status" })), "FAIL:  no status"],
      ["restore", answer.offContract(answer.json(null)), "FAIL:  Invalid answer from the repair service: the body is not a JSON object"],
    ];
    for (const [id, a, text] of cases) {
      ui = await started({ [id]: a }, id);
      await ui.idle();
      assert.deepEqual(await outcome(), [text, "fail.png", true], id);
      assert.equal(polls().length, 0, id);
    }
  });
});

describe("mended: an accepted request without a uuid", () => {
  test("each action answered 102 without a uuid fails at once with a clear text; nothing is polled", async () => {
    for (const id of OPTIONS) {
      ui = await started({ [id]: answer.offContract(answer.json({ status: 102, message: "accepted" })), status: answer.down() }, id);
      await ui.idle();
      await ui.elapse(10000);
      const text = "FAIL:  The repair service accepted the request without a request id";
      assert.deepEqual(await outcome(), [text, "fail.png", true], id);
      assert.equal(polls().length, 0, id);
      assert.equal(await ui.log(), "accepted\n", id);
      await ui.dialogGone();
      await clearLog();
      assert.equal(ui.svc.of("clear").length, 0, `${id}: no clear request with a made-up id`);
    }
  });
});

describe("following a request", () => {
  // The uuid of a followed restore.
  const R = "R-restore";
  // The action's request is accepted with uuid R; status polls answer in
  // turn from `script` (the last entry repeats).
  // The request's answer is held until the dialog's answer has been
  // noticed, so that the first poll's wait starts on the paused clock.
  async function follow(id, script, options) {
    const status = (req, n) => script[Math.min(n, script.length - 1)];
    ui = await started({ [id]: answer.held(answer.pending("R-" + id, "accepted " + id)), status }, id, 1, options);
    await ui.requests(3);
    await ui.svc.release();
    await ui.idle();
  }

  test("poll n waits 2000 ms; start is the count of log lines received, max 100; failing polls change nothing", async () => {
    await follow("restore", [
      answer.status(R, 102, "Preparing", ["line a", "line b"]),
      answer.down(),
      answer.http(404, { status: 200 }),
      answer.refused("busy"),
      answer.status(R, 102, "Copying", ["line c"]),
      answer.status(R, 102, "Copying", []),
      answer.status(R, 200, "Restore complete", ["line d"]),
    ], { console: true });
    assert.equal(polls().length, 0);
    await ui.elapse(1999);
    assert.equal(polls().length, 0, "nothing before 2000 ms");
    await ui.elapse(1);
    assert.equal(polls().length, 1);
    assert.equal(await ui.text("#action_msg"), "Preparing");
    assert.equal(await ui.log(), "accepted restore\nline a\nline b\n");
    await ui.untilResult();
    assert.deepEqual(polls().map((r) => r.query), [0, 2, 2, 2, 2, 3, 3].map((s) => `uuid=${R}&start=${s}&max=100`));
    assert.deepEqual(await outcome(), ["SUCCESS  Restore complete", "pass.png", true]);
    assert.equal(await ui.log(), "accepted restore\nline a\nline b\nline c\nline d\n");
    assert.ok(ui.consoleLines.includes("Action: running: log: running:Copying"));
    // Nothing polls after the end.
    await ui.elapse(10000);
    assert.equal(polls().length, 7);
  });

  test("each action followed to 200 gives SUCCESS with the final line (repair: its fixed text)", async () => {
    for (const id of OPTIONS) {
      const R = "R-" + id;
      await follow(id, [answer.status(R, 102, "working"), answer.status(R, "200", "Restored sda", ["ok"])]);
      await ui.untilResult();
      const text = id === "repair"
        ? "SUCCESS  Minimize this window  and repair manually with caution" : "SUCCESS  Restored sda";
      assert.deepEqual(await outcome(), [text, "pass.png", true], id);
      assert.equal(polls().length, 2, id);
      assert.ok(polls().every((r) => r.params.uuid === R), id);
    }
  });

  test("each action followed to code 500 (or 400) gives FAIL with that entry's line and the fail mark", async () => {
    for (const [id, code] of [["restore", 500], ["factory-reset", 400], ["repair", 500], ["reboot", "503"]]) {
      const R = "R-" + id;
      await follow(id, [answer.status(R, 102, "working"), answer.status(R, code, "Write error on 'sda'", ["E1"])]);
      await ui.untilResult();
      assert.deepEqual(await outcome(), ["FAIL:  Write error on sda", "fail.png", true], id);
    }
  });

  test("a status line with apostrophes is shown without them; markup in it is plain text", async () => {
    await follow("restore", [answer.status(R, 102, "Can't stop: '<b>busy</b>'"), answer.status(R, 102, "still")]);
    await ui.elapse(2000);
    assert.equal(await ui.text("#action_msg"), "Cant stop: <b>busy</b>");
    assert.equal(await ui.page.evaluate(() => document.querySelectorAll("#action_msg *").length), 0);
  });

  test("log lines are de-duplicated against the log as it stood before each batch", async () => {
    await follow("restore", [
      // Equal lines in one batch are both appended; an empty line never is.
      answer.status(R, 102, "s1", ["copy 1", "", "twice", "twice"]),
      // Lines already shown, or part of a longer line, are skipped.
      answer.status(R, 102, "s2", ["copy 1", "twice", "opy", "accepted", "copy 2"]),
      // A line that spans two lines of the log is part of its text too.
      answer.status(R, 102, "s3", ["1\ntwice", "new\nline"]),
      answer.status(R, 200, "end", ["copy 2", "end of log"]),
    ]);
    await ui.untilResult();
    assert.equal(await ui.log(), "accepted restore\ncopy 1\ntwice\ntwice\ncopy 2\nnew\nline\nend of log\n");
    // Every line counts for the start offset, skipped or not.
    assert.deepEqual(polls().map((r) => r.params.start), ["0", "4", "9", "11"]);
  });

  test("mended: a FINISHED status answer without an entry for the uuid or with log_messages not an array is a poll without news", async () => {
    await follow("restore", [
      answer.json({ status: 200, log_messages: ["x"] }),
      answer.json({ status: 200, status_list: { other: [500, "t", "no"] }, log_messages: ["y"] }),
      answer.json({ status: 200, status_list: { [R]: { code: 200 } }, log_messages: ["z"] }),
      answer.json({ status: 200, status_list: { [R]: [200, "t", "done"] }, log_messages: "w" }),
      answer.json(null),
    ].map(answer.offContract).concat(answer.status(R, 200, "really done", ["v"])));
    await ui.untilResult();
    assert.equal(await ui.text("#action_msg"), "SUCCESS  really done");
    assert.equal(await ui.log(), "accepted restore\nv\n");
    assert.deepEqual(polls().map((r) => r.params.start), ["0", "0", "0", "0", "0", "0"]);
  });
});

describe("the buttons of the action page", () => {
  const RESTORED = answer.status("R1", 200, "Restore complete", ["l1", "l2"]);
  // A restore followed to its result, the dialog's overlay gone.
  async function restored(handlers = {}, options) {
    const restore = answer.pending("R1", "accepted");
    ui = await started({ restore, status: RESTORED, ...handlers }, "restore", 1, options);
    await ui.untilResult();
    await ui.dialogGone();
  }

  test("Clear Log empties the log at once and clears the current request's log: \"Logs cleaned\"", async () => {
    await restored({ clear: answer.hang() });
    assert.equal(await ui.log(), "accepted\nl1\nl2\n");
    await ui.page.click("#clearlogbtn");
    assert.equal(await ui.log(), "");
    await eventually(() => ui.svc.of("clear").length === 1);
    assert.equal(ui.svc.of("clear")[0].query, "uuid=R1");

    await restored({ clear: answer.done("cleared") });
    await clearLog();
    assert.equal(await ui.log(), "");
    assert.equal(await ui.text("#action_msg"), "Logs cleaned");
  });

  test("Clear Log: FAILED shows \"Clear logs failed\", PENDING shows nothing; the log stays empty", async () => {
    for (const [clear, msg] of [[answer.refused("no such log"), "Clear logs failed"],
      [answer.pending("C1"), "SUCCESS  Restore complete"]]) {
      await restored({ clear });
      await clearLog();
      assert.equal(await ui.text("#action_msg"), msg);
      assert.equal(await ui.log(), "", msg);
    }
  });

  test("Clear Log without a restore, factory-reset or repair request asks nothing (after a reboot, after no answer)", async () => {
    const rebootFails = { reboot: answer.pending("B1"), status: answer.status("B1", 500, "cannot reboot") };
    for (const [id, handlers, msg] of [["reboot", rebootFails, "FAIL:  cannot reboot"],
      ["restore", { restore: answer.down() }, "FAIL:  Failed to fetch"]]) {
      ui = await started({ ...handlers, clear: answer.done("x") }, id);
      await (id === "reboot" ? ui.untilResult() : ui.idle());
      await ui.dialogGone();
      await clearLog();
      assert.equal(ui.svc.of("clear").length, 0, id);
      assert.equal(await ui.log(), "", id);
      assert.equal(await ui.text("#action_msg"), msg, id);
    }
  });

  test("Close closes the page's window", async () => {
    await restored({}, { popup: true });
    assert.equal(await ui.visible("#close1"), true);
    const closed = ui.page.waitForEvent("close", { timeout: 5000 });
    // The window may close before the click's acknowledgement comes back.
    const click = ui.page.click("#close1").catch((error) => assert.ok(ui.page.isClosed(), error.message));
    await closed;
    await click;
    assert.equal(ui.page.isClosed(), true);
  });

  test("Reboot after choosing \"Select..\": mark hidden, empty label, \"Please select image\", nothing asked", async () => {
    await restored({ reboot: answer.done("x") });
    await ui.choose(0);
    await ui.page.click("#reboot1");
    const p = await ui.actionPage();
    assert.deepEqual([p.label, p.msg, p.opacity], ["", "Please select image", "0"]);
    assert.equal(await ui.dialogOpen(), false);
    assert.equal(ui.svc.of("reboot").length, 0);
  });

  test("Reboot with another image names it, and on Yes reboots that image", async () => {
    await restored({ reboot: answer.held(answer.pending("B7", "reboot accepted")),
      status: (req) => (req.params.uuid === "B7" ? answer.status("B7", 200, "Reboot scheduled", ["bye"]) : RESTORED) });
    await ui.choose(3);
    await ui.page.click("#reboot1");
    assert.equal(await ui.text("#exConfirmPromise_title"), "Reboot");
    assert.equal(await ui.text("#exConfirmPromiseWrap p"), "Will reboot mmcblk0 : image-lumenos-3.0-rc1. Continue?");
    // No: nothing happens.
    await ui.answer(false);
    await ui.advance(600);
    assert.equal(ui.svc.of("reboot").length, 0);
    assert.equal(await ui.html("#action_label"), "<h2>Running Restore on sda : lumenos-2.4</h2>");
    // Yes: the rebooting heading, "In 10 seconds", log emptied, request.
    await ui.page.click("#reboot1");
    await ui.answer(true);
    const p = await ui.actionPage();
    const heading = '<h2 style="color: rgb(48, 46, 46);">Rebooting mmcblk0 : lumenos-3.0-rc1</h2>';
    assert.deepEqual([p.label, p.msg, p.opacity], [heading, "In 10 seconds", "0"]);
    assert.equal(await ui.log(), "");
    await ui.svc.release();
    await ui.idle();
    assert.equal(ui.svc.of("reboot")[0].query, `${KEYS}&delay=10`);
    assert.equal(await ui.log(), "reboot accepted\n");
    // Followed to 200: success, the mark stays hidden.
    await ui.runUntil("document.getElementById('action_msg').textContent.startsWith('SUCCESS  Reboot')", { step: 2000 });
    const q = await ui.actionPage();
    assert.deepEqual([q.msg, q.mark, q.opacity, q.buttons], ["SUCCESS  Reboot scheduled", "pass.png", "0", true]);
    assert.equal(await ui.log(), "reboot accepted\nbye\n");
    // The current action request is still the restore's.
    await ui.page.click("#clearlogbtn");
    await eventually(() => ui.svc.of("clear").length === 1);
    assert.equal(ui.svc.of("clear")[0].query, "uuid=R1");
  });

  test("Reboot answered with 200 from the action page: \"Rebooting..\"", async () => {
    await restored({ reboot: answer.done("ok") });
    await ui.page.click("#reboot1");
    await ui.answer(true);
    await ui.idle();
    assert.equal(await ui.text("#action_msg"), "Rebooting..");
    assert.equal(ui.svc.of("reboot")[0].params.image, "lumenos-2.4");
  });
});

describe("mended: keys from the discs are text, never markup", () => {
  const evilDisc = 'd<img src=x onerror="window.__pwned=1">';
  const evilImage = "<b>i</b><img src=y onerror=\"window.__pwned=2\">";
  const list = answer.done("ok", { os_list: { [evilDisc]: { disc: "<i>L</i>", images: { [evilImage]: {} } } } });
  // The text in the element at selector, the elements within it, and
  // whether any markup ran.
  const asText = (selector) => ui.page.evaluate((s) => ({ text: document.querySelector(s).textContent,
    elements: document.querySelectorAll(s + " *").length, pwned: window.__pwned ?? null }), selector);

  test("the running heading holds the keys as text, and the request carries them escaped", async () => {
    ui = await started({ list, restore: answer.done("ok") }, "restore");
    await ui.idle();
    await ui.advance(100);
    const text = `Running Restore on ${evilDisc} : ${evilImage}`;
    assert.deepEqual(await asText("#action_label"), { text, elements: 1, pwned: null });
    assert.deepEqual(ui.svc.of("restore")[0].params, { disc: evilDisc, image: evilImage, scanuuid: SCAN_UUID });
  });

  test("the reboot confirmation and the rebooting heading hold the keys as text", async () => {
    ui = await started({ list, restore: answer.done("ok"), reboot: answer.hang() }, "restore");
    await ui.idle();
    await ui.dialogGone();
    await ui.page.click("#reboot1");
    await ui.advance(100);
    const question = `Will reboot ${evilDisc} : image-${evilImage}. Continue?`;
    assert.deepEqual(await asText("#exConfirmPromiseWrap p"), { text: question, elements: 0, pwned: null });
    await ui.answer(true);
    await ui.advance(100);
    const text = `Rebooting ${evilDisc} : ${evilImage}`;
    assert.deepEqual(await asText("#action_label"), { text, elements: 1, pwned: null });
  });
});
