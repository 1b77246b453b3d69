// What runs inside the page under test: Playwright's fake clock with delays
// clamped as a browser clamps them (setInterval >= 4 ms, setTimeout >= 1 ms),
// the page's requests counted, and the driver that advances the clock from
// inside the page, so that 1000 or 5000 polls take no time beyond the
// requests' own round trips. The clock stands still while a request is out
// that the service will answer, and runs past those it leaves unanswered.

// Runs in the page before its scripts, after the fake clock is installed.
export function clampAndObserve() {
  const wake = () => {
    if (window.__wake) window.__wake();
  };
  for (const [name, least] of [["setTimeout", 1], ["setInterval", 4]]) {
    const fake = window[name];
    window[name] = function (fn, delay, ...args) {
      const id = fake.call(this, fn, Math.max(least, Number(delay) || 0), ...args);
      wake();
      return id;
    };
  }
  // Counts the page's requests and the reading of their bodies, and keeps
  // the requests out, each marked when the service leaves it unanswered;
  // passes everything through unchanged. A request or a body counts as done
  // one task after it settled, once the page's promise reactions to it ran.
  const later = [];
  const channel = new MessageChannel();
  channel.port1.onmessage = () => later.shift()();
  // Runs fn in a task of its own, then wakes the driver.
  const nextTask = (fn) => {
    later.push(() => {
      fn();
      wake();
    });
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
      }),
    );
  };
  for (const method of ["json", "text"]) {
    const real = Response.prototype[method];
    Response.prototype[method] = function (...args) {
      window.__net.reading += 1;
      return real.apply(this, args).finally(() => nextTask(() => (net.reading -= 1)));
    };
  }
}

// Runs in the page: fulfils once no request is out but those the service
// leaves unanswered and no body is being read, twice in a row one task
// apart (so that what an answer starts has started).
export function quietInPage() {
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
export async function driveInPage({ step, until, max, stallMs }) {
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

