// CPU of the whole process tree while the page only waits, in the real
// program on a virtual display against a scripted service on 127.0.0.1:8080:
// the first page idle (scan done, image list shown), and a running action
// whose polls bring no new lines (the busy indicator turning, the log area
// focused), started by keys as on a unit whose controls give keys. In the
// same run, the bare engine (bench/bare_engine) showing only the busy
// indicator, with Qt's default scene graph and with the software one.
// Prints % of one core per process kind, the engine's thread that samples
// gamepads apart; asserts nothing.
//
//   cd tests && flock /tmp/port8080.lock node ../bench/idle_cpu.mjs [seconds]
//
// Each state is measured over `seconds` (default 30) after 5 s of rest.
// The last rows take the running action apart: the log area without the
// focus, then the indicator hidden as well.

import { readdirSync } from "node:fs";
import path from "node:path";
import { VirtualDisplay } from "../tests/e2e/harness/display.mjs";
import { buildDir, repoRoot } from "../tests/e2e/harness/paths.mjs";
import { processStat, ProcessGroup } from "../tests/e2e/harness/process_group.mjs";
import { RepairApp } from "../tests/e2e/harness/repair_app.mjs";
import { RepairPage } from "../tests/e2e/harness/repair_page.mjs";
import { rendererPids } from "../tests/e2e/harness/renderer.mjs";
import { sleep } from "../tests/wait.mjs";
import { machineLoad } from "./figures.mjs";
import { scanAndRestore, startScriptedService } from "./scripted_service.mjs";

const SECONDS = Number(process.argv[2] || 30);
const REST_MS = 5000;

// The engine's thread that samples the gamepads while the page listens.
const PAD_THREAD = "Gamepad polling";

// CPU time of each thread of pids that still runs: "pid/tid" -> { pid, name, cpuMs }.
function cpuTimes(pids) {
  const times = new Map();
  for (const pid of pids) {
    let tids;
    try {
      tids = readdirSync(`/proc/${pid}/task`);
    } catch {
      continue; // ended meanwhile
    }
    for (const tid of tids) {
      const stat = processStat(`${pid}/task/${tid}`);
      if (stat) times.set(`${pid}/${tid}`, { pid, ...stat });
    }
  }
  return times;
}

// % of one core over SECONDS, by kind: kindOf(pid) names it; the pad
// sampling thread is a kind of its own.
async function measure(group, kindOf) {
  await sleep(REST_MS);
  const before = cpuTimes(group.groupPids());
  const t0 = performance.now();
  await sleep(SECONDS * 1000);
  const after = cpuTimes(group.groupPids());
  const seconds = (performance.now() - t0) / 1000;
  const share = { total: 0 };
  for (const [thread, { pid, name, cpuMs }] of after) {
    const percent = ((cpuMs - (before.get(thread)?.cpuMs ?? 0)) / 1000 / seconds) * 100;
    const kind = name === PAD_THREAD ? "pad sampling" : kindOf(pid);
    share[kind] = (share[kind] ?? 0) + percent;
    share.total += percent;
  }
  return share;
}

function print(name, share) {
  const parts = Object.entries(share).filter(([kind]) => kind !== "total").map(([kind, p]) => `${kind} ${p.toFixed(1)}`);
  console.log(`${name.padEnd(50)} ${share.total.toFixed(1).padStart(5)} %  (${parts.join(", ")})`);
}

let polls = 0;
const server = await startScriptedService({
  ...scanAndRestore("R-idle"),
  status: () => {
    polls += 1;
    return { status: 200, message: "status", status_list: { "R-idle": [102, "running", "Copying"] }, log_messages: [] };
  },
});
const display = await VirtualDisplay.start();
try {
  console.log(`${machineLoad()}; ${SECONDS} s per state; % of one core of the whole process tree`);
  for (const [name, env] of [["bare engine, busy indicator only", {}],
    ["  the same, software scene graph", { QT_QUICK_BACKEND: "software" }]]) {
    const bare = new ProcessGroup("bare engine", path.join(buildDir, "bin", "bare_engine"),
      ["file://" + path.join(repoRoot, "bench", "bare_engine", "indicator.html")],
      { env: { ...display.env, QTWEBENGINE_CHROMIUM_FLAGS: "--no-sandbox", ...env } });
    try {
      await sleep(REST_MS);
      bare.checkRunning();
      print(name, await measure(bare, (pid) => (pid === bare.pid ? "browser" : "helpers")));
    } finally {
      await bare.stop();
    }
  }

  const app = await RepairApp.start(display);
  try {
    const page = await app.connect();
    const repair = new RepairPage(page);
    const kindOf = (pid) => (pid === app.pid ? "browser" : rendererPids(app).includes(pid) ? "renderer" : "other");
    await repair.waitForMenu();
    print("first page, idle", await measure(app.process, kindOf));
    await repair.chooseRestoreByKeys();
    await page.press("Enter");
    await repair.waitForDialog();
    await page.press("Enter");
    await page.waitForPage("the log area focused", "document.activeElement.id === 'action_log'");
    const from = polls;
    print("running action by keys, polls without new lines", await measure(app.process, kindOf));
    console.log(`  (${polls - from} polls; the page ${(await repair.actionPageShown()) ? "shows" : "does NOT show"} the action page)`);
    await page.evaluate("document.getElementById('action_log').blur()");
    print("  the same, log area not focused", await measure(app.process, kindOf));
    await page.evaluate("document.getElementById('action_img').style.visibility = 'hidden'");
    print("  the same, and busy indicator hidden", await measure(app.process, kindOf));
  } finally {
    await app.stop();
  }
} finally {
  await display.stop();
  server.close();
}
