// The log rule: updateLogOutput (with its index) appends exactly
// what the straightforward rule appends, on random data and on large logs.

import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { setup, UI, FakeService, answer } from "./harness.mjs";

let env;
let ui;
before(async () => {
  env = await setup();
  // The page with its real modules; the scan never ends, nothing else runs.
  ui = await UI.open(env, new FakeService({ scan: answer.hang() }), { clock: false });
  await ui.page.evaluate(async () => {
    window.main = await import("/main.js");
    // The straightforward rule on a plain string.
    window.reference = (text, batch) => {
      const before = text;
      for (const item of batch) {
        const line = item === undefined || item === null ? "" : String(item);
        if (line === "" || before.includes(line)) continue;
        text += line + "\n";
      }
      return text;
    };
    // A small seeded generator (mulberry32).
    window.rng = (seed) => () => {
      seed |= 0;
      seed = (seed + 0x6d2b79f5) | 0;
      let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
      t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
      return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
  });
});
after(async () => {
  assert.deepEqual(ui.errors, []);
  await ui.close();
  await env.teardown();
});

test("the fixed cases of the rule", async () => {
  const r = await ui.page.evaluate(() => {
    const area = document.getElementById("action_log");
    const out = [];
    const step = (batch) => {
      window.main.updateLogOutput(batch);
      out.push(area.textContent);
    };
    area.textContent = "";
    step(["alpha", "alpha", "", "beta"]); // equal lines of one batch: both
    step(["alpha", "lph", "ha\nbe", "gamma"]); // contained anywhere: skipped
    step([]); // nothing
    step(["", ""]); // empty lines: never
    step([3, null, undefined, "3"]); // not texts: as text, null as empty
    area.textContent = ""; // "Clear Log"
    step(["alpha"]);
    area.textContent = "typed by someone\n";
    step(["someone", "one more line that is long enough", "one more line that is long enough"]);
    return { out, value: area.value };
  });
  assert.deepEqual(r.out, [
    "alpha\nalpha\nbeta\n",
    "alpha\nalpha\nbeta\ngamma\n",
    "alpha\nalpha\nbeta\ngamma\n",
    "alpha\nalpha\nbeta\ngamma\n",
    "alpha\nalpha\nbeta\ngamma\n3\n3\n",
    "alpha\n",
    "typed by someone\none more line that is long enough\none more line that is long enough\n",
  ]);
  // The text area shows its text content.
  assert.equal(r.value, r.out[r.out.length - 1]);
});

test("random batches on small alphabets: the same text as the straightforward rule, batch by batch", async () => {
  const r = await ui.page.evaluate(() => {
    const area = document.getElementById("action_log");
    const alphabets = ["ab", "ab\n", "abc \n", "xyz0123456789-:/ \n", "é𝄞a\n"];
    let batches = 0;
    const mismatches = [];
    for (let seed = 1; seed <= 12; seed++) {
      const rand = window.rng(seed);
      const pick = (n) => Math.floor(rand() * n);
      const alphabet = [...alphabets[seed % alphabets.length]];
      const word = (len) => Array.from({ length: len }, () => alphabet[pick(alphabet.length)]).join("");
      let expected = "";
      area.textContent = "";
      for (let b = 0; b < 250; b++) {
        const text = area.textContent;
        const batch = [];
        const size = 1 + pick(12);
        for (let i = 0; i < size; i++) {
          const kind = rand();
          if (kind < 0.35 && text.length > 0) {
            // A piece of the text as it stands: skipped (may span lines).
            const at = pick(text.length);
            batch.push(text.slice(at, at + 1 + pick(60)));
          } else if (kind < 0.5 && text.length > 10) {
            // A piece of the text with one unit changed: mostly new.
            const at = pick(text.length - 10);
            const piece = [...text.slice(at, at + 10 + pick(40))];
            piece[pick(piece.length)] = alphabet[pick(alphabet.length)];
            batch.push(piece.join(""));
          } else if (kind < 0.6 && batch.length > 0) {
            batch.push(batch[pick(batch.length)]); // again in the same batch
          } else if (kind < 0.63) {
            batch.push("");
          } else {
            batch.push(word(pick(5) === 0 ? 20 + pick(80) : pick(14)));
          }
        }
        const roll = rand();
        if (roll < 0.02) {
          area.textContent = ""; // as "Clear Log" does
          expected = "";
        } else if (roll < 0.04) {
          const t = word(pick(200));
          area.textContent = t; // changed by someone else
          expected = t;
        } else if (roll < 0.05) {
          area.appendChild(document.createTextNode("zz"));
          expected += "zz";
        }
        expected = window.reference(expected, batch);
        window.main.updateLogOutput(batch);
        batches += 1;
        if (area.textContent !== expected && mismatches.length < 3) {
          mismatches.push({ seed, b, batch, got: area.textContent.slice(-200), want: expected.slice(-200) });
          area.textContent = expected;
        }
      }
    }
    return { batches, mismatches };
  });
  assert.deepEqual(r.mismatches, []);
  assert.equal(r.batches, 3000);
});

test("a log of 20 000 lines: 100-line batches of repeats, spans, near misses and new lines match the rule", async () => {
  const r = await ui.page.evaluate(() => {
    const area = document.getElementById("action_log");
    const rand = window.rng(99);
    const pick = (n) => Math.floor(rand() * n);
    const line = (i) => `[${String(i).padStart(6, "0")}] rsync: copying usr/lib/module-${i % 997}.so (${(i * 7919) % 1000} bytes)`;
    let expected = "";
    for (let i = 0; i < 20000; i++) expected += line(i) + "\n";
    area.textContent = expected;
    let next = 20000;
    let appendedLines = 0;
    for (let b = 0; b < 40; b++) {
      const text = expected;
      const batch = [];
      for (let k = 0; k < 100; k++) {
        const kind = pick(5);
        if (kind === 0) batch.push(line(pick(next)));
        else if (kind === 1) {
          const at = pick(text.length - 200);
          batch.push(text.slice(at, at + 9 + pick(150)));
        } else if (kind === 2) {
          const at = pick(text.length - 200);
          const piece = text.slice(at, at + 20 + pick(100));
          const j = pick(piece.length);
          batch.push(piece.slice(0, j) + (piece[j] === "7" ? "8" : "7") + piece.slice(j + 1));
        } else batch.push(line(next++));
      }
      const after = window.reference(expected, batch);
      appendedLines += after.split("\n").length - expected.split("\n").length;
      expected = after;
      window.main.updateLogOutput(batch);
      if (area.textContent !== expected) return { ok: false, b };
    }
    return { ok: true, appendedLines, value: area.value === expected };
  });
  assert.equal(r.ok, true, JSON.stringify(r));
  assert.ok(r.appendedLines > 1000, "most batches append new lines");
  assert.equal(r.value, true, "the text area shows the whole log");
});
