// What the frame shows for a page without a background, a failed load and a
// cancelled one.

import assert from "node:assert/strict";
import http from "node:http";
import { after, before, describe, it } from "node:test";
import { sleep, START_URL, useSession, waitFor } from "./harness/session.mjs";

const GREY = [0x96, 0x96, 0x96];
const WHITE = [0xff, 0xff, 0xff];
const ERROR_PAGE = '<html><body bgcolor="white"><h2>Failed to load </h2></body></html>';

describe("navigations of the main frame", () => {
  let server;
  before(async () => {
    // Answers every request with 204 No Content: a navigation to it is
    // cancelled by the engine (ERR_ABORTED).
    server = http.createServer((request, response) => {
      response.writeHead(204);
      response.end();
    });
    await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  });
  after(() => server?.close());
  const { session } = useSession(undefined, () => session.page.send("Page.enable"));

  // Waits until a point in the lower part of the window, below any
  // content, shows colour.
  async function waitForWindowColour(what, colour) {
    const geometry = await session.display.geometry(session.window.id);
    let last;
    try {
      await waitFor(what, async () => {
        last = await session.display.pixel(geometry.x + 400, geometry.y + 600);
        return last.every((c, i) => c === colour[i]);
      }, { timeout: 5000 });
    } catch (e) {
      throw new Error(`${e.message}; the window showed rgb(${last})`);
    }
  }

  it("shows the grey 0xff969696 where a page paints no background", async () => {
    // Page.navigate answers once the navigation commits or fails.
    await session.page.send("Page.navigate", { url: "data:text/html,<title>Plain</title><p>no background</p>" });
    await waitFor("the plain page's title", () => session.page.evaluate("document.title === 'Plain'"));
    await waitForWindowColour("the window to show grey under the page", GREY);
  });

  it("replaces a failed load by the white error page at its data: URL", async () => {
    const answer = await session.page.send("Page.navigate", { url: "http://nonexistent.invalid/" });
    assert.equal(answer.errorText, "net::ERR_NAME_NOT_RESOLVED");
    // The frame may still show the previous test's data: page for a moment.
    const prefix = "data:text/html;base64,";
    const href = await waitFor("the frame to reach the error page", async () => {
      const url = await session.page.evaluate("location.href");
      return url.startsWith(prefix) && url;
    });
    const encoded = href.slice(prefix.length);
    assert.match(encoded, /^[A-Za-z0-9%]+$/, "no + / = in the encoded part");
    assert.equal(Buffer.from(decodeURIComponent(encoded), "base64").toString("utf8"), ERROR_PAGE);
    assert.equal(await session.page.evaluate("document.body.innerText"), "Failed to load");
    await waitForWindowColour("the window to show the white error page", WHITE);
  });

  it("leaves the frame where it was when a navigation is cancelled (-3)", async () => {
    await session.load();
    await session.page.evaluate("window.__marker = 'still here'");
    const url = `http://127.0.0.1:${server.address().port}/no-content`;
    const answer = await session.page.send("Page.navigate", { url });
    assert.equal(answer.errorText, "net::ERR_ABORTED");
    // Give a wrongly shown error page time to load.
    await sleep(1500);
    assert.equal(await session.page.evaluate("location.href"), START_URL);
    assert.equal(await session.page.evaluate("window.__marker"), "still here");
  });
});
