// A minimal Chrome DevTools Protocol client for one page target.

import WebSocket from "ws";
import { sleep, waitFor, withTimeout } from "../../wait.mjs";

const COMMAND_TIMEOUT = 15000;

// The page targets listed by the DevTools endpoint on port.
export async function pageTargets(port) {
  const targets = await (await fetch(`http://127.0.0.1:${port}/json`)).json();
  return targets.filter((t) => t.type === "page");
}

export class PageSession {
  static async connect(webSocketUrl) {
    const session = new PageSession();
    session.socket = new WebSocket(webSocketUrl, { perMessageDeflate: false });
    const opened = new Promise((resolve, reject) => {
      session.socket.once("open", resolve);
      session.socket.once("error", reject);
    });
    await withTimeout(`the DevTools socket ${webSocketUrl} to open`, opened, COMMAND_TIMEOUT);
    session.socket.on("message", (data) => session.dispatch(JSON.parse(data.toString())));
    session.socket.on("close", () => session.failPending("the DevTools socket closed"));
    return session;
  }

  constructor() {
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = new Set();
  }

  dispatch(message) {
    if (message.id !== undefined) {
      const call = this.pending.get(message.id);
      if (!call) return;
      this.pending.delete(message.id);
      if (message.error) call.reject(new Error(`${call.method}: ${message.error.message}`));
      else call.resolve(message.result);
      return;
    }
    for (const listener of this.listeners) listener(message);
  }

  failPending(reason) {
    for (const call of this.pending.values()) call.reject(new Error(`${call.method}: ${reason}`));
    this.pending.clear();
  }

  send(method, params = {}, timeout = COMMAND_TIMEOUT) {
    if (this.socket.readyState !== WebSocket.OPEN) {
      return Promise.reject(new Error(`${method}: the DevTools socket is not open`));
    }
    const id = this.nextId++;
    const answer = new Promise((resolve, reject) => {
      this.pending.set(id, { method, resolve, reject });
    });
    this.socket.send(JSON.stringify({ id, method, params }));
    const what = `the answer to ${method}`;
    return withTimeout(what, answer, timeout).finally(() => this.pending.delete(id));
  }

  // Evaluates an expression in the page (awaiting a promise) and delivers
  // its value; a thrown exception becomes an error here. options: more
  // parameters of Runtime.evaluate, e.g. { userGesture: true }.
  async evaluate(expression, options = {}) {
    const result = await this.send("Runtime.evaluate",
      { expression, awaitPromise: true, returnByValue: true, ...options });
    if (result.exceptionDetails) {
      const details = result.exceptionDetails;
      const text = details.exception ? details.exception.description : details.text;
      throw new Error(`page exception in ${expression}: ${text}`);
    }
    return result.result.value;
  }

  // Waits until the page expression is truthy and delivers its value.
  waitForPage(what, expression, options) {
    return waitFor(what, () => this.evaluate(expression), options);
  }

  // Centre of the element with this id, in CSS pixels of the viewport.
  async centreOf(id) {
    const box = await this.evaluate(`(() => {
      const e = document.getElementById(${JSON.stringify(id)});
      if (!e) return null;
      e.scrollIntoView({ block: "nearest" });
      const r = e.getBoundingClientRect();
      return { x: r.left + r.width / 2, y: r.top + r.height / 2, w: r.width, h: r.height };
    })()`);
    if (!box) throw new Error(`no element with id "${id}" in the page`);
    if (box.w === 0 || box.h === 0) throw new Error(`element "${id}" is not displayed`);
    return box;
  }

  // One click, or with clickCount 2 the second click of a double-click.
  async clickAt(x, y, clickCount = 1) {
    const base = { x, y, button: "left", clickCount };
    await this.send("Input.dispatchMouseEvent", { type: "mouseMoved", x, y });
    await this.send("Input.dispatchMouseEvent", { type: "mousePressed", ...base });
    await this.send("Input.dispatchMouseEvent", { type: "mouseReleased", ...base });
  }

  // A real pointer click in the middle of the element with this id.
  async click(id) {
    const { x, y } = await this.centreOf(id);
    await this.clickAt(x, y);
  }

  // A turn of the mouse wheel over the middle of the element with this id.
  async wheel(id, deltaY) {
    const { x, y } = await this.centreOf(id);
    await this.send("Input.dispatchMouseEvent", { type: "mouseMoved", x, y });
    await this.send("Input.dispatchMouseEvent", { type: "mouseWheel", x, y, deltaX: 0, deltaY });
  }

  // Presses and releases one key, e.g. "Enter", "Escape", "Tab", "ArrowRight", " ".
  async press(key) {
    await this.keyDown(key);
    await this.keyUp(key);
  }

  // One key going down; with autoRepeat, one repeat of a key held down.
  async keyDown(key, { autoRepeat = false } = {}) {
    const { fields, text } = keyEvent(key);
    const down = text ? { type: "keyDown", text } : { type: "rawKeyDown" };
    await this.send("Input.dispatchKeyEvent", { ...down, ...fields, autoRepeat });
  }

  async keyUp(key) {
    await this.send("Input.dispatchKeyEvent", { type: "keyUp", ...keyEvent(key).fields });
  }

  // A key held down for `repeats` auto-repeats, `intervalMs` apart, then released.
  async holdKey(key, repeats, intervalMs = 33) {
    await this.keyDown(key);
    for (let i = 0; i < repeats; i++) {
      await sleep(intervalMs);
      await this.keyDown(key, { autoRepeat: true });
    }
    await this.keyUp(key);
  }

  // PNG bytes of the page's viewport.
  async screenshot() {
    const { data } = await this.send("Page.captureScreenshot", { format: "png" }, 30000);
    return Buffer.from(data, "base64");
  }

  close() {
    if (this.socket) this.socket.terminate();
  }
}

// The fields of a key event of key, and the text it types (if any).
function keyEvent(key) {
  if (!KEYS[key]) throw new Error(`no key description for "${key}"`);
  const { code, keyCode, text } = KEYS[key];
  return { fields: { key, code, windowsVirtualKeyCode: keyCode, nativeVirtualKeyCode: keyCode }, text };
}

const KEYS = {
  Enter: { code: "Enter", keyCode: 13, text: "\r" },
  " ": { code: "Space", keyCode: 32, text: " " },
  Escape: { code: "Escape", keyCode: 27 },
  Tab: { code: "Tab", keyCode: 9 },
  ArrowLeft: { code: "ArrowLeft", keyCode: 37 },
  ArrowUp: { code: "ArrowUp", keyCode: 38 },
  ArrowRight: { code: "ArrowRight", keyCode: 39 },
  ArrowDown: { code: "ArrowDown", keyCode: 40 },
  a: { code: "KeyA", keyCode: 65, text: "a" },
};
