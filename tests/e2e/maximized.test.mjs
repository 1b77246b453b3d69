// The switch "maximized", bare or with a value, opens the window maximized
// and resizable; the page's window.close() then ends the program.

import assert from "node:assert/strict";
import { describe, it } from "node:test";
import { useSession, waitFor } from "./harness/session.mjs";

for (const maximizedSwitch of ["--maximized", "--maximized=1"]) {
  describe(`a start with ${maximizedSwitch}`, () => {
    const { session } = useSession({ appArgs: [maximizedSwitch] });

    it("opens maximized and resizable", async () => {
      const { display, page, window } = session;
      await waitFor("_NET_WM_STATE_MAXIMIZED_VERT and _HORZ", async () => {
        const atoms = await display.atoms(window.id, "_NET_WM_STATE");
        return atoms.includes("_NET_WM_STATE_MAXIMIZED_VERT") && atoms.includes("_NET_WM_STATE_MAXIMIZED_HORZ");
      });
      const actions = await display.atoms(window.id, "_NET_WM_ALLOWED_ACTIONS");
      assert.ok(actions.includes("_NET_WM_ACTION_RESIZE"), `resizing among ${actions}`);
      const hints = await display.sizeHints(window.id);
      assert.notDeepEqual(hints.maximum, [800, 700], "no fixed maximum size");
      const geometry = await display.geometry(window.id);
      assert.ok(geometry.width > 1200 && geometry.height > 900,
        `fills the 1280x1024 screen: ${geometry.width}x${geometry.height}`);
      assert.deepEqual(await page.evaluate("[innerWidth, innerHeight]"), [geometry.width, geometry.height]);
    });

    it("ends with status 0 when the page calls window.close()", async () => {
      const { app, page } = session;
      await page.evaluate("window.close()");
      assert.deepEqual(await app.waitForExit(15000), { code: 0, signal: null });
    });
  });
}
