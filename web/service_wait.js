// Waiting for the repair service at start. The recovery environment starts
// the tool and the service side by side, so the first request may find
// nobody listening yet. A request that does not reach the service is sent
// again, one at a time, after a wait that grows, until the service answers
// or the wait is given up. Only requests that change nothing go through
// here.

import { gotAnswer } from "./system_proxy.js";
import { sleep } from "./polling.js";

// 1 s, 2 s, 3 s, 4 s, then every 5 s: a service that comes up late is met
// within 5 s, and a try on loopback costs next to nothing.
const RETRY_DELAYS_MS = Object.freeze([1000, 2000, 3000, 4000, 5000]);

// Three minutes: well beyond the time a recovery environment takes to
// bring its services up on a slow unit, and short enough that a person
// who waits sees the failure, with "Try again", before giving up on the
// unit. "Try again" then waits as long afresh.
const GIVE_UP_AFTER_MS = 180000;

export const WAITING_TEXT = "Waiting for the repair service to start...";

// Sends request() until the service answers it, calling onWaiting() before
// each wait; delivers the first answered record, or the last unanswered one
// once the wait is given up.
export async function untilServiceAnswers(request, onWaiting) {
  const start = Date.now();
  for (let tries = 0; ; tries++) {
    const record = await request();
    if (gotAnswer(record)) return record;
    const delay = RETRY_DELAYS_MS[Math.min(tries, RETRY_DELAYS_MS.length - 1)];
    if (Date.now() - start + delay > GIVE_UP_AFTER_MS) return record;
    onWaiting();
    await sleep(delay);
  }
}
