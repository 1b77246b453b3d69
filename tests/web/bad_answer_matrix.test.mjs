// Every service operation against every kind of bad answer. In each cell the
// page throws nothing (no uncaught exception, no unhandled rejection, no
// exception caught by its last-resort guards) and sends no request naming an
// id the service never gave; a bad poll is ignored and the next one follows,
// a bad answer to a request ends in a visible failure with a clear text, a
// slow answer is waited for up to the request's bound, and a request that
// gets no answer is abandoned at its bound and never sent again (an action's
// request then ends as not confirmed, not as failed), but for the scan,
// which is sent again until the service is there. The notice of a silent
// service is gone at the end of every cell. The matrix is printed once all
// cells ran.

import { test, describe, after } from "node:test";
import assert from "node:assert/strict";
import {
  answer, browserForFile, eventually, FakeService, RESULT_SHOWN, SCAN_UUID, TWO_DISCS, UI,
} from "./harness/browser.mjs";
import { FIRST_PAGE } from "../page_reading.mjs";
import { ANSWER_BOUNDS_MS } from "../../web/system_proxy.js";

const R = "R-matrix"; // uuid of the action request
const HOUR = 3_600_000;
const HUGE = 100_000;
const FAILED_HTML = "<h1>Failed: </h1><p>Restart application</p>";

const without = (json, key) => Object.fromEntries(Object.entries(json).filter(([k]) => k !== key));
// A status answer's entries replaced, for every uuid in it.
const mapEntries = (json, fn) =>
  ({ ...json, status_list: Object.fromEntries(Object.entries(json.status_list).map(([u, entry]) => [u, fn(entry)])) });

const hugeBatch = (start) => Array.from({ length: HUGE }, (_, i) => `log line ${Number(start) + i}`);

const WITH_UUID = ["scan", "restore", "factory-reset", "repair", "reboot"];
const STATUS = ["status"];

// Each fault turns the good answer `good` to request `req` into a bad one.
// times: how many of the faulted requests get it (status polls: the first);
// offContract: no service keeping the contract gives it.
const FAULTS = [
  { name: "service down", unreached: true, make: () => answer.down() },
  { name: "HTTP 404", make: (good) => answer.http(404, good.json) },
  { name: "HTTP 500", make: (good) => answer.http(500, good.json) },
  { name: "empty body", offContract: true, make: () => ({ body: "", status: 200, contentType: "application/json" }) },
  { name: "not JSON", offContract: true,
    make: () => ({ body: "<html><body>Bad gateway</body></html>", status: 200, contentType: "text/html" }) },
  { name: "JSON null", offContract: true, make: () => answer.json(null) },
  { name: "JSON array", offContract: true, make: (good) => answer.json([good.json]) },
  { name: "no status", offContract: true, make: (good) => answer.json(without(good.json, "status")) },
  { name: "no uuid", on: WITH_UUID, offContract: true, make: (good) => answer.json(without(good.json, "uuid")) },
  { name: "no os_list", on: ["list"], offContract: true, make: (good) => answer.json(without(good.json, "os_list")) },
  { name: "no entry", on: STATUS, offContract: true, make: (good) => answer.json({ ...good.json, status_list: {} }) },
  // Read as if it were an array, the entry would look finished.
  { name: "entry not array", on: STATUS, offContract: true,
    make: (good) => answer.json(mapEntries(good.json, ([, type, line]) => ({ 0: 200, code: 200, type, line }))) },
  // A service may leave the lines out whenever it has none, at the end too:
  // the entry is news all the same.
  { name: "no log_messages", on: STATUS, andLast: true,
    make: (good) => answer.json(without(good.json, "log_messages")) },
  { name: "huge log batch", on: STATUS, times: 1, offContract: true,
    make: (good, req) => answer.json({ ...good.json, log_messages: hugeBatch(req.params.start) }) },
  { name: "very slow", times: 1, slow: true, make: (good) => answer.held(good) },
  { name: "no answer", unanswered: true, unreached: true, make: () => answer.hang() },
];

// The request's answer: the fault for the first `times` requests, then
// `later` (the good answer when none is given), itself faulted for andLast.
function faulted(fault, good, later = good) {
  const times = fault.times ?? 3;
  const make = (a, req) => (fault.offContract ? answer.offContract : (x) => x)(fault.make(a, req));
  const last = fault.andLast ? make(later) : later;
  return (req, n) => (n < times ? make(good, req) : last);
}

// Status answers about one uuid; any other uuid is unknown, as at the service.
function statusOf(uuid, handler) {
  const known = typeof handler === "function" ? handler : () => handler;
  return (req, n) => (req.params.uuid === uuid ? known(req, n) : answer.refused("unknown uuid", 404));
}

const SCAN_STARTED = answer.pending(SCAN_UUID, "scan started");
const SCAN_FINISHED = answer.status(SCAN_UUID, 200, "Scan finished");
const ACCEPTED = answer.pending(R, "accepted");
const FINISHED = answer.status(R, 200, "Finished", ["done"]);

const followed = (op) => ({ [op]: ACCEPTED, status: statusOf(R, FINISHED) });

async function startAction(ui, optionId) {
  await ui.ready();
  await ui.start(1, optionId);
}

// Every operation: which request gets the fault, the service around it, how
// the page is brought to send it, and what ends the cell. kind "request": a
// bad answer ends in a failure; kind "poll": the polling goes on.
const SCAN_END = "!document.getElementById('loading_id') || !!document.querySelector('#scan_msg h1')";
const ACTION_END = `${RESULT_SHOWN} || document.getElementById('action_msg').textContent === 'Rebooting..'`;
const CLEAR_END = "['Logs cleaned', 'Clear logs failed'].includes(document.getElementById('action_msg').textContent)";

const scanOp = {
  kind: "request", request: "scan", page: "scan", step: 1000, end: SCAN_END,
  service: (f) => ({ scan: faulted(f, SCAN_STARTED), status: statusOf(SCAN_UUID, SCAN_FINISHED) }),
  drive: async () => {},
};

const actionOp = (request, optionId) => ({
  kind: "request", request, page: "action", step: 2000, end: ACTION_END,
  service: (f) => ({ ...followed(request), [request]: faulted(f, ACCEPTED) }),
  drive: (ui) => startAction(ui, optionId),
});

// The polls of a request that `started` accepted with `uuid`: the fault
// turns `working` for the first of them, `finished` answers the rest.
const pollOp = (base, name, column, started, uuid, working, finished) => ({
  ...base, name, column, kind: "poll", request: "status",
  service: (f) => ({ ...started, status: statusOf(uuid, faulted(f, working, finished)) }),
});

const OPERATIONS = [
  { name: "scan", ...scanOp },
  { ...scanOp, name: "list", request: "list",
    service: (f) => ({ list: faulted(f, answer.done("List ready", { os_list: TWO_DISCS })) }) },
  pollOp(scanOp, "status during scan", "scan poll", { scan: SCAN_STARTED }, SCAN_UUID,
    answer.status(SCAN_UUID, 102, "Checking discs", ["found sda"]), SCAN_FINISHED),
  { name: "restore", ...actionOp("restore", "restore") },
  { name: "factory reset", ...actionOp("factory-reset", "factory-reset") },
  { name: "repair", ...actionOp("repair", "repair") },
  { name: "reboot", ...actionOp("reboot", "reboot") },
  pollOp(actionOp("status", "restore"), "status during action", "action poll", { restore: ACCEPTED }, R,
    answer.status(R, 102, "Writing", ["wrote a block"]), FINISHED),
  {
    name: "clear", kind: "request", request: "clear", page: "clear", step: 1000, end: CLEAR_END,
    service: (f) => ({ ...followed("restore"), clear: faulted(f, answer.done("Logs cleared", { uuid: R })) }),
    drive: async (ui) => {
      await startAction(ui, "restore");
      await ui.untilResult();
      await ui.dialogGone();
      await ui.page.click("#clearlogbtn");
    },
  },
];

const results = new Map(); // "op|fault" -> { text, ok }

// ------------------------------------------------------------------ state

// The action page and the first page as the tests read them, and the log.
async function pageState(ui) {
  const log = await ui.page.evaluate(() => {
    const text = document.getElementById("action_log").textContent;
    return {
      logLines: text === "" ? 0 : text.split("\n").length - 1,
      // The log's lines that the area no longer shows, as its note counts them.
      hiddenLines: Number((document.getElementById("action_log_note").textContent.match(/^\d+/) || ["0"])[0]),
    };
  });
  return { ...(await ui.actionPage()), ...(await ui.page.evaluate(FIRST_PAGE)), ...log };
}

function describeState(s) {
  if (s.overlay) return s.scanHtml === FAILED_HTML ? "Failed: Restart application" : `still scanning: ${s.scanText}`;
  if (s.ui) return s.msg.replace(/ {2}/, " ");
  return `menu ready (${s.menu.length} entries)`;
}

// What the page must show at the end of a cell that went well, per page.
const ENDED_WELL = {
  scan: (s) => assert.equal(describeState(s), "menu ready (5 entries)"),
  action: (s) => {
    assert.match(s.msg, /^SUCCESS {2}\S/);
    assert.equal(s.mark, "pass.png");
  },
  clear: (s) => assert.deepEqual([s.msg, s.logLines], ["Logs cleaned", 0]),
};

// What the page must show after a bad answer to a request.
const FAILED = {
  scan: (s) => {
    assert.equal(s.overlay, true, "the overlay stays");
    assert.equal(s.scanHtml, FAILED_HTML);
    assert.equal(s.indicator, false);
    assert.equal(s.retry, "focused", "\"Try again\" has the focus");
  },
  action: (s) => {
    assert.match(s.msg, /^FAIL: {2}\S/, "a failure line with a text");
    assert.deepEqual([s.mark, s.buttons], ["fail.png", true]);
  },
  clear: (s) => assert.deepEqual([s.msg, s.logLines], ["Clear logs failed", 0]),
};

// What the page must show when an action's own request got no answer: the
// service may have started it, so it is neither a failure nor a success.
function notConfirmed(s) {
  assert.match(s.msg, /^NOT CONFIRMED: {2}The repair service did not answer\. The action may be running/);
  assert.equal(s.mark, "scanning.gif", "neither pass nor fail");
  assert.equal(s.opacity, "0", "the busy indicator is hidden");
  assert.equal(s.buttons, true);
}

// Exceptions that the page's last-resort guards caught and wrote to the
// console (the description of a JS error, e.g. "TypeError: ...").
const internalErrors = (ui) => ui.consoleLines.filter((line) => /^[A-Za-z]*Error\b/.test(line));

// ------------------------------------------------------------------ cells

async function heldUntilSent(ui, op) {
  for (let i = 0; i < 5; i++) {
    try {
      await eventually(() => ui.svc.held.length > 0, 300);
      return;
    } catch {
      await ui.idle();
      // Sent meanwhile: its wait must not be shortened.
      if (ui.svc.held.length > 0) return;
      await ui.advance(op.step);
    }
  }
  assert.fail("the slow request was never sent");
}

// Runs one cell, records its outcome for the matrix and throws when it went
// wrong.
async function runCell(env, op, fault) {
  const outcome = { text: "", ok: false };
  results.set(op.name + "|" + fault.name, outcome);
  const svc = new FakeService(op.service(fault));
  const ui = await UI.open(env, svc, { console: true });
  try {
    let label = "";
    // A scan that does not reach the service is sent again until it does.
    const waitedFor = op.request === "scan" && fault.unreached;
    try {
      await op.drive(ui);
      const faultedBefore = svc.of(op.request).length;
      if (fault.slow) {
        await heldUntilSent(ui, op);
        const sent = svc.requests.length;
        // Within the bound (the request went out up to 20 ms ago).
        const bound = ANSWER_BOUNDS_MS["/" + op.request];
        await ui.advance(bound - 100);
        assert.equal(svc.requests.length, sent, "nothing else is sent while the answer is out");
        const waiting = await pageState(ui);
        assert.doesNotMatch(describeState(waiting), /^(Failed|FAIL|NOT)/, "waiting is no failure");
        label = `waits ${(bound - 100) / 1000} s, then `;
        await svc.release();
      }
      // A huge batch is slow to parse on a loaded machine: the real-time wait for
      // an answer is generous.
      const r = await ui.runUntil(op.end, { step: op.step, max: waitedFor ? 200 : 60, stallMs: 30000 });
      const s = await pageState(ui);
      outcome.text = (waitedFor ? "waited for, then " : label) + describeState(s);
      assert.ok(r.ok, `the page reached no end (${r.reason} after ${r.steps} steps): ${describeState(s)}`);
      if (op.kind === "poll" && !fault.slow) {
        outcome.text = "keeps polling";
        const times = fault.times ?? 3;
        assert.equal(svc.of("status").length - faultedBefore, times + 1, "each bad poll is followed by the next");
        if (fault.name === "huge log batch" && op.page === "action") {
          assert.equal(s.logLines + s.hiddenLines, 1 + HUGE + 1, "accepted, the huge batch and the last line");
          assert.ok(s.hiddenLines > 0, "the area shows the newest lines only");
        }
      }
      if (op.kind === "request" && fault.unanswered && op.page === "action") notConfirmed(s);
      else if (op.kind === "request" && !fault.slow && !waitedFor) FAILED[op.page](s);
      else ENDED_WELL[op.page](s);
      assert.equal(s.notice, "", "no notice of a silent service once the wait is over");
      if (op.kind === "request") {
        await ui.advance(HOUR);
        await ui.idle();
        const sent = waitedFor ? (fault.times ?? 3) + 1 : 1;
        assert.equal(svc.of(op.request).length, sent, "the request is never sent again once answered");
      }
    } catch (e) {
      if (!outcome.text) outcome.text = `error: ${e.message.split("\n")[0]}`;
      throw e;
    } finally {
      const strays = svc.requests.filter((q) => Object.values(q.params).includes("undefined"));
      assert.deepEqual(strays.map((q) => q.url).slice(0, 3), [], "no request names an id the service never gave");
      assert.deepEqual(ui.errors, [], "no uncaught exception or unhandled rejection");
      assert.deepEqual(internalErrors(ui), [], "no exception caught by the page's guards");
    }
    outcome.ok = true;
  } finally {
    await ui.close();
  }
}

// ------------------------------------------------------------------ table


function printMatrix() {
  const width = 22;
  const legend = [];
  const cell = (op, fault) => {
    const r = results.get(op.name + "|" + fault.name);
    if (!r) return "n/a";
    const text = (r.ok ? "" : "✗ ") + r.text;
    if (text.length <= width) return text;
    let n = legend.indexOf(text);
    if (n < 0) n = legend.push(text) - 1;
    const tag = ` [${n + 1}]`;
    return text.slice(0, width - tag.length - 1) + "…" + tag;
  };
  const first = 16;
  const lines = ["fault \\ request".padEnd(first) + OPERATIONS.map((op) => (op.column ?? op.name).padEnd(width)).join(" ")];
  for (const fault of FAULTS) {
    lines.push(fault.name.padEnd(first) + OPERATIONS.map((op) => cell(op, fault).padEnd(width)).join(" "));
  }
  legend.forEach((text, i) => lines.push(`[${i + 1}] ${text}`));
  console.log(lines.join("\n"));
}

// ------------------------------------------------------------------ tests

const env = browserForFile();
after(printMatrix);

for (const op of OPERATIONS) {
  describe(`bad answers to ${op.name}`, { concurrency: 3 }, () => {
    for (const fault of FAULTS.filter((f) => !f.on || f.on.includes(op.request))) {
      test(fault.name, () => runCell(env, op, fault));
    }
  });
}
