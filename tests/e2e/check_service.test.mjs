// scripts/check-service against the stand-in on a port of its own: every
// shipped scenario that keeps the service's contract passes it but for what
// the scenario is made to show, and a stand-in that breaks the contract is
// caught, the findings naming the broken rule and showing its texts inert.

import assert from "node:assert/strict";
import { execFile } from "node:child_process";
import { mkdtempSync, readFileSync, writeFileSync } from "node:fs";
import os from "node:os";
import path from "node:path";
import { describe, it } from "node:test";
import { repoRoot, scenarioDir } from "./harness/paths.mjs";
import { RepairSim } from "./harness/repair_sim.mjs";
import { destructive } from "./harness/journal.mjs";

const CHECK = path.join(repoRoot, "scripts", "check-service");
const TIME_SCALE = 10;

// Runs the check against a stand-in with the scenario; delivers its exit
// status, its lines, its failures and the stand-in's journal.
async function check(scenario, args = []) {
  const sim = await RepairSim.start({ scenario, timeScale: TIME_SCALE, port: 0 });
  try {
    const { code, stdout } = await new Promise((resolve) => {
      execFile(CHECK, ["--poll-ms", "50", ...args, sim.url], { timeout: 60000 }, (error, stdout) =>
        resolve({ code: error ? error.code : 0, stdout }));
    });
    const lines = stdout.trim().split("\n");
    return { code, lines, failures: lines.filter((l) => l.startsWith("FAIL")), journal: await sim.journal() };
  } finally {
    await sim.stop();
  }
}

const firstDisc = (name) => JSON.parse(readFileSync(path.join(scenarioDir, `${name}.json`), "utf8")).discs?.[0].key;

describe("scripts/check-service against the stand-in", () => {
  it("passes the default scenario with only requests that change nothing, and ends with the count", async () => {
    const { code, lines, failures, journal } = await check("default");
    assert.deepEqual(failures, []);
    assert.equal(code, 0);
    assert.match(lines.at(-1), /^\d+ passed, 0 failed$/);
    assert.equal(Number(lines.at(-1).split(" ")[0]), lines.length - 1, "one line per finding");
    for (const rule of [/^PASS scan: accepted with its uuid/, /^PASS status: scan: \d+ status polls, every answer keeps/,
      /^PASS status: scan: log_messages begin at the asked index$/, /^PASS scan: ended with code 200/,
      /^PASS list: 2 discs, 3 images$/, /^PASS clear: a clear of a uuid the service never gave is refused/]) {
      assert.ok(lines.some((l) => rule.test(l)), `${rule} in:\n${lines.join("\n")}`);
    }
    assert.deepEqual([...new Set(journal.map((e) => e.path.split("/").pop()))].sort(), ["clear", "list", "scan", "status"]);
    assert.deepEqual(destructive(journal), []);
  });

  it("keeps to the contract in every shipped scenario that is not made to break it, a restore named included", async () => {
    // What each scenario is made to show; hostile-text's texts carry markup
    // and its keys characters that go escaped, all well-formed.
    const shows = {
      "default": [], "slow-answers": [], "service-stops-answering": [], "hostile-text": [],
      "scan-fails": [/^FAIL scan: ended with code 500/],
      "action-fails-midway": [/^FAIL restore: ended with code 500/],
      "service-drops-out": [/^FAIL status: .*\(polls 2, 3, 4\)$/],
    };
    for (const [scenario, expected] of Object.entries(shows)) {
      const { failures, journal } = await check(scenario, ["--restore", firstDisc(scenario) ?? firstDisc("default")]);
      assert.equal(failures.length, expected.length, `${scenario}: ${failures.join("\n")}`);
      expected.forEach((rule, i) => assert.match(failures[i], rule, scenario));
      const restores = destructive(journal);
      assert.equal(restores.length, scenario === "scan-fails" ? 0 : 1, scenario);
    }
  });

  it("names the broken rule when the stand-in breaks the contract", async () => {
    const dir = mkdtempSync(path.join(os.tmpdir(), "broken-service-"));
    const broken = (name, fault, operations = {}) => {
      const file = path.join(dir, `${name}.json`);
      writeFileSync(file, JSON.stringify({ name, description: "breaks the contract", faults: fault ? [fault] : [], operations }));
      return file;
    };
    const noUuid = await check(broken("no-uuid", { on: "scan", kind: "omit", member: "uuid" }));
    assert.deepEqual(noUuid.failures, ["FAIL scan: answer must have required property 'uuid'"]);
    assert.equal(noUuid.code, 1);
    assert.equal(noUuid.lines.at(-1), "0 passed, 1 failed");

    const noEntry = await check(broken("no-entry", { on: "status", kind: "omit", member: "status_list" }));
    assert.deepEqual(noEntry.failures, [
      "FAIL status: answer must have required property 'status_list' (polls 1, 2, 3, 4, 5, ...)",
      "FAIL scan: no end code after 10 status polls (10 answers in a row without its entry)",
    ]);
    assert.equal(noEntry.code, 1);

    // The service's texts reach the terminal with their control characters escaped.
    const controls = await check(broken("controls", null, { scan: { final_code: 500, final_line: "x\u001b[2J\u009b2J\u0007" } }));
    assert.deepEqual(controls.failures, ['FAIL scan: ended with code 500: "x\\u001b[2J\\u009b2J\\u0007"']);
  });
});
