// A stand-in for the engine's battery, run in the page before its scripts
// (self-contained). standInBattery(state), where state is
//   { level, charging, chargingTime?, dischargingTime? }  a battery;
//   "absent"   no navigator.getBattery at all;
//   "rejects"  getBattery() fails;
//   "throws"   getBattery() throws;
//   "silent"   getBattery() never answers.
// window.__battery(changes) changes the battery and fires "chargingchange"
// and "levelchange" for what changed.

export function standInBattery(state) {
  if (state === "absent") {
    delete Navigator.prototype.getBattery;
    return;
  }
  const failures = {
    rejects: () => Promise.reject(new DOMException("no battery service", "NotSupportedError")),
    throws: () => {
      throw new TypeError("no battery service");
    },
    silent: () => new Promise(() => {}),
  };
  if (failures[state]) {
    navigator.getBattery = failures[state];
    return;
  }
  const battery = Object.assign(new EventTarget(), { chargingTime: Infinity, dischargingTime: Infinity }, state);
  navigator.getBattery = () => Promise.resolve(battery);
  window.__battery = (changes) => {
    const before = { level: battery.level, charging: battery.charging };
    Object.assign(battery, changes);
    if (battery.charging !== before.charging) battery.dispatchEvent(new Event("chargingchange"));
    if (battery.level !== before.level) battery.dispatchEvent(new Event("levelchange"));
  };
}
