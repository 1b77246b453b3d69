// Memory over a long action: a restore followed for 5000 status polls
// (2 h 46 min of the page's time) in headless Chromium, answered by the real
// stand-in. Prints the page's JS heap after a forced GC, the renderer's
// memory and the log area's line count at the start and at the end.
//
//   cd tests && node ../bench/long_action_memory.mjs [polls] [time-scale]
//
// The stand-in runs on a free port; the page's requests to 127.0.0.1:8080
// are routed to it. Its clock runs `time-scale` times faster than real time
// (default 200), the page's is the fake clock, advanced 50 polls at a time
// and then held until the stand-in's time has got there too, so both go at
// about the same pace and the log grows as it would over the two hours.

import { spawn } from "node:child_process";
import { readFileSync } from "node:fs";
import os from "node:os";
import path from "node:path";
import { fileURLToPath } from "node:url";
import { setup, UI } from "../tests/web/harness.mjs";

const POLLS = Number(process.argv[2] || 5000);
const SCALE = Number(process.argv[3] || 200);
const POLL_MS = 2000;
const LOG_LINES = 20000;
// Polls run at once before the page waits for the stand-in's time.
const CHUNK = 50;
const RESULT_SHOWN = "getComputedStyle(document.getElementById('action_next')).display !== 'none'";

const here = path.dirname(fileURLToPath(import.meta.url));
const repo = path.resolve(here, "..");
const buildDir = path.resolve(repo, "tests", process.env.BUILD_DIR || "../build");

// A restore that the last poll finds finished, with a steadily growing log.
const SCENARIO = {
  name: "long-restore",
  description: "a restore of 2 h 45 min with a log of 20 000 lines",
  operations: {
    scan: { duration_ms: 1000 },
    restore: {
      duration_ms: POLLS * POLL_MS - POLL_MS / 2,
      status_lines: ["Copying system files", "Copying games", "Verifying"],
      log_lines: Array.from({ length: LOG_LINES }, (_, i) =>
        `[${String(i).padStart(5, "0")}] rsync: /usr/lib/lumenos/module-${i}.so copied (${(i * 7919) % 100000} bytes)`),
      final_line: "Restore finished",
    },
  },
};

function startSim() {
  const child = spawn(path.join(buildDir, "bin", "lumenos-repair-sim"),
    ["--port", "0", "--time-scale", String(SCALE)], { stdio: ["ignore", "pipe", "inherit"] });
  return new Promise((resolve, reject) => {
    let out = "";
    child.on("error", reject);
    child.on("exit", (code) => reject(new Error(`lumenos-repair-sim ended with ${code}`)));
    child.stdout.on("data", (d) => {
      out += d;
      const m = out.match(/listening on http:\/\/127\.0\.0\.1:(\d+)/);
      if (m) resolve({ child, origin: `http://127.0.0.1:${m[1]}` });
    });
  });
}

// Forwards the page's requests to the stand-in; counts the status polls.
class SimProxy {
  constructor(origin) {
    this.origin = origin;
    this.requests = [];
  }

  async handle(route) {
    const url = new URL(route.request().url());
    this.requests.push(url.pathname);
    await route.continue({ url: this.origin + url.pathname + url.search });
  }

  polls() {
    return this.requests.filter((p) => p.endsWith("/status")).length;
  }
}

// Proportional and resident set size of the renderer processes, in MiB.
async function rendererMemory(browser) {
  const cdp = await browser.newBrowserCDPSession();
  const { processInfo } = await cdp.send("SystemInfo.getProcessInfo");
  await cdp.detach();
  let pss = 0;
  let rss = 0;
  for (const p of processInfo.filter((p) => p.type === "renderer")) {
    const rollup = readFileSync(`/proc/${p.id}/smaps_rollup`, "utf8");
    pss += Number(rollup.match(/^Pss:\s+(\d+)/m)[1]);
    rss += Number(rollup.match(/^Rss:\s+(\d+)/m)[1]);
  }
  return { pss: pss / 1024, rss: rss / 1024 };
}

async function measure(env, ui, cdp) {
  await cdp.send("HeapProfiler.collectGarbage");
  const heap = await cdp.send("Runtime.getHeapUsage");
  const page = await ui.page.evaluate(() => {
    const log = document.getElementById("action_log").textContent;
    return {
      lines: log === "" ? 0 : log.split("\n").length - 1,
      chars: log.length,
      nodes: document.getElementsByTagName("*").length,
      msg: document.getElementById("action_msg").textContent,
    };
  });
  return { heapUsed: heap.usedSize / 2 ** 20, heapTotal: heap.totalSize / 2 ** 20, ...(await rendererMemory(env.browser)), ...page };
}

const mib = (x) => x.toFixed(1).padStart(8);

const sim = await startSim();
const env = await setup();
try {
  const load = await fetch(sim.origin + "/_sim/scenario", { method: "POST", body: JSON.stringify(SCENARIO) });
  if (!load.ok) throw new Error(`the stand-in refused the scenario: ${await load.text()}`);
  const proxy = new SimProxy(sim.origin);
  const ui = await UI.open(env, proxy);
  const cdp = await ui.context.newCDPSession(ui.page);
  await ui.ready();
  await ui.start(1, "restore");
  await ui.dialogGone();
  await ui.idle();
  const start = await measure(env, ui, cdp);
  const pollsBefore = proxy.polls();
  const sentBefore = await ui.page.evaluate(() => window.__net.sent);

  const t0 = Date.now();
  let behind = 0;
  for (let target = CHUNK; ; target += CHUNK) {
    const until = `window.__net.sent >= ${sentBefore + Math.min(target, POLLS)} || ${RESULT_SHOWN}`;
    const r = await ui.runUntil(until, { step: POLL_MS, max: 10 * CHUNK, stallMs: 30000 });
    if (!r.ok) throw new Error(`the page stopped after ${proxy.polls()} polls: ${r.reason}`);
    if ((await ui.visible("#action_next")) || target >= POLLS) break;
    // The stand-in's time must reach the page's before the page goes on.
    const wait = t0 + (target * POLL_MS) / SCALE - Date.now();
    if (wait > 0) await new Promise((res) => setTimeout(res, wait));
    else behind += 1;
    if (target % 1000 === 0) console.log(`# ${target} polls, ${((Date.now() - t0) / 1000).toFixed(1)} s`);
  }
  const seconds = (Date.now() - t0) / 1000;
  const end = await measure(env, ui, cdp);

  console.log(`load average ${os.loadavg().map((l) => l.toFixed(2)).join(" ")} on ${os.cpus().length} cores; ` +
    `stand-in time scale ${SCALE}`);
  console.log(`${proxy.polls() - pollsBefore} status polls (${(((proxy.polls() - pollsBefore) * POLL_MS) / 3600000).toFixed(2)} h of page time) ` +
    `in ${seconds.toFixed(1)} s; the page behind the stand-in's time after ${behind} of ${Math.ceil(POLLS / CHUNK)} stretches; result: ${end.msg}`);
  console.log("          JS heap used  JS heap total  renderer PSS  renderer RSS  log lines  log chars  elements");
  for (const [name, m] of [["start", start], ["end", end]]) {
    console.log(`${name.padEnd(8)}${mib(m.heapUsed)} MiB  ${mib(m.heapTotal)} MiB  ${mib(m.pss)} MiB  ${mib(m.rss)} MiB` +
      `  ${String(m.lines).padStart(9)}  ${String(m.chars).padStart(9)}  ${String(m.nodes).padStart(8)}`);
  }
  console.log(`ratio end/start: JS heap ${(end.heapUsed / start.heapUsed).toFixed(2)}, renderer PSS ${(end.pss / start.pss).toFixed(2)}`);
  await ui.close();
} finally {
  await env.teardown();
  sim.child.removeAllListeners("exit");
  sim.child.kill("SIGTERM");
}
