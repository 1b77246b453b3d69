// The action page over the first page: its heading, its status and result
// line, the pass or fail mark, and the button row.

import { textOf } from "./text_of.js";
import { coverFirstPage } from "./first_page.js";

// The line shown when an action request got no answer at all.
const UNCONFIRMED_TEXT =
  "NOT CONFIRMED:  The repair service did not answer. The action may be running: do not switch the unit off.";

export function actionPageShown() {
  return document.getElementById("action_ui").style.display !== "none";
}

// A level-2 heading holding text as text.
function heading(text, color) {
  const h2 = document.createElement("h2");
  h2.textContent = text;
  if (color) h2.style.color = color;
  return h2;
}

// The action page's heading of an action started by "Proceed" ("running")
// or by the action page's "Reboot" ("rebooting").
function actionHeading({ heading: kind, option, disc, image }) {
  if (kind === "rebooting") return heading("Rebooting " + disc + " : " + image, "#302e2e");
  return heading("Running " + option + " on " + disc + " : " + image);
}

// Sets the heading; none for null.
export function setActionLabel(started) {
  if (started) document.getElementById("action_label").replaceChildren(actionHeading(started));
  else document.getElementById("action_label").replaceChildren();
}

// Shows the action page with the heading of `started` and takes the focus
// to its log area, away from the covered control that had it.
export function showActionPage(started) {
  coverFirstPage();
  document.getElementById("action_ui").style.display = "block";
  setActionLabel(started);
  document.getElementById("action_log").focus({ preventScroll: true }); // the page never scrolls
}

export function updateActionMessage(text) {
  document.getElementById("action_msg").textContent = textOf(text).replaceAll("'", "");
}

export function OnSuccess(text) {
  updateActionMessage("SUCCESS  " + textOf(text));
  updatePage("pass.png");
}

export function OnFail(text) {
  updateActionMessage("FAIL:  " + textOf(text));
  updatePage("fail.png");
}

// An action request without an answer: the service may have started it, so
// it is shown neither as failed nor as done. The mark stays hidden, as after
// a reboot request; the first page stays covered.
export function OnUnconfirmed() {
  updateActionMessage(UNCONFIRMED_TEXT);
  hideMark();
  document.getElementById("action_next").style.display = "block";
}

// The mark stays hidden from then on, results included.
export function hideMark() {
  document.getElementById("action_img").style.opacity = "0";
}

function updatePage(mark) {
  document.getElementById("action_next").style.display = "block";
  document.getElementById("action_img").src = mark;
}
