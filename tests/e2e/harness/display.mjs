// A virtual X display under a real window manager, and the X tools that
// inspect it.

import { execFile } from "node:child_process";
import { promisify } from "node:util";
import { ProcessGroup } from "./process_group.mjs";
import { Fatal, waitFor, withTimeout } from "./wait.mjs";

const execFileAsync = promisify(execFile);

export class VirtualDisplay {
  // Starts Xvfb on a display number of its own choosing, then openbox.
  static async start() {
    const display = new VirtualDisplay();
    try {
      await display.startServer();
      await display.startWindowManager();
    } catch (e) {
      await display.stop();
      throw e;
    }
    return display;
  }

  async startServer() {
    this.xvfb = new ProcessGroup(
      "Xvfb",
      "Xvfb",
      ["-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
      { extraStdio: ["pipe"] },
    );
    const numberPipe = this.xvfb.child.stdio[3];
    numberPipe.setEncoding("utf8");
    let text = "";
    const number = new Promise((resolve, reject) => {
      numberPipe.on("data", (chunk) => {
        text += chunk;
        if (text.includes("\n")) resolve(text.trim());
      });
      this.xvfb.exited.then(() => reject(new Error(`Xvfb ended: ${this.xvfb.stderr}`)));
    });
    this.name = ":" + (await withTimeout("Xvfb to report its display number", number, 15000));
    this.env = { ...process.env, DISPLAY: this.name };
  }

  async startWindowManager() {
    this.openbox = new ProcessGroup("openbox", "openbox", [], { env: this.env });
    await waitFor(`openbox to manage the display ${this.name}`, async () => {
      if (!this.openbox.running) {
        throw new Fatal(`openbox ended with ${JSON.stringify(this.openbox.exit)}: ${this.openbox.stderr}`);
      }
      const out = await this.run("xprop", ["-root", "_NET_SUPPORTING_WM_CHECK"]);
      return /window id #/.test(out);
    });
  }

  // Runs an X tool on this display; delivers its stdout.
  async run(command, args, timeout = 10000) {
    const { stdout } = await execFileAsync(command, args, {
      env: this.env,
      timeout,
      encoding: "utf8",
    });
    return stdout;
  }

  // Top-level client windows as wmctrl lists them (-lGp):
  // [{ id, pid, x, y, width, height, title }].
  async windows() {
    const out = await this.run("wmctrl", ["-lGp"]);
    return out
      .split("\n")
      .filter(Boolean)
      .map((line) => {
        const f = line.split(/\s+/);
        return {
          id: f[0],
          pid: Number(f[2]),
          x: Number(f[3]),
          y: Number(f[4]),
          width: Number(f[5]),
          height: Number(f[6]),
          title: f.slice(8).join(" "),
        };
      });
  }

  // Waits for a single window of process pid and delivers it.
  async windowOf(pid, timeout = 20000) {
    return waitFor(`a window of process ${pid}`, async () => {
      const mine = (await this.windows()).filter((w) => w.pid === pid);
      return mine.length > 0 ? mine[0] : null;
    }, { timeout });
  }

  // The value text of one property, e.g. "_NET_WM_STATE(ATOM) = ...".
  async property(windowId, name) {
    return this.run("xprop", ["-id", windowId, name]);
  }

  // The atoms of an ATOM-list property.
  async atoms(windowId, name) {
    const out = await this.property(windowId, name);
    const match = out.match(/=\s*(.*)$/m);
    return match ? match[1].split(",").map((s) => s.trim()).filter(Boolean) : [];
  }

  // The numbers of a CARDINAL or hint property.
  async cardinals(windowId, name) {
    const out = await this.property(windowId, name);
    const match = out.match(/=\s*(.*)$/m);
    return match ? match[1].split(",").map((s) => Number(s.trim())) : [];
  }

  // Size and absolute position of a window's client area (xwininfo).
  async geometry(windowId) {
    const out = await this.run("xwininfo", ["-id", windowId]);
    const field = (label) => Number(out.match(new RegExp(`${label}:\\s+(-?\\d+)`))[1]);
    return {
      x: field("Absolute upper-left X"),
      y: field("Absolute upper-left Y"),
      width: field("Width"),
      height: field("Height"),
    };
  }

  // WM_NORMAL_HINTS as { minimum: [w, h], maximum: [w, h] } (null if unset).
  async sizeHints(windowId) {
    const out = await this.property(windowId, "WM_NORMAL_HINTS");
    const size = (label) => {
      const match = out.match(new RegExp(`${label} size: (\\d+) by (\\d+)`));
      return match ? [Number(match[1]), Number(match[2])] : null;
    };
    return { minimum: size("minimum"), maximum: size("maximum") };
  }

  async activeWindow() {
    const out = await this.run("xprop", ["-root", "_NET_ACTIVE_WINDOW"]);
    const match = out.match(/window id # (0x[0-9a-f]+)/);
    return match ? Number.parseInt(match[1], 16) : 0;
  }

  // Writes a PNG of the whole screen, or of region { x, y, width, height }.
  async screenshot(file, region) {
    const crop = region
      ? ["-crop", `${region.width}x${region.height}+${region.x}+${region.y}`, "+repage"]
      : [];
    await this.run("import", ["-window", "root", ...crop, file], 20000);
  }

  // The window with its frame, as a screen region.
  async frameRegion(windowId) {
    const inner = await this.geometry(windowId);
    const [left, right, top, bottom] = await this.cardinals(windowId, "_NET_FRAME_EXTENTS");
    return {
      x: inner.x - left,
      y: inner.y - top,
      width: inner.width + left + right,
      height: inner.height + top + bottom,
    };
  }

  // The colour of one screen pixel as [r, g, b].
  async pixel(x, y) {
    const out = await this.run("import", [
      "-window", "root", "-crop", `1x1+${x}+${y}`, "-depth", "8", "txt:-",
    ], 20000);
    const match = out.match(/\((\d+),(\d+),(\d+)/);
    if (!match) throw new Error(`no pixel colour in: ${out}`);
    return match.slice(1, 4).map(Number);
  }

  async stop() {
    if (this.openbox) await this.openbox.stop();
    if (this.xvfb) await this.xvfb.stop();
  }
}
