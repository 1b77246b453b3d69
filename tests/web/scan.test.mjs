// Page start, the scan behind its overlay, the list and the image
// menu, with the failure states and their way on, the wait for a service
// that is not there yet, and the mended handling of odd answers.

import { test, describe } from "node:test";
import assert from "node:assert/strict";
import { answer, pagePerTest, SCAN_UUID, TWO_DISCS } from "./harness/browser.mjs";
import { FIRST_PAGE } from "../page_reading.mjs";

let ui;
const { open, ready, quiet } = pagePerTest();

const FAILURE_HTML = "<h1>Failed: </h1><p>Restart application</p>";
// The overlay after a failed scan or list: no busy indicator, and "Try
// again" shown with the focus.
const FAILED = { overlay: true, indicator: false, scanMsg: FAILURE_HTML, retry: "focused" };
const WAITING_HTML = "<h5>Waiting for the repair service to start...</h5>";

async function overlayState() {
  const { overlay, indicator, scanHtml: scanMsg, retry } = await ui.page.evaluate(FIRST_PAGE);
  return { overlay, indicator, scanMsg, retry };
}

const pendingScan = (status) => ({ scan: answer.pending(SCAN_UUID, "scan accepted"), status });
const entries = () => ui.page.$$eval("#images option", (all) => all.map((o) => [o.value, o.textContent]));

describe("page start and overlay", () => {
  test("the overlay covers the page with indicator, caption and \"Scan started\" while the scan is out", async () => {
    ui = await open({ scan: answer.hang() });
    await ui.requests(1);
    assert.deepEqual(await overlayState(), { overlay: true, indicator: true, scanMsg: "<h5>Scan started</h5>", retry: "none" });
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
    ui = await quiet({ scan: answer.done("scanned", { uuid: "U-now" }) });
    assert.deepEqual(ui.svc.ops(), ["scan", "list"]);
    assert.equal(ui.svc.of("list")[0].query, "uuid=U-now");
    const finished = { overlay: true, indicator: true, scanMsg: "<h5>Scan: Scan finished</h5>", retry: "none" };
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
    ["a body that is not JSON", answer.offContract(answer.text("garbage"))],
    ["null", answer.offContract(answer.json(null))],
    // Mended: a scan answer without a uuid.
    ["status 200 without a uuid", answer.offContract(answer.done("scanned"))],
    ["status 102 without a uuid", answer.offContract(answer.json({ status: 102, message: "accepted" }))],
    ["status 102 and an empty uuid", answer.offContract(answer.json({ status: 102, uuid: "" }))],
    ["status 102 and a uuid that is an object", answer.offContract(answer.json({ status: 102, uuid: { id: 1 } }))],
  ]) {
    test(`scan answered with ${name}: the failure state; nothing more is asked`, async () => {
      ui = await quiet({ scan });
      const r = await ui.runUntil("false", { max: 20, stallMs: 200 });
      assert.equal(r.steps, 0, "no timer runs: nothing more happens");
      assert.deepEqual(await overlayState(), FAILED);
      assert.deepEqual(ui.svc.ops(), ["scan"]);
    });
  }
});

describe("scan polling", () => {
  test("poll n waits 1000 ms and asks start=n, max=1; code 102 shows its line and goes on; 200 lists", async () => {
    const lines = ["Looking at <b>sda</b>", "Looking at sdb", "done"];
    ui = await quiet(pendingScan((req, n) => answer.status(SCAN_UUID, n < 2 ? 102 : 200, lines[n])), { console: true });
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
    assert.deepEqual(await overlayState(), FAILED);
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
    assert.deepEqual(await overlayState(), FAILED);
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
  test("a list answered \"still running\" is asked again every 1000 ms, then fills the menu", async () => {
    ui = await quiet({ list: (req, n) => (n < 2 ? answer.pending("L1") : answer.done("List ready", { os_list: TWO_DISCS })) });
    assert.deepEqual(await overlayState(), { overlay: true, indicator: true, scanMsg: "<h5>Scan: Scan finished</h5>", retry: "none" });
    await ui.elapse(999);
    assert.equal(ui.svc.of("list").length, 1);
    await ui.elapse(1);
    assert.equal(ui.svc.of("list").length, 2);
    await ui.ready();
    assert.deepEqual(ui.svc.ops(), ["scan", "list", "list", "list"]);
    assert.equal(ui.svc.of("list")[2].query, `uuid=${SCAN_UUID}`);
    assert.equal(await ui.page.locator("#images option").count(), 5);
  });

  for (const [name, list] of [
    ["FAILED", answer.refused("cannot list")],
    // Mended: answers without a list of discs.
    ["without os_list", answer.offContract(answer.json({ status: 200, message: "ok" }))],
    ["with os_list null", answer.offContract(answer.json({ status: 200, os_list: null }))],
    ["with os_list an array", answer.offContract(answer.json({ status: 200, os_list: [{ disc: "x", images: {} }] }))],
    ["with os_list a text", answer.offContract(answer.json({ status: 200, os_list: "sda" }))],
  ]) {
    test(`a list answer ${name}: the failure state`, async () => {
      ui = await quiet({ list });
      await ui.advance(5000);
      assert.deepEqual(await overlayState(), FAILED);
      assert.deepEqual(ui.svc.ops(), ["scan", "list"]);
    });
  }
});

describe("the first page's failure states", () => {
  const scanDone = answer.done("Scan finished", { uuid: SCAN_UUID });
  for (const [name, handlers, limit] of [
    ["the scan refused (JSON status 503)", { scan: answer.refused("service starting", 503) }],
    ["a status entry of 404", { scan: answer.pending(SCAN_UUID), status: answer.status(SCAN_UUID, 404, "no disc") }],
    ["the scan's poll limit", { scan: answer.pending(SCAN_UUID), status: answer.status(SCAN_UUID, 102, "looking") }, 1000],
    ["the wait for the service given up", { scan: answer.down() }],
    ["the list refused", { scan: scanDone, list: answer.refused("cannot list") }],
    ["the list still running at the scan's limit", { scan: scanDone, list: answer.pending("L1") }, 1000],
  ]) {
    test(`${name}: failure text, no indicator, "Try again" focused; Enter loads the page afresh and scans again`, async () => {
      ui = await open(handlers);
      await ui.reach("!!document.getElementById('retry_button') && !document.getElementById('retry_button').hidden",
        { max: 1100, step: 1000 });
      assert.deepEqual(await overlayState(), FAILED);
      if (limit) assert.equal(ui.svc.of(handlers.status ? "status" : "list").length, limit);
      // Nothing turns and nothing more is asked.
      const sent = ui.svc.requests.length;
      await ui.elapse(10000);
      assert.equal(ui.svc.requests.length, sent);

      // The service works now: Enter on "Try again" scans once more and reaches the menu.
      ui.svc.set("scan", scanDone);
      ui.svc.set("list", answer.done("List ready", { os_list: TWO_DISCS }));
      await Promise.all([ui.page.waitForEvent("domcontentloaded"), ui.keys("Enter")]);
      await ui.ready();
      assert.equal(ui.svc.requests.slice(sent).filter((r) => r.op === "scan").length, 1);
      assert.equal(await ui.page.locator("#images option").count(), 5);
      assert.equal(await ui.focused(), "images");
    });
  }

  test("a tap on \"Try again\" loads the page afresh", async () => {
    ui = await quiet({ scan: answer.refused("service starting", 503) });
    await Promise.all([ui.page.waitForEvent("domcontentloaded"), ui.page.click("#retry_button")]);
    await ui.idle();
    assert.deepEqual(ui.svc.ops(), ["scan", "scan"]);
  });
});

describe("a service that is not there yet", () => {
  test("the scan is sent again, one at a time, after 1, 2, 3, 4, then 5 s, with the waiting words; then the menu", async () => {
    // Refused, refused, never answered (given up at its 30 s bound), refused x3, then up.
    const tries = [answer.down(), answer.down(), answer.hang(), answer.down(), answer.down(), answer.down()];
    ui = await quiet({ scan: (req, n) => tries[n] ?? answer.done("Scan finished", { uuid: SCAN_UUID }) });
    assert.deepEqual(await overlayState(), { overlay: true, indicator: true, scanMsg: WAITING_HTML, retry: "none" });
    const times = [];
    while (ui.svc.of("scan").length < 7) {
      const before = ui.svc.of("scan").length;
      await ui.elapse(500);
      if (ui.svc.of("scan").length > before) times.push(await ui.page.evaluate(() => Date.now()));
      assert.ok(times.length === 0 || ui.svc.of("scan").length <= times.length + 1, "one scan at a time");
    }
    // After the first try at 1000: 1 s, 2 s, the unanswered one's 30 s and 3 s, 4 s, 5 s, 5 s.
    const first = 1000;
    assert.deepEqual(times.map((t) => t - first), [1000, 3000, 36000, 40000, 45000, 50000]);
    await ui.ready();
    assert.deepEqual(ui.svc.ops().slice(7), ["list"]);
  });
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
    ui = await quiet({ list: answer.done("none", { os_list: {} }) });
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
