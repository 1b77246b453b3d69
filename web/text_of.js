// A value from the service or the discs as text: "" for none, else its
// string form; and text escaped for a place that takes markup.
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
