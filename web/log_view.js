// The log of the running action: the whole log in memory, the rule that
// appends a poll's lines to it, and its view in the text area "action_log",
// which shows the newest lines only.
//
// The log area's text content is written here only. Text typed into the
// area is the user's: the browser then shows the typed value instead of the
// text content, and neither the log nor the rule ever sees what was typed.
// The log is the lines received, as when it was the text content itself.

// The view shows at most this many of the log's newest lines (see
// bench/README.md for the measurements behind it).
export const VIEW_LINES = 1500;
// Within this many pixels of its end the view counts as scrolled down.
const BOTTOM_SLACK_PX = 4;

// ------------------------------------------------------------ the log text

// The log's text in chunks of CHUNK code units, so that an append never
// copies what came before. Position p lies in chunk p >> CHUNK_BITS.
const CHUNK_BITS = 16;
const CHUNK = 1 << CHUNK_BITS;

class ChunkedText {
  constructor() {
    this.chunks = [""];
    this.length = 0;
  }

  append(text) {
    for (let at = 0; at < text.length; ) {
      const last = this.chunks.length - 1;
      const room = CHUNK - this.chunks[last].length;
      if (room === 0) {
        this.chunks.push("");
        continue;
      }
      const piece = text.slice(at, at + room);
      this.chunks[last] += piece;
      at += piece.length;
    }
    this.length += text.length;
  }

  // True when the text holds s at position x.
  holdsAt(s, x) {
    if (x < 0 || x + s.length > this.length) return false;
    for (let done = 0; done < s.length; ) {
      const offset = x & (CHUNK - 1);
      const n = Math.min(s.length - done, CHUNK - offset);
      const part = n === s.length ? s : s.slice(done, done + n);
      if (!this.chunks[x >> CHUNK_BITS].startsWith(part, offset)) return false;
      done += n;
      x += n;
    }
    return true;
  }

  // A direct search, for strings shorter than a chunk.
  includes(s) {
    const { chunks } = this;
    for (let c = 0; c < chunks.length; c++) {
      if (chunks[c].includes(s)) return true;
      // The occurrences that start in this chunk and end in the next.
      const span = s.length - 1;
      if (span > 0 && c + 1 < chunks.length && (chunks[c].slice(-span) + chunks[c + 1].slice(0, span)).includes(s)) {
        return true;
      }
    }
    return false;
  }
}

// ------------------------------------------------- the log and its index

// Answers "does the log contain this line anywhere?" without scanning the
// whole log for every line. The log's q-grams (GRAM code units) at every
// STEP-th position are kept in hash chains. An occurrence of a line of
// m >= MIN_INDEXED code units at position x covers the indexed positions
// x + o for every o in one residue class modulo STEP, and the gram of the
// line at any such o leads to x. So, for each of the STEP classes,
// following the chains of the class's rarest gram and comparing the
// candidates finds every occurrence: the answer is exact, the index only
// makes it fast. Shorter lines are looked up among the short strings known
// to stand in the log, else searched for directly.
//
// The chains live in generations of growing size, each with its own
// buckets, so that the index grows without ever rehashing what it holds.
const GRAM = 6;
const STEP = 4;
const MIN_INDEXED = GRAM + STEP - 1;
const FIRST_GENERATION_BITS = 12;

function gramHash(text, at) {
  let h = 0x811c9dc5;
  for (let i = 0; i < GRAM; i++) h = Math.imul(h ^ text.charCodeAt(at + i), 0x01000193);
  h ^= h >>> 15;
  h = Math.imul(h, 0x2c1b3c6d);
  return (h ^ (h >>> 12)) | 0;
}

// The chains of the grams number first, first + 1, ...: four per bucket on
// average when full.
class Generation {
  constructor(first, bits) {
    this.first = first;
    this.bits = bits;
    this.head = new Int32Array(1 << bits).fill(-1);
    this.count = new Int32Array(1 << bits);
    this.next = new Int32Array(4 << bits);
    this.size = 0;
  }

  bucket(h) {
    return h >>> (32 - this.bits);
  }

  full() {
    return this.size === this.next.length;
  }

  add(h) {
    const b = this.bucket(h);
    this.next[this.size] = this.head[b];
    this.head[b] = this.size;
    this.count[b] += 1;
    this.size += 1;
  }

  countOf(h) {
    return this.count[this.bucket(h)];
  }
}

class Log {
  constructor() {
    this.text = new ChunkedText();
    this.lines = 0;
    this.generations = [new Generation(0, FIRST_GENERATION_BITS)];
    this.grams = 0; // gram k stands at position k * STEP
    this.unindexed = ""; // the text from position this.grams * STEP on
    this.shortKnown = new Set(); // short strings known to stand in the text
  }

  // Appends the lines, each with a line feed; delivers the text added.
  append(lines) {
    for (const line of lines) if (line.length < MIN_INDEXED) this.shortKnown.add(line);
    const added = lines.join("\n") + "\n";
    this.text.append(added);
    this.lines += countLineFeeds(added);
    const text = this.unindexed + added;
    let o = 0;
    for (; o + GRAM <= text.length; o += STEP) this.index(gramHash(text, o));
    this.unindexed = text.slice(o);
    return added;
  }

  index(h) {
    let generation = this.generations[this.generations.length - 1];
    if (generation.full()) {
      generation = new Generation(this.grams, generation.bits + 1);
      this.generations.push(generation);
    }
    generation.add(h);
    this.grams += 1;
  }

  contains(line) {
    const m = line.length;
    if (m > this.text.length) return false;
    if (m < MIN_INDEXED) {
      if (this.shortKnown.has(line)) return true;
      const found = this.text.includes(line);
      if (found) this.shortKnown.add(line);
      return found;
    }
    const grams = m - GRAM + 1;
    const hashes = new Int32Array(grams);
    for (let o = 0; o < grams; o++) hashes[o] = gramHash(line, o);
    const total = (h) => this.generations.reduce((sum, g) => sum + g.countOf(h), 0);
    for (let r = 0; r < STEP; r++) {
      // The rarest gram of this residue class of offsets. A gram that is
      // in no chain rules out the occurrences of this class only.
      let best = r;
      let bestCount = Infinity;
      for (let o = r; o < grams && bestCount > 0; o += STEP) {
        const c = total(hashes[o]);
        if (c < bestCount) {
          best = o;
          bestCount = c;
        }
      }
      if (bestCount === 0) continue;
      const h = hashes[best];
      for (let i = this.generations.length - 1; i >= 0; i--) {
        const g = this.generations[i];
        for (let j = g.head[g.bucket(h)]; j !== -1; j = g.next[j]) {
          if (this.text.holdsAt(line, (g.first + j) * STEP - best)) return true;
        }
      }
    }
    return false;
  }
}

function countLineFeeds(text) {
  let n = 0;
  for (let at = text.indexOf("\n"); at !== -1; at = text.indexOf("\n", at + 1)) n += 1;
  return n;
}

// The position just after the n-th line feed of text (n >= 1).
function afterLineFeeds(text, n) {
  let at = -1;
  for (let i = 0; i < n; i++) at = text.indexOf("\n", at + 1);
  return at + 1;
}

// ---------------------------------------------------------- the log view

let log = new Log();
let shownLines = 0;

function el(id) {
  return document.getElementById(id);
}

let scrollPending = false;

function scrolledToEnd(area) {
  return area.scrollHeight - area.scrollTop - area.clientHeight <= BOTTOM_SLACK_PX;
}

// Shows the new text at the end of the view, drops the view's earliest
// lines beyond VIEW_LINES, and keeps the newest line in sight unless the
// user has scrolled up.
function showNewText(added, lines) {
  const area = el("action_log");
  const following = scrollPending || scrolledToEnd(area);
  let node = area.firstChild;
  if (!node) node = area.appendChild(document.createTextNode(""));
  shownLines += lines;
  if (shownLines <= VIEW_LINES) {
    node.appendData(added);
  } else {
    // One change of the text content: the area rebuilds its value once.
    const text = node.data + added;
    node.data = text.slice(afterLineFeeds(text, shownLines - VIEW_LINES));
    shownLines = VIEW_LINES;
  }
  if (following && !scrollPending) {
    // At the next frame, whose layout the new text needs anyway, rather
    // than in a layout forced now.
    scrollPending = true;
    requestAnimationFrame(() => {
      scrollPending = false;
      area.scrollTop = area.scrollHeight;
    });
  }
  showHiddenCount();
}

function showHiddenCount() {
  const note = el("action_log_note");
  const hidden = log.lines - shownLines;
  note.textContent = hidden === 0 ? "" : `${hidden} earlier line${hidden === 1 ? "" : "s"} not shown`;
  note.hidden = hidden === 0;
}

// A short summary for screen readers instead of every line.
function announce(count) {
  const news = el("action_log_news");
  if (news) news.textContent = `${count} new log line${count === 1 ? "" : "s"}`;
}

// Appends the lines of a batch to the log. A line is skipped when the log
// as it stood before this batch contains it anywhere (shown or not); an
// empty line is never appended; equal lines of one batch are all appended.
export function updateLogOutput(items) {
  if (!Array.isArray(items)) return;
  const lines = [];
  for (const item of items) {
    const line = String(item ?? "");
    if (line !== "" && !log.contains(line)) lines.push(line);
  }
  if (lines.length === 0) return;
  const before = log.lines;
  const added = log.append(lines);
  showNewText(added, log.lines - before);
  announce(lines.length);
}

// Empties the log and its view.
export function clearLog() {
  log = new Log();
  shownLines = 0;
  el("action_log").textContent = "";
  showHiddenCount();
}
