// The battery around the actions that write the discs (restore, factory
// reset, repair): one is not started on a battery that may not last it, and
// while one runs the action page says not to switch the unit off, and warns
// when the battery runs low off the charger. A reboot writes no disc and is
// never held back.
//
// The battery is asked for once, when the page loads; its manager's level
// and charging are then read at each check, and its events update the words
// shown. Nothing here starts, answers or stops anything.

// In percent of a full charge. An action cut off by a flat battery leaves a
// unit that starts neither the old system nor the new one. As trusted
// recovery installers do: no start below 20 % on the battery, or 15 % on the
// charger (which may deliver less than the unit draws); a battery that
// cannot be read counts as full, so that a unit whose battery reading fails
// can still be repaired. During an action a battery below 10 % off the
// charger may not last it.
const BATTERY_LIMITS = Object.freeze({ onBattery: 20, onCharger: 15, warnBelow: 10 });

// The longest wait for the engine's first answer. It answers from its own
// battery service within milliseconds, at once when it knows nothing; one
// that stays silent for a second will not answer, and "Proceed" must not wait
// for it noticeably. The wait starts with the page, so it is normally over
// before the first "Proceed".
const BATTERY_READ_WITHIN_MS = 1000;

// The actions that write the discs, as their dialog title names them.
const ACTION_NOUNS = Object.freeze({ Restore: "restore", "Factory-reset": "factory reset", Repair: "repair" });

const KEEP_POWERED_TEXT = "Do not switch the unit off until the result shows.";

// A battery that cannot be read. The engine's own report when it knows
// nothing (level 1, charging) reads the same.
const FULL = Object.freeze({ percent: 100, charging: true });

let manager = null;
// The held-back words shown in "status" and the action they hold back.
let held = null;
// The action running, whose lines the action page shows.
let running = null;

const firstRead = new Promise((resolve) => {
  const timer = setTimeout(resolve, BATTERY_READ_WITHIN_MS);
  const settle = () => {
    clearTimeout(timer);
    resolve();
  };
  let request;
  try {
    request = typeof navigator.getBattery === "function" ? navigator.getBattery() : null;
  } catch (e) {
    request = Promise.reject(e);
  }
  Promise.resolve(request).then(
    (found) => {
      // An answer after the wait is taken from then on.
      if (found && typeof found.addEventListener === "function") adopt(found);
      settle();
    },
    (e) => {
      console.log("battery not readable: " + e);
      settle();
    },
  );
});

function adopt(found) {
  manager = found;
  for (const type of ["levelchange", "chargingchange"]) found.addEventListener(type, update);
  update();
}

// { percent, charging } now; FULL for a battery that cannot be read.
function reading() {
  if (!manager) return FULL;
  const { level, charging } = manager;
  if (typeof level !== "number" || !(level >= 0 && level <= 1) || typeof charging !== "boolean") return FULL;
  return { percent: Math.round(level * 100), charging };
}

// The words that hold option back at this reading; "" when it may start.
function holdWords(option, { percent, charging }) {
  const noun = ACTION_NOUNS[option];
  const least = charging ? BATTERY_LIMITS.onCharger : BATTERY_LIMITS.onBattery;
  if (!noun || percent >= least) return "";
  const charge = BATTERY_LIMITS.onCharger;
  let ask = "Connect the charger.";
  if (charging) ask = `Keep the charger connected until the battery reaches ${charge} %.`;
  else if (percent < charge) ask = `Connect the charger and let it charge to ${charge} %.`;
  return ` The battery is at ${percent} %, too low to start a ${noun}. ${ask}`;
}

// The warning during option at this reading; "" for none.
function warningWords(option, { percent, charging }) {
  if (charging || percent >= BATTERY_LIMITS.warnBelow) return "";
  return `The battery is at ${percent} %. Connect the charger now, so that the ${ACTION_NOUNS[option]} can finish.`;
}

function show(id, text) {
  const element = document.getElementById(id);
  if (!element) return;
  element.textContent = text;
  element.hidden = text === "";
}

function update() {
  const now = reading();
  const status = document.getElementById("status");
  if (held && status.textContent === held.words) {
    const words = holdWords(held.option, now);
    status.textContent = words;
    held = words ? { option: held.option, words } : null;
  } else {
    held = null; // none, or other words took their place
  }
  show("action_power", running ? KEEP_POWERED_TEXT : "");
  show("action_battery", running ? warningWords(running, now) : "");
}

// Reads the battery before option starts. When the battery holds it back,
// delivers true and says so in "status"; the words go or change with the
// battery's events. Else takes back words shown earlier and delivers false.
export async function heldBack(option) {
  await firstRead;
  const words = holdWords(option, reading());
  const status = document.getElementById("status");
  if (held && status.textContent === held.words) status.textContent = "";
  held = words ? { option, words } : null;
  if (words) status.textContent = words;
  return words !== "";
}

// Shows the action page's lines while work (the promise of option's action)
// runs; they go with its end. Delivers work's outcome.
export async function whileWriting(option, work) {
  if (!ACTION_NOUNS[option]) return work;
  running = option;
  update();
  try {
    return await work;
  } finally {
    running = null;
    update();
  }
}
