// Harness of the web UI test layer.
//
// - serves web/ from a small static HTTP server on an ephemeral port
//   (MIME type by extension, like the native client-scheme server);
// - launches Debian's Chromium once per test file (fresh profile, web
//   security off as in the real program) and opens a new context per test;
// - answers every request to 127.0.0.1:8080 with a route, from a per-test
//   FakeService that also keeps a journal of the requests;
// - installs Playwright's fake clock, paused, with delays clamped as a
//   browser clamps them (setInterval >= 4 ms, setTimeout >= 1 ms), and
//   drives it from inside the page so that 1000 or 5000 polls take no time
//   beyond the requests' own round trips. The clock stands still while a
//   request is out that the service will answer; requests that it hangs or
//   holds are marked in the page, and time runs past them.

import assert from "node:assert/strict";
import http from "node:http";
import { after, afterEach, before } from "node:test";
import fs from "node:fs";
import path from "node:path";
import { fileURLToPath } from "node:url";
import { chromium } from "playwright-core";

const here = path.dirname(fileURLToPath(import.meta.url));
export const WEB_DIR = path.resolve(here, "../../web");
export const SERVICE = "http://127.0.0.1:8080/lumenos-repair";

const MIME = {
  ".html": "text/html",
  ".js": "text/javascript",
  ".css": "text/css",
  ".png": "image/png",
  ".gif": "image/gif",
  ".jpg": "image/jpeg",
};

export const CHROMIUM_ARGS = [
  "--headless",
  "--no-sandbox",
  "--disable-gpu",
  "--disable-quic",
  "--no-first-run",
  "--disable-background-networking",
  "--disable-component-update",
  "--disable-sync",
  "--disable-web-security",
];

// ------------------------------------------------------------ static server

// A blank page beside the real one, for tests of single modules.
const BLANK = "/__blank.html";

export function startStaticServer() {
  const server = http.createServer((req, res) => {
    const pathname = decodeURIComponent(new URL(req.url, "http://x").pathname);
    if (pathname === BLANK) {
      res.writeHead(200, { "content-type": "text/html" });
      res.end("<!DOCTYPE html><html><head><title>blank</title></head><body></body></html>");
      return;
    }
    const file = path.join(WEB_DIR, path.normalize(pathname));
    const type = MIME[path.extname(file)];
    if (!file.startsWith(WEB_DIR + path.sep) || !type) {
      res.writeHead(404);
      res.end();
      return;
    }
    fs.readFile(file, (err, data) => {
      if (err) {
        res.writeHead(404);
        res.end();
        return;
      }
      res.writeHead(200, { "content-type": type, "cache-control": "no-store" });
      res.end(data);
    });
  });
  return new Promise((resolve) => {
    server.listen(0, "127.0.0.1", () => {
      resolve({ server, origin: `http://127.0.0.1:${server.address().port}` });
    });
  });
}

// ------------------------------------------------------------ fake service

// Answer forms a handler returns:
//   { json: value, status?: 200 }     JSON body (value may be null, 5, [] ...)
//   { body: "text", status?, contentType? }
//   { abort: "connectionrefused" }    the service is down
//   { hang: true }                    never answered (the page may abandon it)
export const answer = {
  json: (value, status = 200) => ({ json: value, status }),
  done: (message, extra = {}) => ({ json: { status: 200, message, ...extra } }),
  pending: (uuid, message = "accepted", extra = {}) => ({
    json: { status: 102, uuid, message, ...extra },
  }),
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
};

export const SCAN_UUID = "scan-0001";

// Two discs with two images each.
export const TWO_DISCS = {
  sda: { disc: "Internal", images: { "lumenos-2.4": { size: 1 }, "lumenos-2.3": { size: 2 } } },
  mmcblk0: { disc: "SDcard", images: { "lumenos-3.0-rc1": {}, "factory": {} } },
};

// Waits (real time) until fn() is true in Node, e.g. until a request came.
export async function eventually(fn, timeout = 5000) {
  const end = Date.now() + timeout;
  while (!fn()) {
    if (Date.now() > end) throw new Error("timed out waiting for " + fn);
    await new Promise((r) => setTimeout(r, 2));
  }
}

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
    const request = {
      op,
      path: url.pathname,
      query: url.search.slice(1),
      params: Object.fromEntries(url.searchParams),
      method: route.request().method(),
      url: url.href,
    };
    this.requests.push(request);
    const handler = this.handlers[op];
    if (handler === undefined) {
      this.unexpected.push(request);
      return route.abort("connectionrefused");
    }
    const a = typeof handler === "function" ? handler(request, n) : handler;
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

  answerWith(route, a) {
    if (a.abort) return route.abort(a.abort);
    if ("json" in a) {
      return route.fulfill({
        status: a.status ?? 200,
        contentType: "application/json",
        body: JSON.stringify(a.json),
      });
    }
    return route.fulfill({
      status: a.status ?? 200,
      contentType: a.contentType ?? "application/json",
      body: a.body,
    });
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

// ------------------------------------------------------------ browser, page

// Runs in the page before its scripts, after the fake clock is installed.
function clampAndObserve() {
  const fakeSetTimeout = window.setTimeout;
  const fakeSetInterval = window.setInterval;
  const wake = () => {
    if (window.__wake) window.__wake();
  };
  window.setTimeout = function (fn, delay, ...args) {
    const id = fakeSetTimeout.call(this, fn, Math.max(1, Number(delay) || 0), ...args);
    wake();
    return id;
  };
  window.setInterval = function (fn, delay, ...args) {
    const id = fakeSetInterval.call(this, fn, Math.max(4, Number(delay) || 0), ...args);
    wake();
    return id;
  };
  // Counts the page's requests and the reading of their bodies, and keeps
  // the requests out, each marked when the service leaves it unanswered;
  // passes everything through unchanged. A request or a body counts as done
  // one task after it settled, once the page's promise reactions to it ran.
  const later = [];
  const channel = new MessageChannel();
  channel.port1.onmessage = () => later.shift()();
  const nextTask = (fn) => {
    later.push(fn);
    channel.port2.postMessage(0);
  };
  const realFetch = window.fetch;
  const net = { sent: 0, settled: 0, reading: 0, out: [] };
  window.__net = net;
  net.mark = (url, hung) => {
    const request = net.out.find((r) => r.url === url && r.hung !== hung);
    if (request) request.hung = hung;
    wake();
  };
  // True while the page waits for an answer that will come.
  net.waiting = () => net.reading > 0 || net.out.some((r) => !r.hung);
  window.fetch = function (resource, ...args) {
    const url = new URL(resource instanceof Request ? resource.url : resource, location.href).href;
    const request = { url, hung: false };
    net.out.push(request);
    net.sent += 1;
    return realFetch.call(this, resource, ...args).finally(() =>
      nextTask(() => {
        net.out.splice(net.out.indexOf(request), 1);
        net.settled += 1;
        wake();
      }),
    );
  };
  for (const method of ["json", "text"]) {
    const real = Response.prototype[method];
    Response.prototype[method] = function (...args) {
      window.__net.reading += 1;
      return real.apply(this, args).finally(() =>
        nextTask(() => {
          net.reading -= 1;
          wake();
        }),
      );
    };
  }
}

// Runs in the page: fulfils once no request is out but those the service
// leaves unanswered and no body is being read, twice in a row one task
// apart (so that what an answer starts has started).
function quietInPage() {
  const builtins = globalThis.__pwClock ? globalThis.__pwClock.builtins : window;
  const net = window.__net;
  const quiet = () => !net.waiting();
  const task = () => new Promise((r) => builtins.setTimeout(r, 1));
  return (async () => {
    for (;;) {
      while (!quiet()) await task();
      const sent = net.sent;
      await task();
      if (quiet() && net.sent === sent) return;
    }
  })();
}

// Runs in the page: advances the fake clock by `step` whenever a timer is
// pending and no answer is on its way, until `until` (a JS expression)
// holds or `max` steps were made.
async function driveInPage({ step, until, max, stallMs }) {
  const pw = globalThis.__pwClock;
  if (!pw || !pw.controller || typeof pw.controller.runFor !== "function") {
    throw new Error("Playwright's clock controller is missing: was the playwright-core version changed?");
  }
  const clock = pw.controller;
  const builtins = pw.builtins;
  const cond = new Function("return (" + until + ");");
  const waitForWork = () =>
    new Promise((resolve) => {
      let done = false;
      const finish = () => {
        if (done) return;
        done = true;
        window.__wake = null;
        observer.disconnect();
        builtins.clearTimeout(fallback);
        resolve();
      };
      window.__wake = finish;
      const observer = new MutationObserver(finish);
      observer.observe(document, { subtree: true, childList: true, attributes: true, characterData: true });
      const fallback = builtins.setTimeout(finish, 5);
    });
  const realNow = () => builtins.performance.now();
  let steps = 0;
  let idleSince = realNow();
  for (;;) {
    if (cond()) return { ok: true, steps };
    if (steps >= max) return { ok: false, steps, reason: "max steps" };
    const waiting = window.__net.waiting();
    if (!waiting && clock.countTimers() > 0) {
      await clock.runFor(step);
      steps += 1;
      idleSince = realNow();
      continue;
    }
    if (realNow() - idleSince > stallMs) {
      return { ok: false, steps, reason: waiting ? "an answer did not come" : "stalled" };
    }
    await waitForWork();
  }
}

export async function launchBrowser() {
  return chromium.launch({ executablePath: "/usr/bin/chromium", args: CHROMIUM_ARGS });
}

// One page of the repair UI on a fresh context.
export class UI {
  static async open(
    env,
    svc,
    { path: pagePath = "/index.html", viewport, clock = true, popup = false, console = false } = {},
  ) {
    const ui = new UI();
    ui.svc = svc;
    ui.consoleLines = [];
    ui.errors = [];
    ui.context = await env.browser.newContext({ viewport: viewport ?? { width: 800, height: 700 } });
    // Console messages cost a round trip each: listened to only on demand.
    if (console) ui.context.on("console", (m) => ui.consoleLines.push(m.text()));
    ui.context.on("weberror", (e) => ui.errors.push(e.error().message));
    await ui.context.route("http://127.0.0.1:8080/**", (route) => svc.handle(route));
    if (clock) {
      await ui.context.clock.install({ time: 0 });
      await ui.context.clock.pauseAt(1000);
    }
    await ui.context.addInitScript(clampAndObserve);
    const first = await ui.context.newPage();
    if (popup) {
      // Opened by script, so that the page may close its own window.
      await first.goto(env.origin + BLANK);
      const [page] = await Promise.all([
        ui.context.waitForEvent("page"),
        first.evaluate((url) => window.open(url, "_blank"), env.origin + pagePath),
      ]);
      ui.page = page;
      await page.waitForLoadState("domcontentloaded");
    } else {
      ui.page = first;
      await ui.page.goto(env.origin + pagePath);
    }
    return ui;
  }

  async close() {
    await this.context.close();
  }

  // Advances the clock (from Node) by ms.
  async advance(ms) {
    await this.page.clock.runFor(ms);
  }

  // Drives the clock in the page until the expression holds.
  async runUntil(until, { step = 1000, max = 20000, stallMs = 3000 } = {}) {
    return this.page.evaluate(driveInPage, { step, until, max, stallMs });
  }

  // Waits (real time) until the expression holds in the page. Polled from
  // here: a string that the page evaluates itself would break its script
  // policy.
  async waitFor(expr, timeout = 10000) {
    const end = Date.now() + timeout;
    while (!(await this.page.evaluate(expr))) {
      if (Date.now() > end) throw new Error("timed out waiting for " + expr);
      await new Promise((r) => setTimeout(r, 5));
    }
  }

  // Waits until every request sent has been answered and handled (a
  // request held by the service is never answered: don't wait for it). The
  // wait is in real time and generous: a loaded machine is slow to route.
  async idle(timeout = 30000) {
    let timer;
    const late = new Promise((_, reject) => {
      timer = setTimeout(() => reject(new Error("the page did not get quiet: a request left unanswered?")), timeout);
    });
    try {
      await Promise.race([this.page.evaluate(quietInPage), late]);
    } finally {
      clearTimeout(timer);
    }
  }

  // Waits until the service has received n requests in all.
  async requests(n) {
    await eventually(() => this.svc.requests.length >= n);
  }

  // Scan and list done, overlay gone: the first page is usable.
  async ready() {
    const r = await this.runUntil("!document.getElementById('loading_id')", { step: 1000 });
    if (!r.ok) throw new Error("page did not get ready: " + JSON.stringify(r));
  }

  text(selector) {
    return this.page.evaluate((s) => {
      const e = document.querySelector(s);
      return e ? e.textContent : null;
    }, selector);
  }

  html(selector) {
    return this.page.evaluate((s) => document.querySelector(s).innerHTML, selector);
  }

  // The log area's text content.
  log() {
    return this.text("#action_log");
  }

  // Chooses the menu entry at index and sends the click event the browser
  // sends when an entry is picked from the list's pop-up.
  async choose(index) {
    await this.page.evaluate((i) => {
      const menu = document.getElementById("images");
      menu.selectedIndex = i;
      menu.dispatchEvent(new MouseEvent("click", { bubbles: true }));
    }, index);
  }

  async option(id) {
    await this.page.click("#" + id);
  }

  async proceed() {
    await this.page.click("#ok_button");
  }

  dialogOpen() {
    return this.page.evaluate(() => !!document.getElementById("exConfirmPromiseOverLay"));
  }

  // Answers the open dialog with a click and lets its watcher run.
  async answer(yes) {
    await this.page.click(yes ? "#exConfirmPromiseBtnYes" : "#exConfirmPromiseBtnNo");
    await this.advance(20);
  }

  // Choose image, option, Proceed and Yes.
  async start(imageIndex, optionId) {
    await this.choose(imageIndex);
    await this.option(optionId);
    await this.proceed();
    await this.answer(true);
  }

  // Lets the answered dialog's overlay go (510 ms after the answer).
  async dialogGone() {
    await this.advance(600);
  }

  // Follows a running action until its result (the button row) is shown.
  async untilResult(max = 6000) {
    const r = await this.runUntil(
      "getComputedStyle(document.getElementById('action_next')).display !== 'none'",
      { step: 2000, max },
    );
    if (!r.ok) throw new Error("no result: " + JSON.stringify(r));
    return r;
  }

  // The file name of the mark's picture.
  async mark() {
    return this.page.evaluate(() => document.getElementById("action_img").src.split("/").pop());
  }

  async visible(selector) {
    return this.page.evaluate((s) => {
      const e = document.querySelector(s);
      if (!e || !e.isConnected) return false;
      for (let n = e; n && n.nodeType === 1; n = n.parentElement) {
        if (getComputedStyle(n).display === "none") return false;
      }
      return true;
    }, selector);
  }
}

// Per-file environment: one static server and one browser for all tests.
export async function setup() {
  const { server, origin } = await startStaticServer();
  const browser = await launchBrowser();
  return {
    origin,
    browser,
    blank: origin + BLANK,
    async teardown() {
      await browser.close();
      await new Promise((r) => server.close(r));
    },
  };
}

// One browser and static server for all the tests of a file: the returned
// environment is filled in before the first test and torn down after the
// last.
export function browserForFile() {
  const env = {};
  before(async () => Object.assign(env, await setup()));
  after(async () => env.teardown());
  return env;
}

// After each test: the page it opened (read with current(), forgotten with
// forget()) had no uncaught error, and is closed.
export function closePageAfterEach(current, forget) {
  afterEach(async () => {
    const ui = current();
    forget();
    if (!ui) return;
    try {
      assert.deepEqual(ui.errors, [], "no uncaught error in the page");
    } finally {
      await ui.close();
    }
  });
}
