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

import path from "node:path";
import { PageSession, pageTargets } from "../tests/e2e/harness/cdp.mjs";
import { VirtualDisplay } from "../tests/e2e/harness/display.mjs";
import { appBinary, buildDir, repoRoot } from "../tests/e2e/harness/paths.mjs";
import { freePort } from "../tests/e2e/harness/ports.mjs";
import { ProcessGroup } from "../tests/e2e/harness/process_group.mjs";
import { RepairApp, START_URL } from "../tests/e2e/harness/repair_app.mjs";
import { waitFor } from "../tests/wait.mjs";
import { median, pssMiB, spread } from "./figures.mjs";

const runs = Number(process.argv[2] || 10);
const fileUrl = "file://" + path.join(repoRoot, "web", "index.html");

// A DevTools session on the first page of the program that listens on port.
async function connect(port) {
  const target = await waitFor("a DevTools page target",
    async () => (await pageTargets(port).catch(() => []))[0], { timeout: 30000, interval: 50 });
  return PageSession.connect(target.webSocketDebuggerUrl);
}

// The epoch time of the page's first contentful paint.
async function firstPaint(page) {
  return waitFor("the first contentful paint", () => page.evaluate(`(() => {
    const paint = performance.getEntriesByName("first-contentful-paint")[0];
    return paint ? performance.timeOrigin + paint.startTime : null;
  })()`), { timeout: 30000, interval: 50 });
}

async function startOnce(display, which) {
  const port = await freePort();
  const debugging = `--no-sandbox --remote-debugging-port=${port}`;
  const [command, args, env] = which === "app"
    ? [appBinary(), debugging.split(" "), display.env]
    : [path.join(buildDir, "bin", "bare_engine"), [fileUrl],
      { ...display.env, QTWEBENGINE_CHROMIUM_FLAGS: debugging }];
  const started = Date.now();
  const program = new ProcessGroup(which, command, args, { env });
  try {
    const page = await connect(port);
    const painted = await firstPaint(page);
    const pss = pssMiB(program.groupPids());
    page.close();
    return { startup: painted - started, pss };
  } finally {
    await program.stop();
  }
}

// Milliseconds from navigation start to the end of the last resource.
async function loadTime(page, url) {
  await page.send("Page.navigate", { url });
  return waitFor(`${url} to load`, () => page.evaluate(`(() => {
    if (location.href !== ${JSON.stringify(url)} || document.readyState !== "complete") return null;
    return Math.max(...performance.getEntries().map((e) => e.responseEnd || 0));
  })()`), { timeout: 20000, interval: 20 });
}

async function serving(display) {
  const app = await RepairApp.start(display);
  try {
    const page = await app.connect();
    const times = { client: [], file: [] };
    for (let i = 0; i < runs * 2; i++) {
      times.client.push(await loadTime(page, START_URL));
      times.file.push(await loadTime(page, fileUrl));
    }
    return times;
  } finally {
    await app.stop();
  }
}

// A row of figures for each of two sets, and the ratio of their medians.
function compare(ratio, goal, unit, ...sets) {
  for (const [name, values] of sets) {
    const figure = (f) => `${f(values).toFixed(1)} ${unit}`;
    console.log(`${name.padEnd(28)} median ${figure(median)}, spread ${figure(spread)}`);
  }
  const [[, a], [, b]] = sets;
  console.log(`${ratio} ratio (goal <= ${goal}): ${(median(a) / median(b)).toFixed(3)}`);
}

const display = await VirtualDisplay.start();
try {
  const results = { app: [], bare: [] };
  for (let i = 0; i < runs; i++) {
    for (const which of ["app", "bare"]) results[which].push(await startOnce(display, which));
  }
  const of = (which, figure) => results[which].map((r) => r[figure]);
  console.log(`runs: ${runs} each, alternating`);
  compare("start-up", 1.05, "ms",
    ["start-up lumenos-repair-app", of("app", "startup")], ["start-up bare engine", of("bare", "startup")]);
  compare("memory", 1.05, "MiB",
    ["PSS lumenos-repair-app", of("app", "pss")], ["PSS bare engine", of("bare", "pss")]);
  const times = await serving(display);
  compare("serving", 1.1, "ms", ["page load client://", times.client], ["page load file://", times.file]);
} finally {
  await display.stop();
}
