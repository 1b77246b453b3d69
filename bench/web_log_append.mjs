// Benchmark of the log (updateLogOutput in web/log_view.js, the log in
// web/action_log.js) in headless Chromium: appends batches of 100 lines by
// the log rule to logs of 1 000, 10 000, 100 000 and 500 000 lines and
// prints milliseconds per batch. Goal: under 16 ms (one frame) at 500 000
// lines, and batches of short lines as fast at every size.
//
//   cd tests && npm ci && node ../bench/web_log_append.mjs [batches] [varied]
//
// "call" is the time of updateLogOutput itself; "with next frame" adds the
// layout and paint of the next frame (the log area is on screen); "nothing
// appended" is the rule alone, on a batch of repeated lines and pieces of
// lines. Each batch has 90 new lines and 10 lines that stand in the log
// already, as a poll that repeats some lines brings. "short" is a batch of
// 100 new lines of 7 code units (a counter in letters the log never holds).
// With `varied`, the long lines are ones of varied numbers.

import { answer, FakeService, setup, UI } from "../tests/web/harness/browser.mjs";
import { machineLoad } from "./figures.mjs";
import { logLine, shortLine, variedLine } from "./log_lines.mjs";

console.log(machineLoad());

const SIZES = [1000, 10000, 100000, 500000];
const BATCHES = Number(process.argv[2] || 20);
const longLine = process.argv[3] === "varied" ? variedLine : logLine;

const env = await setup();
const results = [];
try {
  for (const size of SIZES) {
    const ui = await UI.open(env, new FakeService({ scan: answer.hang() }), { clock: false });
    const r = await ui.page.evaluate(
      async ({ size, batches, sources }) => {
        const [line, shortLine] = sources.map((src) => new Function("return " + src)());
        const { updateLogOutput } = await import("/log_view.js");
        document.getElementById("loading_id").remove();
        document.getElementById("action_ui").style.display = "block";
        for (let i = 0; i < size; i += 1000) updateLogOutput(Array.from({ length: 1000 }, (_, k) => line(i + k)));
        const frame = () => new Promise((res) => requestAnimationFrame(() => setTimeout(res, 0)));
        await frame();
        // Milliseconds of one updateLogOutput call.
        const time = (batch) => {
          const t0 = performance.now();
          updateLogOutput(batch);
          return performance.now() - t0;
        };
        let next = size;
        const call = [];
        const withFrame = [];
        for (let b = 0; b < batches; b++) {
          const batch = [];
          for (let k = 0; k < 90; k++) batch.push(line(next++));
          for (let k = 0; k < 10; k++) batch.push(line(Math.floor((k * size) / 10)));
          const t0 = performance.now();
          call.push(time(batch));
          await frame();
          withFrame.push(performance.now() - t0);
        }
        const short = [];
        for (let b = 0; b < batches; b++) {
          const batch = Array.from({ length: 100 }, (_, k) => shortLine(b * 100 + k));
          short.push(time(batch));
        }
        // The rule alone: a batch whose 100 lines all stand in the log
        // already (repeats and pieces of lines), so nothing is appended.
        const skipOnly = [];
        for (let b = 0; b < batches; b++) {
          const batch = [];
          for (let k = 0; k < 50; k++) batch.push(line(Math.floor(((b * 50 + k) * 7919) % next)));
          for (let k = 0; k < 50; k++) batch.push(line(Math.floor(((b * 50 + k) * 104729) % next)).slice(3, 60));
          skipOnly.push(time(batch));
        }
        const note = document.getElementById("action_log_note").textContent;
        const shown = document.getElementById("action_log").textContent.split("\n").length - 1;
        const median = (a) => [...a].sort((x, y) => x - y)[Math.floor(a.length / 2)];
        const max = (a) => Math.max(...a);
        return { lines: shown + (parseInt(note, 10) || 0), expected: size + batches * 190,
          callMedian: median(call), callMax: max(call), frameMedian: median(withFrame), frameMax: max(withFrame),
          skipMedian: median(skipOnly), shortMedian: median(short) };
      },
      { size, batches: BATCHES, sources: [longLine, shortLine].map(String) },
    );
    await ui.close();
    if (r.lines !== r.expected) throw new Error(`log has ${r.lines} lines, expected ${r.expected}`);
    results.push({ size, ...r });
    console.log(
      `${String(size).padStart(6)} lines: call median ${r.callMedian.toFixed(2)} ms (max ${r.callMax.toFixed(2)}),` +
        ` with next frame median ${r.frameMedian.toFixed(2)} ms (max ${r.frameMax.toFixed(2)}) per 100-line batch;` +
        ` short: ${r.shortMedian.toFixed(2)} ms; a batch of lines all in the log already (nothing appended): ${r.skipMedian.toFixed(2)} ms`,
    );
  }
} finally {
  await env.teardown();
}
const last = results[results.length - 1];
console.log(`short lines at ${last.size} lines against ${results[0].size}: ${(last.shortMedian / results[0].shortMedian).toFixed(2)} times (goal <= 1.5)`);
console.log(
  last.callMedian < 16
    ? `goal met: ${last.callMedian.toFixed(2)} ms per batch at ${last.size} lines (< 16 ms)`
    : `goal missed: ${last.callMedian.toFixed(2)} ms per batch at ${last.size} lines (>= 16 ms)`,
);
