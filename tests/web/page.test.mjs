// The first page once the menu is ready: the option
// checkboxes, the checks on "Proceed", the title, and the page's look
// where a test can tell (nothing scrolls, the top strip stays in sight).

import { test, describe } from "node:test";
import assert from "node:assert/strict";
import { answer, pagePerTest } from "./harness/browser.mjs";
import { OPTION_IDS } from "../../web/vocabulary.js";

let ui;
const { ready, started } = pagePerTest();

const checked = () =>
  ui.page.evaluate((ids) => ids.filter((id) => document.getElementById(id).checked), OPTION_IDS);

describe("document", () => {
  test("the title element holds \" Lumenos Repair \"; the document title is \"Lumenos Repair\"", async () => {
    ui = await ready();
    assert.equal(await ui.page.title(), "Lumenos Repair");
    assert.equal(await ui.text("title"), " Lumenos Repair ");
  });

  test("the four options in order, with titles, notes, checkbox values and descriptions", async () => {
    ui = await ready();
    const rows = await ui.page.evaluate(() =>
      [...document.querySelectorAll("#main_menu table.row")].map((t) => {
        const box = t.querySelector("input.checkbox");
        return { title: t.querySelector("h4.bold").firstChild.textContent,
          note: t.querySelector(".notready")?.textContent ?? null, id: box.id, value: box.value, type: box.type,
          description: [...t.querySelectorAll("td > p")].map((p) => p.innerText).join(" | ") };
      }),
    );
    assert.deepEqual(rows, [
      { title: "Restore", note: null, id: "restore", value: "Restore", type: "checkbox",
        description: "Restore your Tarrow operating system and boot configuration." },
      {
        title: "Factory Reset", note: "Not ready yet", id: "factory-reset", value: "Factory-reset", type: "checkbox",
        description:
          "Reset the built-in disk on this unit to factory standard. | Note: This will remove your personal " +
          "information, including your games and saved configuration, from this device!\n" +
          "This will attempt to keep any Orchard games installed on this device.",
      },
      {
        title: "Repair (Advance)", note: "Not ready yet", id: "repair", value: "Repair", type: "checkbox",
        description:
          "Switch to a limited Linux desktop environment to make any needed changes to your Tarrow. " +
          "Proceed with caution!",
      },
      { title: "Reboot", note: null, id: "reboot", value: "Reboot", type: "checkbox", description: "Reboot your Tarrow now." },
    ]);
    assert.equal(await ui.text("#ok_button"), "Proceed");
    assert.equal(await ui.text(".image-selection-box label"), "Select image :");
  });
});

describe("option checkboxes", () => {
  test("at most one option is checked; clicking the checked one leaves none", async () => {
    ui = await ready();
    assert.deepEqual(await checked(), []);
    // Each option clicked in turn, and the options checked after it.
    for (const [id, want] of [["restore", ["restore"]], ["repair", ["repair"]], ["factory-reset", ["factory-reset"]],
      ["factory-reset", []], ["reboot"], ["repair"], ["repair", []]]) {
      await ui.option(id);
      if (want) assert.deepEqual(await checked(), want, `after ${id}`);
    }
    // With none checked, "Proceed" with an image asks for an option.
    await ui.choose(1);
    await ui.proceed();
    assert.equal(await ui.text("#status"), " Please select any option");
  });

  test("titles and descriptions are not labels: clicking them checks nothing", async () => {
    ui = await ready();
    await ui.page.click("text=Reboot your Tarrow now.");
    await ui.page.click("h4.bold >> text=Restore");
    assert.deepEqual(await checked(), []);
  });
});

describe("checks on Proceed", () => {
  test("neither image nor option: \" Please select Image\"; no dialog, no request", async () => {
    ui = await ready();
    await ui.proceed();
    const after = [await ui.text("#status"), await ui.dialogOpen(), ui.svc.ops()];
    assert.deepEqual(after, [" Please select Image", false, ["scan", "list"]], "status line, dialog, requests");
  });

  test("the image is checked before the option", async () => {
    ui = await ready();
    await ui.option("restore");
    await ui.proceed();
    assert.equal(await ui.text("#status"), " Please select Image");
    await ui.choose(2);
    assert.equal(await ui.text("#status"), "", "a click on the list clears the message");
    await ui.option("restore"); // unchecks it
    await ui.proceed();
    assert.equal(await ui.text("#status"), " Please select any option");
    await ui.option("restore");
    assert.equal(await ui.text("#status"), "", "a click on a checkbox clears the message");
    await ui.proceed();
    assert.equal(await ui.dialogOpen(), true);
  });

  test("choosing \"Select..\" after an image makes Proceed ask for an image again", async () => {
    ui = await ready();
    await ui.choose(3);
    await ui.option("reboot");
    await ui.choose(0);
    await ui.proceed();
    assert.equal(await ui.text("#status"), " Please select Image");
    assert.equal(await ui.dialogOpen(), false);
  });

  test("a selection changed without a click counts at once: Proceed asks about the entry shown", async () => {
    ui = await ready();
    await ui.option("restore");
    await ui.page.evaluate(() => (document.getElementById("images").selectedIndex = 2));
    await ui.proceed();
    assert.equal(await ui.text("#status"), "");
    assert.equal(await ui.dialogOpen(), true);
    assert.equal(await ui.text("#exConfirmPromise_title"), "Restore");
    assert.equal(await ui.text("#exConfirmPromise_message"), "sda : lumenos-2.3Action can't be undone. Continue?");
  });
});

describe("look", () => {
  for (const [width, height] of [[800, 700], [420, 300], [1920, 1080]]) {
    const viewport = { width, height };
    test(`nothing scrolls at ${viewport.width}x${viewport.height}, before and during an action`, async () => {
      ui = await ready({ restore: answer.hang() }, { viewport });
      const noScroll = () => ui.page.evaluate(() => ({ overflow: getComputedStyle(document.body).overflow,
        vbar: window.innerWidth - document.documentElement.clientWidth,
        hbar: window.innerHeight - document.documentElement.clientHeight }));
      assert.deepEqual(await noScroll(), { overflow: "hidden", vbar: 0, hbar: 0 });
      await ui.page.setViewportSize({ width: viewport.width, height: Math.max(viewport.height, 700) });
      await ui.start(1, "restore");
      await ui.page.setViewportSize(viewport);
      assert.deepEqual(await noScroll(), { overflow: "hidden", vbar: 0, hbar: 0 });
      // The user cannot scroll with the wheel either.
      await ui.page.mouse.move(viewport.width / 2, viewport.height / 2);
      await ui.page.mouse.wheel(0, 800);
      await ui.advance(50);
      assert.equal(await ui.page.evaluate(() => window.scrollY), 0);
    });
  }

  test("during an action the top 100 px with the image list stay visible and usable above the panel", async () => {
    ui = await started({ restore: answer.hang() }, "restore");
    await ui.advance(600); // the dialog's overlay goes 510 ms after the answer
    const r = await ui.page.evaluate(() => {
      const panel = document.getElementById("action_id").getBoundingClientRect();
      const menu = document.getElementById("images").getBoundingClientRect();
      const hitMenu = document.elementFromPoint(menu.x + 20, menu.y + menu.height / 2);
      const hitBelow = document.elementFromPoint(400, 150);
      return { panelTop: panel.top, menuBottom: menu.bottom, hitMenu: hitMenu && hitMenu.id,
        below: !!hitBelow.closest("#action_id") };
    });
    assert.ok(r.menuBottom <= 100, `menu ends at ${r.menuBottom}`);
    assert.deepEqual([r.panelTop, r.hitMenu, r.below], [100, "images", true]);
  });

  test("the style rules that a user sees", async () => {
    ui = await ready();
    const s = await ui.page.evaluate(() => {
      const cs = (sel) => getComputedStyle(document.querySelector(sel));
      const button = cs("#ok_button");
      return { body: cs("body").backgroundColor, bodyMargin: cs("body").margin, row: cs("table.row").backgroundColor,
        box: cs(".image-selection-box").backgroundColor, boxHeight: cs(".image-selection-box").height,
        button: [button.width, button.height, button.color, button.borderStyle], notready: cs(".notready").color,
        menuWidth: cs("#images").width };
    });
    assert.deepEqual(s, { body: "rgb(120, 121, 122)", bodyMargin: "0px", row: "rgb(140, 140, 140)", box: "rgb(90, 90, 90)",
      boxHeight: "50px", button: ["100px", "40px", "rgb(153, 153, 153)", "none"], notready: "rgb(178, 7, 48)",
      // 70% of the box's width (800 - 20 margins).
      menuWidth: "546px" });
  });
});
