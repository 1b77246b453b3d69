// The program's window under a real window manager: size, frame, hints,
// focus, title, identity, fullscreen, pop-ups, and the window manager's close.

import assert from "node:assert/strict";
import http from "node:http";
import { describe, it } from "node:test";
import { pageTargets } from "./harness/cdp.mjs";
import { useSession, waitFor } from "./harness/session.mjs";

// Motif hint bits (the functions and decorations fields of _MOTIF_WM_HINTS).
const MWM_FUNC_MINIMIZE = 0x08;
const MWM_FUNC_MAXIMIZE = 0x10;
const MWM_DECOR_MAXIMIZE = 0x40;

describe("the window of a plain start", () => {
  const { session } = useSession();

  // First, before anything clicks into the window.
  it("has the keyboard focus at start: real key presses reach the page", async () => {
    const { display, page, window } = session;
    assert.equal(await display.activeWindow(), Number.parseInt(window.id, 16));
    assert.equal(await page.evaluate("document.hasFocus()"), true);
    await page.evaluate(`window.__keys = [];
      document.addEventListener("keydown", (e) => window.__keys.push(e.key), true);`);
    await display.run("xdotool", ["key", "--clearmodifiers", "x", "Tab"]);
    const keys = await page.waitForPage("the X key presses to reach the page",
      "window.__keys.length >= 2 && window.__keys");
    assert.deepEqual(keys, ["x", "Tab"]);
  });

  it("is 800 by 700 with a frame, and cannot be resized", async () => {
    const { display, page, window } = session;
    const geometry = await display.geometry(window.id);
    assert.deepEqual([geometry.width, geometry.height], [800, 700]);
    assert.deepEqual(await page.evaluate("[innerWidth, innerHeight]"), [800, 700]);
    assert.deepEqual(await display.sizeHints(window.id), { minimum: [800, 700], maximum: [800, 700] });
    const [left, right, top, bottom] = await display.cardinals(window.id, "_NET_FRAME_EXTENTS");
    assert.ok(top > 0, `a title bar above the window (frame extents ${[left, right, top, bottom]})`);
    assert.ok(left > 0 && right > 0 && bottom > 0, "a border around the window");
    const actions = await display.atoms(window.id, "_NET_WM_ALLOWED_ACTIONS");
    assert.ok(!actions.includes("_NET_WM_ACTION_RESIZE"), `no resizing among ${actions}`);
    const state = await display.atoms(window.id, "_NET_WM_STATE");
    assert.ok(!state.some((a) => a.startsWith("_NET_WM_STATE_MAXIMIZED")), `not maximized: ${state}`);
  });

  // openbox itself withholds maximizing from a window whose minimum and
  // maximum sizes are equal, so what the program asks for is read from the
  // Motif hints it sets, and minimizing from what openbox offers.
  it("asks the window manager for maximize and minimize buttons", async () => {
    const { display, window } = session;
    const [, functions, decorations] = await display.cardinals(window.id, "_MOTIF_WM_HINTS");
    assert.ok(functions & MWM_FUNC_MAXIMIZE, `maximize function in 0x${functions.toString(16)}`);
    assert.ok(functions & MWM_FUNC_MINIMIZE, `minimize function in 0x${functions.toString(16)}`);
    assert.ok(decorations & MWM_DECOR_MAXIMIZE, `maximize button in 0x${decorations.toString(16)}`);
    const actions = await display.atoms(window.id, "_NET_WM_ALLOWED_ACTIONS");
    assert.ok(actions.includes("_NET_WM_ACTION_MINIMIZE"), `minimizing among ${actions}`);
    assert.ok(actions.includes("_NET_WM_ACTION_CLOSE"), `closing among ${actions}`);
  });

  it("takes its title from the page on every change, blanks stripped", async () => {
    const { display, page, window } = session;
    const title = async () => (await display.property(window.id, "_NET_WM_NAME")).match(/"(.*)"/)?.[1];
    assert.equal(await title(), "Lumenos Repair");
    for (const next of ["Step two", "Step three \u00e9"]) {
      await page.evaluate(`document.title = ${JSON.stringify(next)}`);
      await waitFor(`the window title "${next}"`, async () => (await title()) === next);
    }
    await page.evaluate(`setTimeout(() => { document.title = "  Later  "; }, 300)`);
    await waitFor(`the window title "Later"`, async () => (await title()) === "Later");
  });

  it("carries Lumenos as the product token of its User-Agent, also on the wire", async () => {
    const { page } = session;
    const agent = await page.evaluate("navigator.userAgent");
    assert.match(agent, /\) Lumenos /, agent);
    assert.doesNotMatch(agent, /Chrome\/|QtWebEngine\//, agent);

    // The page is only the engine's client here: its own script policy, which
    // admits no request but the service's, is set aside for a fresh load.
    await page.send("Page.setBypassCSP", { enabled: true });
    await session.load();
    let sent;
    const server = http.createServer((request, response) => {
      sent = request.headers["user-agent"];
      response.end("ok");
    });
    await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
    try {
      const url = `http://127.0.0.1:${server.address().port}/agent`;
      await page.evaluate(`fetch(${JSON.stringify(url)}, { mode: "no-cors" }).then((r) => r.text())`);
      assert.equal(sent, agent);
    } finally {
      server.close();
    }
  });

  it("goes fullscreen when the page asks, and back when it leaves", async () => {
    const { display, page, window } = session;
    const gesture = (expression) => page.evaluate(expression, { userGesture: true });
    assert.equal(await gesture("document.documentElement.requestFullscreen().then(() => 'entered', (e) => String(e))"),
      "entered");
    await waitFor("_NET_WM_STATE_FULLSCREEN on the window", async () =>
      (await display.atoms(window.id, "_NET_WM_STATE")).includes("_NET_WM_STATE_FULLSCREEN"));
    await gesture("document.exitFullscreen()");
    await waitFor("the window to leave fullscreen", async () =>
      !(await display.atoms(window.id, "_NET_WM_STATE")).includes("_NET_WM_STATE_FULLSCREEN"));
    const geometry = await display.geometry(window.id);
    assert.deepEqual([geometry.width, geometry.height], [800, 700]);
  });

  it("opens a pop-up in a window of its own; closing it leaves the program running", async () => {
    const { app, display, page, window } = session;
    const opened = await page.evaluate(
      "window.__popup = window.open('about:blank', '_blank', 'width=320,height=240'); !!window.__popup",
      { userGesture: true });
    assert.equal(opened, true);
    const popup = await waitFor("the pop-up's window", async () =>
      (await display.windows()).find((w) => w.pid === app.pid && w.id !== window.id));
    await page.evaluate("window.__popup.document.title = 'Pop-up'");
    await waitFor("the pop-up's window title to follow its page", async () =>
      (await display.windows()).some((w) => w.id === popup.id && w.title === "Pop-up"));
    const target = (await pageTargets(app.debugPort)).find((t) => t.url === "about:blank");
    assert.ok(target, "the pop-up is a page of its own");

    await display.run("wmctrl", ["-i", "-c", popup.id]);
    await waitFor("the pop-up's window to close", async () =>
      !(await display.windows()).some((w) => w.id === popup.id));
    await waitFor("the pop-up's page to go", async () =>
      !(await pageTargets(app.debugPort)).some((t) => t.url === "about:blank"));
    assert.equal(app.process.running, true);
    assert.ok((await display.windows()).some((w) => w.id === window.id), "the main window stays");
    assert.equal(await page.evaluate("1 + 1"), 2);
  });

  // Last: it ends the program.
  it("ends with status 0 and leaves no process behind when the window manager closes it", async () => {
    const { app, display, window } = session;
    await display.run("wmctrl", ["-i", "-c", window.id]);
    assert.deepEqual(await app.waitForExit(15000), { code: 0, signal: null });
    await waitFor("the engine's helper processes to end", () => app.process.groupPids().length === 0,
      { timeout: 5000 });
  });
});
