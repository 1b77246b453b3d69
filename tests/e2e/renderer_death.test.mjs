// The page's renderer killed in the real program: the page comes back and
// takes a running restore up again without sending it again; with the
// dialog open the first page comes back and nothing is sent; a renderer
// that keeps dying leaves a fixed message whose one control, taken by
// Enter, shows the page again, and Close still ends the program with
// status 0.

import assert from "node:assert/strict";
import { describe, it } from "node:test";
import { ACTION_PAGE_BACK, killRenderer, pageAgain } from "./harness/renderer.mjs";
import {
  destructive, named, scanUuid, START_PAGE_READY, useSession, writeRestoreScenario,
} from "./harness/session.mjs";

const LOG_LINES = Array.from({ length: 8 }, (_, i) => `written block group ${i + 1} of 8`);

describe("the page's renderer dies", () => {
  const scenario = writeRestoreScenario("restore-to-kill-in", "a restore long enough to kill the page's renderer in it",
    { duration_ms: 16000, message: "Restore accepted", status_lines: ["Writing system", "Writing boot"],
      log_lines: LOG_LINES, final_line: "Restore finished" });
  const sim = { scenario, timeScale: 1 };
  const { session, repair } = useSession({ sim });

  it("during a restore: the action page comes back with the whole log and goes on to the result", async (t) => {
    const { app } = session;
    await repair.startAction();
    await session.page.waitForPage("two log lines",
      "document.getElementById('action_log').textContent.split('\\n').length > 3", { timeout: 20000 });
    const running = await repair.actionState();

    const killedAt = Date.now();
    await killRenderer(app);
    session.page = repair.page = await pageAgain(app, ACTION_PAGE_BACK);
    t.diagnostic(`the action page was shown again ${Date.now() - killedAt} ms after the renderer's death`);
    const back = await repair.actionState();
    assert.equal(back.heading, running.heading);
    assert.equal(back.buttons, false);
    assert.equal(await session.page.evaluate("!!document.getElementById('loading_id')"), false, "no scan overlay");
    await session.keepScreenshot("renderer-death-action-page-back");

    const result = await repair.waitForResult(40000);
    assert.equal(result.msg, "SUCCESS  Restore finished");
    assert.equal(result.mark, "pass.png");
    assert.equal(result.log, ["Restore accepted", ...LOG_LINES, "Restore finished"].join("\n") + "\n");
    const journal = await session.sim.journal();
    assert.equal(named(journal, "scan").length, 1, "no scan after the renderer's death");
    assert.equal(destructive(journal).length, 1, "one restore request");
    // The action's log polled from index 0 twice: at its start and after the death.
    const scan = scanUuid(journal);
    const actionPolls = named(journal, "status").filter((entry) => entry.params.uuid !== scan);
    assert.deepEqual(actionPolls.filter((entry) => entry.params.start === "0").length, 2,
      JSON.stringify(actionPolls.map((entry) => entry.params.start)));
  });

  it("with the dialog open: the first page comes back and nothing is sent", async () => {
    const { app } = session;
    await session.restartSim(sim);
    await repair.choose(1, "restore");
    await repair.proceed();

    await killRenderer(app);
    session.page = repair.page = await pageAgain(app, START_PAGE_READY);
    await repair.waitForMenu();
    assert.equal(await repair.actionPageShown(), false);
    assert.equal(await repair.dialogOpen(), false);
    const journal = await session.sim.journal();
    assert.equal(named(journal, "scan").length, 2, "the page scanned again");
    assert.deepEqual(destructive(journal), [], "nothing sent");
  });
});

describe("the page's renderer dies again and again", () => {
  const { session } = useSession();

  it("shows the fixed message instead of a black window; Enter shows the page again; Close ends with status 0", async () => {
    const { app, display, window } = session;
    for (let death = 1; death <= 2; death++) {
      await killRenderer(app);
      session.page = await pageAgain(app, START_PAGE_READY);
    }
    await killRenderer(app);
    session.page = await pageAgain(app, "location.protocol === 'data:' && document.readyState === 'complete'");
    const text = await session.page.evaluate("document.body.innerText");
    for (const said of ["The display of the repair tool failed", "may still be going on in the repair service",
      "Do not switch the unit off", "Press Enter or tap the button", "close this window",
      "start lumenos-repair-app again"]) {
      assert.ok(text.includes(said), `the message says "${said}": ${text}`);
    }
    assert.equal(await session.page.evaluate("document.scripts.length"), 0);
    await session.keepScreenshot("renderer-death-message");
    // Its one control has the focus: Enter shows the repair tool again.
    assert.equal(await session.page.evaluate("document.activeElement.textContent"), "Show the repair tool again");
    await session.page.press("Enter");
    await session.page.waitForPage("the start page after Enter", START_PAGE_READY, { timeout: 20000 });

    await display.run("wmctrl", ["-i", "-c", window.id]);
    assert.deepEqual(await app.waitForExit(15000), { code: 0, signal: null });
  });
});
