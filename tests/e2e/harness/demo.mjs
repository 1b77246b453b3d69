// Runs the program against the stand-in on a virtual display, drives one
// whole repair (Restore of the first image) and keeps a screenshot of the
// window at each stage.
//
//   node demo.mjs [--scenario NAME_OR_FILE] [--out DIR]

import { mkdirSync } from "node:fs";
import path from "node:path";
import { parseArgs } from "node:util";
import { repoRoot } from "./paths.mjs";
import { RepairPage } from "./repair_page.mjs";
import { Session } from "./session.mjs";

const { values: options } = parseArgs({
  options: {
    scenario: { type: "string", default: "default" },
    out: { type: "string", default: path.join(repoRoot, "artifacts", "demo") },
  },
});
const outDir = path.resolve(options.out);
mkdirSync(outDir, { recursive: true });

let session;
let stage = 0;

async function shoot(name) {
  stage += 1;
  const file = path.join(outDir, `${stage}-${name}.png`);
  await session.display.screenshot(file, await session.display.frameRegion(session.window.id));
  console.log(`demo: ${file}`);
}

async function run() {
  session = await Session.start({ sim: { scenario: options.scenario } });
  const repair = new RepairPage(session.page);
  const { page } = session;

  await page.waitForPage("the scan's first status line",
    "!['Started...', 'Scan started'].includes(document.getElementById('scan_msg').textContent)",
    { timeout: 20000 });
  await shoot("scanning");
  const outcome = await page.waitForPage("the scan to end",
    `!document.getElementById("loading_id") ? "ready"
       : /Failed/.test(document.getElementById("scan_msg").textContent) && "failed"`,
    { timeout: 120000 });
  if (outcome === "failed") {
    await shoot("scan-failed");
    throw new Error(`the scan failed: ${await repair.prop("scan_msg")}`);
  }
  const menu = await repair.menu();
  if (menu.length < 2) {
    await shoot("no-images");
    throw new Error("the scan found no image");
  }
  await shoot("first-page");

  await repair.choose(1, "restore");
  await repair.proceed();
  await shoot("confirmation");
  await repair.answer(true);
  await repair.waitForActionMessage("the restore's first status line",
    "m !== 'Started...'", 20000);
  await shoot("running-action");
  const result = await repair.waitForResult(20 * 60 * 1000);
  await shoot("result");
  console.log(`demo: ${menu[1].text.trim()}: ${result.msg}`);
}

try {
  await run();
  console.log(`demo: screenshots in ${outDir}`);
} catch (e) {
  console.error(`demo: ${e.message}`);
  process.exitCode = 1;
} finally {
  await session?.stop();
}
