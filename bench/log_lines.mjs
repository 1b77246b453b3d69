// The log lines the benches feed the page: a long one as a restore prints
// it, numbered i, and a short one of seven code units (a counter in letters
// that the long lines never hold: each one new). Self-contained, so that
// their source also runs in a page.

export const logLine = (i) =>
  `[${String(i).padStart(6, "0")}] rsync: /usr/lib/lumenos/modules/module-${i}.so copied (${(i * 7919) % 100000} bytes)`;
export const shortLine = (i) => "#" + [...i.toString(26).padStart(6, "0")].map((d) => String.fromCharCode(65 + parseInt(d, 26))).join("");
