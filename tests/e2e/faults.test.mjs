// A restore while the service fails: a failure code mid-way, the service
// dropping out for a while and coming back, and the service not answering
// for longer than the page waits.

import assert from "node:assert/strict";
import { describe, it } from "node:test";
import { actionUuid, destructive, pollsOf, sleep, useSession } from "./harness/session.mjs";

describe("a restore against a failing service", () => {
  const { session, repair } = useSession();

  // Loads the scenario and confirms a restore of the first image.
  async function startRestore(scenario) {
    await session.restartSim({ scenario });
    await repair.startAction();
  }

  // Waits for the result of the restore; delivers the result, the
  // restore's uuid and its status polls.
  async function resultOfRestore() {
    const result = await repair.waitForResult(60000);
    const journal = await session.sim.journal();
    assert.equal(destructive(journal).length, 1);
    const uuid = actionUuid(journal);
    return { result, uuid, polls: pollsOf(journal, uuid) };
  }

  it("ends with the failure line and the fail mark when the service reports code 500 mid-way", async () => {
    await startRestore("action-fails-midway");
    const { result, uuid, polls } = await resultOfRestore();
    assert.equal(result.msg, "FAIL:  Write error on the system partition: input/output error");
    assert.equal(result.mark, "fail.png");
    assert.equal(polls.length, 3, "followed until the third poll brought the failure");
    // No poll after the end.
    await sleep(2500);
    assert.equal(pollsOf(await session.sim.journal(), uuid).length, 3);
  });

  it("ignores the dropped polls and finishes when the service comes back", async () => {
    await startRestore("service-drops-out");
    const { result, uuid, polls } = await resultOfRestore();
    assert.match(result.msg, /^SUCCESS {2}Restore of .* finished$/);
    assert.equal(result.mark, "pass.png");
    assert.ok(polls.length >= 5, `polling went on past the dropped polls: ${polls.length}`);
    // Dropped polls bring no lines: the offset stands still over them.
    const starts = polls.map((p) => Number(p.params.start));
    assert.equal(starts[0], 0);
    assert.ok(starts[1] > 0, `lines came with the first poll: ${starts}`);
    assert.deepEqual(starts.slice(2, 5), [starts[1], starts[1], starts[1]], `offsets ${starts}`);
    const shown = result.log.split("\n").filter(Boolean);
    assert.deepEqual(shown.slice(1), await session.sim.logOf(uuid), "every line of the service once, in order");
  });

  it("says that the service is not answering while polls go unanswered, takes it back and goes on to the result", async () => {
    await startRestore("service-stops-answering");
    const notice = "document.getElementById('action_notice')";
    await session.page.waitForPage("the notice that the service is not answering", `!${notice}.hidden`,
      { timeout: 45000 });
    const during = await repair.actionState();
    await session.keepScreenshot("service-not-answering");
    assert.equal(await repair.prop("action_notice"),
      "The repair service is not answering. The action may still be running: do not switch the unit off.");
    assert.doesNotMatch(during.msg, /^(FAIL|SUCCESS|NOT)/, "still running, no failure");
    assert.equal(during.buttons, false);
    await session.page.waitForPage("the notice to go at the next answer", `${notice}.hidden`, { timeout: 30000 });
    const { result, polls } = await resultOfRestore();
    assert.match(result.msg, /^SUCCESS {2}Restore of .* finished$/);
    assert.equal(await repair.prop("action_notice"), "");
    // The 2nd and 3rd polls are answered after 30 s: the page gives up on
    // each at its bound and polls again 2 s later.
    const times = polls.map((p) => Date.parse(p.time));
    for (const i of [1, 2]) {
      const gap = times[i + 1] - times[i];
      assert.ok(gap > 11500 && gap < 30000, `poll ${i + 1} given up on before its answer: ${gap} ms`);
    }
  });
});
