// The engine's processes: every one that runs the program's dispatch works
// with the four appended switches, and a helper started by hand ends as the
// engine's own helper ends.

import assert from "node:assert/strict";
import { execFileSync, spawnSync } from "node:child_process";
import path from "node:path";
import { describe, it } from "node:test";
import { appBinary } from "./harness/paths.mjs";
import { processStat } from "./harness/process_group.mjs";
import { APPENDED_SWITCHES, useSession, waitFor } from "./harness/session.mjs";

// "[pid:tid:date:VERBOSE1:file(line)] Command line: argv..."
const COMMAND_LINE_RECORD = /^\[(\d+):\d+:[^\]]*:VERBOSE1:[^\]]*\] Command line: (.*)$/;

function processType(args) {
  const type = args.find((a) => a.startsWith("--type="));
  return type ? type.slice("--type=".length) : "browser";
}

describe("the command line of every engine process", () => {
  const { session } = useSession({ appArgs: ["--log-severity=verbose"] });

  it("ends with the four switches, in order and once each, in each process's own record", async () => {
    const { app } = session;
    const records = app.stderrLines(/Command line: /).map((line) => {
      const match = line.match(COMMAND_LINE_RECORD);
      assert.ok(match, `a well-formed record: ${line}`);
      return { pid: Number(match[1]), args: match[2].split(" ") };
    });
    const types = records.map((r) => processType(r.args));
    assert.ok(types.includes("browser") && types.includes("zygote"), `records of ${types}`);
    for (const { pid, args } of records) {
      assert.deepEqual(args.slice(-4), APPENDED_SWITCHES, `process ${pid} (${processType(args)})`);
      for (const name of APPENDED_SWITCHES) {
        assert.equal(args.filter((a) => a === name).length, 1, `${name} once in process ${pid}`);
      }
    }
    assert.equal(records.find((r) => processType(r.args) === "browser").pid, app.pid);

    // Every live process either wrote its own record or was forked by a
    // zygote that did (renderers are forks of the zygote).
    const logged = new Set(records.map((r) => r.pid));
    const zygotes = new Set(records.filter((r) => processType(r.args) === "zygote").map((r) => r.pid));
    const forks = await waitFor("a renderer forked from a zygote", () => {
      const found = app.process.groupPids().filter((pid) => !logged.has(pid));
      return found.length > 0 && found;
    });
    for (const pid of forks) {
      let ancestor = processStat(pid).parent;
      while (!zygotes.has(ancestor) && ancestor > 1) ancestor = processStat(ancestor).parent;
      assert.ok(zygotes.has(ancestor), `process ${pid} descends from a zygote that ran the dispatch`);
    }
  });
});

describe("a helper process started by hand", () => {
  const libexecs = execFileSync("qtpaths6", ["--query", "QT_INSTALL_LIBEXECS"], { encoding: "utf8" }).trim();
  const qtHelper = path.join(libexecs, "QtWebEngineProcess");
  const withoutDisplay = { ...process.env };
  delete withoutDisplay.DISPLAY;
  const run = (binary, args) => spawnSync(binary, args, {
    env: withoutDisplay, encoding: "utf8", timeout: 20000, stdio: ["ignore", "ignore", "pipe"],
  });

  // No hand-started helper type returns normally from the engine's
  // processMain: each dies inside it, Qt's own helper alike. The program
  // must end exactly as that helper does, without touching the display.
  for (const type of ["bogus", "renderer", "utility"]) {
    it(`--type=${type} ends as the engine's own helper does, without opening a display`, () => {
      const args = [`--type=${type}`, "--no-sandbox"];
      const ours = run(appBinary(), args);
      const theirs = run(qtHelper, args);
      assert.notEqual(ours.error?.code, "ETIMEDOUT", "the helper ended");
      assert.deepEqual({ status: ours.status, signal: ours.signal },
        { status: theirs.status, signal: theirs.signal });
      assert.doesNotMatch(ours.stderr, /could not connect to display|platform plugin/);
    });
  }
});
