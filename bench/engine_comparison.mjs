// Start-up, memory and serving of lumenos-repair-app against the bare
// engine (bench/bare_engine), in one run on one virtual display. Prints
// figures and ratios; asserts nothing.
//
//   cd tests && node ../bench/engine_comparison.mjs [runs]
//
// Start-up: from exec to the first contentful paint of the start page (the
// scanning overlay), alternating the two programs. Memory: proportional set
// size of the whole process tree once the page has painted. Serving: the
// page with all its files through client:// against file:// in the same
// program.

import { readFileSync } from "node:fs";
import path from "node:path";
import { PageSession, pageTargets } from "../tests/e2e/harness/cdp.mjs";
import { VirtualDisplay } from "../tests/e2e/harness/display.mjs";
import { buildDir, repoRoot } from "../tests/e2e/harness/paths.mjs";
import { freePort } from "../tests/e2e/harness/ports.mjs";
import { ProcessGroup } from "../tests/e2e/harness/process_group.mjs";
import { waitFor } from "../tests/e2e/harness/wait.mjs";

const runs = Number(process.argv[2] || 10);
const binary = (name) => path.join(buildDir, "bin", name);
const fileUrl = "file://" + path.join(repoRoot, "web", "index.html");

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const mid = sorted.length >> 1;
  return sorted.length % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
};
const spread = (values) => Math.max(...values) - Math.min(...values);

// Proportional set size in KiB of pid and all its descendants.
function treePss(pids) {
  let total = 0;
  for (const pid of pids) {
    try {
      const rollup = readFileSync(`/proc/${pid}/smaps_rollup`, "utf8");
      total += Number(/^Pss:\s+(\d+)/m.exec(rollup)[1]);
    } catch {
      // The process ended meanwhile.
    }
  }
  return total;
}

async function connect(port) {
  const target = await waitFor("a DevTools page target", async () => {
    const targets = await pageTargets(port).catch(() => []);
    return targets[0] || null;
  }, { timeout: 30000, interval: 50 });
  return PageSession.connect(target.webSocketDebuggerUrl);
}

// The epoch time of the page's first contentful paint.
async function firstPaint(page) {
  return waitFor("the first contentful paint", async () => {
    return page.evaluate(`(() => {
      const paint = performance.getEntriesByName("first-contentful-paint")[0];
      return paint ? performance.timeOrigin + paint.startTime : null;
    })()`);
  }, { timeout: 30000, interval: 50 });
}

async function startOnce(display, which) {
  const port = await freePort();
  const env = { ...display.env };
  let command, args;
  if (which === "app") {
    command = binary("lumenos-repair-app");
    args = ["--no-sandbox", `--remote-debugging-port=${port}`];
  } else {
    command = binary("bare_engine");
    args = [fileUrl];
    env.QTWEBENGINE_CHROMIUM_FLAGS = `--no-sandbox --remote-debugging-port=${port}`;
  }
  const started = Date.now();
  const program = new ProcessGroup(which, command, args, { env });
  try {
    const page = await connect(port);
    const painted = await firstPaint(page);
    const pss = treePss(program.groupPids());
    page.close();
    return { startup: painted - started, pss };
  } finally {
    await program.stop();
  }
}

// Milliseconds from navigation start to the end of the last resource.
async function loadTime(page, url) {
  await page.send("Page.navigate", { url });
  return waitFor(`${url} to load`, async () => {
    return page.evaluate(`(() => {
      if (location.href !== ${JSON.stringify(url)} || document.readyState !== "complete") return null;
      const ends = performance.getEntries().map((e) => e.responseEnd || 0);
      return Math.max(...ends);
    })()`);
  }, { timeout: 20000, interval: 20 });
}

async function serving(display) {
  const port = await freePort();
  const app = new ProcessGroup("app", binary("lumenos-repair-app"),
    ["--no-sandbox", `--remote-debugging-port=${port}`], { env: display.env });
  try {
    const page = await connect(port);
    const times = { client: [], file: [] };
    for (let i = 0; i < runs * 2; i++) {
      times.client.push(await loadTime(page, "client://web/index.html"));
      times.file.push(await loadTime(page, fileUrl));
    }
    page.close();
    return times;
  } finally {
    await app.stop();
  }
}

const display = await VirtualDisplay.start();
try {
  const results = { app: [], bare: [] };
  for (let i = 0; i < runs; i++) {
    results.app.push(await startOnce(display, "app"));
    results.bare.push(await startOnce(display, "bare"));
  }
  const row = (name, values, unit) =>
    `${name.padEnd(28)} median ${median(values).toFixed(1)} ${unit}, spread ${spread(values).toFixed(1)} ${unit}`;
  const startApp = results.app.map((r) => r.startup);
  const startBare = results.bare.map((r) => r.startup);
  const pssApp = results.app.map((r) => r.pss / 1024);
  const pssBare = results.bare.map((r) => r.pss / 1024);
  console.log(`runs: ${runs} each, alternating`);
  console.log(row("start-up lumenos-repair-app", startApp, "ms"));
  console.log(row("start-up bare engine", startBare, "ms"));
  console.log(`start-up ratio (goal <= 1.05): ${(median(startApp) / median(startBare)).toFixed(3)}`);
  console.log(row("PSS lumenos-repair-app", pssApp, "MiB"));
  console.log(row("PSS bare engine", pssBare, "MiB"));
  console.log(`memory ratio (goal <= 1.05): ${(median(pssApp) / median(pssBare)).toFixed(3)}`);

  const times = await serving(display);
  console.log(row("page load client://", times.client, "ms"));
  console.log(row("page load file://", times.file, "ms"));
  console.log(`serving ratio (goal <= 1.1): ${(median(times.client) / median(times.file)).toFixed(3)}`);
} finally {
  await display.stop();
}
