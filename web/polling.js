// The one poll loop of the page, for the scan, its list and the actions, and
// the reading of a status answer.

import { isObject } from "./vocabulary.js";

export function sleep(ms) {
  return new Promise((resolve) => setTimeout(resolve, ms));
}

// Up to `tries` times: waits (firstWaitMs before the first try, none for 0,
// waitMs before the others), asks ask(n) and reads the record with read(record).
// Ends with the first reading other than undefined; undefined after the
// last try.
export async function poll({ tries, waitMs, firstWaitMs = waitMs, ask, read }) {
  for (let n = 0; n < tries; n++) {
    const wait = n === 0 ? firstWaitMs : waitMs;
    if (wait > 0) await sleep(wait);
    const reading = read(await ask(n));
    if (reading !== undefined) return reading;
  }
  return undefined;
}

// The status entry [code, type, line] that a "FINISHED" status record holds
// for uuid, or null when it has none (a poll without news).
export function statusEntry(record, uuid) {
  if (record.state !== "FINISHED" || !isObject(record.result)) return null;
  const list = record.result.status_list;
  if (!isObject(list) || !Object.prototype.hasOwnProperty.call(list, uuid)) return null;
  const entry = list[uuid];
  return Array.isArray(entry) ? entry : null;
}
