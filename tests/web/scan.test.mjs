// Page start, the scan behind its overlay, the list and the image
// menu, with the failure texts and the mended handling of odd answers.

import { test, describe } from "node:test";
import assert from "node:assert/strict";
import { pagePerTest } from "./harness/browser.mjs";
import { answer, SCAN_UUID } from "./harness/fake_service.mjs";

let ui;
const { open, ready } = pagePerTest();

const FAILURE_HTML = "<h1>Failed: </h1><p>Restart application</p>";
// The overlay after a failed scan (indicator hidden) or list (still running).
const SCAN_FAILED = { overlay: true, indicator: false, scanMsg: FAILURE_HTML };
const LIST_FAILED = { overlay: true, indicator: true, scanMsg: FAILURE_HTML };

async function overlayState() {
  return ui.page.evaluate(() => {
    const img = document.getElementById("loading_img");
    return {
      overlay: !!document.getElementById("loading_id"),
      indicator: !!img && getComputedStyle(img).display !== "none",
      scanMsg: document.getElementById("scan_msg")?.innerHTML,
    };
  });
}

const pendingScan = (status) => ({ scan: answer.pending(SCAN_UUID, "scan accepted"), status });
const entries = () => ui.page.$$eval("#images option", (all) => all.map((o) => [o.value, o.textContent]));

describe("page start and overlay", () => {
  test("the overlay covers the page with indicator, caption and \"Scan started\" while the scan is out", async () => {
    ui = await open({ scan: answer.hang() });
    await ui.requests(1);
    assert.deepEqual(await overlayState(), { overlay: true, indicator: true, scanMsg: "<h5>Scan started</h5>" });
    assert.match(await ui.text("#loading_id h2"), /^Scanning disk\.\.$/);
    // Pointer input reaches nothing beneath: the "restore" checkbox's spot
    // belongs to the overlay.
    const hit = await ui.page.evaluate(() => {
      const r = document.getElementById("restore").getBoundingClientRect();
      const e = document.elementFromPoint(r.x + r.width / 2, r.y + r.height / 2);
      return !!e.closest("#loading_id");
    });
    assert.equal(hit, true);
    // The menu's placeholder entry.
    const menu = await ui.page.$$eval("#images option", (all) => all.map((o) => [o.value, o.textContent, o.disabled]));
    assert.deepEqual(menu, [["wait", '"Scanning Images...Wait"', true]]);
    assert.deepEqual(ui.svc.ops(), ["scan"]);
  });
});

describe("scan answered at once", () => {
  test("status 200: no status poll, the list is asked with the answer's uuid, overlay gone 1000 ms later", async () => {
    ui = await open({ scan: answer.done("scanned", { uuid: "U-now" }) });
    await ui.idle();
    assert.deepEqual(ui.svc.ops(), ["scan", "list"]);
    assert.equal(ui.svc.of("list")[0].query, "uuid=U-now");
    const finished = { overlay: true, indicator: true, scanMsg: "<h5>Scan: Scan finished</h5>" };
    assert.deepEqual(await overlayState(), finished, "overlay still there right after the list");
    for (const [ms, overlay] of [[999, true], [1, false]]) {
      await ui.advance(ms);
      assert.equal((await overlayState()).overlay, overlay, `after ${ms} ms more`);
    }
    assert.deepEqual(ui.svc.ops(), ["scan", "list"]);
  });

  for (const [name, scan] of [
    ["JSON status 500", answer.refused("no discs")],
    ["no status field", answer.offContract(answer.json({ uuid: "x", message: "?" }))],
    ["HTTP 404", answer.http(404, { status: 200, uuid: "x" })],
    ["service down", answer.down()],
    ["a body that is not JSON", answer.offContract(answer.text("garbage"))],
    ["null", answer.offContract(answer.json(null))],
    // Mended: a scan answer without a uuid.
    ["status 200 without a uuid", answer.offContract(answer.done("scanned"))],
    ["status 102 without a uuid", answer.offContract(answer.json({ status: 102, message: "accepted" }))],
    ["status 102 and an empty uuid", answer.offContract(answer.json({ status: 102, uuid: "" }))],
    ["status 102 and a uuid that is an object", answer.offContract(answer.json({ status: 102, uuid: { id: 1 } }))],
  ]) {
    test(`scan answered with ${name}: fixed failure text, indicator hidden, overlay stays; nothing more is asked`, async () => {
      ui = await open({ scan });
      await ui.idle();
      const r = await ui.runUntil("false", { max: 20, stallMs: 200 });
      assert.equal(r.steps, 0, "no timer runs: nothing more happens");
      assert.deepEqual(await overlayState(), SCAN_FAILED);
      assert.deepEqual(ui.svc.ops(), ["scan"]);
    });
  }
});

describe("scan polling", () => {
  test("poll n waits 1000 ms and asks start=n, max=1; code 102 shows its line and goes on; 200 lists", async () => {
    const lines = ["Looking at <b>sda</b>", "Looking at sdb", "done"];
    ui = await open(pendingScan((req, n) => answer.status(SCAN_UUID, n < 2 ? 102 : 200, lines[n])), { console: true });
    await ui.idle();
    assert.deepEqual(ui.svc.ops(), ["scan"]);
    await ui.elapse(999);
    assert.equal(ui.svc.of("status").length, 0, "no poll before 1000 ms");
    await ui.elapse(1);
    assert.equal(ui.svc.of("status").length, 1);
    // The service's status line is rendered as markup.
    assert.equal((await overlayState()).scanMsg, "<h5>Looking at <b>sda</b></h5>");
    assert.ok(ui.consoleLines.includes("Scanning log: running:Looking at <b>sda</b>"));
    await ui.elapse(1000);
    assert.equal((await overlayState()).scanMsg, "<h5>Looking at sdb</h5>");
    await ui.elapse(1000);
    assert.deepEqual(ui.svc.of("status").map((r) => r.query), [0, 1, 2].map((n) => `uuid=${SCAN_UUID}&start=${n}&max=1`));
    assert.deepEqual(ui.svc.ops(), ["scan", "status", "status", "status", "list"]);
    assert.equal(ui.svc.of("list")[0].query, `uuid=${SCAN_UUID}`);
    assert.equal((await overlayState()).scanMsg, "<h5>Scan: Scan finished</h5>");
    await ui.ready();
    assert.equal(await ui.page.locator("#images option").count(), 5);
  });

  test("code 404 in the entry ends the scan as failed at once", async () => {
    ui = await open(pendingScan((req, n) => answer.status(SCAN_UUID, n === 0 ? 102 : 404, "disc error")));
    const r = await ui.runUntil("false", { max: 50, stallMs: 300 });
    assert.equal(r.ok, false);
    assert.equal(ui.svc.of("status").length, 2);
    assert.deepEqual(await overlayState(), SCAN_FAILED);
    assert.deepEqual(ui.svc.ops(), ["scan", "status", "status"]);
  });

  test("polls that fail are ignored one by one; after exactly 1000 the scan fails", async () => {
    const kinds = [answer.down(), answer.http(500, { status: 200 }), answer.refused("busy", 503), answer.offContract(answer.text("not json")),
      answer.status(SCAN_UUID, 102, "still scanning")];
    ui = await open(pendingScan((req, n) => kinds[n % kinds.length]));
    await ui.reach("document.getElementById('scan_msg').textContent.startsWith('Failed')", { max: 1100 });
    const polls = ui.svc.of("status");
    assert.equal(polls.length, 1000);
    assert.equal(polls[999].query, `uuid=${SCAN_UUID}&start=999&max=1`);
    polls.forEach((p, n) => assert.equal(p.params.start, String(n)));
    assert.deepEqual(await overlayState(), SCAN_FAILED);
    assert.equal(ui.svc.of("list").length, 0);
    // Nothing further happens.
    await ui.elapse(5000);
    assert.equal(ui.svc.of("status").length, 1000);
  });

  test("mended: a FINISHED status answer without an entry for the scan uuid is a poll without news", async () => {
    const odd = [
      answer.json({ status: 200, status_list: { other: [200, "done", "x"] }, log_messages: [] }),
      answer.json({ status: 200, log_messages: [] }),
      answer.json({ status: 200, status_list: null }),
      answer.json({ status: 200, status_list: { [SCAN_UUID]: "200" } }),
      answer.json({ status: 200, status_list: [] }),
    ].map(answer.offContract);
    ui = await open(pendingScan((req, n) => (n < odd.length ? odd[n] : answer.status(SCAN_UUID, 200, "ok"))));
    await ui.reach("!document.getElementById('loading_id')", { max: 50 });
    assert.deepEqual(ui.svc.of("status").map((q) => q.params.start), ["0", "1", "2", "3", "4", "5"]);
    assert.equal(ui.svc.of("list").length, 1);
  });
});

describe("the list", () => {
  test("list PENDING: nothing further, overlay stays with \"Scan: Scan finished\"", async () => {
    ui = await open({ list: answer.pending("L1") });
    await ui.idle();
    await ui.elapse(5000);
    assert.deepEqual(await overlayState(), { overlay: true, indicator: true, scanMsg: "<h5>Scan: Scan finished</h5>" });
    assert.deepEqual(ui.svc.ops(), ["scan", "list"]);
  });

  for (const [name, list] of [
    ["FAILED", answer.refused("cannot list")],
    // Mended: answers without a list of discs.
    ["without os_list", answer.offContract(answer.json({ status: 200, message: "ok" }))],
    ["with os_list null", answer.offContract(answer.json({ status: 200, os_list: null }))],
    ["with os_list an array", answer.offContract(answer.json({ status: 200, os_list: [{ disc: "x", images: {} }] }))],
    ["with os_list a text", answer.offContract(answer.json({ status: 200, os_list: "sda" }))],
  ]) {
    test(`a list answer ${name}: failure text, indicator still running, overlay stays`, async () => {
      ui = await open({ list });
      await ui.idle();
      await ui.advance(5000);
      assert.deepEqual(await overlayState(), LIST_FAILED);
    });
  }
});

describe("the image menu", () => {
  test("two discs with two images each give \"Select..\" and four entries in member order", async () => {
    ui = await ready();
    assert.deepEqual(await entries(), [
      ["", "Select.."],
      ['{"disc":"sda","image":"lumenos-2.4"}', "sda:Internal : lumenos-2.4  "],
      ['{"disc":"sda","image":"lumenos-2.3"}', "sda:Internal : lumenos-2.3  "],
      ['{"disc":"mmcblk0","image":"lumenos-3.0-rc1"}', "mmcblk0:SDcard : lumenos-3.0-rc1  "],
      ['{"disc":"mmcblk0","image":"factory"}', "mmcblk0:SDcard : factory  "],
    ]);
    assert.deepEqual(await ui.page.$eval("#images", (m) => [m.selectedIndex, m.value]), [0, ""]);
  });

  test("an empty os_list gives \"Select..\" alone; the overlay still goes after 1000 ms", async () => {
    ui = await open({ list: answer.done("none", { os_list: {} }) });
    await ui.idle();
    assert.deepEqual(await entries(), [["", "Select.."]]);
    assert.equal((await overlayState()).overlay, true);
    await ui.advance(1000);
    assert.equal((await overlayState()).overlay, false);
  });

  test("mended: disc keys, labels and image keys are inserted as text, never as markup", async () => {
    const evil = '<img src=x onerror="window.__pwned=1">';
    const disc = "d<i>" + evil;
    const image = "<script>window.__pwned=2</script>" + evil;
    const os_list = { [disc]: { disc: "<b>Label</b>" + evil, images: { [image]: {} } },
      plain: { disc: "", images: "not an object" }, odd: 5 };
    // With discs that have no label or images as the contract wants them.
    ui = await ready({ list: answer.offContract(answer.done("ok", { os_list })) });
    await ui.advance(100);
    const r = await ui.page.evaluate(() => {
      const o = document.getElementById("images").options;
      return {
        count: o.length,
        text: o[1].textContent,
        value: JSON.parse(o[1].value),
        elements: document.querySelectorAll("#images *:not(option)").length,
        pwned: window.__pwned ?? null,
      };
    });
    const text = `${disc}:<b>Label</b>${evil} : ${image}  `;
    assert.deepEqual(r, { count: 2, text, value: { disc, image }, elements: 0, pwned: null });
  });
});
