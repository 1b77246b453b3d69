// The repair service as a test scripts it: every request to 127.0.0.1:8080
// answered by a per-test handler, with a journal of the requests. Requests
// it hangs or holds are marked in the page, so that its clock runs past them.
// Every request, and every answer not marked off the contract, is checked
// against the service's contract; the breaks are kept in contractBreaks.

import { answerFindings, requestFindings } from "../../service_contract.mjs";
import { waitFor } from "../../wait.mjs";

export const SERVICE = "http://127.0.0.1:8080/lumenos-repair";

// Answer forms a handler returns:
//   { json: value, status?: 200 }     JSON body (value may be null, 5, [] ...)
//   { body: "text", status?, contentType? }
//   { abort: "connectionrefused" }    the service is down
//   { hang: true }                    never answered (the page may abandon it)
export const answer = {
  json: (value, status = 200) => ({ json: value, status }),
  done: (message, extra = {}) => ({ json: { status: 200, message, ...extra } }),
  pending: (uuid, message = "accepted", extra = {}) => ({ json: { status: 102, uuid, message, ...extra } }),
  refused: (message, status = 500, extra = {}) => ({ json: { status, message, ...extra } }),
  // A status answer: entry [code, type, line] for uuid, and the log lines.
  status: (uuid, code, line, logs = [], type = "running") => ({
    json: { status: 200, status_list: { [uuid]: [code, type, line] }, log_messages: logs },
  }),
  down: () => ({ abort: "connectionrefused" }),
  http: (code, json) => ({ status: code, json }),
  text: (body, status = 200) => ({ body, status, contentType: "text/plain" }),
  hang: () => ({ hang: true }),
  // Held until the test calls svc.release(), then answered with a.
  held: (a) => ({ held: a }),
  // An answer that no service keeping the contract gives, for a test of
  // what the page makes of it.
  offContract: (a) => ({ ...a, offContract: true }),
};

export const SCAN_UUID = "scan-0001";

// Two discs with two images each.
export const TWO_DISCS = {
  sda: { disc: "Internal", images: { "lumenos-2.4": { size: 1 }, "lumenos-2.3": { size: 2 } } },
  mmcblk0: { disc: "SDcard", images: { "lumenos-3.0-rc1": {}, "factory": {} } },
};

// Waits (real time) until fn() is true in Node, e.g. until a request came.
export const eventually = (fn, timeout = 5000) =>
  waitFor(String(fn), () => Boolean(fn()), { timeout, interval: 2 });

export class FakeService {
  // handlers: { scan, list, status, restore, repair, "factory-reset", reboot,
  // clear }: each an answer or a function (request, n) => answer, where n
  // counts the requests of that operation from 0.
  constructor(handlers = {}) {
    this.handlers = {
      scan: () => answer.done("Scan finished", { uuid: SCAN_UUID }),
      list: () => answer.done("List ready", { os_list: TWO_DISCS }),
      ...handlers,
    };
    this.requests = [];
    this.unexpected = [];
    this.held = [];
    this.counts = {};
    this.contractBreaks = [];
  }

  set(op, handler) {
    this.handlers[op] = handler;
  }

  // Requests of one operation ("/status" -> "status").
  of(op) {
    return this.requests.filter((r) => r.op === op);
  }

  ops() {
    return this.requests.map((r) => r.op);
  }

  async handle(route) {
    const url = new URL(route.request().url());
    const prefix = "/lumenos-repair/";
    const op = url.pathname.startsWith(prefix) ? url.pathname.slice(prefix.length) : url.pathname;
    const n = this.counts[op] ?? 0;
    this.counts[op] = n + 1;
    const request = { op, path: url.pathname, query: url.search.slice(1), params: Object.fromEntries(url.searchParams),
      method: route.request().method(), url: url.href };
    this.requests.push(request);
    this.contractBreaks.push(...requestFindings(url.pathname, request.query));
    const handler = this.handlers[op];
    if (handler === undefined) {
      this.unexpected.push(request);
      return route.abort("connectionrefused");
    }
    const a = typeof handler === "function" ? handler(request, n) : handler;
    this.checkAnswer(request, a.held ?? a);
    if (a.hang) return markUnanswered(route, true);
    if (a.held) {
      this.held.push([route, a.held]);
      return markUnanswered(route, true);
    }
    return this.answerWith(route, a);
  }

  // Answers the held requests that the page still waits for (one it
  // abandoned is answered into the void).
  async release() {
    const held = this.held.splice(0);
    for (const [route, a] of held) {
      await markUnanswered(route, false);
      await this.answerWith(route, a).catch(() => {});
    }
  }

  checkAnswer(request, a) {
    if (a.offContract || a.abort || a.hang) return;
    const answered = "json" in a ? { json: a.json } : { body: a.body };
    this.contractBreaks.push(...answerFindings(request.path, request.params, { httpStatus: a.status ?? 200, ...answered }));
  }

  answerWith(route, a) {
    if (a.abort) return route.abort(a.abort);
    const json = "json" in a;
    const contentType = json ? "application/json" : (a.contentType ?? "application/json");
    return route.fulfill({ status: a.status ?? 200, contentType, body: json ? JSON.stringify(a.json) : a.body });
  }
}

// Tells the page that the service leaves a request unanswered (or, false,
// answers it now).
async function markUnanswered(route, hung) {
  const url = route.request().url();
  try {
    await route.request().frame().evaluate(([u, h]) => window.__net && window.__net.mark(u, h), [url, hung]);
  } catch {
    // The page is gone.
  }
}

