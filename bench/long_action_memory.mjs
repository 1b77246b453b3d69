// The longest action in the real program: a restore followed for all of
// its 5000 status polls, each bringing 100 new log lines (500 000 in all),
// answered by a scripted service on 127.0.0.1:8080 (the page's address).
// Prints, at about 1 000, 100 000, 250 000 and 500 000 lines (a fifth, a
// half and the end of the action):
// - main-thread work per poll over a few polls at the page's own pace (one
//   every 2 s): the renderer main thread's CPU time, and CDP
//   Performance.getMetrics' TaskDuration and its layout share (wall time:
//   it grows with the load of the machine), and the longest task over
//   50 ms that the page's Long Tasks API reports meanwhile (wall time too);
// - the same over polls of 100 new short lines (7 code units, as counters
//   and progress marks print them) instead;
// - the log update itself: a batch of 100 new lines through the page's own
//   log module, alone and with the next frame;
// - the whole process tree's proportional set size and the page's JS heap,
//   after a garbage collection;
// and the bytes per log line between the first and the last point. At the
// second point, the log area scrolled up by a turn of the wheel: whether
// its text and scroll position stay the same after each of a few polls.

//
//   cd tests && flock /tmp/port8080.lock node ../bench/long_action_memory.mjs [speed] [polls] [varied]
//
// Between the points the page's timers run `speed` times faster (default
// 100), so that the action takes minutes instead of 2 h 47 min. A shorter
// action of `polls` polls (default 5000) is for trying the bench out.
// With `varied`, the long lines are ones of varied numbers, as progress
// output prints them (the most distinct short strings a log holds).

import { setPageTimerScale, speedUpPageTimers } from "../tests/e2e/harness/page_timers.mjs";
import { RepairPage } from "../tests/e2e/harness/repair_page.mjs";
import { LOG_AREA } from "../tests/log_area.mjs";
import { processStat } from "../tests/e2e/harness/process_group.mjs";
import { rendererPids } from "../tests/e2e/harness/renderer.mjs";
import { Session } from "../tests/e2e/harness/session.mjs";
import { Fatal, sleep, waitFor } from "../tests/wait.mjs";
import { machineLoad, pssMiB } from "./figures.mjs";
import { logLine, shortLine, variedLine } from "./log_lines.mjs";
import { scanAndRestore, startScriptedService } from "./scripted_service.mjs";

const SPEED = Number(process.argv[2] || 100);
const POLLS = Number(process.argv[3] || 5000);
const longLine = process.argv[4] === "varied" ? variedLine : logLine;
const LINES_PER_POLL = 100;
const TOTAL_LINES = POLLS * LINES_PER_POLL;
// Measurement points: the poll after which the page slows down to its own
// pace for MEASURED_POLLS polls.
const MEASURED_POLLS = 10;
const POINTS = [4, POLLS / 5, POLLS / 2, POLLS - 3 * MEASURED_POLLS - 3];
const REQUEST = "R-long";

// ------------------------------------------------------- scripted service

async function startService() {
  // While `short`, the new lines are short ones.
  const service = { polls: 0, short: false };
  service.server = await startScriptedService({
    ...scanAndRestore(REQUEST),
    status: (params) => {
      service.polls += 1;
      const start = Number(params.get("start"));
      const end = Math.min(start + Number(params.get("max")), TOTAL_LINES);
      const done = end >= TOTAL_LINES;
      return {
        status: 200, message: "status",
        status_list: { [REQUEST]: done ? [200, "done", "Restore finished"] : [102, "running", `Copying ${end} of ${TOTAL_LINES}`] },
        log_messages: Array.from({ length: Math.max(0, end - start) }, (_, k) => (service.short ? shortLine : longLine)(start + k)),
      };
    },
  });
  return service;
}

// ------------------------------------------------------------ measuring

// A 100-line batch of new lines through the page's log module: the call
// alone and with the next frame, medians of 5, in ms.
const TIME_LOG_UPDATE = `(async () => {
  const { updateLogOutput } = await import("./log_view.js");
  const frame = () => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0)));
  const call = [];
  const withFrame = [];
  for (let b = 0; b < 5; b++) {
    const batch = Array.from({ length: 100 }, (_, k) => "probe " + performance.now() + " " + k + " of the log update at this size");
    await frame();
    const t0 = performance.now();
    updateLogOutput(batch);
    const t1 = performance.now();
    await frame();
    call.push(t1 - t0);
    withFrame.push(performance.now() - t0);
  }
  const median = (a) => a.sort((x, y) => x - y)[2];
  return { call: median(call), withFrame: median(withFrame) };
})()`;

const PAGE_STATE = `(() => {
  const shown = document.getElementById("action_log").textContent.split("\\n").length - 1;
  const note = document.getElementById("action_log_note").textContent;
  const count = (what) => Number((new RegExp("(\\\\d+) " + what).exec(note) || [0, 0])[1]);
  return { lines: shown + count("earlier") + count("new"), shown, note, msg: document.getElementById("action_msg").textContent };
})()`;

// CPU time in ms of the renderer's main thread (its thread id is its
// process id): unlike TaskDuration, it does not count the time that other
// work on the machine takes the core away.
function rendererMainThreadCpuMs(app) {
  const [renderer] = rendererPids(app);
  return processStat(`${renderer}/task/${renderer}`).cpuMs;
}

async function metrics(page) {
  const { metrics: list } = await page.send("Performance.getMetrics");
  return Object.fromEntries(list.map((m) => [m.name, m.value]));
}

const waitForPolls = (service, n) => {
  const from = service.polls;
  return waitFor(`${n} polls`, () => service.polls >= from + n, { timeout: 60000, interval: 20 });
};

// Keeps in window.__longest the longest task over 50 ms since it was last
// set to 0; delivers whether the engine reports such tasks.
const WATCH_LONG_TASKS = `(() => {
  window.__longest = 0;
  new PerformanceObserver((list) => {
    for (const task of list.getEntries()) window.__longest = Math.max(window.__longest, task.duration);
  }).observe({ type: "longtask" });
  return PerformanceObserver.supportedEntryTypes.includes("longtask");
})()`;

// Main-thread work per poll over the next MEASURED_POLLS polls, and the
// longest task meanwhile (0: none over 50 ms).
async function measureWork(app, page, service) {
  const m0 = await metrics(page);
  const cpu0 = rendererMainThreadCpuMs(app);
  await page.evaluate("window.__longest = 0");
  await waitForPolls(service, MEASURED_POLLS);
  const m1 = await metrics(page);
  const cpu1 = rendererMainThreadCpuMs(app);
  const longest = await page.evaluate("window.__longest");
  const perPoll = (name) => ((m1[name] - m0[name]) * 1000) / MEASURED_POLLS;
  return { cpu: (cpu1 - cpu0) / MEASURED_POLLS, task: perPoll("TaskDuration"), layout: perPoll("LayoutDuration"), longest };
}

// Scrolls the log area up by a turn of the wheel (or a few) and compares
// its text and scroll position after each of MEASURED_POLLS polls with the
// first; back at its end after that.
async function scrolledUp(page, service) {
  const repair = new RepairPage(page);
  const still = await repair.scrollLogUp();
  let same = 0;
  let note = "";
  for (let p = 0; p < MEASURED_POLLS; p++) {
    await waitForPolls(service, 1);
    await sleep(300); // the answer handled
    const now = await page.evaluate(LOG_AREA);
    if (now.top === still.top && now.text === still.text) same += 1;
    note = now.note;
  }
  // The line at the top, by its number: the first line shown, plus the
  // share of the text scrolled past (the lines have about one length).
  const top = still.lines[Math.floor((still.lines.length * still.top) / (still.end + 1))];
  await page.wheel("action_log", 1e6);
  const back = await repair.logAreaAtRest();
  return { polls: MEASURED_POLLS, same, top: top.slice(0, 8), scrollTop: still.top, note, backAtEnd: back.atEnd, backNote: back.note };
}

function describeStill({ lines, still: s }) {
  return `scrolled up by the wheel at ${lines} lines (scrollTop ${s.scrollTop}, near line ${s.top}): text and scroll position the same after ` +
    `${s.same} of ${s.polls} polls; note "${s.note}"; back at the end: ${s.backAtEnd ? "following" : "NOT at the end"}, note "${s.backNote}"`;
}

async function measurePoint(app, page, service, { checkStill }) {
  await setPageTimerScale(page, 1);
  // The poll under way ends at the fast pace; the next ones at the slow.
  await waitForPolls(service, 1);
  const work = await measureWork(app, page, service);
  service.short = true;
  await waitForPolls(service, 1);
  const shortWork = await measureWork(app, page, service);
  service.short = false;
  const still = checkStill ? await scrolledUp(page, service) : null;
  const update = await page.evaluate(TIME_LOG_UPDATE);
  await page.send("HeapProfiler.collectGarbage");
  const heap = await page.send("Runtime.getHeapUsage");
  const state = await page.evaluate(PAGE_STATE);
  const pss = pssMiB(app.process.groupPids());
  await setPageTimerScale(page, SPEED);
  return { polls: service.polls, work, shortWork, still, update, heap: heap.usedSize / 2 ** 20, pss, ...state };
}

// ------------------------------------------------------------------ run

const service = await startService();
const session = await Session.start();
const { app, page } = session;
const rows = [];
const t0 = Date.now();
try {
  await page.send("Performance.enable");
  await speedUpPageTimers(page, SPEED);
  await session.load();
  await page.waitForPage("the page's timers sped up", "window.__timeScale !== undefined");
  if (!(await page.evaluate(WATCH_LONG_TASKS))) throw new Error("the engine reports no long tasks");
  const repair = new RepairPage(page);
  await repair.startAction();

  for (const point of POINTS) {
    let last = service.polls;
    let lastChange = Date.now();
    await waitFor(`poll ${point}`, () => {
      if (service.polls !== last) {
        last = service.polls;
        lastChange = Date.now();
        if (last % 500 === 0) console.log(`# ${last} polls after ${((Date.now() - t0) / 1000).toFixed(0)} s`);
      }
      if (Date.now() - lastChange > 60000) throw new Fatal(`the page stopped polling after ${last} polls`);
      return service.polls >= point;
    }, { timeout: 3 * 3600 * 1000, interval: 50 });
    rows.push(await measurePoint(app, page, service, { checkStill: point === POINTS[1] }));
    const r = rows.at(-1);
    console.log(`# ${r.lines} lines: main thread CPU ${r.work.cpu.toFixed(1)} ms per poll, TaskDuration ${r.work.task.toFixed(1)}, ` +
      `short lines ${r.shortWork.cpu.toFixed(1)} and ${r.shortWork.task.toFixed(1)}, update ${r.update.call.toFixed(2)} ms, PSS ${r.pss.toFixed(1)} MiB`);
    if (r.still) console.log(`# ${describeStill(r)}`);
  }
  await repair.waitForResult(120000);
  const end = await page.evaluate(PAGE_STATE);

  const f = (x, w = 8, d = 1) => x.toFixed(d).padStart(w);
  console.log(`${machineLoad()}; ${longLine === variedLine ? "long lines of varied numbers" : "long lines as rsync prints them"}; ` +
    `page timers ${SPEED} times faster between the points; ${service.polls} polls in ${((Date.now() - t0) / 1000).toFixed(0)} s; result: ${end.msg}`);
  console.log("   lines  polls | CPU/poll  task  layout longest (ms) | short: CPU  task longest | update  +frame (ms) | tree PSS  JS heap (MiB) | shown  note");
  for (const r of rows) {
    const longest = (work) => (work.longest ? f(work.longest) : "   < 50");
    console.log(`${String(r.lines).padStart(8)} ${String(r.polls).padStart(6)} |${f(r.work.cpu, 9)}${f(r.work.task, 6)}${f(r.work.layout)}` +
      `${longest(r.work)}      |${f(r.shortWork.cpu, 11)}${f(r.shortWork.task, 6)}${longest(r.shortWork)} |` +
      `${f(r.update.call, 7, 2)}${f(r.update.withFrame, 8, 2)}      |${f(r.pss, 9)}${f(r.heap, 9)}        | ${String(r.shown).padStart(5)}  ${r.note}`);
  }
  for (const r of rows.filter((row) => row.still)) console.log(describeStill(r));
  const first = rows[0];
  const at = (lines) => rows.reduce((best, r) => (Math.abs(r.lines - lines) < Math.abs(best.lines - lines) ? r : best));
  for (const lines of [100000, TOTAL_LINES]) {
    const r = at(lines);
    console.log(`at ${r.lines} lines against ${first.lines}: main-thread CPU per poll ${(r.work.cpu / first.work.cpu).toFixed(2)} times, ` +
      `TaskDuration ${(r.work.task / first.work.task).toFixed(2)} times (goal <= 1.5), ` +
      `short lines: CPU ${(r.shortWork.cpu / first.shortWork.cpu).toFixed(2)} times, TaskDuration ${(r.shortWork.task / first.shortWork.task).toFixed(2)} times (goal <= 1.5), ` +
      `tree PSS +${(r.pss - first.pss).toFixed(1)} MiB (goal <= ${lines === 100000 ? 150 : 400}), log update ${r.update.call.toFixed(2)} ms (goal < 16 at 500 000)`);
  }
  const last = rows.at(-1);
  const perLine = (mib) => ((mib * 2 ** 20) / (last.lines - first.lines)).toFixed(0);
  console.log(`bytes per log line: ${perLine(last.pss - first.pss)} of tree PSS, ${perLine(last.heap - first.heap)} of JS heap`);
} finally {
  await session.stop();
  service.server.close();
}
