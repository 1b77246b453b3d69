// Workflow of the repair page: the scan and the image
// menu, the checks on "Proceed", the actions with their progress, the log
// area and the result, and the buttons of the action page.

import { textOf } from "./text_of.js";
import { SystemProxy, wasAbandoned } from "./system_proxy.js";
import { heard, during } from "./service_notice.js";
import { exConfirmPromise as dialog } from "./exConfirm.js";
import { safeMarkup } from "./safe_markup.js";
import { updateLogOutput, clearLog } from "./log_view.js";
import { focusFirstControl } from "./focus_nav.js";
import "./gamepad.js";
import { saveActionRecord, loadActionRecord, forgetActionRecord } from "./action_record.js";

// What the service sends, and how the page shows it:
// - sanitized markup (safe_markup.js): the scan's status lines in
//   "scan_msg", the one place where its text is rendered as markup;
// - text, never markup: the messages, the action's status lines (in
//   "action_msg" and the log area), the log lines, the disc labels, the disc
//   and image keys (in the image list, the headings and the dialog), the
//   uuids (sent back in queries only); the same texts when they come back
//   from the tab's session storage (action_record.js).

const SERVICE_ADDRESS = "http://127.0.0.1:8080/lumenos-repair";
const MAX_TRY_SCAN = 1000;
const MAX_TRY_ACTION = 5000;
const SCAN_POLL_MS = 1000;
const ACTION_POLL_MS = 2000;
const REBOOT_DELAY = 10;
const FAILURE_MARKUP = "<h1>Failed: </h1><p>Restart application</p>";
const CONFIRM_MESSAGE = "Action can't be undone. Continue?";

let selectedImage = "";
let selected_option = { id: "", value: "" };
const recovery_options_ids = ["restore", "factory-reset", "repair", "reboot"];

// ---------------------------------------------------------------- helpers

function el(id) {
  return document.getElementById(id);
}

function sleep(ms) {
  return new Promise((resolve) => setTimeout(resolve, ms));
}

function isObject(value) {
  return value !== null && typeof value === "object" && !Array.isArray(value);
}

// An identifier the service handed out: a non-empty text (or a number).
function isId(value) {
  return (typeof value === "string" && value !== "") || (typeof value === "number" && Number.isFinite(value));
}

// The text of the failure result when an accepted request has no uuid.
const NO_UUID_MESSAGE = "The repair service accepted the request without a request id";
// The success text of a repair followed to its end.
const REPAIR_FOLLOWED_TEXT = "Minimize this window  and repair manually with caution";

// The line shown when an action request got no answer at all.
const UNCONFIRMED_TEXT =
  "NOT CONFIRMED:  The repair service did not answer. The action may be running: do not switch the unit off.";

// The status entry [code, type, line] that a "FINISHED" status record holds
// for uuid, or null when the answer has none (a poll without news).
function statusEntry(record, uuid) {
  const list = isObject(record.result) ? record.result.status_list : undefined;
  if (!isObject(list) || !Object.prototype.hasOwnProperty.call(list, uuid)) return null;
  const entry = list[uuid];
  return Array.isArray(entry) ? entry : null;
}

// Escapes text for a place that takes markup, so that it shows as text.
function escapeMarkup(text) {
  return textOf(text)
    .replaceAll("&", "&amp;")
    .replaceAll("<", "&lt;")
    .replaceAll(">", "&gt;")
    .replaceAll('"', "&quot;")
    .replaceAll("'", "&#39;");
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

// Parses a menu entry value back into disc key and image key.
function parseImageValue(value) {
  try {
    const parsed = JSON.parse(value);
    if (isObject(parsed)) return { disc: textOf(parsed.disc), image: textOf(parsed.image) };
  } catch (e) {
    console.log("bad image value: " + value);
  }
  return null;
}

// ------------------------------------------------------- scan page helpers

function updateScanStatus(text) {
  const h5 = document.createElement("h5");
  h5.append(safeMarkup(textOf(text)));
  el("scan_msg").replaceChildren(h5);
}

function showScanFailure() {
  el("scan_msg").innerHTML = FAILURE_MARKUP;
}

function hideLoadingIcon() {
  el("loading_img").style.display = "none";
}

function closeLoadingIconWithDelay() {
  setTimeout(() => {
    const overlay = el("loading_id");
    if (overlay) overlay.remove();
    focusFirstControl(); // the image list
  }, 1000);
}

function updateOptionMenu(list) {
  fillImageMenu(list);
  closeLoadingIconWithDelay();
}

function fillImageMenu(list) {
  const menu = el("images");
  menu.replaceChildren();
  menu.add(new Option("Select..", ""));
  for (const discKey of Object.keys(list)) {
    const disc = list[discKey];
    const label = isObject(disc) ? textOf(disc.disc) : "";
    const images = isObject(disc) && isObject(disc.images) ? disc.images : {};
    const discPart = discKey + ":" + label;
    for (const imageKey of Object.keys(images)) {
      const option = document.createElement("option");
      option.value = JSON.stringify({ disc: discKey, image: imageKey });
      // Keys and labels come from the scanned discs: text, never markup.
      option.textContent = discPart + " : " + imageKey + "  ";
      menu.add(option);
    }
  }
  menu.selectedIndex = 0;
}

// The value of the entry the image list shows; "" for none.
function shownImage() {
  const menu = el("images");
  const entry = menu.options[menu.selectedIndex];
  return entry && !entry.disabled ? entry.value : "";
}

function show_status(text) {
  el("status").textContent = text;
}

function clear_options() {
  for (const id of recovery_options_ids) {
    if (id !== selected_option.id) el(id).checked = false;
  }
}

// ----------------------------------------------------- action page helpers

function actionPageShown() {
  return el("action_ui").style.display !== "none";
}

// The first page below its image list lies under the action panel from now
// on: it takes no input, from the pointer, the keys or focus given back.
// inert is not known to every engine the page runs on, so the controls are
// disabled as well.
function coverFirstPage() {
  for (const part of el("main_menu").children) {
    if (part.classList.contains("image-selection-box")) continue;
    part.setAttribute("inert", "");
    for (const control of part.querySelectorAll("input, button")) control.disabled = true;
  }
}

// Shows the action page and takes the focus to its log area, away from the
// covered control that had it.
function showActionPage(headingNode) {
  coverFirstPage();
  el("action_ui").style.display = "block";
  el("action_label").replaceChildren(headingNode);
  el("action_log").focus({ preventScroll: true }); // the page never scrolls
}

function updateActionMessage(text) {
  el("action_msg").textContent = textOf(text).replaceAll("'", "");
}

function OnSuccess(text) {
  updateActionMessage("SUCCESS  " + textOf(text));
  updatePage("pass.png");
}

function OnFail(text) {
  updateActionMessage("FAIL:  " + textOf(text));
  updatePage("fail.png");
}

// An action request abandoned without an answer: the service may have
// started it, so it is shown neither as failed nor as done. The mark stays
// hidden, as after a reboot request; the first page stays covered.
function OnUnconfirmed() {
  updateActionMessage(UNCONFIRMED_TEXT);
  el("action_img").style.opacity = "0";
  el("action_next").style.display = "block";
}

function updatePage(mark) {
  el("action_next").style.display = "block";
  el("action_img").src = mark;
}

// -------------------------------------------------------------- workflow

class System {
  constructor() {
    this.systemProxy = new SystemProxy(SERVICE_ADDRESS, heard);
    this.scanData = {};
    this.listData = {};
    this.currentActionReq = {};
    this.restoreData = {};
    this.resetData = {};
    this.repairData = {};
    this.rebootData = {};
  }

  scanUuid() {
    const result = this.scanData && this.scanData.result;
    return isObject(result) ? result.uuid : undefined;
  }

  async Scan() {
    this.scanData = await this.systemProxy.triggerScan();
    const scan = this.scanData;
    if (scan.state !== "FAILED" && !isId(this.scanUuid())) {
      // Without a scan uuid nothing can be listed or polled: a failed scan.
      console.log("Scan: answer without uuid");
      this.scanFailed();
      return;
    }
    if (scan.state === "FINISHED") {
      updateScanStatus("Scan: Scan finished");
      await this.List(this.scanUuid());
      return;
    }
    if (scan.state === "PENDING") {
      const uuid = this.scanUuid();
      for (let n = 0; n < MAX_TRY_SCAN; n++) {
        await sleep(SCAN_POLL_MS);
        const status = await this.systemProxy.getStatusById(uuid, n, 1);
        if (status.state !== "FINISHED") continue;
        const entry = statusEntry(status, uuid);
        if (!entry) continue; // no entry for the scan uuid: a poll without news
        const [code, type, line] = entry;
        updateScanStatus(line);
        if (code == 200) {
          updateScanStatus("Scan: Scan finished");
          await this.List(uuid);
          return;
        }
        if (code >= 400) break;
        console.log("Scanning log: " + textOf(type) + ":" + textOf(line));
      }
    }
    this.scanFailed();
  }

  scanFailed() {
    showScanFailure();
    hideLoadingIcon();
  }

  async List(id) {
    this.listData = await this.systemProxy.triggerList(id);
    const list = this.listData;
    if (list.state === "FAILED") {
      showScanFailure();
      return;
    }
    if (list.state !== "FINISHED") return; // "PENDING": the overlay stays
    const osList = isObject(list.result) ? list.result.os_list : undefined;
    if (!isObject(osList)) {
      // An answer without "os_list" fails like a failed list request.
      console.log("List: answer without os_list");
      showScanFailure();
      return;
    }
    updateOptionMenu(osList);
  }

  // Restore, factory reset and repair take the same course. started:
  // { heading, option, disc, image } of the action, kept while it is
  // followed.
  async runOperation(record, started, successTextFollowed) {
    updateLogOutput([record.message]);
    if (wasAbandoned(record)) {
      OnUnconfirmed();
    } else if (record.state === "FAILED") {
      OnFail(record.message);
    } else if (record.state === "PENDING") {
      const uuid = record.result.uuid;
      if (!isId(uuid)) {
        // Nothing to follow: fail at once instead of polling a made-up id.
        OnFail(NO_UUID_MESSAGE);
        return false;
      }
      const osList = isObject(this.listData.result) ? this.listData.result.os_list : undefined;
      saveActionRecord({ ...started, uuid, scanUuid: this.scanUuid(), osList, message: record.message });
      await this.followAction(uuid, successTextFollowed, ACTION_POLL_MS);
    } else {
      return true; // "FINISHED"
    }
    return false;
  }

  // Follows an accepted action to its result; its record goes with the end.
  async followAction(uuid, successTextFollowed, firstPollMs) {
    const [code, text] = await this.checkStatusForAction(uuid, firstPollMs);
    forgetActionRecord(uuid);
    if (code == 200) OnSuccess(successTextFollowed === undefined ? text : successTextFollowed);
    else OnFail(text);
  }

  async Restore(disc, img) {
    this.restoreData = await this.systemProxy.triggerRestore(disc, img, this.scanUuid());
    this.currentActionReq = this.restoreData;
    const started = { heading: "running", option: "Restore", disc, image: img };
    if (await this.runOperation(this.restoreData, started)) OnSuccess(this.restoreData.message);
  }

  async FactoryReset(disc, img) {
    // The service takes the image key as "efi" and the scan uuid as "image".
    this.resetData = await this.systemProxy.triggerFactoryReset(disc, img, this.scanUuid());
    this.currentActionReq = this.resetData;
    const started = { heading: "running", option: "Factory-reset", disc, image: img };
    if (await this.runOperation(this.resetData, started)) OnSuccess(this.resetData.message);
  }

  async Repair(disc, img) {
    this.repairData = await this.systemProxy.triggerRepair(disc, img, this.scanUuid());
    this.currentActionReq = this.repairData;
    const started = { heading: "running", option: "Repair", disc, image: img };
    if (await this.runOperation(this.repairData, started, REPAIR_FOLLOWED_TEXT)) {
      OnSuccess("Minimize this and repair Manually with caution");
    }
  }

  // headingKind: "running" from "Proceed", "rebooting" from the action page.
  async Reboot(disc, img, delay, headingKind = "running") {
    this.rebootData = await this.systemProxy.triggerReboot(disc, img, this.scanUuid(), delay);
    const started = { heading: headingKind, option: "Reboot", disc, image: img };
    if (await this.runOperation(this.rebootData, started)) updateActionMessage("Rebooting..");
  }

  async Clear() {
    const result = this.currentActionReq && this.currentActionReq.result;
    return this.systemProxy.triggerClearLog(isObject(result) ? result.uuid : undefined);
  }

  // Follows one request; delivers [final code, final text].
  async checkStatusForAction(uuid, firstPollMs = ACTION_POLL_MS) {
    let received = 0;
    for (let n = 0; n < MAX_TRY_ACTION; n++) {
      await sleep(n === 0 ? firstPollMs : ACTION_POLL_MS);
      const status = await this.systemProxy.getStatusById(uuid, received, 100);
      if (status.state !== "FINISHED") continue;
      const entry = statusEntry(status, uuid);
      const given = status.result.log_messages;
      // Without an entry for uuid, or with log lines that are not an array:
      // a poll without news. An entry without log lines is news.
      if (!entry || (given !== undefined && !Array.isArray(given))) continue;
      const messages = given ?? [];
      received += messages.length;
      const [code, type, line] = entry;
      updateActionMessage(line);
      updateLogOutput(messages);
      if (code == 200 || code >= 400) return [code, textOf(line)];
      console.log("Action: running: log: " + textOf(type) + ":" + textOf(line));
    }
    return [408, "Timeout"];
  }
}

const system = new System();

// True once a restore, factory-reset or repair request has been made.
function hasCurrentActionReq() {
  return isObject(system.currentActionReq) && "state" in system.currentActionReq;
}

// Runs an operation, with the notice while the service does not answer; an
// unexpected exception still ends with a result.
function runGuarded(promise) {
  during("action", "action_notice", promise).catch((e) => {
    console.error(e);
    OnFail(e && e.message ? e.message : String(e));
  });
}

// ------------------------------------------------ handlers of the elements

export function ImageSelected(element) {
  selectedImage = element.value;
  show_status("");
}

export function OptionSelected(element) {
  if (actionPageShown()) return;
  if (element.checked) selected_option = { id: element.id, value: element.value };
  else selected_option = { id: "", value: "" };
  clear_options();
  show_status("");
}

export async function TakeAction(element) {
  if (actionPageShown()) return;
  selectedImage = shownImage();
  if (!selectedImage) {
    show_status(" Please select Image");
    return;
  }
  if (!selected_option.id) {
    show_status(" Please select any option");
    return;
  }
  const choice = parseImageValue(selectedImage);
  if (!choice) {
    show_status(" Please select Image");
    return;
  }
  const { disc, image } = choice;
  const option = selected_option.value;
  const confirmed = await dialog.make({
    title: option,
    // The dialog takes markup; keys from the discs go in as text.
    message: escapeMarkup(disc + " : " + image) + "<br>" + CONFIRM_MESSAGE,
  });
  // One action from the first page: another confirmation answered in the
  // meantime has opened the action page already.
  if (!confirmed || actionPageShown()) return;
  showActionPage(actionHeading({ heading: "running", option, disc, image }));
  switch (option) {
    case "Restore":
      runGuarded(system.Restore(disc, image));
      break;
    case "Factory-reset":
      runGuarded(system.FactoryReset(disc, image));
      break;
    case "Repair":
      runGuarded(system.Repair(disc, image));
      break;
    case "Reboot":
      runGuarded(system.Reboot(disc, image, REBOOT_DELAY));
      updateActionMessage("Rebooting in " + REBOOT_DELAY + " sec");
      break;
    default:
      console.log("unknown option: " + option);
  }
}

export async function ClearLog(el_) {
  clearLog();
  if (!hasCurrentActionReq()) return;
  const result = system.currentActionReq.result;
  if (!isObject(result) || !isId(result.uuid)) {
    // The request failed before the service handed out a uuid: there is no
    // log of it at the service to clear.
    return;
  }
  const record = await system.Clear();
  if (record.state === "FINISHED") updateActionMessage("Logs cleaned");
  else if (record.state === "FAILED") updateActionMessage("Clear logs failed");
}

export function CloseWindow(el_) {
  window.close();
}

export async function RebootSystem(el_) {
  el("action_img").style.opacity = "0";
  selectedImage = shownImage();
  const choice = selectedImage ? parseImageValue(selectedImage) : null;
  if (!choice) {
    el("action_label").replaceChildren();
    updateActionMessage("Please select image");
    return;
  }
  const { disc, image } = choice;
  const confirmed = await dialog.make({
    title: "Reboot",
    // The dialog takes markup; keys from the discs go in as text.
    message: escapeMarkup("Will reboot " + disc + " : image-" + image + ". Continue?"),
  });
  if (!confirmed) return;
  el("action_label").replaceChildren(actionHeading({ heading: "rebooting", disc, image }));
  updateActionMessage("In " + REBOOT_DELAY + " seconds");
  clearLog();
  runGuarded(system.Reboot(disc, image, REBOOT_DELAY, "rebooting"));
}

// ------------------------------------------------------------ page start

// A held key presses a button once: its repeats press nothing.
document.addEventListener(
  "keydown",
  (e) => {
    if (e.repeat && (e.key === "Enter" || e.key === " ") && e.target instanceof HTMLButtonElement) e.preventDefault();
  },
  true,
);

// The page loaded again while an accepted action ran (its renderer died):
// the action page as it was, the action followed from the start of its log
// at once. Nothing is sent but status polls, and no scan.
function resumeAction(record) {
  system.scanData = { state: "FINISHED", result: { uuid: record.scanUuid }, message: "" };
  system.listData = { state: "FINISHED", result: { os_list: record.osList }, message: "" };
  fillImageMenu(record.osList);
  const menu = el("images");
  const value = JSON.stringify({ disc: record.disc, image: record.image });
  const entry = [...menu.options].findIndex((option) => option.value === value);
  if (entry > 0) {
    menu.selectedIndex = entry;
    selectedImage = value;
  }
  el("loading_id").remove();
  showActionPage(actionHeading(record));
  if (record.option !== "Reboot") {
    system.currentActionReq = { state: "PENDING", result: { status: 102, uuid: record.uuid }, message: record.message };
  }
  updateLogOutput([record.message]);
  const successText = record.option === "Repair" ? REPAIR_FOLLOWED_TEXT : undefined;
  runGuarded(system.followAction(record.uuid, successText, 0));
}

document.addEventListener("DOMContentLoaded", () => {
  // The record follows the entry shown, however the list was changed.
  const menu = el("images");
  for (const type of ["change", "input"]) menu.addEventListener(type, () => ImageSelected(menu));
  const record = loadActionRecord();
  if (record) {
    resumeAction(record);
    return;
  }
  updateScanStatus("Scan started");
  during("scan", "scan_notice", system.Scan()).catch((e) => {
    console.error(e);
    system.scanFailed();
  });
});
