// The actions after confirmation, their following with status
// line and log, the result, and the buttons of the action page.

import { test, describe } from "node:test";
import assert from "node:assert/strict";
import { browserForFile, closePageAfterEach } from "./harness/browser.mjs";
import { UI } from "./harness/ui.mjs";
import { FakeService, answer, SCAN_UUID, eventually } from "./harness/fake_service.mjs";

let ui;
const env = browserForFile();
closePageAfterEach(() => ui, () => (ui = undefined));

// Menu entries (index: disc key, image key) of the default scan.
const IMAGE = { 1: ["sda", "lumenos-2.4"], 3: ["mmcblk0", "lumenos-3.0-rc1"] };
const OPTIONS = {
  restore: { value: "Restore", op: "restore" },
  "factory-reset": { value: "Factory-reset", op: "factory-reset" },
  repair: { value: "Repair", op: "repair" },
  reboot: { value: "Reboot", op: "reboot" },
};

async function ready(handlers, options = {}) {
  ui = await UI.open(env, new FakeService(handlers), options);
  await ui.ready();
  return ui;
}

// Everything the user sees of the action page.
function actionPage() {
  return ui.page.evaluate(() => {
    const $ = (id) => document.getElementById(id);
    const shown = (e) => getComputedStyle(e).display !== "none";
    return {
      ui: shown($("action_ui")),
      label: $("action_label").innerHTML,
      msg: $("action_msg").textContent,
      mark: $("action_img").src.split("/").pop(),
      opacity: getComputedStyle($("action_img")).opacity,
      buttons: shown($("action_next")),
    };
  });
}

const polls = () => ui.svc.of("status").filter((r) => r.params.uuid !== SCAN_UUID);

describe("starting an action", () => {
  test("Yes shows the running heading, the busy indicator and \"Started...\" before the answer", async () => {
    await ready({ restore: answer.hang() });
    assert.equal(await ui.text("#action_label"), "Action:  ");
    await ui.start(1, "restore");
    await ui.requests(3);
    assert.deepEqual(await actionPage(), {
      ui: true,
      label: "<h2>Running Restore on sda : lumenos-2.4</h2>",
      msg: "Started...",
      mark: "scanning.gif",
      opacity: "0.4",
      buttons: false,
    });
    assert.equal(await ui.log(), "");
    // The first page stays in place beneath.
    assert.equal(await ui.visible("#main_menu"), true);
  });

  test("each option sends its request with disc key, image key and scan uuid (factory reset: efi and image)", async () => {
    const expected = {
      restore: `disc=mmcblk0&image=lumenos-3.0-rc1&scanuuid=${SCAN_UUID}`,
      "factory-reset": `disc=mmcblk0&efi=lumenos-3.0-rc1&image=${SCAN_UUID}`,
      repair: `disc=mmcblk0&image=lumenos-3.0-rc1&scanuuid=${SCAN_UUID}`,
      reboot: `disc=mmcblk0&image=lumenos-3.0-rc1&scanuuid=${SCAN_UUID}&delay=10`,
    };
    for (const [id, query] of Object.entries(expected)) {
      await ready({ [OPTIONS[id].op]: answer.hang() });
      await ui.start(3, id);
      await ui.requests(3);
      assert.deepEqual(ui.svc.ops(), ["scan", "list", OPTIONS[id].op], id);
      assert.equal(ui.svc.of(OPTIONS[id].op)[0].query, query, id);
      assert.equal(
        await ui.html("#action_label"),
        `<h2>Running ${OPTIONS[id].value} on mmcblk0 : lumenos-3.0-rc1</h2>`,
      );
      if (id === "reboot") assert.equal(await ui.text("#action_msg"), "Rebooting in 10 sec");
      else assert.equal(await ui.text("#action_msg"), "Started...");
      await ui.close();
      ui = undefined;
    }
  });
});

describe("answered at once", () => {
  test("restore, factory reset: 200 shows SUCCESS with the message, the pass mark and the buttons; no poll", async () => {
    for (const id of ["restore", "factory-reset"]) {
      await ready({ [id]: answer.done("All done, it's fine") });
      await ui.start(1, id);
      await ui.idle();
      await ui.advance(10000);
      await ui.idle();
      assert.deepEqual(await actionPage(), {
        ui: true,
        label: `<h2>Running ${OPTIONS[id].value} on sda : lumenos-2.4</h2>`,
        msg: "SUCCESS  All done, its fine",
        mark: "pass.png",
        opacity: "0.4",
        buttons: true,
      }, id);
      assert.equal(await ui.log(), "All done, it's fine\n", "the log keeps the apostrophe");
      assert.equal(polls().length, 0);
      await ui.close();
      ui = undefined;
    }
  });

  test("repair answered with 200 shows its own fixed success text", async () => {
    await ready({ repair: answer.done("desktop started") });
    await ui.start(1, "repair");
    await ui.idle();
    const p = await actionPage();
    assert.equal(p.msg, "SUCCESS  Minimize this and repair Manually with caution");
    assert.equal(p.mark, "pass.png");
    assert.equal(await ui.log(), "desktop started\n");
  });

  test("reboot answered with 200: \"Rebooting..\", no result, no buttons, the mark unchanged", async () => {
    await ready({ reboot: answer.done("rebooting in 10 s") });
    await ui.start(1, "reboot");
    await ui.idle();
    await ui.advance(10000);
    const p = await actionPage();
    assert.deepEqual([p.msg, p.mark, p.buttons], ["Rebooting..", "scanning.gif", false]);
    assert.equal(await ui.log(), "rebooting in 10 s\n");
    assert.equal(polls().length, 0);
  });

  test("each action refused or unreachable: FAIL with the record's message, the fail mark, the buttons", async () => {
    const cases = [
      ["restore", answer.refused("Disc 'sda' is locked"), "FAIL:  Disc sda is locked"],
      ["factory-reset", answer.http(500, { status: 200 }), "FAIL:  Internal Server Error"],
      ["repair", answer.down(), "FAIL:  Failed to fetch"],
      ["reboot", answer.json({ message: "no status" }), "FAIL:  no status"],
      ["restore", answer.json(null), "FAIL:  Invalid answer from the repair service: the body is not a JSON object"],
    ];
    for (const [id, a, text] of cases) {
      await ready({ [id]: a });
      await ui.start(1, id);
      await ui.idle();
      const p = await actionPage();
      assert.deepEqual([p.msg, p.mark, p.buttons], [text, "fail.png", true], id);
      assert.equal(polls().length, 0);
      await ui.close();
      ui = undefined;
    }
  });
});

describe("mended: an accepted request without a uuid", () => {
  test("each action answered 102 without a uuid fails at once with a clear text; nothing is polled", async () => {
    for (const id of Object.keys(OPTIONS)) {
      await ready({ [OPTIONS[id].op]: answer.json({ status: 102, message: "accepted" }), status: answer.down() });
      await ui.start(1, id);
      await ui.idle();
      await ui.advance(10000);
      await ui.idle();
      const p = await actionPage();
      assert.deepEqual(
        [p.msg, p.mark, p.buttons],
        ["FAIL:  The repair service accepted the request without a request id", "fail.png", true],
        id,
      );
      assert.equal(polls().length, 0, id);
      assert.equal(await ui.log(), "accepted\n");
      await ui.dialogGone();
      await ui.page.click("#clearlogbtn");
      await ui.idle();
      assert.equal(ui.svc.of("clear").length, 0, "no clear request with a made-up id");
      await ui.close();
      ui = undefined;
    }
  });
});

describe("following a request", () => {
  // The action's request is accepted with uuid R; status polls answer in
  // turn from `script` (the last entry repeats).
  // The request's answer is held until the dialog's answer has been
  // noticed, so that the first poll's wait starts on the paused clock.
  async function follow(id, script, options = {}) {
    await ready(
      {
        [OPTIONS[id].op]: answer.held(answer.pending("R-" + id, "accepted " + id)),
        status: (req, n) => script[Math.min(n, script.length - 1)],
      },
      options,
    );
    await ui.start(1, id);
    await ui.requests(3);
    await ui.svc.release();
    await ui.idle();
  }

  test("poll n waits 2000 ms; start is the count of log lines received, max 100; failing polls change nothing", async () => {
    const R = "R-restore";
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
    await ui.advance(1999);
    await ui.idle();
    assert.equal(polls().length, 0, "nothing before 2000 ms");
    await ui.advance(1);
    await ui.idle();
    assert.equal(polls().length, 1);
    assert.equal(await ui.text("#action_msg"), "Preparing");
    assert.equal(await ui.log(), "accepted restore\nline a\nline b\n");
    await ui.untilResult();
    assert.deepEqual(
      polls().map((r) => r.query),
      [0, 2, 2, 2, 2, 3, 3].map((s) => `uuid=${R}&start=${s}&max=100`),
    );
    const p = await actionPage();
    assert.deepEqual([p.msg, p.mark, p.buttons], ["SUCCESS  Restore complete", "pass.png", true]);
    assert.equal(await ui.log(), "accepted restore\nline a\nline b\nline c\nline d\n");
    assert.ok(ui.consoleLines.includes("Action: running: log: running:Copying"));
    // Nothing polls after the end.
    await ui.advance(10000);
    await ui.idle();
    assert.equal(polls().length, 7);
  });

  test("each action followed to 200 gives SUCCESS with the final line (repair: its fixed text)", async () => {
    const texts = {
      restore: "SUCCESS  Restored sda",
      "factory-reset": "SUCCESS  Restored sda",
      repair: "SUCCESS  Minimize this window  and repair manually with caution",
      reboot: "SUCCESS  Restored sda",
    };
    for (const id of Object.keys(OPTIONS)) {
      const R = "R-" + id;
      await follow(id, [answer.status(R, 102, "working"), answer.status(R, "200", "Restored sda", ["ok"])]);
      await ui.untilResult();
      const p = await actionPage();
      assert.deepEqual([p.msg, p.mark, p.buttons], [texts[id], "pass.png", true], id);
      assert.equal(polls().length, 2, id);
      assert.ok(polls().every((r) => r.params.uuid === R));
      await ui.close();
      ui = undefined;
    }
  });

  test("each action followed to code 500 (or 400) gives FAIL with that entry's line and the fail mark", async () => {
    for (const [id, code] of [["restore", 500], ["factory-reset", 400], ["repair", 500], ["reboot", "503"]]) {
      const R = "R-" + id;
      await follow(id, [answer.status(R, 102, "working"), answer.status(R, code, "Write error on 'sda'", ["E1"])]);
      await ui.untilResult();
      const p = await actionPage();
      assert.deepEqual([p.msg, p.mark, p.buttons], ["FAIL:  Write error on sda", "fail.png", true], id);
      await ui.close();
      ui = undefined;
    }
  });

  test("a status line with apostrophes is shown without them; markup in it is plain text", async () => {
    const R = "R-restore";
    await follow("restore", [
      answer.status(R, 102, "Can't stop: '<b>busy</b>'"),
      answer.status(R, 102, "still"),
    ]);
    await ui.advance(2000);
    await ui.idle();
    assert.equal(await ui.text("#action_msg"), "Cant stop: <b>busy</b>");
    assert.equal(await ui.page.evaluate(() => document.querySelectorAll("#action_msg *").length), 0);
  });

  test("log lines are de-duplicated against the log as it stood before each batch", async () => {
    const R = "R-restore";
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
    assert.equal(
      await ui.log(),
      "accepted restore\ncopy 1\ntwice\ntwice\ncopy 2\nnew\nline\nend of log\n",
    );
    // Every line counts for the start offset, skipped or not.
    assert.deepEqual(polls().map((r) => r.params.start), ["0", "4", "9", "11"]);
  });

  test("mended: a FINISHED status answer without an entry for the uuid or without log_messages is a poll without news", async () => {
    const R = "R-restore";
    await follow("restore", [
      answer.json({ status: 200, status_list: { [R]: [200, "t", "done?"] } }),
      answer.json({ status: 200, log_messages: ["x"] }),
      answer.json({ status: 200, status_list: { other: [500, "t", "no"] }, log_messages: ["y"] }),
      answer.json({ status: 200, status_list: { [R]: { code: 200 } }, log_messages: ["z"] }),
      answer.json({ status: 200, status_list: { [R]: [200, "t", "done"] }, log_messages: "w" }),
      answer.json(null),
      answer.status(R, 200, "really done", ["v"]),
    ]);
    await ui.untilResult();
    assert.equal(await ui.text("#action_msg"), "SUCCESS  really done");
    assert.equal(await ui.log(), "accepted restore\nv\n");
    assert.deepEqual(polls().map((r) => r.params.start), ["0", "0", "0", "0", "0", "0", "0"]);
  });
});

describe("the buttons of the action page", () => {
  async function restored(handlers = {}) {
    await ready({
      restore: answer.pending("R1", "accepted"),
      status: answer.status("R1", 200, "Restore complete", ["l1", "l2"]),
      ...handlers,
    });
    await ui.start(1, "restore");
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
    await ui.close();

    await restored({ clear: answer.done("cleared") });
    await ui.page.click("#clearlogbtn");
    await ui.idle();
    assert.equal(await ui.log(), "");
    assert.equal(await ui.text("#action_msg"), "Logs cleaned");
  });

  test("Clear Log: FAILED shows \"Clear logs failed\", PENDING shows nothing; the log stays empty", async () => {
    await restored({ clear: answer.refused("no such log") });
    await ui.page.click("#clearlogbtn");
    await ui.idle();
    assert.equal(await ui.text("#action_msg"), "Clear logs failed");
    assert.equal(await ui.log(), "");
    await ui.close();

    await restored({ clear: answer.pending("C1") });
    await ui.page.click("#clearlogbtn");
    await ui.idle();
    assert.equal(await ui.text("#action_msg"), "SUCCESS  Restore complete");
    assert.equal(await ui.log(), "");
  });

  test("Clear Log without a restore, factory-reset or repair request asks nothing (after a reboot, too)", async () => {
    await ready({ reboot: answer.pending("B1"), status: answer.status("B1", 500, "cannot reboot"), clear: answer.done("x") });
    await ui.start(1, "reboot");
    await ui.untilResult();
    await ui.page.click("#clearlogbtn");
    await ui.idle();
    assert.equal(ui.svc.of("clear").length, 0);
    assert.equal(await ui.log(), "");
    assert.equal(await ui.text("#action_msg"), "FAIL:  cannot reboot");
  });

  test("Clear Log after a restore that got no answer (no uuid) asks nothing", async () => {
    await ready({ restore: answer.down(), clear: answer.done("x") });
    await ui.start(1, "restore");
    await ui.idle();
    await ui.dialogGone();
    await ui.page.click("#clearlogbtn");
    await ui.idle();
    assert.equal(ui.svc.of("clear").length, 0);
    assert.equal(await ui.log(), "");
  });

  test("Close closes the page's window", async () => {
    ui = await UI.open(env, new FakeService({ restore: answer.done("ok") }), { popup: true });
    await ui.ready();
    await ui.start(1, "restore");
    await ui.idle();
    await ui.dialogGone();
    assert.equal(await ui.visible("#close1"), true);
    const closed = ui.page.waitForEvent("close", { timeout: 5000 });
    await ui.page.click("#close1");
    await closed;
    assert.equal(ui.page.isClosed(), true);
  });

  test("Reboot after choosing \"Select..\": mark hidden, empty label, \"Please select image\", nothing asked", async () => {
    await restored({ reboot: answer.done("x") });
    await ui.choose(0);
    await ui.page.click("#reboot1");
    const p = await actionPage();
    assert.deepEqual([p.label, p.msg, p.opacity], ["", "Please select image", "0"]);
    assert.equal(await ui.dialogOpen(), false);
    assert.equal(ui.svc.of("reboot").length, 0);
  });

  test("Reboot with another image names it, and on Yes reboots that image", async () => {
    await restored({ reboot: answer.held(answer.pending("B7", "reboot accepted")), status: (req) =>
      req.params.uuid === "B7"
        ? answer.status("B7", 200, "Reboot scheduled", ["bye"])
        : answer.status("R1", 200, "Restore complete", ["l1", "l2"]) });
    await ui.choose(3);
    await ui.page.click("#reboot1");
    assert.equal(await ui.text("#exConfirmPromise_title"), "Reboot");
    assert.equal(
      await ui.text("#exConfirmPromiseWrap p"),
      "Will reboot mmcblk0 : image-lumenos-3.0-rc1. Continue?",
    );
    // No: nothing happens.
    await ui.answer(false);
    await ui.advance(600);
    assert.equal(ui.svc.of("reboot").length, 0);
    assert.equal(await ui.html("#action_label"), "<h2>Running Restore on sda : lumenos-2.4</h2>");
    // Yes: the rebooting heading, "In 10 seconds", log emptied, request.
    await ui.page.click("#reboot1");
    await ui.answer(true);
    const p = await actionPage();
    assert.deepEqual([p.label, p.msg, p.opacity], [
      '<h2 style="color: rgb(48, 46, 46);">Rebooting mmcblk0 : lumenos-3.0-rc1</h2>',
      "In 10 seconds",
      "0",
    ]);
    assert.equal(await ui.log(), "");
    await ui.svc.release();
    await ui.idle();
    assert.equal(ui.svc.of("reboot")[0].query, `disc=mmcblk0&image=lumenos-3.0-rc1&scanuuid=${SCAN_UUID}&delay=10`);
    assert.equal(await ui.log(), "reboot accepted\n");
    // Followed to 200: success, the mark stays hidden.
    await ui.runUntil("document.getElementById('action_msg').textContent.startsWith('SUCCESS  Reboot')", { step: 2000 });
    const q = await actionPage();
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

  test("the running heading holds the keys as text, and the request carries them escaped", async () => {
    await ready({ list, restore: answer.done("ok") });
    await ui.start(1, "restore");
    await ui.idle();
    await ui.advance(100);
    const r = await ui.page.evaluate(() => ({
      text: document.querySelector("#action_label h2").textContent,
      elements: document.querySelectorAll("#action_label *").length,
      pwned: window.__pwned ?? null,
    }));
    assert.deepEqual(r, { text: `Running Restore on ${evilDisc} : ${evilImage}`, elements: 1, pwned: null });
    assert.deepEqual(ui.svc.of("restore")[0].params, { disc: evilDisc, image: evilImage, scanuuid: SCAN_UUID });
  });

  test("the reboot confirmation and the rebooting heading hold the keys as text", async () => {
    await ready({ list, restore: answer.done("ok"), reboot: answer.hang() });
    await ui.start(1, "restore");
    await ui.idle();
    await ui.dialogGone();
    await ui.page.click("#reboot1");
    await ui.advance(100);
    const d = await ui.page.evaluate(() => ({
      text: document.querySelector("#exConfirmPromiseWrap p").textContent,
      elements: document.querySelectorAll("#exConfirmPromiseWrap p *").length,
    }));
    assert.deepEqual(d, { text: `Will reboot ${evilDisc} : image-${evilImage}. Continue?`, elements: 0 });
    await ui.answer(true);
    await ui.advance(100);
    const h = await ui.page.evaluate(() => ({
      text: document.querySelector("#action_label h2").textContent,
      elements: document.querySelectorAll("#action_label *").length,
      pwned: window.__pwned ?? null,
    }));
    assert.deepEqual(h, { text: `Rebooting ${evilDisc} : ${evilImage}`, elements: 1, pwned: null });
  });
});
