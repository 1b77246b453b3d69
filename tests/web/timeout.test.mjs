// A followed request that never ends gives "Timeout" after
// exactly 5000 status polls (2000 ms apart on the fake clock).

import { test } from "node:test";
import assert from "node:assert/strict";
import { answer, pagePerTest, SCAN_UUID } from "./harness/browser.mjs";

const { started } = pagePerTest();

test("5000 polls without an end give \"FAIL:  Timeout\" and the fail mark; no poll follows", async () => {
  const R = "R-long";
  // Every kind of poll without an outcome, in turn.
  const kinds = [
    answer.status(R, 102, "Still copying", []),
    answer.down(),
    answer.status(R, 201, "odd code", []),
    answer.refused("busy"),
    answer.offContract(answer.json({ status: 200, log_messages: [] })),
  ];
  const ui = await started({ restore: answer.pending(R, "accepted"), status: (req, n) => kinds[n % kinds.length] }, "restore");
  const t0 = Date.now();
  await ui.untilResult(5200);
  const ms = Date.now() - t0;
  const polls = ui.svc.of("status").filter((r) => r.params.uuid !== SCAN_UUID);
  assert.equal(polls.length, 5000);
  assert.ok(polls.every((r) => r.query === `uuid=${R}&start=0&max=100`));
  const page = await ui.actionPage();
  assert.deepEqual([page.msg, page.mark], ["FAIL:  Timeout", "fail.png"]);
  await ui.elapse(20000);
  assert.equal(ui.svc.of("status").length, 5000);
  console.log(`# 5000 polls took ${ms} ms`);
});
