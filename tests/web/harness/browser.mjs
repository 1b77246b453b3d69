// Debian's Chromium, one per test file (fresh profile, web security off as
// in the real program), with one static server of web/, and the pages of
// the tests, each checked for uncaught errors.

import assert from "node:assert/strict";
import { after, afterEach, before } from "node:test";
import { chromium } from "playwright-core";
import { FakeService } from "./fake_service.mjs";
import { startStaticServer } from "./static_server.mjs";
import { UI } from "./ui.mjs";

// A test file imports from here what it uses beside its pages: the fake
// service's answers and names, and the page's state it waits for.
export { answer, eventually, FakeService, SCAN_UUID, SERVICE, TWO_DISCS } from "./fake_service.mjs";
export { RESULT_SHOWN, UI } from "./ui.mjs";

const CHROMIUM_ARGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync", "--disable-web-security"];

// Per-file environment: one static server and one browser for all tests.
export async function setup() {
  const { server, origin } = await startStaticServer();
  const browser = await chromium.launch({ executablePath: "/usr/bin/chromium", args: CHROMIUM_ARGS });
  return {
    origin,
    browser,
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

// One page at a time on the file's browser: open() and the helpers below
// close the page opened before, and so does the end of each test; a page
// closed had no uncaught error.
export function pagePerTest() {
  const env = browserForFile();
  let current;
  const retire = async () => {
    const ui = current;
    current = undefined;
    if (!ui) return;
    try {
      assert.deepEqual(ui.errors, [], "no uncaught error in the page");
    } finally {
      await ui.close();
    }
  };
  afterEach(retire);
  const open = async (handlers = {}, options = {}) => {
    await retire();
    current = await UI.open(env, new FakeService(handlers), options);
    return current;
  };
  const ready = async (handlers, options) => {
    const ui = await open(handlers, options);
    await ui.ready();
    return ui;
  };
  // open(), then wait until the page is quiet.
  const quiet = async (handlers, options) => {
    const ui = await open(handlers, options);
    await ui.idle();
    return ui;
  };
  // ready(), then menu entry `index` and option `optionId` confirmed.
  const started = async (handlers, optionId, index = 1, options = {}) => {
    const ui = await ready(handlers, options);
    await ui.start(index, optionId);
    return ui;
  };
  return { env, open, ready, quiet, started };
}
