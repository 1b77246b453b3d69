// Reading the stand-in's journal: what the page sent, and what it never sent.

import { DESTRUCTIVE_REQUESTS as DESTRUCTIVE } from "../../../web/vocabulary.js";

export { DESTRUCTIVE };

export function named(journal, name) {
  return journal.filter((entry) => entry.path === `/lumenos-repair/${name}`);
}

export function destructive(journal) {
  return journal.filter((entry) => DESTRUCTIVE.some((name) => entry.path === `/lumenos-repair/${name}`));
}

// The scan uuid the page works with: the one its list request carried.
export function scanUuid(journal) {
  const lists = named(journal, "list");
  if (lists.length === 0) throw new Error("the page sent no list request");
  return lists[0].params.uuid;
}

// Status polls about one uuid, in order.
export function pollsOf(journal, uuid) {
  return named(journal, "status").filter((entry) => entry.params.uuid === uuid);
}

// The uuid of the action the page followed: the first status poll's that is
// not the scan's.
export function actionUuid(journal) {
  const scan = scanUuid(journal);
  return named(journal, "status").find((entry) => entry.params.uuid !== scan).params.uuid;
}
