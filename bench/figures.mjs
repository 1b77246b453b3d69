// What the benches print besides their own figures: medians and spreads,
// the memory and CPU time of processes, and the machine's load.

import { readFileSync } from "node:fs";
import os from "node:os";

export function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const mid = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
}

export const spread = (values) => Math.max(...values) - Math.min(...values);

// Proportional set size in MiB of the processes pids together.
export function pssMiB(pids) {
  let kib = 0;
  for (const pid of pids) {
    try {
      kib += Number(/^Pss:\s+(\d+)/m.exec(readFileSync(`/proc/${pid}/smaps_rollup`, "utf8"))[1]);
    } catch {
      // The process ended meanwhile.
    }
  }
  return kib / 1024;
}

const CLOCK_TICKS_PER_S = 100;

// User and system CPU time in ms of /proc/<of>/stat: a process ("123", all
// its threads) or one thread ("123/task/124").
export function cpuMs(of) {
  const stat = readFileSync(`/proc/${of}/stat`, "utf8");
  const [utime, stime] = stat.slice(stat.lastIndexOf(")") + 2).split(" ").slice(11, 13).map(Number);
  return ((utime + stime) * 1000) / CLOCK_TICKS_PER_S;
}

export const machineLoad = () =>
  `load average ${os.loadavg().map((l) => l.toFixed(2)).join(" ")} on ${os.cpus().length} cores`;
