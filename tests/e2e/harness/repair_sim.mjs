// The stand-in repair service on 127.0.0.1:8080 (the page's fixed address),
// with a scenario and a journal of the requests it received and the answers
// it gave, which keep the service's contract unless the scenario is made to
// break it.

import { mkdtempSync, writeFileSync } from "node:fs";
import os from "node:os";
import path from "node:path";
import { scenarioDir, simBinary } from "./paths.mjs";
import { portInUse } from "./ports.mjs";
import { ProcessGroup } from "./process_group.mjs";
import { waitFor } from "../../wait.mjs";
import { answerFindings, requestFindings } from "../../service_contract.mjs";

export const SERVICE_PORT = 8080;

// The shipped scenarios whose answers break the contract on purpose.
const OFF_CONTRACT_SCENARIOS = ["bad-answers"];

// Writes a scenario of a test's own (its members besides the name) to a
// fresh temporary folder; delivers the file, to be given as the scenario.
export function writeScenario(name, members) {
  const file = path.join(mkdtempSync(path.join(os.tmpdir(), `${name}-`)), `${name}.json`);
  writeFileSync(file, JSON.stringify({ name, ...members }));
  return file;
}

// A scenario with a one-second scan and a restore with these settings.
export function writeRestoreScenario(name, description, restore) {
  return writeScenario(name, { description, operations: { scan: { duration_ms: 1000 }, restore } });
}

export class RepairSim {
  // scenario: a shipped scenario's name or a scenario file; port 0: a free
  // one, instead of the page's.
  static async start({ scenario = "default", timeScale = 1, port = SERVICE_PORT } = {}) {
    if (port !== 0 && (await portInUse(port))) {
      throw new Error(`port ${port} is already in use: another service or test run holds it`);
    }
    const sim = Object.assign(new RepairSim(), { scenario });
    sim.process = new ProcessGroup("lumenos-repair-sim", simBinary(),
      ["--port", String(port), "--scenario-dir", scenarioDir, "--scenario", scenario,
        "--time-scale", String(timeScale)]);
    const listening = await waitFor(`lumenos-repair-sim to listen on ${port} (scenario ${scenario})`, () => {
      sim.process.checkRunning();
      return sim.process.stdout.match(/listening on (http:\/\/[^/]+)(\S+)/);
    }, { timeout: 10000 });
    [, sim.origin] = listening;
    sim.url = listening[1] + listening[2];
    return sim;
  }

  // Throws when a request received or an answer given since the journal was
  // last emptied breaks the service's contract (the answers of a scenario
  // that breaks it on purpose excepted).
  async checkContract() {
    const answers = !OFF_CONTRACT_SCENARIOS.includes(this.scenario);
    const breaks = [];
    for (const { path, query, params, answer } of await this.journal()) {
      const found = requestFindings(path, query);
      if (answers && !answer.dropped) {
        found.push(...answerFindings(path, params ?? {}, { httpStatus: answer.http_status, body: answer.body }));
      }
      breaks.push(...found.map((finding) => `${path}?${query}: ${finding}`));
    }
    if (breaks.length > 0) {
      throw new Error(`requests to or answers of the stand-in (scenario ${this.scenario}) broke the service's contract:\n${breaks.slice(0, 10).join("\n")}`);
    }
  }

  // Every service request received, oldest first, with its answer.
  async journal() {
    const response = await fetch(`${this.origin}/_sim/journal`);
    if (!response.ok) throw new Error(`journal: HTTP ${response.status}`);
    return response.json();
  }

  // The service's whole log of a request (this query joins the journal).
  async logOf(uuid) {
    const response = await fetch(`${this.url}/status?uuid=${uuid}&start=0&max=100`);
    return (await response.json()).log_messages;
  }

  // Empties the journal.
  async reset() {
    const response = await fetch(`${this.origin}/_sim/reset`, { method: "POST" });
    if (!response.ok) throw new Error(`reset: HTTP ${response.status}`);
  }

  async stop() {
    await this.process.stop();
  }
}
