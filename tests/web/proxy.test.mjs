// SystemProxy, the page's client of the repair service. Each test
// loads the module into a blank page of the same origin and calls it
// directly; the service is answered per test by a route.

import { test, describe } from "node:test";
import assert from "node:assert/strict";
import { browserForFile } from "./harness/browser.mjs";
import { UI } from "./harness/ui.mjs";
import { FakeService, answer, SERVICE } from "./harness/fake_service.mjs";
import { ANSWER_BOUNDS_MS } from "../../web/system_proxy.js";

const env = browserForFile();

// Runs calls in the page: [[method, ...args], ...] -> records.
async function withProxy(svc, calls) {
  const ui = await UI.open(env, svc, { path: "/__blank.html", clock: false, console: true });
  try {
    const records = await ui.page.evaluate(
      async ({ base, calls }) => {
        const { SystemProxy } = await import("/system_proxy.js");
        const proxy = new SystemProxy(base);
        const out = [];
        for (const [method, ...args] of calls) {
          try {
            out.push(await proxy[method](...args));
          } catch (e) {
            out.push({ threw: String(e) });
          }
        }
        return { out, server: proxy.server };
      },
      { base: SERVICE, calls },
    );
    return { ...records, ui };
  } finally {
    await ui.close();
  }
}

const ALL_CALLS = [
  ["triggerScan"],
  ["triggerList", "U1"],
  ["getStatusById", "U1", 7, 100],
  ["triggerRestore", "sda", "lumenos-2.4", "U1"],
  ["triggerRepair", "sda", "lumenos-2.4", "U1"],
  ["triggerFactoryReset", "sda", "lumenos-2.4", "U1"],
  ["triggerReboot", "sda", "lumenos-2.4", "U1", 10],
  ["triggerClearLog", "R9"],
];

describe("requests: path and query of every method", () => {
  test("each method sends one GET with the path and query keys of the service interface, in order", async () => {
    const ok = answer.done("ok");
    const svc = new FakeService({
      scan: ok, list: ok, status: ok, restore: ok, repair: ok,
      "factory-reset": ok, reboot: ok, clear: ok,
    });
    const { out, server } = await withProxy(svc, ALL_CALLS);
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
    const svc = new FakeService({ restore: answer.done("ok") });
    await withProxy(svc, [["triggerRestore", "nvme0n1p2", "Lumenos_2.4-rc.1~x*(y)!", "0f-3A_b.c"]]);
    assert.equal(svc.requests[0].query, "disc=nvme0n1p2&image=Lumenos_2.4-rc.1~x*(y)!&scanuuid=0f-3A_b.c");
  });

  test("mended: values are escaped with encodeURIComponent and cannot change what a request names", async () => {
    const svc = new FakeService({ restore: answer.done("ok"), "factory-reset": answer.done("ok") });
    const disc = "sda&image=evil";
    const image = "a=b#c?d%e f";
    const uuid = "u&scanuuid=other";
    await withProxy(svc, [
      ["triggerRestore", disc, image, uuid],
      ["triggerFactoryReset", disc, image, uuid],
    ]);
    const [restore, reset] = svc.requests;
    assert.equal(
      restore.query,
      "disc=" + encodeURIComponent(disc) + "&image=" + encodeURIComponent(image) +
        "&scanuuid=" + encodeURIComponent(uuid),
    );
    assert.deepEqual(restore.params, { disc, image, scanuuid: uuid });
    assert.deepEqual(reset.params, { disc, efi: image, image: uuid });
    assert.equal(restore.path, "/lumenos-repair/restore");
  });
});

// One answer for each of the service's eight operations.
function everyOperation(a) {
  const ops = ["scan", "list", "status", "restore", "repair", "factory-reset", "reboot", "clear"];
  return Object.fromEntries(ops.map((op) => [op, a]));
}

describe("records: one for every kind of answer, never a throw", () => {
  test("service down: every method fulfils with FAILED and the browser's network error text", async () => {
    const svc = new FakeService(everyOperation(answer.down()));
    const { out } = await withProxy(svc, ALL_CALLS);
    assert.equal(out.length, 8);
    for (const r of out) {
      assert.equal(r.threw, undefined);
      assert.equal(r.state, "FAILED");
      assert.equal(r.result, "");
      assert.equal(r.message, "Failed to fetch");
    }
    assert.equal(svc.requests.length, 8);
  });

  test("HTTP 404 with a valid JSON body: FAILED with the status text, body not read", async () => {
    const svc = new FakeService({
      status: answer.http(404, { status: 200, message: "all fine", uuid: "x" }),
      list: answer.http(503, { status: 200 }),
    });
    const { out, ui } = await withProxy(svc, [["getStatusById", "U", 0, 1], ["triggerList", "U"]]);
    assert.deepEqual(out[0], { state: "FAILED", result: "", message: "Not Found" });
    assert.deepEqual(out[1], { state: "FAILED", result: "", message: "Service Unavailable" });
    assert.ok(ui.consoleLines.includes("Response error : Not Found"));
    assert.ok(ui.consoleLines.includes("trigger: " + SERVICE + "/status?uuid=U&start=0&max=1"));
  });

  test("JSON status 102 gives PENDING with the uuid; status \"200\" as text gives FINISHED", async () => {
    const svc = new FakeService({
      restore: answer.json({ status: 102, uuid: "R1", message: "accepted" }),
      repair: answer.json({ status: "200", message: "done at once" }),
      reboot: answer.json({ status: "102", uuid: "B1" }),
    });
    const { out } = await withProxy(svc, [
      ["triggerRestore", "d", "i", "u"],
      ["triggerRepair", "d", "i", "u"],
      ["triggerReboot", "d", "i", "u", 10],
    ]);
    assert.deepEqual(out[0], {
      state: "PENDING",
      result: { status: 102, uuid: "R1", message: "accepted" },
      message: "accepted",
    });
    assert.equal(out[1].state, "FINISHED");
    assert.equal(out[1].message, "done at once");
    assert.deepEqual(out[1].result, { status: "200", message: "done at once" });
    assert.equal(out[2].state, "PENDING");
    assert.equal(out[2].result.uuid, "B1");
  });

  test("no status field, or another status: FAILED with the answer's message and the whole answer", async () => {
    const svc = new FakeService({
      scan: answer.json({ message: "no status here", uuid: "S" }),
      list: answer.json({ status: 500, message: "disk busy", extra: [1] }),
      clear: answer.json({ status: 201, message: "odd" }),
    });
    const { out } = await withProxy(svc, [["triggerScan"], ["triggerList", "S"], ["triggerClearLog", "S"]]);
    assert.deepEqual(out[0], {
      state: "FAILED",
      result: { message: "no status here", uuid: "S" },
      message: "no status here",
    });
    assert.deepEqual(out[1], {
      state: "FAILED",
      result: { status: 500, message: "disk busy", extra: [1] },
      message: "disk busy",
    });
    assert.equal(out[2].state, "FAILED");
  });

  test("a body that is not JSON: FAILED with the JSON parser's error text", async () => {
    const svc = new FakeService({
      scan: answer.text("<html>oops</html>"),
      list: answer.text(""),
    });
    const { out } = await withProxy(svc, [["triggerScan"], ["triggerList", "x"]]);
    for (const r of out) {
      assert.equal(r.state, "FAILED");
      assert.equal(r.result, "");
      assert.match(r.message, /JSON/);
    }
  });

  test("mended: a JSON body that is not an object (null, number, array, text) gives FAILED with a clear message", async () => {
    const bodies = [null, 5, [{ status: 200 }], "200", true];
    let i = 0;
    const svc = new FakeService({ status: () => answer.json(bodies[i++]) });
    const { out } = await withProxy(
      svc,
      bodies.map(() => ["getStatusById", "U", 0, 1]),
    );
    assert.equal(out.length, bodies.length);
    for (const r of out) {
      assert.equal(r.threw, undefined);
      assert.deepEqual(r, {
        state: "FAILED",
        result: "",
        message: "Invalid answer from the repair service: the body is not a JSON object",
      });
    }
  });
});

describe("bounded waits", () => {
  test("a request without an answer fulfils at its bound with FAILED, saying that the service did not answer", async () => {
    const svc = new FakeService(everyOperation(answer.hang()));
    const ui = await UI.open(env, svc, { path: "/__blank.html" });
    try {
      const start = await ui.page.evaluate(
        async ({ base, calls }) => {
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
        },
        { base: SERVICE, calls: ALL_CALLS },
      );
      await ui.requests(8);
      await ui.idle();
      const r = await ui.runUntil("window.__done.every(Boolean)", { step: 500 });
      assert.ok(r.ok, JSON.stringify(r));
      const done = await ui.page.evaluate(() => window.__done);
      svc.requests.forEach((request, i) => {
        const bound = ANSWER_BOUNDS_MS[request.path.slice("/lumenos-repair".length)];
        assert.deepEqual(done[i], {
          state: "FAILED",
          result: "",
          message: `The repair service did not answer within ${bound / 1000} s`,
          after: start + bound,
        }, request.path);
      });
      assert.equal(svc.requests.length, 8, "nothing sent again");
      // A status poll is given up on soonest, an action's request last.
      const bounds = Object.values(ANSWER_BOUNDS_MS);
      assert.equal(Math.min(...bounds), ANSWER_BOUNDS_MS["/status"]);
      assert.equal(Math.max(...bounds), ANSWER_BOUNDS_MS["/restore"]);
    } finally {
      await ui.close();
    }
  });
});
