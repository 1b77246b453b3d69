// The view of the action's log (action_log.js) in the text area
// "action_log": the newest lines only, following the newest line; while the
// reader is scrolled up, the area holds still and the note beside the
// caption counts the lines that arrived below.
//
// The log area's text content is written here only. Text typed into the
// area is the user's: the browser then shows the typed value instead of the
// text content, and neither the log nor the rule ever sees what was typed.
// The log is the lines received, as when it was the text content itself.

import { ActionLog } from "./action_log.js";

// The view shows at most this many of the log's newest lines (see
// bench/README.md for the measurements behind it).
export const VIEW_LINES = 1000;
// Within this many pixels of its end, besides its bottom padding (which
// the caret brought into view leaves out), the view counts as scrolled down.
const BOTTOM_SLACK_PX = 4;

let log = new ActionLog();
// The area shows the shownLines lines that precede the linesBelow newest
// ones (0 while following).
let shownLines = 0;
let linesBelow = 0;
let scrollPending = false;
let watching = false;

function scrolledToEnd(area) {
  const slack = BOTTOM_SLACK_PX + (parseFloat(getComputedStyle(area).paddingBottom) || 0);
  return area.scrollHeight - area.scrollTop - area.clientHeight <= slack;
}

// At the next frame, whose layout the new text needs anyway, rather than
// in a layout forced now.
function followAtNextFrame(area) {
  if (scrollPending) return;
  scrollPending = true;
  requestAnimationFrame(() => {
    scrollPending = false;
    area.scrollTop = area.scrollHeight;
  });
}

function textNode(area) {
  return area.firstChild || area.appendChild(document.createTextNode(""));
}

// However the reader came back down (wheel, keys, touch), the area shows
// the newest lines again and follows them.
function watchScroll(area) {
  if (watching) return;
  watching = true;
  area.addEventListener("scroll", () => {
    if (linesBelow > 0 && scrolledToEnd(area)) {
      showNewest(area);
      // The caret came down with the reader: it goes on from the end.
      if (document.activeElement === area) area.setSelectionRange(area.value.length, area.value.length);
      area.scrollTop = area.scrollHeight;
      showNote();
    }
  }, { passive: true });
}

function showNewest(area) {
  textNode(area).data = log.lastLines(VIEW_LINES);
  shownLines = Math.min(log.lines, VIEW_LINES);
  linesBelow = 0;
}

// Shows the new text at the end of the view and drops the view's earliest
// lines beyond VIEW_LINES, following the newest line; while the reader is
// scrolled up, leaves the view as it is.
function showNewText(added, lines) {
  const area = document.getElementById("action_log");
  watchScroll(area);
  if (!scrollPending && !scrolledToEnd(area)) {
    linesBelow += lines;
  } else if (linesBelow > 0) {
    showNewest(area);
    followAtNextFrame(area);
  } else {
    const node = textNode(area);
    shownLines += lines;
    if (shownLines <= VIEW_LINES) {
      node.appendData(added);
    } else {
      // One change of the text content: the area rebuilds its value once.
      const text = node.data + added;
      node.data = text.slice(afterLineFeeds(text, shownLines - VIEW_LINES));
      shownLines = VIEW_LINES;
    }
    followAtNextFrame(area);
  }
  showNote();
}

// The position just after the n-th line feed of text (n >= 1).
function afterLineFeeds(text, n) {
  let at = -1;
  for (let i = 0; i < n; i++) at = text.indexOf("\n", at + 1);
  return at + 1;
}

function plural(n, what) {
  return `${n} ${what}${n === 1 ? "" : "s"}`;
}

function showNote() {
  const note = document.getElementById("action_log_note");
  const earlier = log.lines - shownLines - linesBelow;
  const parts = [];
  if (earlier > 0) parts.push(`${plural(earlier, "earlier line")} not shown`);
  if (linesBelow > 0) parts.push(`${plural(linesBelow, "new line")} below`);
  note.textContent = parts.join(", ");
  note.hidden = parts.length === 0;
}

// A short summary for screen readers instead of every line.
function announce(count) {
  const news = document.getElementById("action_log_news");
  if (news) news.textContent = `${count} new log line${count === 1 ? "" : "s"}`;
}

// Appends the lines of a batch to the log. A line is skipped when the log
// as it stood before this batch contains it anywhere (shown or not); an
// empty line is never appended; equal lines of one batch are all appended.
export function updateLogOutput(items) {
  if (!Array.isArray(items)) return;
  const before = log.lines;
  const appended = log.appendNew(items);
  if (appended === null) return;
  showNewText(appended.text, log.lines - before);
  announce(appended.items);
}

// Empties the log and its view.
export function clearLog() {
  log = new ActionLog();
  shownLines = 0;
  linesBelow = 0;
  document.getElementById("action_log").textContent = "";
  showNote();
}
