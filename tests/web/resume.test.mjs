// The page loaded again while an action runs (as after its renderer died)
// takes that action up again from the tab's session storage: no scan,
// nothing destructive sent again, the whole log polled back, the result as
// usual; a request without an answer yet shows as not confirmed. What comes
// back from storage is data.

import { test, describe } from "node:test";
import assert from "node:assert/strict";
import { answer, pagePerTest, SCAN_UUID } from "./harness/browser.mjs";
import { FIRST_PAGE } from "../page_reading.mjs";
import { DESTRUCTIVE_REQUESTS as DESTRUCTIVE } from "../../web/vocabulary.js";

let ui;
const { ready, started } = pagePerTest();

const LOG = ["L1 partition table read", "L2 writing system", "L3 writing boot"];

// The page's state as the user sees it.
async function shown() {
  return { ...(await ui.page.evaluate(FIRST_PAGE)), ...(await ui.actionPage()) };
}

// Loads the page again in the same tab; delivers the requests it sends
// once it is quiet.
async function reload() {
  const before = ui.svc.requests.length;
  await ui.page.reload();
  await ui.idle();
  await ui.elapse(1);
  return ui.svc.requests.slice(before);
}

describe("a page loaded again during an action", () => {
  test("follows the accepted restore from log index 0, shows its end, then forgets it", async () => {
    let finished = false;
    const status = (request) => {
      const start = Number(request.params.start);
      const lines = finished ? [...LOG, "Restore finished"] : LOG.slice(0, 2);
      const entry = finished ? [200, "done", "Restore finished"] : [102, "running", "Writing"];
      return answer.status("R-1", entry[0], entry[2], lines.slice(start, start + 100), entry[1]);
    };
    ui = await started({ restore: answer.pending("R-1", "Restore accepted"), status }, "restore");
    await ui.idle();
    await ui.elapse(2000);
    const before = await shown();
    assert.equal(before.log, "Restore accepted\nL1 partition table read\nL2 writing system\n");

    // While it runs: the action page as it was, the whole log polled back.
    let sent = await reload();
    assert.deepEqual(sent.map((r) => [r.op, r.params]), [["status", { uuid: "R-1", start: "0", max: "100" }]]);
    assert.deepEqual(await shown(), before);
    assert.equal(before.label, "<h2>Running Restore on sda : lumenos-2.4</h2>");
    assert.equal(before.chosen, 1);

    // It ended while the page was gone: its result at the first poll.
    finished = true;
    sent = await reload();
    assert.deepEqual(sent.map((r) => r.op), ["status"]);
    const after = await shown();
    assert.deepEqual([after.msg, after.mark, after.buttons], ["SUCCESS  Restore finished", "pass.png", true]);
    assert.equal(after.log, "Restore accepted\n" + [...LOG, "Restore finished"].join("\n") + "\n");

    // Ended and shown: the next load starts afresh.
    sent = await reload();
    assert.deepEqual(sent.map((r) => r.op), ["scan", "list"]);
    assert.equal((await shown()).ui, false, "the action page is hidden");
    assert.deepEqual(ui.svc.of("restore").length, 1, "one restore in all");
    assert.ok(ui.svc.requests.every((r) => DESTRUCTIVE.includes(r.op) === (r.op === "restore")));
  });

  test("a restore sent without an answer yet: shown as not confirmed, no scan, the first page covered, until Close", async () => {
    ui = await started({ restore: answer.hang() }, "restore");
    await ui.requests(3); // scan, list, restore: its record is kept
    await ui.dialogGone();
    let sent = await reload();
    assert.deepEqual(sent, [], "nothing sent: no scan, no second restore");
    const page = await shown();
    assert.equal(page.overlay, false);
    assert.equal(page.label, "<h2>Running Restore on sda : lumenos-2.4</h2>");
    assert.match(page.msg, /^NOT CONFIRMED: .*do not switch the unit off\.$/);
    assert.deepEqual([page.buttons, page.opacity, page.chosen], [true, "0", 1]);
    const covered = await ui.page.evaluate(() =>
      ["restore", "ok_button"].map((id) => document.getElementById(id).disabled && !!document.getElementById(id).closest("[inert]")));
    assert.deepEqual(covered, [true, true]);
    await ui.keys("ArrowDown", "Enter"); // whatever the keys reach, no action starts
    assert.equal(await ui.dialogOpen(), false);

    // Close: the person has seen it; the next load starts afresh.
    await ui.page.click("#close1");
    sent = await reload();
    assert.deepEqual(sent.map((r) => r.op), ["scan", "list"]);
    assert.equal(ui.svc.of("restore").length, 1);
  });

  test("a restore answered with a failure: the record goes with the result, the next load starts afresh", async () => {
    ui = await started({ restore: answer.refused("no such image", 404) }, "restore");
    await ui.requests(3);
    await ui.idle();
    assert.equal((await shown()).msg, "FAIL:  no such image");
    const sent = await reload();
    assert.deepEqual(sent.map((r) => r.op), ["scan", "list"]);
  });

  test("a stored record is data: hostile text shows as text; a record that does not check out is dropped", async () => {
    ui = await ready({ status: answer.down() });
    const hostile = (field) => `<img src=x onerror="window.__pwned='${field}'"><script>window.__pwned='${field}'</script>`;
    const [disc, image] = ["sda" + hostile("disc"), "img" + hostile("image")];
    const record = { heading: "running", option: "Factory-reset", disc, image,
      uuid: "R" + hostile("uuid"), scanUuid: SCAN_UUID, message: hostile("message"),
      osList: { [disc]: { disc: hostile("label"), images: { [image]: {} } } } };
    const store = (value) => ui.page.evaluate((v) => sessionStorage.setItem("lumenos-repair.action", v), value);

    await store(JSON.stringify(record));
    const sent = await reload();
    assert.deepEqual(sent.map((r) => [r.op, r.params.uuid]), [["status", record.uuid]]);
    const page = await shown();
    assert.equal(await ui.text("#action_label"), `Running Factory-reset on ${record.disc} : ${record.image}`);
    assert.equal(page.log, record.message + "\n");
    assert.equal(page.menu[1], `${record.disc}:${hostile("label")} : ${record.image}  `);
    assert.equal(page.chosen, 1);
    const effects = () =>
      [window.__pwned ?? null, document.querySelectorAll("img:not(#loading_img):not(#action_img), body script").length];
    assert.deepEqual(await ui.page.evaluate(effects), [null, 0], "no markup ran, none was inserted");

    // Not a record: the page starts as usual, and the record is gone.
    const changed = [{ ...record, option: "Format" }, { ...record, uuid: "" },
      { ...record, disc: { toString: "x" } }, { ...record, osList: null }];
    const bad = ["{not json", ...[[record], ...changed].map((r) => JSON.stringify(r))];
    for (const text of bad) {
      await store(text);
      const again = await reload();
      assert.deepEqual(again.map((r) => r.op), ["scan", "list"], text);
      assert.equal(await ui.page.evaluate(() => sessionStorage.length), 0, text);
    }
    assert.deepEqual(ui.svc.requests.filter((r) => DESTRUCTIVE.includes(r.op)), []);
  });
});
