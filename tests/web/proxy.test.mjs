// SystemProxy, the page's client of the repair service. Each test
// loads the module into a blank page of the same origin and calls it
// directly; the service is answered per test by a route.

import { test, describe } from "node:test";
import assert from "node:assert/strict";
import { answer, pagePerTest, SERVICE } from "./harness/browser.mjs";
import { ANSWER_BOUNDS_MS } from "../../web/system_proxy.js";
import { PERCENT_ENCODED } from "../service_contract.mjs";

const { open } = pagePerTest();

// Runs calls in a blank page with the service answering by handlers:
// [[method, ...args], ...] -> the records, the proxy's server, the page
// and its service.
async function withProxy(handlers, calls) {
  const ui = await open(handlers, { path: "/__blank.html", clock: false, console: true });
  const records = await ui.page.evaluate(async ({ base, calls }) => {
    const { SystemProxy } = await import("/system_proxy.js");
    const proxy = new SystemProxy(base);
    const out = [];
    for (const [method, ...args] of calls) {
      out.push(await Promise.resolve().then(() => proxy[method](...args)).catch((e) => ({ threw: String(e) })));
    }
    return { out, server: proxy.server };
  }, { base: SERVICE, calls });
  return { ...records, ui, svc: ui.svc };
}

// A query's keys and values, percent-decoded as the service does it (a "+"
// stays a "+").
const decodedParams = (q) => Object.fromEntries(q.split("&").map((part) => part.split("=").map(decodeURIComponent)));

// One answer for each of the service's eight operations.
const everyOperation = (a) =>
  Object.fromEntries(["scan", "list", "status", "restore", "repair", "factory-reset", "reboot", "clear"].map((op) => [op, a]));

const ALL_CALLS = [["triggerScan"], ["triggerList", "U1"], ["getStatusById", "U1", 7, 100],
  ["triggerRestore", "sda", "lumenos-2.4", "U1"], ["triggerRepair", "sda", "lumenos-2.4", "U1"],
  ["triggerFactoryReset", "sda", "lumenos-2.4", "U1"], ["triggerReboot", "sda", "lumenos-2.4", "U1", 10],
  ["triggerClearLog", "R9"]];

describe("requests: path and query of every method", () => {
  test("each method sends one GET with the path and query keys of the service interface, in order", async () => {
    // The same answer to every request: for a scan, list or status poll one
    // that no service keeping the contract gives.
    const { out, server, svc } = await withProxy(everyOperation(answer.offContract(answer.done("ok"))), ALL_CALLS);
    assert.equal(server, SERVICE);
    assert.equal(out.length, 8);
    assert.deepEqual(
      svc.requests.map((r) => [r.method, r.path, r.query]),
      [
        ["GET", "/lumenos-repair/scan", ""],
        ["GET", "/lumenos-repair/list", "uuid=U1"],
        ["GET", "/lumenos-repair/status", "uuid=U1&start=7&max=100"],
        ["GET", "/lumenos-repair/restore", "disc=sda&image=lumenos-2.4&scanuuid=U1"],
        ["GET", "/lumenos-repair/repair", "disc=sda&image=lumenos-2.4&scanuuid=U1"],
        // The image key goes as "efi", the scan uuid as "image".
        ["GET", "/lumenos-repair/factory-reset", "disc=sda&efi=lumenos-2.4&image=U1"],
        ["GET", "/lumenos-repair/reboot", "disc=sda&image=lumenos-2.4&scanuuid=U1&delay=10"],
        ["GET", "/lumenos-repair/clear", "uuid=R9"],
      ],
    );
    // The scan URL has no "?" at all.
    assert.equal(svc.requests[0].url, SERVICE + "/scan");
    for (const r of out) assert.equal(r.state, "FINISHED");
  });

  test("keys that need no escaping go on the wire exactly as given", async () => {
    const call = ["triggerRestore", "nvme0n1p2", "Lumenos_2.4-rc.1~x*(y)!", "0f-3A_b.c"];
    const { svc } = await withProxy({ restore: answer.done("ok") }, [call]);
    assert.equal(svc.requests[0].query, "disc=nvme0n1p2&image=Lumenos_2.4-rc.1~x*(y)!&scanuuid=0f-3A_b.c");
  });

  test("mended: a value goes as it stands but for the characters that would change the query or are unsafe", async () => {
    const printable = Array.from({ length: 95 }, (_, i) => String.fromCharCode(32 + i)).join("");
    const escaped = new Set(PERCENT_ENCODED); // the contract's
    const wire = [...printable].map((c) => (escaped.has(c) ? "%" + c.charCodeAt(0).toString(16).toUpperCase() : c)).join("");
    // Control characters, non-ASCII and a lone surrogate (sent as U+FFFD).
    const other = "\u0001\t\u007fé😀\ud800";
    const [disc, image, uuid] = ["/dev/sda2", printable, "u&scanuuid=other" + other];
    const { svc } = await withProxy({ restore: answer.done("ok"), "factory-reset": answer.done("ok") },
      [["triggerRestore", disc, image, uuid], ["triggerFactoryReset", disc, image, uuid]]);
    const [restore, reset] = svc.requests;
    assert.equal(restore.query, `disc=/dev/sda2&image=${wire}&scanuuid=u%26scanuuid%3Dother%01%09%7F%C3%A9%F0%9F%98%80%EF%BF%BD`);
    const sent = { disc, image, scanuuid: uuid.replace("\ud800", "\ufffd") };
    assert.deepEqual(decodedParams(restore.query), sent);
    assert.deepEqual(decodedParams(reset.query), { disc, efi: image, image: sent.scanuuid });
  });
});

describe("records: one for every kind of answer, never a throw", () => {
  test("service down: every method fulfils with FAILED and the browser's network error text", async () => {
    const { out, svc } = await withProxy(everyOperation(answer.down()), ALL_CALLS);
    assert.deepEqual(out, ALL_CALLS.map(() => ({ state: "FAILED", result: "", message: "Failed to fetch" })));
    assert.equal(svc.requests.length, 8);
  });

  test("HTTP 404 with a valid JSON body: FAILED with the status text, body not read", async () => {
    const { out, ui } = await withProxy({ status: answer.http(404, { status: 200, message: "all fine", uuid: "x" }),
      list: answer.http(503, { status: 200 }) }, [["getStatusById", "U", 0, 1], ["triggerList", "U"]]);
    assert.deepEqual(out, [{ state: "FAILED", result: "", message: "Not Found" },
      { state: "FAILED", result: "", message: "Service Unavailable" }]);
    assert.ok(ui.consoleLines.includes("Response error : Not Found"));
    assert.ok(ui.consoleLines.includes("trigger: " + SERVICE + "/status?uuid=U&start=0&max=1"));
  });

  test("JSON status 102 gives PENDING with the uuid; status \"200\" as text gives FINISHED", async () => {
    const { out } = await withProxy({
      restore: answer.json({ status: 102, uuid: "R1", message: "accepted" }),
      repair: answer.json({ status: "200", message: "done at once" }),
      reboot: answer.json({ status: "102", uuid: "B1" }),
    }, [["triggerRestore", "d", "i", "u"], ["triggerRepair", "d", "i", "u"], ["triggerReboot", "d", "i", "u", 10]]);
    assert.deepEqual(out[0], { state: "PENDING", result: { status: 102, uuid: "R1", message: "accepted" }, message: "accepted" });
    assert.deepEqual(out[1], { state: "FINISHED", result: { status: "200", message: "done at once" }, message: "done at once" });
    assert.equal(out[2].state, "PENDING");
    assert.equal(out[2].result.uuid, "B1");
  });

  test("no status field, or another status: FAILED with the answer's message and the whole answer", async () => {
    const { out } = await withProxy({
      scan: answer.offContract(answer.json({ message: "no status here", uuid: "S" })),
      list: answer.json({ status: 500, message: "disk busy", extra: [1] }),
      clear: answer.json({ status: 201, message: "odd" }),
    }, [["triggerScan"], ["triggerList", "S"], ["triggerClearLog", "S"]]);
    assert.deepEqual(out[0], { state: "FAILED", result: { message: "no status here", uuid: "S" }, message: "no status here" });
    assert.deepEqual(out[1], { state: "FAILED", result: { status: 500, message: "disk busy", extra: [1] }, message: "disk busy" });
    assert.equal(out[2].state, "FAILED");
  });

  test("a body that is not JSON: FAILED with the JSON parser's error text", async () => {
    const { out } = await withProxy({ scan: answer.offContract(answer.text("<html>oops</html>")),
      list: answer.offContract(answer.text("")) },
      [["triggerScan"], ["triggerList", "x"]]);
    assert.equal(out.length, 2);
    for (const r of out) {
      assert.deepEqual([r.state, r.result], ["FAILED", ""]);
      assert.match(r.message, /JSON/);
    }
  });

  test("mended: a JSON body that is not an object (null, number, array, text) gives FAILED with a clear message", async () => {
    const bodies = [null, 5, [{ status: 200 }], "200", true];
    const calls = bodies.map(() => ["getStatusById", "U", 0, 1]);
    const { out } = await withProxy({ status: (req, n) => answer.offContract(answer.json(bodies[n])) }, calls);
    const message = "Invalid answer from the repair service: the body is not a JSON object";
    assert.deepEqual(out, bodies.map(() => ({ state: "FAILED", result: "", message })));
  });
});

describe("bounded waits", () => {
  test("a request without an answer fulfils at its bound with FAILED, saying that the service did not answer", async () => {
    const ui = await open(everyOperation(answer.hang()), { path: "/__blank.html" });
    const start = await ui.page.evaluate(async ({ base, calls }) => {
      const { SystemProxy } = await import("/system_proxy.js");
      const proxy = new SystemProxy(base);
      window.__done = calls.map(() => null);
      calls.forEach(([method, ...args], i) => {
        proxy[method](...args).then(
          (record) => (window.__done[i] = { ...record, after: Date.now() }),
          (e) => (window.__done[i] = { rejected: String(e) }),
        );
      });
      return Date.now();
    }, { base: SERVICE, calls: ALL_CALLS });
    await ui.requests(8);
    await ui.idle();
    const r = await ui.runUntil("window.__done.every(Boolean)", { step: 500 });
    assert.ok(r.ok, JSON.stringify(r));
    const done = await ui.page.evaluate(() => window.__done);
    ui.svc.requests.forEach((request, i) => {
      const bound = ANSWER_BOUNDS_MS[request.path.slice("/lumenos-repair".length)];
      const message = `The repair service did not answer within ${bound / 1000} s`;
      assert.deepEqual(done[i], { state: "FAILED", result: "", message, after: start + bound }, request.path);
    });
    assert.equal(ui.svc.requests.length, 8, "nothing sent again");
    // A status poll is given up on soonest, an action's request last.
    const bounds = Object.values(ANSWER_BOUNDS_MS);
    assert.equal(Math.min(...bounds), ANSWER_BOUNDS_MS["/status"]);
    assert.equal(Math.max(...bounds), ANSWER_BOUNDS_MS["/restore"]);
  });
});
