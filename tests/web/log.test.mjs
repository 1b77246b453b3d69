// The action's log: the rule over the whole log against the straightforward
// rule (the log alone, on batches rich in short lines; in the page, on
// random data and on a log most of which the area no longer shows), the
// area holding exactly the newest lines with the note of the hidden ones,
// the area following the newest line and holding still while the reader is
// scrolled up, and "Clear Log" and "Reboot" emptying the log and the area.

import { beforeEach, describe, test } from "node:test";
import assert from "node:assert/strict";
import { ActionLog } from "../../web/action_log.js";
import { VIEW_LINES } from "../../web/log_view.js";
import { answer, eventually, pagePerTest, RESULT_SHOWN } from "./harness/browser.mjs";
import { LOG_AREA, logAreaAtRest } from "../log_area.mjs";
import { seededRandom } from "../seeded_random.mjs";

let ui;
const { open, quiet, started } = pagePerTest();

// The straightforward rule on a plain string: each line of a batch that
// the text before the batch does not contain is appended (null and
// undefined count as empty, an empty line is never appended).
function reference(text, batch) {
  const before = text;
  for (const item of batch) {
    const line = item === undefined || item === null ? "" : String(item);
    if (line !== "" && !before.includes(line)) text += line + "\n";
  }
  return text;
}

// Words of `len` units of the alphabet, as `pick` draws them.
const wordOf = (alphabet, pick) => (len) => Array.from({ length: len }, () => alphabet[pick(alphabet.length)]).join("");

test("the log alone: batches rich in short lines give the straightforward rule's log, across chunks, while its tables grow and past their budget", () => {
  checkShortLines(new ActionLog());
  const overBudget = new ActionLog({ shortSlotBudget: 1 << 15 });
  checkShortLines(overBudget);
  assert.equal(overBudget.shortIndex.tables, null, "the tables were dropped");
});

function checkShortLines(log) {
  const pick = seededRandom(7).below;
  const alphabet = [..."0123456789abcdef:. \n"];
  const word = wordOf(alphabet, pick);
  let text = "";
  let skipped = 0;
  let appended = 0;
  for (let b = 0; text.length < 100000; b++) {
    const batch = [];
    for (let i = 0; i < 40; i++) {
      const kind = pick(10);
      // Pieces of the log from anywhere, the last few code units included.
      if (kind < 3 && text.length > 0) {
        const at = pick(4) === 0 ? text.length - 1 - pick(12) : pick(text.length);
        batch.push(text.slice(Math.max(0, at), Math.max(0, at) + 1 + pick(8)));
      } else if (kind < 4 && text.length > 65536) {
        const at = 65536 * (1 + pick(Math.floor(text.length / 65536))) - pick(8);
        batch.push(text.slice(at, at + 1 + pick(8))); // across a chunk's end
      } else if (kind < 5) {
        batch.push(word(9 + pick(30)));
      } else {
        batch.push(word(1 + pick(8)));
      }
    }
    const news = batch.filter((line) => !text.includes(line)).length;
    appended += news;
    skipped += batch.length - news;
    text = reference(text, batch);
    log.appendNew(batch);
    if (log.lastLines(Infinity) !== text) assert.fail(`batch ${b}: the log differs from the straightforward rule's`);
    for (const n of [1, 3]) assert.equal(log.lastLines(n), text.split("\n").slice(-n - 1).join("\n"));
  }
  assert.ok(skipped > 5000 && appended > 5000, `both ways taken: ${skipped} skipped, ${appended} appended`);
  assert.deepEqual([log.contains("zz"), log.contains("0123456789abcdef0")], [false, false]);
}

describe("the rule over the whole log", () => {
  // The page with its real modules (the scan never ends, nothing else
  // runs), and in it the log view, the straightforward rule and the
  // seeded generators.
  beforeEach(async () => {
    ui = await open({ scan: answer.hang() }, { clock: false });
    // Evaluated over the protocol, so the page's script policy does not apply.
    await ui.page.evaluate(`window.seededRandom = ${seededRandom}; window.reference = ${reference};
      window.wordOf = ${wordOf};`);
    await ui.page.evaluate(async () => {
      window.log = await import("/log_view.js");
      // The last VIEW_LINES lines of a log text.
      window.tail = (text) => text.split("\n").slice(-window.log.VIEW_LINES - 1).join("\n");
    });
  });

  test("the fixed cases of the rule", async () => {
    const r = await ui.page.evaluate(() => {
      const area = document.getElementById("action_log");
      const out = [];
      const step = (batch) => {
        window.log.updateLogOutput(batch);
        out.push(area.textContent);
      };
      window.log.clearLog();
      step(["alpha", "alpha", "", "beta"]); // equal lines of one batch: both
      step(["alpha", "lph", "ha\nbe", "gamma"]); // contained anywhere: skipped
      step([]); // nothing
      step(["", ""]); // empty lines: never
      step([3, null, undefined, "3"]); // not texts: as text, null as empty
      window.log.clearLog();
      step(["gamma"]); // the cleared log holds nothing
      return { out, value: area.value };
    });
    const fourLines = "alpha\nalpha\nbeta\ngamma\n";
    assert.deepEqual(r.out,
      ["alpha\nalpha\nbeta\n", fourLines, fourLines, fourLines, "alpha\nalpha\nbeta\ngamma\n3\n3\n", "gamma\n"]);
    // The text area shows its text content.
    assert.equal(r.value, "gamma\n");
  });

  test("random batches on small alphabets: the same log as the straightforward rule, batch by batch", async () => {
    const r = await ui.page.evaluate(() => {
      const area = document.getElementById("action_log");
      const alphabets = ["ab", "ab\n", "abc \n", "xyz0123456789-:/ \n", "é𝄞a\n"];
      let batches = 0;
      const mismatches = [];
      for (let seed = 1; seed <= 12; seed++) {
        const rand = window.seededRandom(seed);
        const pick = rand.below;
        const alphabet = [...alphabets[seed % alphabets.length]];
        const word = window.wordOf(alphabet, pick);
        let expected = "";
        window.log.clearLog();
        for (let b = 0; b < 250; b++) {
          const text = expected;
          const batch = [];
          const size = 1 + pick(12);
          for (let i = 0; i < size; i++) {
            const kind = rand();
            if (kind < 0.35 && text.length > 0) {
              // A piece of the log as it stands: skipped (may span lines).
              const at = pick(text.length);
              batch.push(text.slice(at, at + 1 + pick(60)));
            } else if (kind < 0.5 && text.length > 10) {
              // A piece of the log with one unit changed: mostly new.
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
          if (rand() < 0.02) {
            window.log.clearLog(); // as "Clear Log" does
            expected = "";
          }
          expected = window.reference(expected, batch);
          window.log.updateLogOutput(batch);
          batches += 1;
          if (area.textContent !== window.tail(expected) && mismatches.length < 3) {
            mismatches.push({ seed, b, batch, got: area.textContent.slice(-200), want: expected.slice(-200) });
          }
        }
      }
      return { batches, mismatches };
    });
    assert.deepEqual(r.mismatches, []);
    assert.equal(r.batches, 3000);
  });

  test("a log of 20 000 lines: the rule over lines shown or not, the area with exactly the newest lines, the note and the news", async () => {
    const r = await ui.page.evaluate(() => {
      const { updateLogOutput, clearLog, VIEW_LINES } = window.log;
      const $ = (id) => document.getElementById(id);
      const pick = window.seededRandom(99).below;
      const line = (i) => `[${String(i).padStart(6, "0")}] rsync: copying usr/lib/module-${i % 997}.so (${(i * 7919) % 1000} bytes)`;
      const lineCount = (text) => text.split("\n").length - 1;
      const { tail } = window;
      const hiddenNote = (text) => {
        const hidden = lineCount(text) - VIEW_LINES;
        return hidden > 0 ? `${hidden} earlier lines not shown` : "";
      };
      clearLog();
      let expected = "";
      let next = 0;
      for (; next < 20000; next += 1000) {
        const batch = Array.from({ length: 1000 }, (_, k) => line(next + k));
        expected = window.reference(expected, batch);
        updateLogOutput(batch);
      }
      if ($("action_log").textContent !== tail(expected)) return { ok: false, at: "filling" };
      let appendedLines = 0;
      let skippedUnshown = 0;
      for (let b = 0; b < 40; b++) {
        const text = expected;
        const shown = tail(text);
        const piece = (at, length) => text.slice(Math.max(0, at), Math.max(0, at) + length);
        const batch = [];
        for (let k = 0; k < 100; k++) {
          const kind = pick(7);
          if (kind === 0) batch.push(line(pick(next)));
          else if (kind === 1) batch.push(piece(pick(text.length - 200), 9 + pick(150)));
          else if (kind === 2) {
            const p = piece(pick(text.length - 200), 20 + pick(100));
            const j = pick(p.length);
            batch.push(p.slice(0, j) + (p[j] === "7" ? "8" : "7") + p.slice(j + 1));
          } else if (kind === 3) {
            // Around every 64 Ki code units, long and short pieces.
            const at = (1 + pick(Math.floor(text.length / 65536))) * 65536 - pick(12);
            batch.push(piece(at, 1 + pick(pick(2) ? 8 : 40)));
          } else if (kind === 4) batch.push(line(next++) + "\n" + line(next++)); // two lines in one
          else batch.push(line(next++));
        }
        const after = window.reference(expected, batch);
        appendedLines += lineCount(after) - lineCount(expected);
        skippedUnshown += batch.filter((l) => l !== "" && text.includes(l) && !shown.includes(l)).length;
        const appendedItems = batch.filter((l) => l !== "" && !text.includes(l)).length;
        const news = appendedItems > 0 ? `${appendedItems} new log lines` : $("action_log_news").textContent;
        expected = after;
        updateLogOutput(batch);
        const got = { view: $("action_log").textContent === tail(expected),
          note: [$("action_log_note").textContent, $("action_log_note").hidden], news: $("action_log_news").textContent };
        const want = { view: true, note: [hiddenNote(expected), false], news };
        if (JSON.stringify(got) !== JSON.stringify(want)) return { ok: false, b, got, want };
      }
      const shownLines = lineCount($("action_log").textContent);
      clearLog();
      const cleared = [$("action_log").textContent, $("action_log_note").textContent, $("action_log_note").hidden];
      return { ok: true, appendedLines, skippedUnshown, shownLines, viewLines: VIEW_LINES, cleared };
    });
    assert.equal(r.ok, true, JSON.stringify(r));
    assert.ok(r.appendedLines > 1000, "most batches append new lines");
    assert.ok(r.skippedUnshown > 300, `lines that the area no longer shows were skipped: ${r.skippedUnshown}`);
    assert.equal(r.shownLines, r.viewLines, "the area shows the bound's number of lines");
    assert.deepEqual(r.cleared, ["", "", true], "cleared: the area and the note are empty");
  });
});

describe("the log area on the action page", () => {
  // Lines first to last-1 of an action's log.
  const lines = (first, last) => Array.from({ length: last - first }, (_, i) => `step ${first + i}: copied block ${(first + i) * 7}`);
  const area = () => ui.page.evaluate(LOG_AREA);
  const settled = (there) => logAreaAtRest(area, there);
  // Drives the clock until the expression holds; the answers may be slow
  // to come on a loaded machine.
  const until = (expression) => ui.reach(expression, { step: 2000, stallMs: 30000 });
  const poll = async () => {
    const before = ui.svc.of("status").length;
    await ui.advance(2000);
    await eventually(() => ui.svc.of("status").length > before, 30000);
    await ui.idle();
    await ui.advance(20); // the next frame
  };

  test("follows the newest line, stays where the user scrolled up to, follows again at the end; typing changes nothing of the log", async () => {
    // Poll n brings 100 new lines, poll 8 as its last one that the user types.
    const status = (req, n) => answer.status("R1", 102, "Copying", n === 8 ? [...lines(800, 899), "typed"] : lines(100 * n, 100 * n + 100));
    ui = await started({ restore: answer.pending("R1", "accepted"), status }, "restore");
    await ui.dialogGone();
    await poll();
    await poll();
    let a = await area();
    assert.deepEqual([a.lines.length, a.lines.at(-1), a.atEnd], [201, "step 199: copied block 1393", true]);

    // A turn of the wheel up: the area stays there while lines come.
    const box = await ui.page.locator("#action_log").boundingBox();
    await ui.page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
    await ui.page.mouse.wheel(0, -600);
    const up = (await settled((v) => v.top < a.top)).top;
    await poll();
    a = await area();
    assert.deepEqual([a.lines.length, a.top, a.atEnd, a.note], [201, up, false, "100 new lines below"]);

    // Back at the end, it follows again.
    await ui.page.mouse.wheel(0, 1e6);
    await settled((v) => v.atEnd);
    await poll();
    a = await area();
    assert.deepEqual([a.lines.length, a.lines.at(-1), a.atEnd], [401, "step 399: copied block 2793", true]);

    // Typed text is the user's: the area keeps showing it, the log goes
    // on without it, and a line equal to it is appended.
    await ui.page.focus("#action_log");
    await ui.page.keyboard.press("Control+End");
    await ui.page.keyboard.type("typed");
    while (ui.svc.of("status").length < 9) await poll();
    a = await area();
    assert.equal(a.lines.at(-1), "typed");
    assert.equal(a.lines.length, 901);
    assert.ok(a.value.endsWith("step 399: copied block 2793\ntyped"), "the area still shows what the user typed");
  });

  test("scrolled up by keys, the area holds still while more than its bound arrives; back at its end, it shows the newest lines and follows", async () => {
    // The scan refused at once and its end handled: a scan left hanging would
    // be given up at its bound, in real time here, and fail on the overlay
    // removed below.
    ui = await quiet({ scan: answer.refused("no scan in this test") }, { clock: false });
    // Appends lines first to last-1, longer ones with a suffix, and waits
    // for the frame after.
    const all = [];
    const append = (first, last, suffix = "") => {
      const batch = lines(first, last).map((line) => line + suffix);
      all.push(...batch);
      return ui.page.evaluate(async (batch) => {
        (await import("/log_view.js")).updateLogOutput(batch);
        await new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0)));
      }, batch);
    };
    await ui.page.evaluate(() => {
      document.getElementById("loading_id").remove();
      document.getElementById("action_ui").style.display = "block";
    });
    const newest = () => all.slice(-VIEW_LINES).join("\n") + "\n";

    for (let n = 0; n < 3000; n += 500) await append(n, n + 500);
    await ui.page.focus("#action_log");
    for (let i = 0; i < 3; i++) await ui.page.keyboard.press("PageUp");
    const still = await settled();
    assert.equal(still.text, newest());
    assert.equal(still.atEnd, false);
    let total = 3000;
    for (let b = 0; b < 12; b++, total += 200) {
      await append(total, total + 200, " and verified against its checksum");
      const v = await area();
      assert.deepEqual([v.text === still.text, v.top], [true, still.top], `after batch ${b}`);
      assert.equal(v.note, `${3000 - VIEW_LINES} earlier lines not shown, ${total + 200 - 3000} new lines below`);
    }

    for (let i = 0; i < 200 && !(await area()).atEnd; i++) await ui.page.keyboard.press("PageDown");
    const back = await settled();
    assert.deepEqual([back.text === newest(), back.atEnd, back.note], [true, true, `${total - VIEW_LINES} earlier lines not shown`]);
    // The caret goes on from the end: a key down keeps the area there.
    await ui.page.keyboard.press("ArrowDown");
    await append(total, total + 10);
    const follows = await area();
    assert.deepEqual([follows.text === newest(), follows.atEnd], [true, true]);
  });

  test("beyond the bound the area keeps following; \"Reboot\" and \"Clear Log\" empty the whole log, hidden lines included", async () => {
    const old = lines(0, VIEW_LINES + 1000);
    let rebootPolls = 0;
    const status = (req) => {
      if (req.params.uuid === "R1") {
        // The log at most 100 lines a poll, as asked.
        const start = Number(req.params.start);
        const done = start + 100 >= old.length;
        return answer.status("R1", done ? 200 : 102, done ? "Restore complete" : "Copying", old.slice(start, start + 100));
      }
      rebootPolls += 1;
      return rebootPolls === 1
        ? answer.status("B7", 102, "Waiting", [old[0], old.at(-1), "new"])
        : answer.status("B7", 200, "Reboot scheduled", [old[0], "new", "bye"]);
    };
    const reboot = answer.held(answer.pending("B7", "reboot accepted"));
    ui = await started({ restore: answer.pending("R1", "accepted"), reboot, clear: answer.done("cleared"), status }, "restore");
    await until(RESULT_SHOWN);
    await ui.dialogGone();
    let a = await area();
    assert.deepEqual([a.lines.length, a.lines.at(-1), a.atEnd, a.note], [VIEW_LINES, old.at(-1), true, "1001 earlier lines not shown"]);

    await ui.choose(3);
    await ui.page.click("#reboot1");
    await ui.answer(true);
    a = await area();
    assert.deepEqual([a.lines.length, a.note, await ui.text("#action_log_note")], [0, null, ""]);
    assert.equal(await ui.visible("#action_log_note"), false);
    await ui.svc.release();
    await until("document.getElementById('action_log').textContent.includes('new')");
    assert.equal(await ui.log(), `reboot accepted\n${old[0]}\n${old.at(-1)}\nnew\n`);

    await ui.page.click("#clearlogbtn");
    assert.equal(await ui.log(), "");
    await until("document.getElementById('action_msg').textContent.startsWith('SUCCESS')");
    assert.equal(await ui.log(), `${old[0]}\nnew\nbye\n`);
  });
});
