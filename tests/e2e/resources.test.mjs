// The page's files come from the executable under client://web/, each with
// status 200, the MIME type of its extension and the bytes of web/.

import assert from "node:assert/strict";
import { readdirSync, readFileSync } from "node:fs";
import path from "node:path";
import { describe, it } from "node:test";
import { MIME_TYPES } from "../mime_types.mjs";
import { repoRoot } from "./harness/paths.mjs";
import { useSession, waitFor } from "./harness/session.mjs";

const webDir = path.join(repoRoot, "web");

// GET over XMLHttpRequest (the engine's fetch() does not reach custom
// schemes on Qt 6.4): { status, type, bytes } or { error: true }.
function xhr(page, url) {
  return page.evaluate(`new Promise((resolve) => {
    const request = new XMLHttpRequest();
    request.open("GET", ${JSON.stringify(url)});
    request.responseType = "arraybuffer";
    request.onload = () => resolve({ status: request.status, type: request.getResponseHeader("content-type"),
      bytes: Array.from(new Uint8Array(request.response)) });
    request.onerror = () => resolve({ error: true, status: request.status });
    request.send();
  })`);
}

describe("the page's files under client://web/", () => {
  const responses = [];
  const failures = [];
  const { session } = useSession(undefined, async () => {
    session.page.listeners.add(({ method, params }) => {
      if (method === "Network.responseReceived") responses.push(params);
      if (method === "Network.loadingFailed") failures.push(params);
    });
    await session.page.send("Network.enable");
    await session.page.send("Page.enable");
    // The page is only the engine's client here: its own script policy, which
    // admits no request but the service's, is set aside from the next load on.
    await session.page.send("Page.setBypassCSP", { enabled: true });
  });

  it("load at start with status 200 and the type of their extension, and the modules run", async () => {
    const { page } = session;
    responses.length = 0;
    await page.send("Page.reload", { ignoreCache: true });
    await page.waitForPage("the reloaded page's modules", "typeof window.TakeAction === 'function'");
    const loaded = new Map(responses.map((r) => [r.response.url, r.response]));
    for (const name of ["index.html", "style.css", "main.js", "system_proxy.js", "exConfirm.js", "scanning.gif"]) {
      const response = loaded.get(`client://web/${name}`);
      assert.ok(response, `${name} was requested (got ${[...loaded.keys()]})`);
      assert.equal(response.status, 200, name);
      assert.equal(response.mimeType, MIME_TYPES[path.extname(name)], name);
    }
    const handlers = await page.evaluate(
      "['ImageSelected', 'OptionSelected', 'TakeAction', 'ClearLog', 'CloseWindow', 'RebootSystem']" +
      ".filter((name) => typeof window[name] !== 'function')");
    assert.deepEqual(handlers, [], "every handler is published");
    // The workflow module started the scan on DOMContentLoaded.
    await page.waitForPage("the scan to have started", "document.getElementById('scan_msg').textContent !== 'Started...'");
    assert.equal(await page.evaluate("document.getElementById('loading_img').complete && document.getElementById('loading_img').naturalWidth"), 200);
  });

  it("serve every file of web/ with its own bytes and type", async () => {
    const names = readdirSync(webDir);
    assert.ok(names.length >= 9, `web/ holds the page's files: ${names}`);
    for (const name of names) {
      const expectedType = MIME_TYPES[path.extname(name)];
      assert.ok(expectedType, `a MIME type is expected for ${name}`);
      const answer = await xhr(session.page, `client://web/${name}`);
      assert.equal(answer.status, 200, name);
      assert.equal(answer.type, expectedType, name);
      assert.ok(Buffer.from(answer.bytes).equals(readFileSync(path.join(webDir, name))), `the bytes of web/${name} (a build older than web/ differs)`);
    }
  });

  it("serve the page with a doubled slash after the host", async () => {
    const { page } = session;
    await session.load("client://web//index.html");
    assert.equal(await page.evaluate("document.title"), "Lumenos Repair");
    assert.equal(await page.evaluate("getComputedStyle(document.body).overflow"), "hidden", "its style sheet applies");
  });

  it("fail cleanly for a name that is not in the store, and the program keeps running", async () => {
    const { app, page } = session;
    await session.load();
    for (const url of ["client://web/nope.js", "client://web/index.html?x=1", "client://web/", "client://web/INDEX.HTML"]) {
      failures.length = 0;
      const answer = await xhr(page, url);
      assert.equal(answer.error, true, `${url} fails: ${JSON.stringify(answer).slice(0, 200)}`);
      await waitFor(`the engine to report ${url} as failed`, () => failures.length > 0);
    }
    const navigation = await page.send("Page.navigate", { url: "client://web/nope.html" });
    assert.ok(navigation.errorText, "the navigation fails");
    await page.waitForPage("the error page for a missing file", "location.href.startsWith('data:text/html;base64,')");
    assert.equal(await page.evaluate("document.body.innerText"), "Failed to load");
    assert.equal(app.process.running, true);
    assert.doesNotMatch(app.stderr, /FATAL|terminate called|Segmentation/);
  });
});
