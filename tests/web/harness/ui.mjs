// One page of the repair UI on a fresh browser context, and what a test does
// with it: choose, press, answer, drive the clock, read the page.

import assert from "node:assert/strict";
import { eventually } from "./fake_service.mjs";
import { clampAndObserve, driveInPage, quietInPage } from "./page_clock.mjs";
import { BLANK } from "./static_server.mjs";
import { waitFor, withTimeout } from "../../wait.mjs";
import { ACTION_PAGE, DIALOG_OPEN, NO, RESULT_SHOWN, YES } from "../../page_reading.mjs";

export { RESULT_SHOWN };

export class UI {
  static async open(env, svc, options = {}) {
    // initScript: [fn, arg], run in the page before its scripts.
    const { path: pagePath = "/index.html", viewport, clock = true, popup = false, console = false,
      initScript } = options;
    const ui = Object.assign(new UI(), { svc, consoleLines: [], errors: [] });
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
    if (initScript) await ui.context.addInitScript(...initScript);
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

  // Closes the page; the service's contract was kept throughout.
  async close() {
    await this.context.close();
    assert.deepEqual(this.svc.contractBreaks, [], "every request and answer keeps the service's contract");
  }

  // Advances the clock (from Node) by ms.
  advance(ms) {
    return this.page.clock.runFor(ms);
  }

  // Advances the clock by ms, then waits until the page is quiet.
  async elapse(ms) {
    await this.advance(ms);
    await this.idle();
  }

  // Drives the clock in the page until the expression holds.
  async runUntil(until, { step = 1000, max = 20000, stallMs = 3000 } = {}) {
    return this.page.evaluate(driveInPage, { step, until, max, stallMs });
  }

  // Drives the clock in the page until the expression holds; throws when it
  // does not come to hold.
  async reach(until, options) {
    const r = await this.runUntil(until, options);
    if (!r.ok) throw new Error(`${until} did not come to hold: ${JSON.stringify(r)}`);
    return r;
  }

  // Waits (real time) until the expression holds in the page. Polled from
  // here: a string that the page evaluates itself would break its script
  // policy.
  waitFor(expr, timeout = 10000) {
    const holds = async () => Boolean(await this.page.evaluate(expr));
    return waitFor(expr, holds, { timeout, interval: 5 });
  }

  // Waits until every request sent has been answered and handled (a
  // request held by the service is never answered: don't wait for it). The
  // wait is in real time and generous: a loaded machine is slow to route.
  idle(timeout = 30000) {
    const what = "the page to get quiet (a request left unanswered?)";
    return withTimeout(what, this.page.evaluate(quietInPage), timeout);
  }

  // Waits until the service has received n requests in all.
  requests(n) {
    return eventually(() => this.svc.requests.length >= n);
  }

  // Scan and list done, overlay gone: the first page is usable.
  ready() {
    return this.reach("!document.getElementById('loading_id')", { step: 1000 });
  }

  text(selector) {
    return this.page.evaluate((s) => document.querySelector(s)?.textContent ?? null, selector);
  }

  html(selector) {
    return this.page.$eval(selector, (e) => e.innerHTML);
  }

  // The log area's text content.
  log() {
    return this.text("#action_log");
  }

  // Presses the keys in turn.
  async keys(...names) {
    for (const name of names) await this.page.keyboard.press(name);
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

  option(id) {
    return this.page.click("#" + id);
  }

  proceed() {
    return this.page.click("#ok_button");
  }

  dialogOpen() {
    return this.page.evaluate(DIALOG_OPEN);
  }

  // Answers the open dialog with a click and lets its watcher run.
  async answer(yes) {
    await this.page.click("#" + (yes ? YES : NO));
    await this.advance(20);
  }

  // Choose image, option and Proceed.
  async ask(imageIndex, optionId) {
    await this.choose(imageIndex);
    await this.option(optionId);
    await this.proceed();
  }

  // Choose image, option, Proceed and Yes.
  async start(imageIndex, optionId) {
    await this.ask(imageIndex, optionId);
    await this.answer(true);
  }

  // Lets the answered dialog's overlay go (510 ms after the answer).
  dialogGone() {
    return this.advance(600);
  }

  // Follows a running action until its result (the button row) is shown.
  untilResult(max = 6000) {
    return this.reach(RESULT_SHOWN, { step: 2000, max });
  }

  // Everything the user sees of the action page.
  actionPage() {
    return this.page.evaluate(ACTION_PAGE);
  }

  // The id of the element with the focus.
  focused() {
    return this.page.evaluate(() => document.activeElement && document.activeElement.id);
  }

  visible(selector) {
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

