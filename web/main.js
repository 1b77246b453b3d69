// Workflow of the repair page, in the order of its events: the start (a
// scan, or the action a page that died left running), the scan and its
// list, the checks on "Proceed", the actions followed to their result, and
// the buttons of the action page.

import { textOf, escapeMarkup } from "./text_of.js";
import { isObject, isId } from "./vocabulary.js";
import { SystemProxy, wasAbandoned } from "./system_proxy.js";
import { heard, during } from "./service_notice.js";
import { untilServiceAnswers, WAITING_TEXT } from "./service_wait.js";
import { poll, statusEntry } from "./polling.js";
import { exConfirmPromise as dialog } from "./exConfirm.js";
import { updateLogOutput, clearLog } from "./log_view.js";
import { updateScanStatus, showScanFailure } from "./scan_overlay.js";
import { updateOptionMenu, parseImageValue, shownImage, show_status, clear_options } from "./first_page.js";
import {
  actionPageShown, showActionPage, setActionLabel, updateActionMessage, hideMark, OnSuccess, OnFail, OnUnconfirmed,
} from "./action_page.js";
import { ACTIONS, uuidOf } from "./actions.js";
import { saveActionRecord, loadActionRecord, forgetActionRecord, resumeAction } from "./action_record.js";
import { heldBack, whileWriting } from "./battery.js";
import "./held_keys.js";
import "./gamepad.js";

const SERVICE_ADDRESS = "http://127.0.0.1:8080/lumenos-repair";
const MAX_TRY_SCAN = 1000;
const MAX_TRY_ACTION = 5000;
const SCAN_POLL_MS = 1000;
const ACTION_POLL_MS = 2000;
const REBOOT_DELAY = 10;
const CONFIRM_MESSAGE = "Action can't be undone. Continue?";
// The text of the failure result when an accepted request has no uuid.
const NO_UUID_MESSAGE = "The repair service accepted the request without a request id";

let selectedImage = "";
let selected_option = { id: "", value: "" };

class System {
  constructor() {
    this.systemProxy = new SystemProxy(SERVICE_ADDRESS, heard);
    this.scanData = {};
    this.listData = {};
    // What the scan found: its uuid, which every later request carries,
    // and the discs of its list.
    this.found = { scanUuid: undefined, osList: undefined };
    this.currentActionReq = {};
    // The uuid of the current action request: the log "Clear Log" clears.
    this.actionUuid = undefined;
    this.restoreData = {};
    this.resetData = {};
    this.repairData = {};
    this.rebootData = {};
  }

  // Sends the scan, again while the service is not there yet, then follows
  // it with the notice while the service does not answer.
  async Scan() {
    this.scanData = await untilServiceAnswers(
      () => this.systemProxy.triggerScan(),
      () => updateScanStatus(WAITING_TEXT),
    );
    await during("scan", "scan_notice", this.followScan());
  }

  async followScan() {
    const scan = this.scanData;
    const uuid = uuidOf(scan);
    if (scan.state === "FAILED" || !isId(uuid)) {
      // Without a scan uuid nothing can be listed or polled: a failed scan.
      if (scan.state !== "FAILED") console.log("Scan: answer without uuid");
      showScanFailure();
      return;
    }
    const finished =
      scan.state === "FINISHED" ||
      (await poll({
        tries: MAX_TRY_SCAN,
        waitMs: SCAN_POLL_MS,
        ask: (n) => this.systemProxy.getStatusById(uuid, n, 1),
        read: (status) => {
          const entry = statusEntry(status, uuid);
          if (!entry) return undefined; // a poll without news
          const [code, type, line] = entry;
          updateScanStatus(line);
          if (code == 200) return true;
          if (code >= 400) return false;
          console.log("Scanning log: " + textOf(type) + ":" + textOf(line));
          return undefined;
        },
      }));
    if (!finished) {
      showScanFailure();
      return;
    }
    updateScanStatus("Scan: Scan finished");
    await this.List(uuid);
  }

  // A list answered "still running" is asked again, as the scan is polled.
  async List(id) {
    const list = await poll({
      tries: MAX_TRY_SCAN,
      waitMs: SCAN_POLL_MS,
      firstWaitMs: 0,
      ask: () => this.systemProxy.triggerList(id),
      read: (record) => {
        this.listData = record;
        return record.state === "PENDING" ? undefined : record;
      },
    });
    const osList = list && list.state === "FINISHED" && isObject(list.result) ? list.result.os_list : undefined;
    if (!isObject(osList)) {
      // An answer without "os_list" fails like a failed list request.
      if (list && list.state === "FINISHED") console.log("List: answer without os_list");
      showScanFailure();
      return;
    }
    this.found = { scanUuid: id, osList };
    updateOptionMenu(osList);
  }

  // Keeps the record of an action (action_record.js) from the moment its
  // request goes out; answer: { uuid, message } once the service accepted it.
  recordAction(started, answer = {}) {
    saveActionRecord({ ...started, ...this.found, message: "", ...answer });
  }

  // Every action takes the same course. The record stays while the action
  // may run: followed, or sent without an answer.
  async runAction(option, disc, img, delay, headingKind = "running") {
    const action = ACTIONS[option];
    const started = { heading: headingKind, option, disc, image: img };
    this.recordAction(started);
    const record = await action.send(this.systemProxy, disc, img, this.found.scanUuid, delay);
    this[action.record] = record;
    if (action.clearable) {
      this.currentActionReq = record;
      this.actionUuid = uuidOf(record);
    }
    updateLogOutput([record.message]);
    if (wasAbandoned(record)) {
      OnUnconfirmed();
      return;
    }
    const uuid = uuidOf(record);
    if (record.state === "PENDING" && isId(uuid)) {
      this.recordAction(started, { uuid, message: record.message });
      await this.followAction(uuid, action.followedText, ACTION_POLL_MS);
      return;
    }
    forgetActionRecord();
    if (record.state === "FINISHED") action.done(record);
    // Without a uuid there is nothing to follow: fail at once instead of
    // polling a made-up id.
    else OnFail(record.state === "FAILED" ? record.message : NO_UUID_MESSAGE);
  }

  Restore(disc, img) {
    return this.runAction("Restore", disc, img);
  }

  FactoryReset(disc, img) {
    return this.runAction("Factory-reset", disc, img);
  }

  Repair(disc, img) {
    return this.runAction("Repair", disc, img);
  }

  // headingKind: "running" from "Proceed", "rebooting" from the action page.
  Reboot(disc, img, delay, headingKind = "running") {
    return this.runAction("Reboot", disc, img, delay, headingKind);
  }

  // Takes up the action a page that died left (action_record.js): what the
  // later requests need, and the following of an accepted action from log
  // index 0 at once. Delivers that following, or null for an action whose
  // request got no answer.
  takeUp(record) {
    this.found = { scanUuid: record.scanUuid, osList: record.osList };
    if (ACTIONS[record.option].clearable) this.actionUuid = record.uuid;
    if (record.uuid === undefined) {
      OnUnconfirmed();
      return null;
    }
    return this.followAction(record.uuid, ACTIONS[record.option].followedText, 0);
  }

  // Follows an accepted action to its result; its record goes with the end.
  async followAction(uuid, successTextFollowed, firstPollMs) {
    const [code, text] = await this.checkStatusForAction(uuid, firstPollMs);
    forgetActionRecord(uuid);
    if (code == 200) OnSuccess(successTextFollowed === undefined ? text : successTextFollowed);
    else OnFail(text);
  }

  async Clear() {
    return this.systemProxy.triggerClearLog(this.actionUuid);
  }

  // Follows one request; delivers [final code, final text].
  async checkStatusForAction(uuid, firstPollMs = ACTION_POLL_MS) {
    let received = 0;
    const ended = await poll({
      tries: MAX_TRY_ACTION,
      waitMs: ACTION_POLL_MS,
      firstWaitMs: firstPollMs,
      ask: () => this.systemProxy.getStatusById(uuid, received, 100),
      read: (status) => {
        // Without an entry for uuid, or with log lines that are not an
        // array: a poll without news. An entry without log lines is news.
        const entry = statusEntry(status, uuid);
        const given = entry ? status.result.log_messages : undefined;
        if (!entry || (given !== undefined && !Array.isArray(given))) return undefined;
        const messages = given ?? [];
        received += messages.length;
        const [code, type, line] = entry;
        updateActionMessage(line);
        updateLogOutput(messages);
        if (code == 200 || code >= 400) return [code, textOf(line)];
        console.log("Action: running: log: " + textOf(type) + ":" + textOf(line));
        return undefined;
      },
    });
    return ended ?? [408, "Timeout"];
  }
}

const system = new System();

// Runs an action, with the notice while the service does not answer and the
// battery's lines while it writes the discs; an unexpected exception still
// ends with a result.
function runGuarded(option, promise) {
  during("action", "action_notice", whileWriting(option, promise)).catch((e) => {
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
  clear_options(selected_option.id);
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
  if (!ACTIONS[option]) {
    console.log("unknown option: " + option);
    return;
  }
  if (await heldBack(option)) return;
  const confirmed = await dialog.make({
    title: option,
    // The dialog takes markup; keys from the discs go in as text.
    message: escapeMarkup(disc + " : " + image) + "<br>" + CONFIRM_MESSAGE,
  });
  // One action from the first page: another confirmation answered in the
  // meantime has opened the action page already.
  if (!confirmed || (await heldBack(option)) || actionPageShown()) return;
  showActionPage({ heading: "running", option, disc, image });
  runGuarded(option, system[ACTIONS[option].operation](disc, image, REBOOT_DELAY));
  if (option === "Reboot") updateActionMessage("Rebooting in " + REBOOT_DELAY + " sec");
}

export async function ClearLog(el_) {
  clearLog();
  // Nothing to clear at the service before a restore, factory-reset or
  // repair request, or for one that failed before it got a uuid.
  if (!isId(system.actionUuid)) return;
  const record = await system.Clear();
  if (record.state === "FINISHED") updateActionMessage("Logs cleaned");
  else if (record.state === "FAILED") updateActionMessage("Clear logs failed");
}

export function CloseWindow(el_) {
  forgetActionRecord(); // the person has seen what became of it
  window.close();
}

export async function RebootSystem(el_) {
  hideMark();
  selectedImage = shownImage();
  const choice = selectedImage ? parseImageValue(selectedImage) : null;
  if (!choice) {
    setActionLabel(null);
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
  setActionLabel({ heading: "rebooting", disc, image });
  updateActionMessage("In " + REBOOT_DELAY + " seconds");
  clearLog();
  runGuarded("Reboot", system.Reboot(disc, image, REBOOT_DELAY, "rebooting"));
}

// ------------------------------------------------------------ page start

document.addEventListener("DOMContentLoaded", () => {
  // The record follows the entry shown, however the list was changed.
  const menu = document.getElementById("images");
  for (const type of ["change", "input"]) menu.addEventListener(type, () => ImageSelected(menu));
  const record = loadActionRecord();
  if (record) {
    const following = resumeAction(record, system);
    if (following) runGuarded(record.option, following);
    return;
  }
  updateScanStatus("Scan started");
  system.Scan().catch((e) => {
    console.error(e);
    showScanFailure();
  });
});
