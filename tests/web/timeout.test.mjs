// A followed request that never ends gives "Timeout" after
// exactly 5000 status polls (2000 ms apart on the fake clock).

import { test } from "node:test";
import assert from "node:assert/strict";
import { browserForFile } from "./harness/browser.mjs";
import { UI } from "./harness/ui.mjs";
import { FakeService, answer, SCAN_UUID } from "./harness/fake_service.mjs";

const env = browserForFile();

test("5000 polls without an end give \"FAIL:  Timeout\" and the fail mark; no poll follows", async () => {
  const R = "R-long";
  // Every kind of poll without an outcome, in turn.
  const kinds = [
    answer.status(R, 102, "Still copying", []),
    answer.down(),
    answer.status(R, 201, "odd code", []),
    answer.refused("busy"),
    answer.json({ status: 200, log_messages: [] }),
  ];
  const svc = new FakeService({
    restore: answer.pending(R, "accepted"),
    status: (req, n) => kinds[n % kinds.length],
  });
  const ui = await UI.open(env, svc);
  try {
    await ui.ready();
    await ui.start(1, "restore");
    const t0 = Date.now();
    await ui.untilResult(5200);
    const ms = Date.now() - t0;
    const polls = svc.of("status").filter((r) => r.params.uuid !== SCAN_UUID);
    assert.equal(polls.length, 5000);
    assert.ok(polls.every((r) => r.query === `uuid=${R}&start=0&max=100`));
    const page = await ui.page.evaluate(() => ({
      msg: document.getElementById("action_msg").textContent,
      mark: document.getElementById("action_img").src.split("/").pop(),
    }));
    assert.deepEqual(page, { msg: "FAIL:  Timeout", mark: "fail.png" });
    await ui.advance(20000);
    await ui.idle();
    assert.equal(svc.of("status").length, 5000);
    assert.deepEqual(ui.errors, []);
    console.log(`# 5000 polls took ${ms} ms`);
  } finally {
    await ui.close();
  }
});
