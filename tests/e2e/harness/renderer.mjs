// The page's renderer in the program's process tree, killed as the kernel's
// out-of-memory killer would, and the page found again afterwards.

import { readFileSync } from "node:fs";
import { PageSession, pageTargets } from "./cdp.mjs";
import { waitFor } from "./wait.mjs";

// The state letter and parent of a process; null once it is gone.
function stat(pid) {
  try {
    const text = readFileSync(`/proc/${pid}/stat`, "utf8");
    const [state, parent] = text.slice(text.lastIndexOf(")") + 2).split(" ");
    return { state, parent: Number(parent) };
  } catch {
    return null;
  }
}

// Renderers are forks of the engine's zygote: the processes of the
// program's group whose parent is a process of the group other than the
// program itself.
export function rendererPids(app) {
  const group = app.process.groupPids();
  return group.filter((pid) => {
    const info = stat(pid);
    return info && info.state !== "Z" && info.parent !== app.pid && group.includes(info.parent);
  });
}

// SIGKILLs the page's renderer once it runs; delivers the pids killed.
export async function killRenderer(app) {
  const pids = await waitFor("a renderer of lumenos-repair-app", () => {
    const found = rendererPids(app);
    return found.length > 0 && found;
  });
  for (const pid of pids) process.kill(pid, "SIGKILL");
  await waitFor("the renderer to die", () => pids.every((pid) => (stat(pid)?.state ?? "Z") === "Z"));
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
