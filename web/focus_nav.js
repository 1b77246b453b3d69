// The page with the unit's controls alone: the arrows move from control to
// control in the order the screen shows them, Enter acts on the focused
// control, Escape goes back. The gamepad (gamepad.js) sends the same keys.
//
// - Up/Down go to the nearest row above or below, Left/Right within a row;
//   only to a control that is shown and not covered.
// - The image list, closed, is passed by the arrows like any control: they
//   never change its entry. Enter opens it in the page, as a list of
//   entries; there Up/Down choose, Enter takes the entry, Escape goes back to
//   the entry it had.
// - The log area scrolls under Up/Down; at its top or bottom a fresh press
//   moves on, a held key stays.
// - While the confirmation dialog is open, it handles the keys itself;
//   Enter presses its focused button here, the same as a key's own press.
// - A held key's repeats press nothing (held_keys.js takes them first).
// - The root element's data-input is "keys" after a key, "pointer" after
//   the pointer: the style shows the focus mark for keys only.

import { dialogOpen } from "./exConfirm.js";

const CONTROLS = "select, input, button, textarea";
// Entries that the opened image list shows at once.
const LIST_ROWS = 8;
const LOG_STEP_LINES = 3;
const ARROWS = { ArrowUp: "up", ArrowDown: "down", ArrowLeft: "left", ArrowRight: "right" };

// The image list opened for choosing, and the entry it had: null if none.
let choosing = null;

// Shown, enabled, and on top where it is drawn.
function reachable(control) {
  if (control.disabled || control.closest("[inert]")) return false;
  const r = control.getBoundingClientRect();
  if (r.width === 0 || r.height === 0) return false;
  const hit = document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2);
  return !!hit && control.contains(hit);
}

function reachableControls() {
  return [...document.querySelectorAll(CONTROLS)].filter(reachable).map((control) => {
    const r = control.getBoundingClientRect();
    return { control, r, x: r.left + r.width / 2, y: r.top + r.height / 2 };
  });
}

function sameRow(a, b) {
  return (a.y >= b.r.top && a.y <= b.r.bottom) || (b.y >= a.r.top && b.y <= a.r.bottom);
}

function nearest(list, distance) {
  let best = null;
  for (const item of list) if (!best || distance(item) < distance(best)) best = item;
  return best;
}

// The control to go to from `from` in a direction, or null.
function neighbour(from, direction) {
  const r = from.getBoundingClientRect();
  const here = { r, x: r.left + r.width / 2, y: r.top + r.height / 2 };
  const others = reachableControls().filter((c) => c.control !== from);
  if (direction === "left" || direction === "right") {
    const row = others.filter((c) => sameRow(c, here) && (direction === "left" ? c.x < here.x : c.x > here.x));
    return nearest(row, (c) => Math.abs(c.x - here.x))?.control ?? null;
  }
  const ahead = others.filter((c) => !sameRow(c, here) && (direction === "up" ? c.y < here.y : c.y > here.y));
  const next = nearest(ahead, (c) => Math.abs(c.y - here.y));
  if (!next) return null;
  const row = ahead.filter((c) => sameRow(c, next));
  return nearest(row, (c) => Math.abs(c.x - here.x)).control;
}

// The first control in screen order: top row first, left first.
function firstControl() {
  const all = reachableControls();
  const top = nearest(all, (c) => c.y);
  if (!top) return null;
  return nearest(all.filter((c) => sameRow(c, top)), (c) => c.x).control;
}

// Gives the focus to the first control, without scrolling the page, when
// nothing has it yet.
export function focusFirstControl() {
  const active = document.activeElement;
  if (active && active !== document.body) return;
  const first = firstControl();
  if (first) first.focus({ preventScroll: true });
}

function moveFocus(from, direction) {
  const to = from && from.matches(CONTROLS) && reachable(from) ? neighbour(from, direction) : firstControl();
  if (to) to.focus({ preventScroll: true });
}

// ------------------------------------------------------- the image list

function announceChange(list) {
  list.dispatchEvent(new Event("input", { bubbles: true }));
  list.dispatchEvent(new Event("change", { bubbles: true }));
}

function openList(list) {
  choosing = { list, index: list.selectedIndex };
  list.size = Math.max(2, Math.min(LIST_ROWS, list.options.length));
  showEntry(list);
}

function closeList(restore) {
  const { list, index } = choosing;
  choosing = null;
  list.removeAttribute("size");
  if (restore && list.selectedIndex !== index) {
    list.selectedIndex = index;
    announceChange(list);
  }
}

// Scrolls the opened list, not the page, to its chosen entry.
function showEntry(list) {
  const rowHeight = list.scrollHeight / Math.max(1, list.options.length);
  const top = list.selectedIndex * rowHeight;
  if (top < list.scrollTop) list.scrollTop = top;
  else if (top + rowHeight > list.scrollTop + list.clientHeight) list.scrollTop = top + rowHeight - list.clientHeight;
}

function chooseEntry(list, step) {
  let i = list.selectedIndex + step;
  while (i >= 0 && i < list.options.length && list.options[i].disabled) i += step;
  if (i < 0 || i >= list.options.length) return;
  list.selectedIndex = i;
  showEntry(list);
  announceChange(list);
}

// ------------------------------------------------------------ the log area

function atEdge(area, direction) {
  if (direction === "up") return area.scrollTop <= 0;
  return area.scrollTop + area.clientHeight >= area.scrollHeight - 1;
}

function scrollStep(area) {
  const style = getComputedStyle(area);
  const line = parseFloat(style.lineHeight) || parseFloat(style.fontSize) * 1.2 || 16;
  return LOG_STEP_LINES * line;
}

// ------------------------------------------------------------- the keys

function onArrow(e, direction) {
  const active = document.activeElement;
  if (choosing) {
    e.preventDefault();
    if (direction === "up" || direction === "down") chooseEntry(choosing.list, direction === "down" ? 1 : -1);
    return;
  }
  if (active instanceof HTMLTextAreaElement && (direction === "up" || direction === "down")) {
    e.preventDefault();
    if (!atEdge(active, direction)) active.scrollTop += (direction === "down" ? 1 : -1) * scrollStep(active);
    else if (!e.repeat) moveFocus(active, direction);
    return;
  }
  // In the log area Left and Right keep moving the caret.
  if (active instanceof HTMLTextAreaElement) return;
  e.preventDefault(); // a closed list keeps its entry
  moveFocus(active, direction);
}

function onEnter(e) {
  e.preventDefault();
  const active = document.activeElement;
  if (choosing) {
    closeList(false);
    return;
  }
  if (!active || !active.matches(CONTROLS) || !reachable(active)) return;
  if (active instanceof HTMLSelectElement) openList(active);
  else if (active instanceof HTMLButtonElement || active.type === "checkbox") active.click();
}

function onKeyDown(e) {
  document.documentElement.dataset.input = "keys";
  if (e.defaultPrevented || e.altKey || e.ctrlKey || e.metaKey || e.shiftKey) return;
  if (e.key === "Enter") {
    onEnter(e);
  } else if (e.key === "Escape") {
    if (choosing) {
      e.preventDefault();
      closeList(true);
    }
  } else if (ARROWS[e.key] && !dialogOpen()) {
    onArrow(e, ARROWS[e.key]);
  }
}

document.addEventListener("keydown", onKeyDown);
document.addEventListener(
  "pointerdown",
  () => {
    document.documentElement.dataset.input = "pointer";
  },
  true,
);
// Leaving the opened list, or a pick in it with the pointer, keeps what it shows.
document.addEventListener("focusout", (e) => {
  if (choosing && e.target === choosing.list) closeList(false);
});
document.addEventListener("click", (e) => {
  if (choosing && choosing.list.contains(e.target)) closeList(false);
});
