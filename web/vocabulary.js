// The page's vocabulary: the names and small checks that its modules share,
// and that the tests of both layers import rather than write out again.

// The four options of the first page, in the order it shows them: the
// checkbox id, and its value, which names the action.
export const OPTIONS = Object.freeze([
  Object.freeze({ id: "restore", value: "Restore" }),
  Object.freeze({ id: "factory-reset", value: "Factory-reset" }),
  Object.freeze({ id: "repair", value: "Repair" }),
  Object.freeze({ id: "reboot", value: "Reboot" }),
]);
export const OPTION_IDS = Object.freeze(OPTIONS.map((option) => option.id));
export const OPTION_VALUES = Object.freeze(OPTIONS.map((option) => option.value));

// The service requests that write a disc or restart the unit: each is sent
// only by a deliberate Yes, and never twice for one.
export const DESTRUCTIVE_REQUESTS = Object.freeze(["restore", "factory-reset", "repair", "reboot"]);

// How the action page's heading reads: an action started by "Proceed"
// ("running"), or a reboot started by the action page's "Reboot"
// ("rebooting").
export const HEADINGS = Object.freeze(["running", "rebooting"]);

export function isText(value) {
  return typeof value === "string";
}

export function isObject(value) {
  return value !== null && typeof value === "object" && !Array.isArray(value);
}

// An identifier the service handed out: a non-empty text (or a number).
export function isId(value) {
  return (isText(value) && value !== "") || (typeof value === "number" && Number.isFinite(value));
}
