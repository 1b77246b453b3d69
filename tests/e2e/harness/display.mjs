// A virtual X display under a real window manager, and the X tools that
// inspect it.

import { execFile } from "node:child_process";
import { existsSync, readFileSync, rmSync } from "node:fs";
import { promisify } from "node:util";
import { ProcessGroup } from "./process_group.mjs";
import { waitFor } from "../../wait.mjs";

const execFileAsync = promisify(execFile);

// Display numbers are taken from this range, clear of a desktop's own.
// Each test process starts its search at a place of its own, so that
// processes running side by side seldom try the same number.
const FIRST_DISPLAY_NUMBER = 10;
const DISPLAY_NUMBER_COUNT = 990;

// Names of the bound Unix sockets, abstract ones with a leading "@".
function boundSocketNames() {
  const lines = readFileSync("/proc/net/unix", "utf8").split("\n").slice(1);
  return new Set(lines.map((line) => line.trim().split(/\s+/)[7]).filter(Boolean));
}

// The X server's socket path and lock file of display number n.
const socketPath = (n) => `/tmp/.X11-unix/X${n}`;
const lockPath = (n) => `/tmp/.X${n}-lock`;

// Free in the file system and in the abstract socket namespace: a server
// that is still shutting down can hold its abstract socket after its files
// are gone, and clients would reach it there first.
function isFree(n, bound) {
  return !existsSync(lockPath(n)) && !existsSync(socketPath(n)) &&
    !bound.has(socketPath(n)) && !bound.has(`@${socketPath(n)}`);
}

function freeDisplayNumber(excluded) {
  const bound = boundSocketNames();
  for (let i = 0; i < DISPLAY_NUMBER_COUNT; i++) {
    const n = FIRST_DISPLAY_NUMBER + ((process.pid + i) % DISPLAY_NUMBER_COUNT);
    if (!excluded.has(n) && isFree(n, bound)) return n;
  }
  throw new Error(`no free X display number from ${FIRST_DISPLAY_NUMBER} on`);
}

// The pid in a display's lock file, or null.
function lockOwner(n) {
  try {
    return Number(readFileSync(lockPath(n), "utf8").trim());
  } catch {
    return null;
  }
}

// The stop of this process's latest display; a new one starts only after it.
let previousStop = Promise.resolve();

export class VirtualDisplay {
  // Starts Xvfb on a free display number, then openbox. A failed start is
  // cleaned up and tried once more on another number.
  static async start() {
    await previousStop;
    const tried = new Set();
    let firstFailure;
    for (;;) {
      const display = new VirtualDisplay();
      try {
        display.number = freeDisplayNumber(tried);
        tried.add(display.number);
        await display.startServer();
        await display.startWindowManager();
        return display;
      } catch (e) {
        await display.stop();
        if (firstFailure) {
          throw new Error(`the virtual display failed to start twice: ${firstFailure}; then ${e.message}`);
        }
        firstFailure = `on :${display.number ?? "?"}: ${e.message}`;
        console.error(`virtual display: start failed ${firstFailure}; retrying once on another number`);
      }
    }
  }

  // Xvfb takes the number's lock file before it listens, and ends if
  // another server holds it. (With -displayfd it takes no lock and reports
  // its number before it knows that it can keep it.)
  async startServer() {
    this.name = `:${this.number}`;
    // -noreset: the server would reset when its last client (the probe
    // below) leaves and drop the next one that comes meanwhile.
    const args = [this.name, "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"];
    this.xvfb = new ProcessGroup("Xvfb", "Xvfb", args);
    this.env = { ...process.env, DISPLAY: this.name };
    await waitFor(`Xvfb to accept connections on ${this.name}`, async () => {
      this.xvfb.checkRunning();
      const owner = lockOwner(this.number);
      if (owner !== this.xvfb.pid) return false;
      this.serving = true;
      await this.run("xprop", ["-root", "-len", "0", "_NET_SUPPORTING_WM_CHECK"], 5000);
      return true;
    }, { timeout: 15000 });
  }

  async startWindowManager() {
    this.openbox = new ProcessGroup("openbox", "openbox", [], { env: this.env });
    await waitFor(`openbox to manage the display ${this.name}`, async () => {
      this.openbox.checkRunning();
      const out = await this.run("xprop", ["-root", "_NET_SUPPORTING_WM_CHECK"]);
      return /window id #/.test(out);
    });
  }

  // Runs an X tool on this display; delivers its stdout.
  async run(command, args, timeout = 10000) {
    const options = { env: this.env, timeout, encoding: "utf8" };
    return (await execFileAsync(command, args, options)).stdout;
  }

  // Top-level client windows as wmctrl lists them (-lGp):
  // [{ id, pid, x, y, width, height, title }].
  async windows() {
    const out = await this.run("wmctrl", ["-lGp"]);
    return out.split("\n").filter(Boolean).map((line) => {
      const [id, , pid, x, y, width, height, , ...title] = line.split(/\s+/);
      return { id, pid: Number(pid), x: Number(x), y: Number(y),
               width: Number(width), height: Number(height), title: title.join(" ") };
    });
  }

  // Waits for a single window of process pid and delivers it.
  async windowOf(pid, timeout = 20000) {
    return waitFor(`a window of process ${pid}`, async () => (await this.windows()).find((w) => w.pid === pid),
      { timeout });
  }

  // The value text of one property, e.g. "_NET_WM_STATE(ATOM) = ...".
  async property(windowId, name) {
    return this.run("xprop", ["-id", windowId, name]);
  }

  // The items of a list property, e.g. the atoms of an ATOM list; [] if unset.
  async atoms(windowId, name) {
    const match = (await this.property(windowId, name)).match(/=\s*(.*)$/m);
    return match ? match[1].split(",").map((s) => s.trim()).filter(Boolean) : [];
  }

  // The numbers of a CARDINAL or hint property.
  async cardinals(windowId, name) {
    return (await this.atoms(windowId, name)).map(Number);
  }

  // Size and absolute position of a window's client area (xwininfo).
  async geometry(windowId) {
    const out = await this.run("xwininfo", ["-id", windowId]);
    const field = (label) => Number(out.match(new RegExp(`${label}:\\s+(-?\\d+)`))[1]);
    return { x: field("Absolute upper-left X"), y: field("Absolute upper-left Y"),
             width: field("Width"), height: field("Height") };
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
      ? ["-crop", `${region.width}x${region.height}+${region.x}+${region.y}`, "+repage"] : [];
    await this.run("import", ["-window", "root", ...crop, file], 20000);
  }

  // The window with its frame, as a screen region.
  async frameRegion(windowId) {
    const inner = await this.geometry(windowId);
    const [left, right, top, bottom] = await this.cardinals(windowId, "_NET_FRAME_EXTENTS");
    return { x: inner.x - left, y: inner.y - top, width: inner.width + left + right,
             height: inner.height + top + bottom };
  }

  // The colour of one screen pixel as [r, g, b].
  async pixel(x, y) {
    const crop = ["-crop", `1x1+${x}+${y}`, "-depth", "8", "txt:-"];
    const out = await this.run("import", ["-window", "root", ...crop], 20000);
    const match = out.match(/\((\d+),(\d+),(\d+)/);
    if (!match) throw new Error(`no pixel colour in: ${out}`);
    return match.slice(1, 4).map(Number);
  }

  // Ends openbox and Xvfb and waits until every process of theirs is gone
  // and the display number is free again.
  async stop() {
    const stopped = this.stopAndWait();
    previousStop = stopped.catch(() => {});
    return stopped;
  }

  async stopAndWait() {
    const groups = [this.openbox, this.xvfb].filter(Boolean);
    for (const group of groups) await group.stop();
    await waitFor(`the processes of display ${this.name} to be gone`, () =>
      groups.every((group) => group.groupPids().length === 0));
    // Files of a number that another server holds are not ours to wait for.
    if (!this.serving) return;
    this.removeFilesLeftBy(this.xvfb.pid);
    await waitFor(`display ${this.name} to be free`, () => isFree(this.number, boundSocketNames()));
  }

  // A killed Xvfb leaves its lock and socket files behind.
  removeFilesLeftBy(pid) {
    if (lockOwner(this.number) !== pid) return;
    rmSync(socketPath(this.number), { force: true });
    rmSync(lockPath(this.number), { force: true });
  }
}
