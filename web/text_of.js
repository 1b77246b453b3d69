// A value from the service or the discs as text: "" for none, else its
// string form.
export function textOf(value) {
  if (value === undefined || value === null) return "";
  return typeof value === "string" ? value : String(value);
}
