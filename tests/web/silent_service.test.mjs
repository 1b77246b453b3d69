// A service that stops answering: each request is abandoned at its bound,
// the polling goes on, the page says that the service is not answering while
// it is silent and takes it back at the next answer, and an action's own
// request is never sent twice.

import { test } from "node:test";
import assert from "node:assert/strict";
import { answer, pagePerTest, RESULT_SHOWN, SCAN_UUID } from "./harness/browser.mjs";
import { shownText } from "../page_reading.mjs";

let ui;
const { quiet, started } = pagePerTest();

const R = "R-silent";

// The page's fake time, and the notice as shown (null while hidden).
const now = () => ui.page.evaluate(() => Date.now());
const notice = (id) => ui.page.evaluate(shownText(id));
const shown = (id) => `!!document.getElementById('${id}') && !document.getElementById('${id}').hidden`;
const msgIs = (text) => `document.getElementById('action_msg').textContent === ${JSON.stringify(text)}`;

const until = (expr, step) => ui.reach(expr, { step, max: 2000 });

test("scan polls without an answer are abandoned and followed by the next; the notice shows 20 s after the last answer and goes with the next", async () => {
  const status = (req, n) => (n < 3 ? answer.hang() : answer.status(SCAN_UUID, 200, "Scan finished"));
  ui = await quiet({ scan: answer.pending(SCAN_UUID, "scan started"), status });
  const answered = await now();
  assert.equal(await notice("scan_notice"), null);
  await until(shown("scan_notice"), 250);
  assert.equal((await now()) - answered, 20000);
  assert.match(await notice("scan_notice"), /^The repair service is not answering\./);
  assert.equal(await ui.text("#scan_msg"), "Scan started", "no failure meanwhile");
  // Poll 0 abandoned at 11 s, poll 1 out since 12 s.
  assert.equal(ui.svc.of("status").length, 2);
  await ui.ready();
  assert.deepEqual(ui.svc.ops(), ["scan", "status", "status", "status", "status", "list"]);
  assert.deepEqual(ui.svc.of("status").map((r) => r.params.start), ["0", "1", "2", "3"]);
});

test("action polls without an answer: the notice while silent, gone at the next answer; the action goes on to its result with one request", async () => {
  const status = (req, n) => {
    if (req.params.uuid === SCAN_UUID) return answer.refused("unknown uuid", 404);
    if (n === 0) return answer.status(R, 102, "Writing", ["line a"]);
    if (n <= 2) return answer.hang();
    if (n === 3) return answer.status(R, 102, "Verifying", ["line b"]);
    return answer.status(R, 200, "Restore complete", ["line c"]);
  };
  ui = await started({ restore: answer.pending(R, "accepted"), status }, "restore");
  await until(msgIs("Writing"), 2000);
  const answered = await now();
  await until(shown("action_notice"), 250);
  assert.equal((await now()) - answered, 20000);
  const silent = "The repair service is not answering. The action may still be running: do not switch the unit off.";
  assert.equal(await notice("action_notice"), silent);
  const p = await ui.actionPage();
  assert.deepEqual([p.msg, p.mark, p.buttons], ["Writing", "scanning.gif", false], "the last status line stays; no failure");
  // Poll 1 abandoned at 12 s; poll 2 out since 14 s; each 2 s after the last.
  assert.equal(ui.svc.of("status").length, 3);
  await until(`!(${shown("action_notice")})`, 250);
  assert.equal((await now()) - answered, 26000, "gone with poll 3's answer (2 + 10 + 2 + 10 + 2 s)");
  assert.equal(await ui.text("#action_msg"), "Verifying");
  await ui.untilResult();
  assert.equal(await ui.text("#action_msg"), "SUCCESS  Restore complete");
  assert.equal(await ui.log(), "accepted\nline a\nline b\nline c\n");
  // The abandoned polls brought no lines: the offset stands still over them.
  assert.deepEqual(ui.svc.of("status").map((r) => r.params.start), ["0", "1", "1", "1", "2"]);
  await ui.elapse(3_600_000);
  assert.equal(ui.svc.of("status").length, 5, "no poll after the result");
  assert.equal(ui.svc.of("restore").length, 1);
  assert.equal(await notice("action_notice"), null);
});

test("a restore request without an answer: the notice after 20 s; at its bound not confirmed, never failed; nothing invites a second restore", async () => {
  ui = await started({ restore: answer.hang(), reboot: answer.hang() }, "restore");
  await ui.idle();
  const sent = await now();
  await until(shown("action_notice"), 500);
  assert.equal((await now()) - sent, 20000);
  assert.equal(await ui.text("#action_msg"), "Started...");
  await until(RESULT_SHOWN, 500);
  assert.equal((await now()) - sent, 60000, "abandoned at the bound of an action request");
  const notConfirmed =
    "NOT CONFIRMED:  The repair service did not answer. The action may be running: do not switch the unit off.";
  assert.equal(await ui.text("#action_msg"), notConfirmed);
  const p = await ui.actionPage();
  assert.deepEqual([p.mark, p.opacity], ["scanning.gif", "0"], "neither the pass nor the fail mark; no busy indicator");
  assert.equal(await notice("action_notice"), null, "the result line says it now");
  assert.equal(await ui.log(), "The repair service did not answer within 60 s\n");
  // Proceed stays covered; a click on it sends nothing.
  await ui.page.click("#ok_button", { force: true });
  assert.equal(await ui.dialogOpen(), false);
  // Reboot still asks first.
  await ui.page.click("#reboot1");
  assert.equal(await ui.dialogOpen(), true);
  await ui.answer(false);
  await ui.elapse(3_600_000);
  assert.deepEqual(ui.svc.ops(), ["scan", "list", "restore"]);
});
