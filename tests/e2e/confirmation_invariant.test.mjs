// The confirmation invariant under random use: a seeded random sequence of
// clicks, key presses, held keys and bursts of auto-repeats, and pushes and
// holds of a gamepad's buttons and stick (a stand-in for the engine's pads)
// on the real page in the real program, against a stand-in whose every text carries markup
// and script. Every restore, factory-reset, repair and reboot request the
// stand-in received must follow its own deliberate Yes (a click, or a fresh
// key press, never a repeat) on a dialog naming that action, for the image
// the list showed then; every such Yes must send exactly one; a page sends at most
// one restore, factory reset or repair, since its action page never gives
// way; and no text sends anything.
// SEED=<n> replays the random choices (the page's timing may still lead a
// replay elsewhere).

import assert from "node:assert/strict";
import { writeFileSync } from "node:fs";
import path from "node:path";
import { describe, it } from "node:test";
import { destructive, sleep, useSession } from "./harness/session.mjs";
import { artifactDir } from "./harness/paths.mjs";
import { NO, YES } from "../page_reading.mjs";
import { seededRandom } from "../seeded_random.mjs";
import { standInGamepads } from "../stand_in_gamepads.mjs";
import { OPTION_IDS } from "../../web/vocabulary.js";

const INPUTS = 1000;
// Inputs on the action page before the page is loaded afresh.
const RELOAD_AFTER = 60;
const SEED = process.env.SEED !== undefined ? Number(process.env.SEED) : Date.now() % 2 ** 31;
// Actions finish within one status poll.
const SIM = { scenario: "hostile-text", timeScale: 50 };
// The script in the stand-in's texts would send requests naming this disc.
const INJECTED = "INJECTED";

const CONFIRM_MESSAGE = "Action can't be undone. Continue?";
// A request follows its Yes at the dialog watcher's next run.
const ANSWER_TO_REQUEST_MS = 3000;
const CHECKBOXES = OPTION_IDS;
const KEYS = ["Escape", "Enter", "Tab", "ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", " "];
// Standard gamepad buttons: A, B and the D-pad; the stick is the axes.
const PAD_A = 0;
const PAD_INPUTS = [PAD_A, 1, 12, 13, 14, 15, "stick"];
// The dialog's title for each request path.
const TITLE_OF = { "/lumenos-repair/restore": "Restore", "/lumenos-repair/factory-reset": "Factory-reset",
  "/lumenos-repair/repair": "Repair", "/lumenos-repair/reboot": "Reboot" };

// Keeps "Close" from ending the program should a key reach it, connects a
// stand-in gamepad (window.__pad(buttons, axes) sets what it holds), and
// gets hold of the page's dialog object (the same module instance).
const OBSERVE = `(async () => {
  window.__closeCalls = 0;
  window.close = () => { window.__closeCalls += 1; };
  (${standInGamepads})();
  window.__connectPad();
  window.__dialog = (await import("./exConfirm.js")).exConfirmPromise;
  return typeof window.__dialog === "object";
})()`;

// What a click may hit ("Close" never).
const TARGETS = [...CHECKBOXES, "images", "ok_button", "reboot1", "clearlogbtn", YES, NO];

// The page as the next input finds it, with the centres of the targets
// shown. A dialog is open while its watcher runs and no answer is recorded;
// after an answer its box stays for a while, fading out, and a click on
// its buttons then answers nothing.
const SNAPSHOT = `(() => {
  const $ = (id) => document.getElementById(id);
  const focused = document.activeElement ? document.activeElement.id : "";
  const entry = $("images").options[$("images").selectedIndex];
  const overlay = !!$("exConfirmPromiseOverLay");
  const d = window.__dialog;
  const open = overlay && !!d.confirmPromiseInterval && d.confirmPromiseVal === null;
  const centres = {};
  for (const id of ${JSON.stringify(TARGETS)}) {
    const e = $(id);
    const r = e && e.getBoundingClientRect();
    if (r && r.width > 0 && r.height > 0) centres[id] = { x: r.left + r.width / 2, y: r.top + r.height / 2 };
  }
  return {
    centres, overlay, focused,
    dialog: open ? { title: $("exConfirmPromise_title").textContent,
                     message: $("exConfirmPromiseWrap").querySelector("p").textContent } : null,
    choice: entry && !entry.disabled ? entry.value : "",
    actionPage: getComputedStyle($("action_ui")).display !== "none",
    entries: $("images").options.length,
  };
})()`;

describe("the confirmation invariant under random use", () => {
  const { session, repair } = useSession({ sim: SIM });

  // Stderr and a screenshot of a run that went wrong, under artifacts/e2e/.
  async function keepEvidence(error) {
    const dir = artifactDir("e2e");
    writeFileSync(path.join(dir, `confirmation-invariant-${SEED}.stderr.txt`), session.app.stderr);
    try {
      await session.keepScreenshot(`confirmation-invariant-${SEED}`);
    } catch (e) {
      console.error(`no screenshot: ${e.message}`);
    }
    console.error(`evidence of seed ${SEED} kept in ${dir}: ${error.message}`);
  }

  it(`${INPUTS} random inputs send no destructive request without its own Yes`, async () => {
    console.log(`# SEED=${SEED}`);
    const { page } = session;
    await repair.waitForMenu();
    assert.equal(await page.evaluate(OBSERVE), true, "the page's dialog object");
    const random = seededRandom(SEED);
    const pick = (list) => list[random.below(list.length)];
    const yeses = []; // { title, message, choice, at }
    const counts = { inputs: 0, keys: 0, repeats: 0, clicks: 0, pads: 0, reloads: 0 };
    let onActionPage = 0;

    // One input chosen for the page as it is (never "Close"); delivers its
    // name, or null when the chosen element is not shown.
    async function input(s) {
      const kind = pick(["key", "key", "key", "hold", "pad", "pad", "click", "click", "click", "click", s.overlay ? "click" : "choose"]);
      if (kind === "pad") {
        const button = pick(PAD_INPUTS);
        // On "Close" A would end the program; a fresh A on Yes answers Yes.
        if (button === PAD_A && s.focused === "close1") return null;
        if (button === PAD_A && s.dialog && s.focused === YES) yeses.push({ ...s.dialog, choice: s.choice, at: Date.now() });
        const axes = [0, 0, 0, 0];
        if (button === "stick") axes[random.below(2)] = pick([-1, 1]) * (0.6 + 0.4 * random());
        // A push, or a hold long enough to repeat.
        const ms = random() < 0.6 ? 30 + random.below(100) : 400 + random.below(1200);
        // Each change is held until the page has read the pad once more.
        const set = async (held, to) => {
          const reads = await page.evaluate(`window.__pad(${JSON.stringify(held)}, ${JSON.stringify(to)}), window.__padReads`);
          await page.waitForPage("the page to read the pad", `window.__padReads > ${reads}`, { interval: 5 });
        };
        await set(button === "stick" ? [] : [button], axes);
        await sleep(ms);
        await set([], [0, 0, 0, 0]);
        counts.pads += 1;
        return `pad ${button} for ${ms} ms`;
      }
      if (kind === "key" || kind === "hold") {
        const key = pick(KEYS);
        if (key === "Enter" || key === " ") {
          // On "Close" it would end the program; on Yes its fresh press
          // answers Yes, and its repeats answer nothing.
          if (s.focused === "close1") return null;
          if (s.dialog && s.focused === YES) yeses.push({ ...s.dialog, choice: s.choice, at: Date.now() });
        }
        if (kind === "key") {
          await page.press(key);
          counts.keys += 1;
          return key;
        }
        const repeats = 1 + random.below(30);
        await page.holdKey(key, repeats, 10 + random.below(40));
        counts.keys += 1;
        counts.repeats += repeats;
        return `hold ${key} (${repeats} repeats)`;
      }
      if (kind === "click") {
        const id = s.overlay && random() < 0.5 ? pick([YES, YES, NO]) : pick(TARGETS);
        const centre = s.centres[id];
        if (!centre) return null;
        if (s.dialog && id === YES) yeses.push({ ...s.dialog, choice: s.choice, at: Date.now() });
        await page.clickAt(centre.x, centre.y);
        counts.clicks += 1;
        return `click ${id}`;
      }
      // Choose an entry: click the list, move in its pop-up, take one. Not
      // while a dialog is up: the pop-up's Enter would answer it unrecorded.
      const steps = 1 + random.below(s.entries - 1);
      await page.clickAt(s.centres.images.x, s.centres.images.y);
      await sleep(30);
      for (let i = 0; i < steps; i++) await page.press(pick(["ArrowDown", "ArrowUp"]));
      await page.press("Enter");
      counts.clicks += 1;
      counts.keys += steps + 1;
      return `choose (${steps} steps)`;
    }

    // A fresh page (and scan) now and then: the action page, once shown,
    // covers "Proceed" for good.
    async function reload() {
      await session.load();
      await repair.waitForMenu();
      assert.equal(await page.evaluate(OBSERVE), true, "the page's dialog object");
      counts.reloads += 1;
    }

    const trail = [];
    try {
      while (counts.inputs < INPUTS) {
        session.app.process.checkRunning();
        const s = await page.evaluate(SNAPSHOT);
        onActionPage = s.actionPage ? onActionPage + 1 : 0;
        if (onActionPage > RELOAD_AFTER && !s.overlay) {
          await reload();
          onActionPage = 0;
          continue;
        }
        const before = yeses.length;
        const name = await input(s);
        if (name === null) continue;
        counts.inputs += 1;
        trail.push(name);
        // Let the page react; an answer is noticed by the dialog's watcher.
        await sleep(yeses.length > before ? 120 : 15);
      }
      // Requests started by the last inputs reach the journal: each within
      // ANSWER_TO_REQUEST_MS of its Yes.
      await sleep(Math.max(1000, (yeses.at(-1)?.at ?? 0) + ANSWER_TO_REQUEST_MS - Date.now()));
    } catch (e) {
      await keepEvidence(e);
      throw e;
    }

    const journal = await session.sim.journal();
    const sent = destructive(journal);
    const closeCalls = await page.evaluate("window.__closeCalls");
    console.log(
      `# ${counts.inputs} inputs (${counts.keys} key presses with ${counts.repeats} repeats, ${counts.clicks} clicks, ` +
        `${counts.pads} gamepad inputs, ${counts.reloads} reloads), ` +
        `${yeses.length} Yes answers, ${sent.length} destructive requests ` +
        `(${Object.values(TITLE_OF).map((t) => `${t}: ${sent.filter((q) => TITLE_OF[q.path] === t).length}`).join(", ")}), ` +
        `Close reached ${closeCalls} times; last inputs: ${trail.slice(-8).join(", ")}`,
    );

    // Each request takes the earliest unused Yes shortly before it that
    // names its action and its image; a request with none is a breach.
    const used = new Set();
    let scan = null; // the scan uuid of the page that sent the request
    let actionsOfPage = 0;
    for (const request of journal) {
      if (request.path === "/lumenos-repair/list") {
        scan = request.params.uuid;
        actionsOfPage = 0;
      }
      const title = TITLE_OF[request.path];
      if (!title) continue;
      assert.ok(!Object.values(request.params ?? {}).includes(INJECTED),
        `${request.path}?${request.query} was sent by text from the service (seed ${SEED})`);
      if (title !== "Reboot") {
        actionsOfPage += 1;
        assert.equal(actionsOfPage, 1,
          `${request.path}?${request.query} at ${request.time} while another action of its page was followed (seed ${SEED})`);
      }
      const at = Date.parse(request.time);
      const p = request.params;
      const factoryReset = title === "Factory-reset";
      const image = factoryReset ? p.efi : p.image;
      const index = yeses.findIndex((y, i) => {
        if (used.has(i) || y.title !== title || y.at > at || at - y.at > ANSWER_TO_REQUEST_MS) return false;
        const choice = y.choice ? JSON.parse(y.choice) : null;
        return !!choice && choice.disc === p.disc && choice.image === image;
      });
      assert.notEqual(index, -1,
        `${request.path}?${request.query} at ${request.time} follows no unused Yes on a "${title}" dialog ` +
          `for that image (seed ${SEED}); Yes answers: ${JSON.stringify(yeses.map((y) => [y.title, y.choice, new Date(y.at).toISOString()]))}`);
      used.add(index);
      const messages = [`${p.disc} : ${image}${CONFIRM_MESSAGE}`];
      if (title === "Reboot") messages.push(`Will reboot ${p.disc} : image-${image}. Continue?`);
      assert.ok(messages.includes(yeses[index].message), `the dialog said: ${yeses[index].message}`);
      assert.equal(factoryReset ? p.image : p.scanuuid, scan, "the scan uuid of its page");
    }
    // And a Yes on an open dialog always starts its request.
    const lost = yeses.filter((y, i) => !used.has(i));
    assert.deepEqual(lost.map((y) => `${y.title} at ${new Date(y.at).toISOString()}`), [], "Yes answers that sent nothing");
    assert.ok(counts.inputs >= INPUTS);
    assert.equal(session.app.process.running, true, "the program still runs");
  });
});
