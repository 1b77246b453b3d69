// Where the binaries, the stand-in's scenarios and the artifacts are.

import { existsSync, mkdirSync } from "node:fs";
import path from "node:path";
import { fileURLToPath } from "node:url";

const here = path.dirname(fileURLToPath(import.meta.url));
export const repoRoot = path.resolve(here, "../../..");
const testsDir = path.join(repoRoot, "tests");

// BUILD_DIR may be relative to tests/, where the runner starts.
export const buildDir = path.resolve(testsDir, process.env.BUILD_DIR || "../build");

function binary(name) {
  const file = path.join(buildDir, "bin", name);
  if (!existsSync(file)) {
    throw new Error(`${file} does not exist: build first (BUILD_DIR=${buildDir} scripts/build)`);
  }
  return file;
}

export const appBinary = () => binary("lumenos-repair-app");
export const simBinary = () => binary("lumenos-repair-sim");
export const scenarioDir = path.join(repoRoot, "repair_service_sim", "scenarios");

// A folder under artifacts/, created on first use.
export function artifactDir(name) {
  const dir = path.join(repoRoot, "artifacts", name);
  mkdirSync(dir, { recursive: true });
  return dir;
}
