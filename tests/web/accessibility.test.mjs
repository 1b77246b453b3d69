// The page for assistive technology: axe-core's rules on the first page, the
// open dialog, the running action and its result.
//
// The one accepted exception is colour contrast: the palette is the page's
// own and stays. The ratios axe-core measured (AA asks 4.5 for text of this
// size): option titles #444444 on #8c8c8c 2.89; option descriptions #302e2e
// on #8c8c8c 4.01; "Not ready yet" #b20730 on #8c8c8c 2.1; the image label
// and the page's buttons #999999 on #5a5a5a 2.42; the image list #444444 on
// #8c8c8c 2.89; the status line #700812 on #78797a 2.77; the dialog's title
// #222222 on #888888 4.48 and its buttons #000000 on #5a5a5a 3.04.

import { test, describe } from "node:test";
import assert from "node:assert/strict";
import fs from "node:fs";
import { createRequire } from "node:module";
import { answer, pagePerTest } from "./harness/browser.mjs";

const axeSource = fs.readFileSync(createRequire(import.meta.url).resolve("axe-core/axe.min.js"), "utf8");

let ui;
const { ready } = pagePerTest();

// axe-core's violations other than colour contrast, as "rule: targets".
async function violations() {
  // Evaluated over the protocol, so the page's script policy does not apply.
  await ui.page.evaluate(axeSource);
  const found = await ui.page.evaluate(async () => {
    // axe-core waits on real timers; the page's clock is a paused fake one.
    const names = ["setTimeout", "clearTimeout", "setInterval", "clearInterval"];
    const fake = names.map((n) => window[n]);
    for (const n of names) window[n] = globalThis.__pwClock.builtins[n];
    try {
      const result = await window.axe.run(document, { resultTypes: ["violations"] });
      return result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(" ")).join(", ")}`);
    } finally {
      names.forEach((n, i) => (window[n] = fake[i]));
    }
  });
  return found.filter((v) => !v.startsWith("color-contrast:"));
}

describe("axe-core finds nothing but colour contrast", () => {
  test("on the first page, the open dialog, the running action and its result", async () => {
    const R = "R-1";
    ui = await ready({
      restore: answer.pending(R, "Restore accepted"),
      status: (request) => Number(request.params.start) < 2
        ? answer.status(R, 102, "Copying system files", ["copied a", "copied b"])
        : answer.status(R, 200, "Restore complete", ["done"]),
    });
    assert.deepEqual(await violations(), [], "the first page");

    await ui.ask(1, "restore");
    await ui.advance(600);
    assert.deepEqual(await violations(), [], "the open dialog");

    await ui.answer(true);
    await ui.idle();
    await ui.dialogGone();
    await ui.runUntil("document.getElementById('action_log').textContent.includes('copied b')", { step: 2000 });
    assert.deepEqual(await violations(), [], "the running action");

    await ui.untilResult();
    assert.deepEqual(await violations(), [], "the result");
  });
});
