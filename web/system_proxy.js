// Client of the repair service's HTTP interface.
//
// Every method sends exactly one HTTP GET request and delivers a status
// record { state, result, message }. A method never throws and its promise
// never rejects: failures are told by the record's state and message, and
// diagnostics go to the browser console only.

// The text of the record made for an answer whose JSON body is not an object.
export const NOT_AN_OBJECT_MESSAGE =
  "Invalid answer from the repair service: the body is not a JSON object";

// Sends one request and delivers either { data } (the parsed body) or
// { error } (the error text). Never throws.
async function trigger(url) {
  try {
    const response = await fetch(url, { mode: "no-cors" });
    console.log("trigger: " + url);
    if (response.status >= 200 && response.status <= 299) {
      return { data: await response.json() };
    }
    // The body of an HTTP error is never read.
    console.log("Response error : " + response.statusText);
    return { error: response.statusText };
  } catch (e) {
    // Service down, connection refused or reset, body not valid JSON.
    return { error: e && e.message !== undefined ? String(e.message) : String(e) };
  }
}

function textOf(value) {
  if (value === undefined || value === null) return "";
  return typeof value === "string" ? value : String(value);
}

// Turns the outcome of trigger() into a status record.
function makeRecord(outcome) {
  const record = { state: "NULL", result: "", message: "" };
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

// Builds "?k1=v1&k2=v2..." with every value escaped by encodeURIComponent,
// so that no value can change which disc, image or request a URL names.
function query(pairs) {
  return (
    "?" +
    pairs.map(([key, value]) => key + "=" + encodeURIComponent(String(value))).join("&")
  );
}

export class SystemProxy {
  constructor(server) {
    this.server = server;
  }

  async request(path, pairs) {
    const url = this.server + path + (pairs ? query(pairs) : "");
    return makeRecord(await trigger(url));
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
