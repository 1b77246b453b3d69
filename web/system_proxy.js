// Client of the repair service's HTTP interface.
//
// Every method sends exactly one HTTP GET request and delivers a status
// record { state, result, message }. A method never throws and its promise
// never rejects: failures are told by the record's state and message, and
// diagnostics go to the browser console only. No request waits longer than
// its bound in ANSWER_BOUNDS_MS, and none is ever sent again.

import { textOf } from "./text_of.js";

// How long each request may wait for its whole answer before it is
// abandoned, in ms. The service is on loopback, so a healthy answer takes
// milliseconds; a bound is reached only by a service that is stuck.
// - status: a read of a request's state. 10 s is five action poll
//   intervals; an abandoned poll costs nothing, the next one follows.
// - scan, list, clear: start a scan, read its result, drop a log; the
//   service may touch the discs first, so they get longer.
// - restore, factory reset, repair, reboot: the service may check the disc
//   and image before it accepts. These are abandoned last: an abandoned
//   one leaves the page not knowing whether the action runs.
export const ANSWER_BOUNDS_MS = Object.freeze({
  "/status": 10000,
  "/scan": 30000,
  "/list": 30000,
  "/clear": 30000,
  "/restore": 60000,
  "/factory-reset": 60000,
  "/repair": 60000,
  "/reboot": 60000,
});

// The text of the record made for an answer whose JSON body is not an object.
export const NOT_AN_OBJECT_MESSAGE =
  "Invalid answer from the repair service: the body is not a JSON object";

function noAnswerMessage(boundMs) {
  return "The repair service did not answer within " + boundMs / 1000 + " s";
}

// Records of requests that got no answer (service down, connection lost
// before the headers, or abandoned before the whole body came), and the
// subset abandoned at their bound.
const unanswered = new WeakSet();
const abandoned = new WeakSet();

// True when the service answered the record's request, however badly.
export function gotAnswer(record) {
  return !unanswered.has(record);
}

// True when the record's request was abandoned at its bound: the service
// may have received it and may be acting on it.
export function wasAbandoned(record) {
  return abandoned.has(record);
}

// Sends one request and delivers { data } (the parsed body) or { error }
// (the error text), with answered: whether an HTTP answer came, and
// abandoned: whether the bound ran out first. Never throws.
async function trigger(url, boundMs) {
  // AbortSignal.timeout is newer than the engines the page runs on.
  const controller = new AbortController();
  let late = false;
  const timer = setTimeout(() => {
    late = true;
    controller.abort();
  }, boundMs);
  let answered = false;
  try {
    const response = await fetch(url, { mode: "no-cors", signal: controller.signal });
    answered = true;
    console.log("trigger: " + url);
    if (response.status >= 200 && response.status <= 299) {
      return { data: await response.json(), answered };
    }
    // The body of an HTTP error is never read.
    console.log("Response error : " + response.statusText);
    return { error: response.statusText, answered };
  } catch (e) {
    if (late) {
      console.log("no answer: " + url);
      return { error: noAnswerMessage(boundMs), answered: false, abandoned: true };
    }
    // Service down, connection refused or reset, body not valid JSON.
    return { error: e && e.message !== undefined ? String(e.message) : String(e), answered };
  } finally {
    clearTimeout(timer);
  }
}

// Turns the outcome of trigger() into a status record.
function makeRecord(outcome) {
  const record = { state: "NULL", result: "", message: "" };
  if (!outcome.answered) unanswered.add(record);
  if (outcome.abandoned) abandoned.add(record);
  if ("error" in outcome) {
    record.state = "FAILED";
    record.message = outcome.error;
    return record;
  }
  const data = outcome.data;
  if (data === null || typeof data !== "object" || Array.isArray(data)) {
    record.state = "FAILED";
    record.message = NOT_AN_OBJECT_MESSAGE;
    return record;
  }
  // Compared by value: the number 200 and the text "200" both count as 200.
  if (data.status == 200) record.state = "FINISHED";
  else if (data.status == 102) record.state = "PENDING";
  else record.state = "FAILED";
  record.result = data;
  record.message = textOf(data.message);
  return record;
}

// The characters of a query value that go percent-encoded (as UTF-8): those
// that would change the query's structure or its decoding (& = # + %, and
// ?, which some HTTP servers take for a second query mark), blanks, quotes
// and angle brackets, control characters and everything beyond ASCII. Every
// other character goes as it stands ("/dev/sda2").
const ESCAPED = /[\u0000-\u0020"#%&'+<=>?\u007f-\u{10ffff}]/gu;

function percentEncoded(c) {
  if (c < "\u0080") return "%" + c.charCodeAt(0).toString(16).toUpperCase().padStart(2, "0");
  try {
    return encodeURIComponent(c);
  } catch (e) {
    return "%EF%BF%BD"; // a lone surrogate: U+FFFD
  }
}

// Builds "?k1=v1&k2=v2...", so that no value can change which disc, image
// or request a URL names.
export function query(pairs) {
  return "?" + pairs.map(([key, value]) => key + "=" + String(value).replace(ESCAPED, percentEncoded)).join("&");
}

export class SystemProxy {
  // onRecord, if given, sees every record before its caller does.
  constructor(server, onRecord) {
    this.server = server;
    this.onRecord = onRecord;
  }

  async request(path, pairs) {
    const url = this.server + path + (pairs ? query(pairs) : "");
    const record = makeRecord(await trigger(url, ANSWER_BOUNDS_MS[path]));
    try {
      if (this.onRecord) this.onRecord(record);
    } catch (e) {
      console.error(e);
    }
    return record;
  }

  triggerScan() {
    return this.request("/scan");
  }

  triggerList(id) {
    return this.request("/list", [["uuid", id]]);
  }

  getStatusById(id, start, max) {
    return this.request("/status", [
      ["uuid", id],
      ["start", start],
      ["max", max],
    ]);
  }

  triggerRestore(discName, imageName, scanuuid) {
    return this.request("/restore", [
      ["disc", discName],
      ["image", imageName],
      ["scanuuid", scanuuid],
    ]);
  }

  triggerRepair(discName, imageName, scanuuid) {
    return this.request("/repair", [
      ["disc", discName],
      ["image", imageName],
      ["scanuuid", scanuuid],
    ]);
  }

  // The page passes the image key as efiName and the scan uuid as imageName:
  // that is what goes on the wire.
  triggerFactoryReset(discName, efiName, imageName) {
    return this.request("/factory-reset", [
      ["disc", discName],
      ["efi", efiName],
      ["image", imageName],
    ]);
  }

  triggerReboot(discName, imageName, scanuuid, delay) {
    return this.request("/reboot", [
      ["disc", discName],
      ["image", imageName],
      ["scanuuid", scanuuid],
      ["delay", delay],
    ]);
  }

  triggerClearLog(uuid) {
    return this.request("/clear", [["uuid", uuid]]);
  }
}
