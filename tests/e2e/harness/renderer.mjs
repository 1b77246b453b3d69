// The page's renderer in the program's process tree, killed as the kernel's
// out-of-memory killer would, and the page found again afterwards.

import { PageSession, pageTargets } from "./cdp.mjs";
import { processStat } from "./process_group.mjs";
import { waitFor } from "../../wait.mjs";

// Renderers are forks of the engine's zygote: the processes of the
// program's group whose parent is a process of the group other than the
// program itself.
export function rendererPids(app) {
  const group = app.process.groupPids();
  return group.filter((pid) => {
    const info = processStat(pid);
    return info && info.state !== "Z" && info.parent !== app.pid && group.includes(info.parent);
  });
}

// Holds in the page shown again once it shows the action page of a running
// action on the list's first image.
export const ACTION_PAGE_BACK = `document.getElementById('action_ui').style.display !== 'none'
  && document.getElementById('action_label').textContent.startsWith('Running ')
  && document.getElementById('images').selectedIndex === 1`;

// SIGKILLs the page's renderer once it runs; delivers the pids killed.
export async function killRenderer(app) {
  const pids = await waitFor("a renderer of lumenos-repair-app", () => {
    const found = rendererPids(app);
    return found.length > 0 && found;
  });
  for (const pid of pids) process.kill(pid, "SIGKILL");
  await waitFor("the renderer to die", () => pids.every((pid) => (processStat(pid)?.state ?? "Z") === "Z"));
  return pids;
}

// A DevTools session on the page shown again, once the page expression
// `ready` holds in it; it replaces app.page.
export async function pageAgain(app, ready, timeout = 20000) {
  if (app.page) app.page.close();
  app.page = null;
  app.page = await waitFor("the page to be shown again", async () => {
    app.process.checkRunning();
    for (const target of await pageTargets(app.debugPort)) {
      const page = await PageSession.connect(target.webSocketDebuggerUrl);
      try {
        const answer = await page.send("Runtime.evaluate", { expression: ready, returnByValue: true }, 1000);
        if (answer.result && answer.result.value) return page;
      } catch {
        // A page without a renderer yet.
      }
      page.close();
    }
    return null;
  }, { timeout, interval: 50 });
  return app.page;
}
