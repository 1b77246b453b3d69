// The record of the action whose request the page has sent, kept in the
// tab's session storage from the moment it goes out, so that the page
// loaded again (after its renderer died) shows that action instead of
// scanning again and offering a second one. Its uuid comes once the service
// has accepted it; without one, the request got no answer (yet).
//
// What comes back from storage is checked member by member; anything else
// is dropped. Its texts are data, like the service's.

import { OPTION_VALUES, HEADINGS, isText, isId, isObject } from "./vocabulary.js";
import { fillImageMenu, showImage } from "./first_page.js";
import { showActionPage } from "./action_page.js";
import { updateLogOutput } from "./log_view.js";

const KEY = "lumenos-repair.action";

function storage() {
  try {
    return window.sessionStorage;
  } catch (e) {
    return null; // storage not offered to this page
  }
}

// The record with exactly the members below, or null.
function validated(value) {
  if (!isObject(value)) return null;
  const { heading, option, disc, image, uuid, scanUuid, osList, message } = value;
  if (!HEADINGS.includes(heading) || !OPTION_VALUES.includes(option)) return null;
  if (!isText(disc) || !isText(image) || !isText(message)) return null;
  if ((uuid !== undefined && !isId(uuid)) || !isId(scanUuid) || !isObject(osList)) return null;
  const kept = { heading, option, disc, image, scanUuid, osList, message };
  return uuid === undefined ? kept : { ...kept, uuid };
}

// Keeps { heading, option, disc, image, uuid?, scanUuid, osList, message }.
// False when it could not be kept.
export function saveActionRecord(record) {
  const kept = validated(record);
  const store = storage();
  if (!kept || !store) return false;
  try {
    store.setItem(KEY, JSON.stringify(kept));
    return true;
  } catch (e) {
    console.log("action record not kept: " + e);
    return false;
  }
}

// The kept record, or null. A record that does not check out is forgotten.
export function loadActionRecord() {
  const store = storage();
  if (!store) return null;
  let text = null;
  try {
    text = store.getItem(KEY);
  } catch (e) {
    return null;
  }
  if (text === null) return null;
  let record = null;
  try {
    record = validated(JSON.parse(text));
  } catch (e) {
    record = null;
  }
  if (!record) {
    console.log("action record dropped: not a record");
    forgetActionRecord();
  }
  return record;
}

// Forgets the record; with a uuid, only the record of that action.
export function forgetActionRecord(uuid) {
  const store = storage();
  if (!store) return;
  if (uuid !== undefined) {
    const kept = loadActionRecord();
    if (!kept || kept.uuid !== uuid) return;
  }
  store.removeItem(KEY);
}

// The page loaded again while an action ran or may run (its renderer died):
// the action page as it was, with no scan, the first page covered, and
// system (the workflow) taking the action up. Delivers the following of an
// accepted action, or null for one whose request got no answer.
export function resumeAction(record, system) {
  fillImageMenu(record.osList);
  showImage(record.disc, record.image);
  document.getElementById("loading_id").remove();
  showActionPage(record);
  updateLogOutput([record.message]);
  return system.takeUp(record);
}
