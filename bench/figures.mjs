// What the benches print besides their own figures: medians and spreads,
// the memory of a process tree, and the machine's load.

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

export const machineLoad = () =>
  `load average ${os.loadavg().map((l) => l.toFixed(2)).join(" ")} on ${os.cpus().length} cores`;
