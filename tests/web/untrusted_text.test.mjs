// Text from the service and the discs is data: hostile markup in every field
// the service sends runs nothing, loads nothing and sends nothing; the one
// place that renders markup keeps its formatting. The page's script policy
// admits exactly the page's own scripts.

import { test, describe } from "node:test";
import assert from "node:assert/strict";
import { createHash } from "node:crypto";
import fs from "node:fs";
import path from "node:path";
import { answer, pagePerTest } from "./harness/browser.mjs";
import { WEB_DIR } from "./harness/static_server.mjs";

const { open } = pagePerTest();

// Would run script, load resources, navigate and send a factory reset, were
// it ever taken as markup.
const INJECTED = "http://127.0.0.1:8080/lumenos-repair/factory-reset?disc=INJECTED&efi=INJECTED&image=INJECTED";
function hostile(field) {
  const run = `window.__pwned=(window.__pwned||[]).concat('${field}');fetch('${INJECTED}')`;
  return (
    `<b>${field}</b> <img src=x onerror="${run}"><svg onload="${run}"></svg><script>${run}</script>` +
    `<iframe srcdoc="<script>parent.${run}</script>"></iframe><a href="javascript:${run}">link</a>` +
    `<form action="${INJECTED}"><button>go</button></form><object data="x"></object>`
  );
}

// Every field of every answer the page reads, each made hostile (keys and
// uuids after a plain prefix).
const PREFIX = { scanUuid: "scan", discKey: "sda", imageKey: "img", actionUuid: "act" };
const FIELDS = Object.fromEntries(["scanMessage", "scanUuid", "scanLine", "scanType", "listMessage", "discKey", "discLabel",
  "imageKey", "actionMessage", "actionUuid", "actionLine", "actionType", "logLine", "finalLine", "clearMessage",
  "rebootMessage"].map((field) => [field, (PREFIX[field] ?? "") + hostile(field)]));

function hostileService() {
  const f = FIELDS;
  return {
    scan: answer.pending(f.scanUuid, f.scanMessage),
    status: (request) => {
      if (request.params.uuid === f.scanUuid) {
        return answer.json({ status: 200, message: f.scanLine,
          status_list: { [f.scanUuid]: [Number(request.params.start) < 1 ? 102 : 200, f.scanType, f.scanLine] } });
      }
      const start = Number(request.params.start);
      return answer.status(f.actionUuid, start < 2 ? 102 : 200, start < 2 ? f.actionLine : f.finalLine,
        start < 2 ? [f.logLine, f.actionLine] : [], f.actionType);
    },
    list: answer.done(f.listMessage, { os_list: { [f.discKey]: { disc: f.discLabel, images: { [f.imageKey]: {} } } } }),
    restore: answer.pending(f.actionUuid, f.actionMessage),
    clear: answer.done(f.clearMessage, { uuid: f.actionUuid }),
    reboot: answer.done(f.rebootMessage, { uuid: f.actionUuid }),
  };
}

// What would show that markup from outside took effect.
function markupEffects() {
  const own = new Set(["images", "restore", "factory-reset", "repair", "reboot", "ok_button", "clearlogbtn", "close1", "reboot1"]);
  const handlers = [...document.querySelectorAll("*")].filter(
    (e) => !own.has(e.id) && [...e.attributes].some((a) => a.name.startsWith("on")));
  const dangerous = document.querySelectorAll(
    "img:not(#loading_img):not(#action_img), svg, iframe, a, form, object, embed, body script:not([type=module])");
  const withAttributes = [...document.querySelectorAll("#scan_msg *, #action_label *, #action_msg *, #exConfirmPromiseWrap *")]
    .filter((e) => e.attributes.length > 0 && !e.id.startsWith("exConfirmPromise") && !(e.tagName === "H2" && e.style.color));
  return {
    pwned: window.__pwned ?? null,
    handlers: handlers.map((e) => e.outerHTML.slice(0, 80)),
    dangerous: [...dangerous].map((e) => e.outerHTML.slice(0, 80)),
    withAttributes: withAttributes.map((e) => e.outerHTML.slice(0, 80)),
  };
}

describe("text from outside the page", () => {
  test("hostile markup in every service field runs nothing, sends nothing, and formatting still renders", async () => {
    const ui = await open(hostileService());

    // The scan's status line, rendered as markup: formatting kept, the rest inert.
    await ui.runUntil("document.querySelector('#scan_msg b')", { step: 1000, max: 5 });
    assert.equal(await ui.html("#scan_msg"), "<h5><b>scanLine</b> linkgo</h5>");
    await ui.ready();

    // Restore on the hostile image, followed to its result; then Clear Log
    // and a reboot from the action page.
    await ui.start(1, "restore");
    await ui.untilResult();
    await ui.page.click("#clearlogbtn");
    await ui.idle();
    await ui.page.click("#reboot1");
    await ui.advance(20);
    await ui.answer(true);
    await ui.idle();
    await ui.dialogGone();

    assert.deepEqual(await ui.page.evaluate(markupEffects),
      { pwned: null, handlers: [], dangerous: [], withAttributes: [] });
    // Only what the test's own input caused went out, with the hostile keys
    // and uuids sent back intact as data.
    assert.deepEqual([...new Set(ui.svc.ops())], ["scan", "status", "list", "restore", "clear", "reboot"]);
    assert.deepEqual(ui.svc.of("restore").map((r) => r.params),
      [{ disc: FIELDS.discKey, image: FIELDS.imageKey, scanuuid: FIELDS.scanUuid }]);
    assert.deepEqual(ui.svc.of("clear").map((r) => r.params), [{ uuid: FIELDS.actionUuid }]);
    assert.equal(ui.svc.of("reboot").length, 1);
    // The texts themselves are shown, as text.
    assert.equal(await ui.log(), FIELDS.rebootMessage + "\n");
    assert.equal(await ui.text("#action_label"), `Rebooting ${FIELDS.discKey} : ${FIELDS.imageKey}`);
  });
});

describe("the page's script policy", () => {
  const html = fs.readFileSync(path.join(WEB_DIR, "index.html"), "utf8");
  const sha256 = (text) => `'sha256-${createHash("sha256").update(text, "utf8").digest("base64")}'`;

  function policy() {
    const meta = html.match(/<meta http-equiv="Content-Security-Policy" content="([^"]*)">/);
    assert.ok(meta, "index.html carries its policy");
    return Object.fromEntries(meta[1].split(";").map((d) => d.trim().split(/\s+/)).map(([name, ...v]) => [name, v]));
  }

  test("admits by hash exactly the page's inline module and click attributes, and nothing else inline", () => {
    const p = policy();
    const inline = [...html.matchAll(/<script\b[^>]*>([\s\S]*?)<\/script>/g)].map((m) => m[1]);
    const attributes = [...html.matchAll(/\son[a-z]+="([^"]*)"/g)].map((m) => m[1]);
    assert.equal(inline.length, 1);
    assert.ok(attributes.length >= 6);
    const expected = [...new Set([...inline, ...attributes].map(sha256))].sort();
    const hashes = p["script-src"].filter((s) => s.startsWith("'sha256-")).sort();
    assert.deepEqual(hashes, expected, "the hashes follow index.html");
    assert.deepEqual(p["script-src"].filter((s) => !s.startsWith("'sha256-")), ["'self'", "'unsafe-hashes'"]);
    const others = ["default-src", "object-src", "base-uri", "connect-src"].map((name) => [name, p[name]]);
    assert.deepEqual(others, [["default-src", ["'self'"]], ["object-src", ["'none'"]], ["base-uri", ["'none'"]],
      ["connect-src", ["http://127.0.0.1:8080"]]]);
    // The policy comes before anything that loads or runs.
    assert.ok(html.indexOf("Content-Security-Policy") < html.search(/<script|<link/));
  });
});
