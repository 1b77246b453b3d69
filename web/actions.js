// The four actions of the page, by option value, for the workflow to run
// from one table.

import { isObject } from "./vocabulary.js";
import { OnSuccess, updateActionMessage } from "./action_page.js";

// The four actions, by option value: the operation of System that runs it,
// its request, the field of its record, whether "Clear Log" clears its log,
// what an answer of 200 shows, and the success text of one followed to 200
// (else the final status line).
export const ACTIONS = Object.freeze({
  Restore: {
    operation: "Restore",
    send: (proxy, disc, img, scan) => proxy.triggerRestore(disc, img, scan),
    record: "restoreData",
    clearable: true,
    done: (record) => OnSuccess(record.message),
  },
  "Factory-reset": {
    operation: "FactoryReset",
    // The service takes the image key as "efi" and the scan uuid as "image".
    send: (proxy, disc, img, scan) => proxy.triggerFactoryReset(disc, img, scan),
    record: "resetData",
    clearable: true,
    done: (record) => OnSuccess(record.message),
  },
  Repair: {
    operation: "Repair",
    send: (proxy, disc, img, scan) => proxy.triggerRepair(disc, img, scan),
    record: "repairData",
    clearable: true,
    done: () => OnSuccess("Minimize this and repair Manually with caution"),
    followedText: "Minimize this window  and repair manually with caution",
  },
  Reboot: {
    operation: "Reboot",
    send: (proxy, disc, img, scan, delay) => proxy.triggerReboot(disc, img, scan, delay),
    record: "rebootData",
    clearable: false,
    // No result follows: the unit restarts.
    done: () => updateActionMessage("Rebooting.."),
  },
});

// The uuid of an answer, if it has one.
export function uuidOf(record) {
  return isObject(record.result) ? record.result.uuid : undefined;
}
