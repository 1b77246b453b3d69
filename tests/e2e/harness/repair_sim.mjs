// The stand-in repair service on 127.0.0.1:8080 (the page's fixed address),
// with a scenario and a journal of the requests it received.

import { mkdtempSync, writeFileSync } from "node:fs";
import os from "node:os";
import path from "node:path";
import { scenarioDir, simBinary } from "./paths.mjs";
import { portInUse } from "./ports.mjs";
import { ProcessGroup } from "./process_group.mjs";
import { waitFor } from "./wait.mjs";

export const SERVICE_PORT = 8080;
const ORIGIN = `http://127.0.0.1:${SERVICE_PORT}`;

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
  // scenario: a shipped scenario's name or a scenario file.
  static async start({ scenario = "default", timeScale = 1 } = {}) {
    if (await portInUse(SERVICE_PORT)) {
      throw new Error(`port ${SERVICE_PORT} is already in use: another service or test run holds it`);
    }
    const sim = new RepairSim();
    sim.process = new ProcessGroup("lumenos-repair-sim", simBinary(),
      ["--port", String(SERVICE_PORT), "--scenario-dir", scenarioDir, "--scenario", scenario,
        "--time-scale", String(timeScale)]);
    await waitFor(`lumenos-repair-sim to listen on ${SERVICE_PORT} (scenario ${scenario})`, () => {
      sim.process.checkRunning();
      return sim.process.stdout.includes("listening on");
    }, { timeout: 10000 });
    return sim;
  }

  // Every service request received, oldest first.
  async journal() {
    const response = await fetch(`${ORIGIN}/_sim/journal`);
    if (!response.ok) throw new Error(`journal: HTTP ${response.status}`);
    return response.json();
  }

  // The service's whole log of a request (this query joins the journal).
  async logOf(uuid) {
    const response = await fetch(`${ORIGIN}/lumenos-repair/status?uuid=${uuid}&start=0&max=100`);
    return (await response.json()).log_messages;
  }

  // Empties the journal.
  async reset() {
    const response = await fetch(`${ORIGIN}/_sim/reset`, { method: "POST" });
    if (!response.ok) throw new Error(`reset: HTTP ${response.status}`);
  }

  async stop() {
    await this.process.stop();
  }
}
