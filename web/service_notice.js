// The notice that the repair service has not answered for a while, shown
// under the status of the scan or the action that waits for it, and taken
// back at the service's next answer.

import { gotAnswer } from "./system_proxy.js";

// Longer than any healthy wait between answers (an action polls every 2 s)
// and than a stretch of a few lost polls, well short of the time in which a
// person decides that the unit hangs and switches it off.
export const NOTICE_AFTER_MS = 20000;

export const NOTICE_TEXTS = Object.freeze({
  scan: "The repair service is not answering. Please wait; the scan goes on once it answers.",
  action:
    "The repair service is not answering. The action may still be running: do not switch the unit off.",
});

// The waits under way: the element of each, in start order.
const waits = [];
let timer = null;

function hide() {
  for (const id of new Set(waits.map((w) => w.id))) {
    const element = document.getElementById(id);
    if (element) {
      element.textContent = "";
      element.hidden = true;
    }
  }
}

// In the element of the latest wait.
function show() {
  const latest = waits[waits.length - 1];
  const element = latest && document.getElementById(latest.id);
  if (!element) return;
  element.textContent = NOTICE_TEXTS[latest.kind];
  element.hidden = false;
}

function restartTimer() {
  clearTimeout(timer);
  timer = waits.length ? setTimeout(show, NOTICE_AFTER_MS) : null;
}

// Every record the service client delivers: an answer takes the notice
// back and starts the wait for the next one afresh.
export function heard(record) {
  if (!gotAnswer(record)) return;
  hide();
  restartTimer();
}

// Runs work (a promise) as a wait of kind "scan" or "action" whose notice
// goes into the element with id elementId; delivers work's outcome.
export async function during(kind, elementId, work) {
  const wait = { kind, id: elementId };
  waits.push(wait);
  restartTimer();
  try {
    return await work;
  } finally {
    hide();
    waits.splice(waits.indexOf(wait), 1);
    restartTimer();
  }
}
