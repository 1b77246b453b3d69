// The log lines the benches feed the page: a long one as a restore prints
// it, numbered i, a long one of varied numbers, and a short one of seven
// code units (a counter in letters that the long lines never hold: each one
// new). Self-contained, so that their source also runs in a page.

export const logLine = (i) =>
  `[${String(i).padStart(6, "0")}] rsync: /usr/lib/lumenos/modules/module-${i}.so copied (${(i * 7919) % 100000} bytes)`;
export const shortLine = (i) => "#" + [...i.toString(26).padStart(6, "0")].map((d) => String.fromCharCode(65 + parseInt(d, 26))).join("");
// A long line as progress output prints it, its numbers varying from line
// to line (pseudo-random in i).
export const variedLine = (i) => {
  const number = (k, below) => {
    let h = Math.imul(i * 31 + k, 0x9e3779b1);
    h = Math.imul(h ^ (h >>> 15), 0x85ebca6b);
    return String(((h ^ (h >>> 13)) >>> 0) % below);
  };
  return `${number(1, 1e9)} bytes (${number(2, 1e3)}.${number(3, 1e3)} MB, ${number(4, 1e3)}.${number(5, 1e3)} MiB) copied, ` +
    `${number(6, 1e4)}.${number(7, 1e5)} s, ${number(8, 1e3)}.${number(9, 10)} MB/s, block ${number(10, 1e8)} of ${number(11, 1e8)}`;
};
