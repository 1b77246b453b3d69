// Child processes in their own process group, with their output collected,
// and killed as a group however the test run ends.

import { spawn, spawnSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { Fatal, withTimeout } from "../../wait.mjs";

const live = new Set();

function killGroup(pid, signal) {
  try {
    process.kill(-pid, signal);
  } catch {
    // The group is gone already.
  }
}

// A run that ends in any way leaves none of our process groups behind.
process.on("exit", () => {
  for (const child of live) killGroup(child.pid, "SIGKILL");
});
for (const signal of ["SIGINT", "SIGTERM"]) {
  process.on(signal, () => process.exit(130));
}

const CLOCK_TICKS_PER_S = 100;

// The name, the state letter, the parent and the CPU time in ms (user and
// system) of a process ("123", all its threads) or of one thread
// ("123/task/124"); null once it is gone.
export function processStat(of) {
  try {
    const text = readFileSync(`/proc/${of}/stat`, "utf8");
    const fields = text.slice(text.lastIndexOf(")") + 2).split(" ");
    const cpuMs = ((Number(fields[11]) + Number(fields[12])) * 1000) / CLOCK_TICKS_PER_S;
    return { name: text.slice(text.indexOf("(") + 1, text.lastIndexOf(")")), state: fields[0], parent: Number(fields[1]), cpuMs };
  } catch {
    return null;
  }
}

export class ProcessGroup {
  // name: for messages; env: the process's environment.
  constructor(name, command, args, { env = process.env } = {}) {
    this.name = name;
    this.stdout = "";
    this.stderr = "";
    this.exit = null; // { code, signal } once ended
    this.child = spawn(command, args, { stdio: ["ignore", "pipe", "pipe"], env, detached: true });
    this.pid = this.child.pid;
    live.add(this.child);
    for (const stream of ["stdout", "stderr"]) {
      this.child[stream].setEncoding("utf8");
      this.child[stream].on("data", (text) => (this[stream] += text));
    }
    this.exited = new Promise((resolve) => {
      this.child.on("exit", (code, signal) => {
        this.exit = { code, signal };
        resolve(this.exit);
      });
      this.child.on("error", (error) => {
        this.exit = { code: null, signal: null, error };
        resolve(this.exit);
      });
    });
    // Output is complete only once both pipes have closed.
    this.closed = new Promise((resolve) => this.child.on("close", resolve));
    this.exited.then(() => live.delete(this.child));
  }

  get running() {
    return this.exit === null;
  }

  // Throws a Fatal, which ends a wait at once, if the process has ended.
  checkRunning() {
    if (this.running) return;
    throw new Fatal(`${this.name} ended with ${JSON.stringify(this.exit)}: ${this.stdout}${this.stderr}`);
  }

  // Delivers { code, signal } once the process has ended and its output is
  // complete; throws after timeout ms.
  async waitForExit(timeout = 15000) {
    const result = await withTimeout(`${this.name} to exit`, this.exited, timeout);
    await withTimeout(`${this.name}'s output to close`, this.closed, 5000).catch(() => {});
    return result;
  }

  // Ends the whole group: SIGTERM, then SIGKILL after grace ms.
  async stop(grace = 3000) {
    if (this.running) {
      killGroup(this.pid, "SIGTERM");
      try {
        await withTimeout(`${this.name} to end on SIGTERM`, this.exited, grace);
      } catch {
        killGroup(this.pid, "SIGKILL");
        await withTimeout(`${this.name} to end on SIGKILL`, this.exited, 5000);
      }
    }
    // Helpers of the group may outlive its leader.
    killGroup(this.pid, "SIGKILL");
  }

  // Pids of the group's processes that are still alive.
  groupPids() {
    const found = spawnSync("pgrep", ["-g", String(this.pid)], { encoding: "utf8" });
    return found.stdout.split(/\s+/).filter(Boolean).map(Number);
  }
}
