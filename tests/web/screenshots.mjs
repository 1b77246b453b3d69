// Takes screenshots of the repair page in its main states, for a person to
// look at (not a test):  node web/screenshots.mjs [out-dir] [WxH]
//
// scanning, first page, dialog, running action, success, failure, scan
// failure.

import fs from "node:fs";
import path from "node:path";
import { answer, FakeService, setup, UI } from "./harness/browser.mjs";

const out = path.resolve(process.argv[2] || "/tmp/lumenos-shots");
const [width, height] = (process.argv[3] || "800x700").split("x").map(Number);
fs.mkdirSync(out, { recursive: true });

const env = await setup();
const shot = async (ui, name) => {
  const file = path.join(out, name + ".png");
  // Pictures whose src just changed load asynchronously.
  await ui.waitFor("[...document.images].every((i) => i.complete)");
  await ui.page.screenshot({ path: file });
  console.log(file);
};
// A page of the given viewport with the service answering by handlers.
const open = (handlers) => UI.open(env, new FakeService(handlers), { viewport: { width, height } });
try {
  const R = "R-1";
  const copying = (n) => [`[00:0${n}] rsync: sending incremental file list`, `[00:0${n}] usr/lib/lumenos/module-${n}.so`];
  let ui = await open({
    scan: answer.held(answer.pending("S-1", "scan accepted")),
    status: (req, n) => {
      if (req.params.uuid === "S-1") return answer.status("S-1", n < 1 ? 102 : 200, "Looking at sda");
      if (n >= 5) return answer.status(R, 200, "Restore complete", ["[00:09] done"]);
      return answer.status(R, 102, "Copying system files (42%)", copying(n));
    },
    restore: answer.pending(R, "Restore of sda accepted"),
  });
  await ui.requests(1);
  await ui.advance(100);
  await shot(ui, "1-scanning");
  await ui.svc.release();
  await ui.ready();
  await shot(ui, "2-first-page");
  await ui.ask(1, "restore");
  await ui.advance(400);
  await shot(ui, "3-dialog");
  await ui.answer(true);
  await ui.idle();
  await ui.dialogGone();
  await ui.runUntil("document.getElementById('action_log').textContent.split('\\n').length > 6", { step: 2000 });
  await shot(ui, "4-running");
  await ui.untilResult();
  await shot(ui, "5-success");
  await ui.close();

  ui = await open({ restore: answer.refused("Disc 'sda' is locked by another process") });
  await ui.ready();
  await ui.start(2, "restore");
  await ui.idle();
  await ui.dialogGone();
  await shot(ui, "6-failure");
  await ui.close();

  ui = await open({ scan: answer.refused("service starting", 503) });
  await ui.idle();
  await ui.advance(100);
  await shot(ui, "7-scan-failed");
  await ui.close();
} finally {
  await env.teardown();
}
