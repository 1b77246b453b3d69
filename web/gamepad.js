// A standard-mapping gamepad drives the page as the keys do: the D-pad and
// the left stick are the arrows, A (button 0) is Enter, B (button 1) is
// Escape. Each push goes to the focused element as a keydown, and a held
// one repeats after a delay as a key does, marked as a repeat, so the key
// handling (focus_nav.js, the dialog) treats pad and keys alike.
//
// Pads are read once per frame, only while one is connected and the page is
// shown (frames stop for a hidden page). What is held when a pad is first
// read counts as held from before: it presses nothing until let go.
//
// While the page listens for pads, the engine samples them 250 times a
// second, pad or none: 1.5 to 2 % of a core, for as long as an action runs.
// Once the unit's controls have given an arrow and Enter as keys, and no pad
// has shown itself, the keys reach everything and the page stops listening.

const REPEAT_DELAY_MS = 400;
const REPEAT_INTERVAL_MS = 100;
const STICK_THRESHOLD = 0.5;
const BUTTON_KEYS = [
  [0, "Enter"],
  [1, "Escape"],
  [12, "ArrowUp"],
  [13, "ArrowDown"],
  [14, "ArrowLeft"],
  [15, "ArrowRight"],
];

// key -> time of its next repeat, for the keys held now.
const held = new Map();
let polling = false;
let firstRead = true;

function connectedPads() {
  const pads = typeof navigator.getGamepads === "function" ? navigator.getGamepads() : [];
  return [...(pads || [])].filter((pad) => pad && pad.connected !== false && pad.mapping === "standard");
}

function keysHeld(pads) {
  const keys = new Set();
  for (const pad of pads) {
    for (const [index, key] of BUTTON_KEYS) if (pad.buttons[index]?.pressed) keys.add(key);
    const [x = 0, y = 0] = pad.axes;
    if (x <= -STICK_THRESHOLD) keys.add("ArrowLeft");
    if (x >= STICK_THRESHOLD) keys.add("ArrowRight");
    if (y <= -STICK_THRESHOLD) keys.add("ArrowUp");
    if (y >= STICK_THRESHOLD) keys.add("ArrowDown");
  }
  return keys;
}

function send(key, repeat) {
  const target = document.activeElement || document.body;
  target.dispatchEvent(new KeyboardEvent("keydown", { key, code: key, repeat, bubbles: true, cancelable: true }));
}

function poll(now) {
  const pads = connectedPads();
  if (pads.length === 0) {
    polling = false;
    held.clear();
    firstRead = true;
    return;
  }
  const keys = keysHeld(pads);
  for (const key of held.keys()) if (!keys.has(key)) held.delete(key);
  for (const key of keys) {
    if (!held.has(key)) {
      // Held from before the first read: no press, no repeats.
      held.set(key, firstRead ? Infinity : now + REPEAT_DELAY_MS);
      if (!firstRead) send(key, false);
    } else if (now >= held.get(key)) {
      held.set(key, now + REPEAT_INTERVAL_MS);
      send(key, true);
    }
  }
  firstRead = false;
  requestAnimationFrame(poll);
}

// The kinds of key seen from the unit's controls, not from a pad.
const keysGiven = new Set();

function noteKey(event) {
  if (!event.isTrusted) return;
  if (event.key.startsWith("Arrow")) keysGiven.add("arrow");
  else if (event.key === "Enter") keysGiven.add("Enter");
  if (keysGiven.size < 2) return;
  window.removeEventListener("gamepadconnected", startPolling);
  window.removeEventListener("keydown", noteKey, true);
}

function startPolling() {
  window.removeEventListener("keydown", noteKey, true); // a pad: keep listening
  if (polling) return;
  polling = true;
  requestAnimationFrame(poll);
}

window.addEventListener("gamepadconnected", startPolling);
window.addEventListener("keydown", noteKey, true);
// A pad known before the page loaded announces itself no more.
if (connectedPads().length > 0) startPolling();
