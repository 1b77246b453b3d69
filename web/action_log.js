// The log of the running action: the lines received, in memory, and the
// rule that appends a poll's lines to it. No DOM: log_view.js shows it.

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

  codeAt(p) {
    return this.chunks[p >> CHUNK_BITS].charCodeAt(p & (CHUNK - 1));
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

  // True when the text holds src's k code units from `from` at position p.
  holdsPieceAt(src, from, k, p) {
    for (let i = 0; i < k; i++) if (this.codeAt(p + i) !== src.charCodeAt(from + i)) return false;
    return true;
  }

  // A direct search, for strings shorter than a chunk.
  includes(s) {
    const { chunks } = this;
    const span = s.length - 1;
    for (let c = 0; c < chunks.length; c++) {
      if (chunks[c].includes(s)) return true;
      // The occurrences that start in this chunk and end in the next.
      if (span > 0 && c + 1 < chunks.length && (chunks[c].slice(-span) + chunks[c + 1].slice(0, span)).includes(s)) {
        return true;
      }
    }
    return false;
  }

  // The text after the n-th line feed counted from the end, or all of it.
  afterLastLineFeeds(n) {
    const { chunks } = this;
    for (let c = chunks.length - 1; c >= 0; c--) {
      for (let at = chunks[c].lastIndexOf("\n"); at !== -1; at = at === 0 ? -1 : chunks[c].lastIndexOf("\n", at - 1)) {
        n -= 1;
        if (n === 0) return chunks[c].slice(at + 1) + chunks.slice(c + 1).join("");
      }
    }
    return chunks.join("");
  }
}

// ------------------------------------------------- the index of long lines

// Answers "does the log contain this line?" for lines of MIN_INDEXED code
// units or more without scanning the whole log. The log's q-grams (GRAM
// code units) at every STEP-th position are kept in hash chains. An
// occurrence of a line of m >= MIN_INDEXED code units at position x covers
// the indexed positions x + o for every o in one residue class modulo
// STEP, and the gram of the line at any such o leads to x. So, for each of
// the STEP classes, following the chains of the class's rarest gram and
// comparing the candidates finds every occurrence: the answer is exact, the
// index only makes it fast.
//
// The chains live in generations of growing size, each with its own
// buckets, so that the index grows without ever rehashing what it holds.
//
// Grams of 5 at every 3rd position index lines of 7 code units and more:
// the tables of short strings below then hold strings of up to 6 only,
// whose number stays small also in a log of varied numbers (progress
// output), where those of 7 and 8 would come near one per position.
const GRAM = 5;
const STEP = 3;
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

class GramIndex {
  constructor(text) {
    this.text = text;
    this.generations = [new Generation(0, FIRST_GENERATION_BITS)];
    this.grams = 0; // gram k stands at position k * STEP
    this.unindexed = ""; // the text from position this.grams * STEP on
  }

  // Indexes text just appended to the log.
  indexAppended(added) {
    const text = this.unindexed + added;
    let o = 0;
    for (; o + GRAM <= text.length; o += STEP) this.add(gramHash(text, o));
    this.unindexed = text.slice(o);
  }

  add(h) {
    let generation = this.generations[this.generations.length - 1];
    if (generation.full()) {
      generation = new Generation(this.grams, generation.bits + 1);
      this.generations.push(generation);
    }
    generation.add(h);
    this.grams += 1;
  }

  // For lines of MIN_INDEXED code units or more.
  contains(line) {
    const m = line.length;
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

// ------------------------------------------------ the index of short lines

// Lines shorter than MIN_INDEXED, up to SHORT code units. For every length
// k up to SHORT, a table holds each distinct string of k code units in the
// log once, as a position where it stands. Every position x of the log with
// x + SHORT <= length has its SHORT-string in the table, and each table's
// strings have their prefixes in the shorter tables; so a short line
// stands in the log exactly when its table holds it or it lies in the last
// SHORT - 1 code units. Work per appended code unit and per lookup is
// constant; memory grows with the distinct short strings of the log. Past
// `slotBudget` slots in all (a log of mostly random characters), the tables
// are dropped and short lines are searched for directly, the ones found
// remembered.
const SHORT = MIN_INDEXED - 1;
// Slots of 5 bytes: about 160 MiB. A log of 500 000 lines takes 2.4 Mi as
// a long rsync prints them, 4.8 Mi of lines full of varied numbers.
const SHORT_SLOT_BUDGET = 1 << 25;
const FIRST_TABLE_BITS = 10;
const MAX_LOAD = 0.75;
// A table that grows moves this many slots of its old array at each add.
const MOVES_PER_ADD = 8;

function shortHashStep(h, code) {
  return Math.imul(h ^ code, 0x01000193);
}

function shortHashFinish(h) {
  h ^= h >>> 16;
  h = Math.imul(h, 0x7feb352d);
  h ^= h >>> 15;
  h = Math.imul(h, 0x846ca68b);
  return (h ^ (h >>> 16)) | 0;
}

// Open addressing with linear probing. A slot holds a position + 1 (0 is
// empty) and, apart, 8 bits of the hash that spare most comparisons.
// Growing keeps the old array until its entries have moved, a few at each
// add, so that no add ever rehashes the whole table.
class ShortStrings {
  constructor(text, k, usage) {
    this.text = text;
    this.k = k;
    this.usage = usage; // { slots } of all tables
    this.slots = new Int32Array(1 << FIRST_TABLE_BITS);
    this.tags = new Uint8Array(1 << FIRST_TABLE_BITS);
    usage.slots += this.slots.length;
    this.size = 0;
    this.old = null;
    this.oldTags = null;
    this.moved = 0;
  }

  // The slot holding the string of k code units of src from `from`, or
  // ~(the empty slot where it would go).
  static seek(text, slots, tags, h, k, src, from) {
    const mask = slots.length - 1;
    const tag = h >>> 24;
    for (let i = h & mask; ; i = (i + 1) & mask) {
      const p = slots[i];
      if (p === 0) return ~i;
      if (tags[i] === tag && text.holdsPieceAt(src, from, k, p - 1)) return i;
    }
  }

  has(src, from, h) {
    const { text, k } = this;
    if (ShortStrings.seek(text, this.slots, this.tags, h, k, src, from) >= 0) return true;
    return this.old !== null && ShortStrings.seek(text, this.old, this.oldTags, h, k, src, from) >= 0;
  }

  // Adds the string of k code units of src from `from`, which stands at
  // position p of the log, unless the table holds it. Delivers -1 when
  // added, else the position where the table has it.
  add(src, from, h, p) {
    if (this.old !== null) this.moveSome();
    else if (this.size + 1 > this.slots.length * MAX_LOAD) this.grow();
    const { text, k } = this;
    const i = ShortStrings.seek(text, this.slots, this.tags, h, k, src, from);
    if (i >= 0) return this.slots[i] - 1;
    if (this.old !== null) {
      const j = ShortStrings.seek(text, this.old, this.oldTags, h, k, src, from);
      if (j >= 0) return this.old[j] - 1;
    }
    this.put(~i, h, p);
    return -1;
  }

  put(i, h, p) {
    this.slots[i] = p + 1;
    this.tags[i] = h >>> 24;
    this.size += 1;
  }

  grow() {
    this.old = this.slots;
    this.oldTags = this.tags;
    this.moved = 0;
    this.slots = new Int32Array(this.old.length * 2);
    this.tags = new Uint8Array(this.old.length * 2);
    this.usage.slots += this.old.length;
    this.size = 0;
  }

  moveSome() {
    const { old, text, k } = this;
    const end = Math.min(old.length, this.moved + MOVES_PER_ADD);
    for (; this.moved < end; this.moved++) {
      const p = old[this.moved] - 1;
      if (p < 0) continue;
      let h = 0x811c9dc5;
      for (let i = 0; i < k; i++) h = shortHashStep(h, text.codeAt(p + i));
      h = shortHashFinish(h);
      const mask = this.slots.length - 1;
      let i = h & mask;
      while (this.slots[i] !== 0) i = (i + 1) & mask;
      this.put(i, h, p);
    }
    if (this.moved === old.length) {
      this.old = null;
      this.oldTags = null;
    }
  }
}

class ShortIndex {
  constructor(text, slotBudget) {
    this.text = text;
    this.slotBudget = slotBudget;
    this.usage = { slots: 0 };
    this.tables = Array.from({ length: SHORT + 1 }, (_, k) => (k === 0 ? null : new ShortStrings(text, k, this.usage)));
    this.tail = ""; // the last SHORT - 1 code units at most, not yet indexed
    this.hashes = new Int32Array(SHORT + 1);
    this.found = null; // without tables: the short strings found so far
  }

  // Indexes text just appended to the log.
  indexAppended(added) {
    if (this.found !== null) return;
    const src = this.tail + added;
    const base = this.text.length - src.length;
    const { hashes, tables } = this;
    const count = Math.max(0, src.length - SHORT + 1);
    // A position where the SHORT-string at x stood before, while the text
    // at x repeats the text there: the next one is then found by comparing
    // one code unit.
    let earlier = -1;
    for (let x = 0; x < count; x++) {
      if (earlier >= 0 && this.text.codeAt(earlier + SHORT) === src.charCodeAt(x + SHORT - 1)) {
        earlier += 1;
        continue;
      }
      let h = 0x811c9dc5;
      for (let k = 1; k <= SHORT; k++) {
        h = shortHashStep(h, src.charCodeAt(x + k - 1));
        hashes[k] = h;
      }
      earlier = tables[SHORT].add(src, x, shortHashFinish(hashes[SHORT]), base + x);
      // A string already held has its prefixes held too.
      for (let k = SHORT - 1; earlier === -1 && k >= 1 && tables[k].add(src, x, shortHashFinish(hashes[k]), base + x) === -1; k--);
    }
    this.tail = src.slice(count);
    if (this.usage.slots > this.slotBudget) {
      this.tables = null;
      this.found = new Set();
    }
  }

  // For lines of 1 to SHORT code units.
  contains(line) {
    if (this.found !== null) {
      if (this.found.has(line)) return true;
      const found = this.text.includes(line);
      if (found) this.found.add(line);
      return found;
    }
    let h = 0x811c9dc5;
    for (let i = 0; i < line.length; i++) h = shortHashStep(h, line.charCodeAt(i));
    return this.tables[line.length].has(line, 0, shortHashFinish(h)) || this.tail.includes(line);
  }
}

// ------------------------------------------------------------------ the log

export class ActionLog {
  constructor({ shortSlotBudget = SHORT_SLOT_BUDGET } = {}) {
    this.text = new ChunkedText();
    this.lines = 0;
    this.longIndex = new GramIndex(this.text);
    this.shortIndex = new ShortIndex(this.text, shortSlotBudget);
  }

  // True when the log contains the string anywhere, across lines too.
  contains(s) {
    if (s.length > this.text.length) return false;
    if (s.length === 0) return true;
    return s.length < MIN_INDEXED ? this.shortIndex.contains(s) : this.longIndex.contains(s);
  }

  // Appends the lines of a batch that the log as it stood before the batch
  // does not contain anywhere, each with a line feed; equal lines of one
  // batch are all appended, an empty line never. Items are taken as text,
  // null and undefined as empty. Delivers the text appended and the number
  // of items it holds, or null when nothing was appended.
  appendNew(items) {
    const lines = [];
    for (const item of items) {
      const line = String(item ?? "");
      if (line !== "" && !this.contains(line)) lines.push(line);
    }
    if (lines.length === 0) return null;
    const added = lines.join("\n") + "\n";
    this.text.append(added);
    this.lines += countLineFeeds(added);
    this.longIndex.indexAppended(added);
    this.shortIndex.indexAppended(added);
    return { text: added, items: lines.length };
  }

  // The log's last n lines (all of it when it holds fewer).
  lastLines(n) {
    return this.text.afterLastLineFeeds(n + 1);
  }
}

function countLineFeeds(text) {
  let n = 0;
  for (let at = text.indexOf("\n"); at !== -1; at = text.indexOf("\n", at + 1)) n += 1;
  return n;
}
