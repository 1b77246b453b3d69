// The scan at start against the stand-in: its polls, its status lines, a
// failing scan and answers that are not what the page expects.

import assert from "node:assert/strict";
import { describe, it } from "node:test";
import { named, sleep, useSession } from "./harness/session.mjs";

// Records every text that "scan_msg" shows, from the page's first moment.
const RECORD_SCAN_TEXTS = `
  window.__scanTexts = [];
  document.addEventListener("DOMContentLoaded", () => {
    const message = document.getElementById("scan_msg");
    new MutationObserver(() => window.__scanTexts.push(message.textContent))
      .observe(message, { childList: true, subtree: true, characterData: true });
  });`;

describe("the scan at start", () => {
  const { session, repair } = useSession({ sim: { scenario: "default" } }, async () => {
    await session.page.send("Page.enable");
    await session.page.send("Page.addScriptToEvaluateOnNewDocument", { source: RECORD_SCAN_TEXTS });
  });

  it("polls once a second with start=n and max=1, shows the status lines, then lists", async () => {
    await session.restartSim({ scenario: "default" });
    await repair.waitForMenu();
    const journal = await session.sim.journal();
    assert.equal(journal[0].path, "/lumenos-repair/scan", "the scan comes first");
    assert.equal(named(journal, "scan").length, 1);
    const lists = named(journal, "list");
    assert.equal(lists.length, 1);
    const uuid = lists[0].params.uuid;
    const polls = named(journal, "status");
    assert.ok(polls.length >= 2, `several polls of a 3 s scan: ${polls.length}`);
    polls.forEach((poll, n) => assert.deepEqual(poll.params, { uuid, start: String(n), max: "1" }));
    const gaps = polls.slice(1).map((poll, i) => Date.parse(poll.time) - Date.parse(polls[i].time));
    assert.ok(gaps.every((gap) => gap >= 950), `a second or more between polls: ${gaps}`);

    const texts = await session.page.evaluate("window.__scanTexts");
    assert.equal(texts[0], "Scan started");
    assert.ok(texts.some((t) => ["Looking for discs", "Reading partition tables", "Checking Lumenos images"].includes(t)),
      `a status line of the service was shown: ${texts}`);
    assert.equal(texts.at(-1), "Scan: Scan finished");
  });

  it("shows the failure under the overlay when the scan fails, and lists nothing", async () => {
    await session.restartSim({ scenario: "scan-fails" });
    const { page } = session;
    await page.waitForPage("the scan's failure text", "/Failed/.test(document.getElementById('scan_msg').textContent)",
      { timeout: 15000 });
    assert.equal(await repair.prop("scan_msg"), "Failed: Restart application");
    assert.equal(await page.evaluate("getComputedStyle(document.getElementById('loading_img')).display"), "none");
    await sleep(1500);
    assert.equal(await page.evaluate("!!document.getElementById('loading_id')"), true, "the overlay stays");
    assert.deepEqual(named(await session.sim.journal(), "list"), []);

    // The overlay takes the pointer: a click where "Proceed" is reaches nothing.
    await page.click("ok_button");
    await sleep(300);
    assert.equal(await repair.prop("status"), "");
  });

  it("ignores status polls that are not JSON, fail or are refused, and finishes the scan", async () => {
    await session.restartSim({ scenario: "bad-answers" });
    const menu = await repair.waitForMenu(30000);
    assert.equal(menu.length, 4, "the menu is filled");
    const polls = named(await session.sim.journal(), "status");
    assert.ok(polls.length >= 5, `polling went on past the four bad answers: ${polls.length}`);
    polls.forEach((poll, n) => assert.equal(poll.params.start, String(n)));
  });
});
