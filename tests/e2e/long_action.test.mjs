// A long restore in the real program: the log grows past what the log
// area shows, the page answers clicks on the image list promptly all the
// while, and the area shows the newest line received, with the note of
// the earlier lines it no longer shows; scrolled up with the wheel, the
// area holds still while lines come, and follows again back at its end.

import assert from "node:assert/strict";
import { describe, it } from "node:test";
import { LOG_AREA } from "../log_area.mjs";
import { setPageTimerScale, speedUpPageTimers } from "./harness/page_timers.mjs";
import { sleep, useSession, writeRestoreScenario } from "./harness/session.mjs";

// The page's timers run PAGE_SPEED times faster, the stand-in's clock
// SIM_SPEED times: it makes its lines faster than the page fetches them
// (100 a poll), for longer than the test takes.
const PAGE_SPEED = 20;
const SIM_SPEED = 60;
const LOG_LINES = Array.from({ length: 12000 }, (_, i) =>
  `[${String(i).padStart(5, "0")}] rsync: /usr/lib/lumenos/modules/module-${i}.so copied (${(i * 7919) % 100000} bytes)`);
// How long the page may take to start handling a press (a sanity bound,
// not a measurement: the figures are printed).
const PRESS_SANITY_MS = 2500;

// Counts the log lines of the status answers the page reads and keeps
// the last one, as the service sent them.
const RECORD_LOG_RECEIVED = `(() => {
  window.__logReceived = { count: 0, last: null };
  const json = Response.prototype.json;
  Response.prototype.json = async function () {
    const value = await json.call(this);
    const lines = value && value.log_messages;
    if (this.url.includes("/status?") && Array.isArray(lines) && lines.length > 0) {
      window.__logReceived.count += lines.length;
      window.__logReceived.last = lines.at(-1);
    }
    return value;
  };
})();`;

// Records how long after each press on the image list the page got to it.
const RECORD_LIST_LATENCY = `(() => {
  window.__listLatency = [];
  const list = document.getElementById("images");
  for (const type of ["mousedown", "click"]) {
    list.addEventListener(type, (e) => window.__listLatency.push({ type, ms: performance.now() - e.timeStamp }), true);
  }
})()`;

// The log area as shown, and the count of the log lines received.
const AREA = `({ ...${LOG_AREA}, count: window.__logReceived.count })`;

describe("a long action", () => {
  const scenario = writeRestoreScenario("long-restore", "a restore whose log outgrows the log area",
    { duration_ms: 1200000, status_lines: ["Copying", "Verifying"], log_lines: LOG_LINES });
  const sim = { scenario, timeScale: SIM_SPEED };
  const { session, repair } = useSession({ sim }, async () => {
    await speedUpPageTimers(session.page, PAGE_SPEED);
    await session.page.send("Page.addScriptToEvaluateOnNewDocument", { source: RECORD_LOG_RECEIVED });
    await session.restartSim(sim);
  });

  it("stays responsive, holds still under a reader who scrolled up with the wheel, and back at the end shows its newest line, with the earlier lines counted in the note", async (t) => {
    const { page } = session;
    await repair.waitForMenu();
    await page.evaluate("window.__logReceived = { count: 0, last: null }"); // the scan's lines aside
    await repair.startAction();
    await page.evaluate(RECORD_LIST_LATENCY);
    const shown = await page.evaluate("import('./log_view.js').then((m) => m.VIEW_LINES)");

    // Presses on the image list while the log grows past what the area shows.
    await page.waitForPage("500 log lines", "window.__logReceived.count > 500", { timeout: 60000, interval: 50 });
    for (let i = 0; i < 3; i++) {
      await page.click("images");
      await page.press("Escape");
      await sleep(300);
    }
    await page.waitForPage(`${shown + 100} log lines`, `window.__logReceived.count > ${shown + 100}`,
      { timeout: 90000, interval: 50 });
    const latency = await page.evaluate("window.__listLatency");
    t.diagnostic(`image list presses handled after ${latency.map((l) => `${l.type} ${l.ms.toFixed(1)} ms`).join(", ")}`);
    assert.equal(latency.filter((l) => l.type === "mousedown").length, 3, JSON.stringify(latency));
    for (const l of latency) assert.ok(l.ms < PRESS_SANITY_MS, `a press handled after ${l.ms} ms`);

    // A turn of the wheel up, or a few.
    const still = await repair.scrollLogUp();
    // Every few hundred milliseconds while 5 polls' lines arrive: the same
    // text at the same place, the note counting every line.
    const from = await page.evaluate("window.__logReceived.count");
    const deadline = Date.now() + 90000;
    for (let count = from; count < from + 500; ) {
      assert.ok(Date.now() < deadline, `5 polls' lines while scrolled up: ${count - from} after 90 s`);
      await sleep(300);
      const now = await page.evaluate(AREA);
      assert.deepEqual([now.top, now.text === still.text], [still.top, true], `${now.count - from} lines after scrolling up`);
      const [, earlier, below] = /^(\d+) earlier lines not shown, (\d+) new lines? below$/.exec(now.note) ?? [];
      if (now.count > from) assert.equal(Number(earlier) + shown + Number(below), 1 + now.count, now.note);
      count = now.count;
    }
    await session.keepScreenshot("long-action-scrolled-up");

    await page.wheel("action_log", 100000);
    await page.waitForPage("the area back at its end", `${AREA}.atEnd`);
    // The page's clock stops: the poll under way is the last one.
    await setPageTimerScale(page, 1e-6);
    const received = await page.waitForPage("the last poll handled", `(() => {
      const r = window.__logReceived;
      const stable = r.count === window.__lastCount;
      window.__lastCount = r.count;
      return stable && ${AREA}.lines.at(-1) === r.last && r;
    })()`, { timeout: 30000, interval: 1500 });

    const total = 1 + received.count; // with the restore's own message first
    const area = await page.waitForPage("the area at its end", `((a) => a.atEnd && a)(${AREA})`);
    assert.equal(area.lines.at(-1), received.last);
    assert.equal(area.lines.length, shown);
    assert.equal(area.note, `${total - shown} earlier lines not shown`);
    assert.equal(area.value, area.text, "the area shows its text content");
  });
});
