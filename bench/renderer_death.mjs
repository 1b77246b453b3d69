// The page's renderer killed (SIGKILL) in the real program, against the
// stand-in service on 127.0.0.1:8080. Prints:
// - the time from the death during a running restore to the action page
//   shown again (heading and menu back; the page's own timing of its
//   first paint), over `runs` runs (default 5): median and spread;
// - over `deaths` deaths (default 20) at random moments of the scan, the
//   open dialog, the running restore and the result shown: the destructive
//   requests sent again after the death (the aim is 0).
// Each death is in a program of its own, so that the crash-loop rule
// (three deaths within a minute) never applies.
//
//   cd tests && unshare -n sh -c 'ip link set lo up; node ../bench/renderer_death.mjs [runs] [deaths]'

import { VirtualDisplay } from "../tests/e2e/harness/display.mjs";
import { ACTION_PAGE_BACK, killRenderer, pageAgain } from "../tests/e2e/harness/renderer.mjs";
import { RepairApp } from "../tests/e2e/harness/repair_app.mjs";
import { RepairPage } from "../tests/e2e/harness/repair_page.mjs";
import { RepairSim } from "../tests/e2e/harness/repair_sim.mjs";
import { destructive, sleep, START_PAGE_READY } from "../tests/e2e/harness/session.mjs";
import { median, spread } from "./figures.mjs";

const RUNS = Number(process.argv[2] || 5);
const DEATHS = Number(process.argv[3] ?? 20);
const PHASES = ["scan", "dialog", "running", "result"];
const PAGE_BACK = `${START_PAGE_READY} && (
  !!document.getElementById('loading_id') || document.getElementById('images').options.length > 1)`;

// In the page shown again: when its load started, when the action page was
// in the document (it is shown in a DOMContentLoaded listener), and when it
// was painted: the first paint, or, when that came earlier, one frame after
// it was in the document.
const SHOWN_AT = `(async () => {
  const origin = performance.timeOrigin;
  const navigation = performance.getEntriesByType("navigation")[0];
  const inDocument = origin + navigation.domContentLoadedEventEnd;
  const paint = await new Promise((resolve) => {
    new PerformanceObserver((list, observer) => {
      const first = list.getEntries().find((p) => p.name === "first-paint");
      if (!first) return;
      observer.disconnect();
      resolve(first);
    }).observe({ type: "paint", buffered: true });
  });
  let painted = origin + paint.startTime;
  if (painted < inDocument) painted = inDocument + 1000 / 60;
  return { started: origin, inDocument, painted };
})()`;

// Runs the program up to `phase`; delivers { app, repair }.
async function reach(display, phase) {
  const app = await RepairApp.start(display);
  const repair = new RepairPage(await app.connect());
  if (phase === "scan") return { app, repair };
  await repair.choose(1, "restore");
  await repair.proceed();
  if (phase === "dialog") return { app, repair };
  await repair.answer(true);
  if (phase === "result") await repair.waitForResult(60000);
  return { app, repair };
}

async function timeToComeBack(display) {
  const times = [];
  for (let run = 0; run < RUNS; run++) {
    await sim.reset();
    const { app, repair } = await reach(display, "running");
    try {
      await repair.page.waitForPage("a log line", "document.getElementById('action_log').textContent.split('\\n').length > 2",
        { timeout: 20000 });
      const killedAt = Date.now();
      await killRenderer(app);
      const page = await pageAgain(app, ACTION_PAGE_BACK, 30000);
      // Wall-clock times in the page, the same clock as Date.now() here.
      const shown = await page.evaluate(SHOWN_AT);
      times.push(shown.painted - killedAt);
      console.log(`  run ${run + 1}: ${times.at(-1).toFixed(0)} ms` +
        ` (page loading from ${(shown.started - killedAt).toFixed(0)} ms, action page in the document at ${(shown.inDocument - killedAt).toFixed(0)} ms)`);
    } finally {
      await app.stop();
    }
  }
  return times;
}

async function randomDeaths(display) {
  let repeated = 0;
  const perPhase = Object.fromEntries(PHASES.map((phase) => [phase, 0]));
  for (let death = 0; death < DEATHS; death++) {
    const phase = PHASES[death % PHASES.length];
    await sim.reset();
    const { app } = await reach(display, phase);
    try {
      const waitedMs = Math.round(Math.random() * (phase === "running" ? 6000 : 1500));
      await sleep(waitedMs);
      await killRenderer(app);
      await pageAgain(app, `(${PAGE_BACK}) || (${ACTION_PAGE_BACK})`, 30000);
      await sleep(5000); // a few polls of the page shown again
      // The one restore that Yes sent, if the death came after it.
      const sent = destructive(await sim.journal()).length;
      const confirmed = phase === "running" || phase === "result" ? 1 : 0;
      repeated += Math.max(0, sent - confirmed);
      perPhase[phase] += 1;
      console.log(`  death ${death + 1} (${phase}, ${waitedMs} ms in): ${sent} destructive requests in all`);
    } finally {
      await app.stop();
    }
  }
  return { repeated, perPhase };
}

const display = await VirtualDisplay.start();
const sim = await RepairSim.start({ scenario: "default", timeScale: 1 });
try {
  console.log(`time from the renderer's death during a restore to the action page shown again (${RUNS} runs):`);
  const times = await timeToComeBack(display);
  console.log(`  median ${median(times).toFixed(0)} ms, spread ${spread(times).toFixed(0)} ms`);
  console.log(`destructive requests sent again over ${DEATHS} deaths at random moments:`);
  const { repeated, perPhase } = await randomDeaths(display);
  console.log(`  ${repeated} repeated (deaths: ${PHASES.map((p) => `${perPhase[p]} ${p}`).join(", ")})`);
} finally {
  await sim.stop();
  await display.stop();
}
