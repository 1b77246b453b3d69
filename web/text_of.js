// A value from the service or the discs as text: "" for none, else its
// string form; and text escaped for a place that takes markup.
//
// What the service sends, and how the page shows it:
// - sanitized markup (safe_markup.js): the scan's status lines in
//   "scan_msg", the one place where its text is rendered as markup;
// - text, never markup: the messages, the action's status lines (in
//   "action_msg" and the log area), the log lines, the disc labels, the disc
//   and image keys (in the image list, the headings and the dialog), the
//   uuids (sent back in queries only); the same texts when they come back
//   from the tab's session storage (action_record.js).

export function textOf(value) {
  if (value === undefined || value === null) return "";
  return typeof value === "string" ? value : String(value);
}

// Text for a place that takes markup, escaped so that it shows as text.
export function escapeMarkup(text) {
  return textOf(text)
    .replaceAll("&", "&amp;")
    .replaceAll("<", "&lt;")
    .replaceAll(">", "&gt;")
    .replaceAll('"', "&quot;")
    .replaceAll("'", "&#39;");
}
