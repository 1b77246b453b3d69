// Each of the four actions against the stand-in: refused with No and with
// Escape (nothing sent), then confirmed with Yes and followed to success.

import assert from "node:assert/strict";
import { describe, it } from "node:test";
import {
  actionUuid, destructive, pollsOf, scanUuid, sleep, useSession,
} from "./harness/session.mjs";

const SIM = { scenario: "default", timeScale: 2 };
const CONFIRM_MESSAGE = "Action can't be undone. Continue?";

describe("the four actions against the default scenario", () => {
  const { session, repair } = useSession({ sim: SIM });

  // Fresh page and journal; the image of menu entry `entry` and the option
  // are chosen; "Proceed" is refused once with No and once with Escape.
  async function chooseAndRefuse(entry, option, title) {
    await session.restartSim(SIM);
    const { disc, image } = await repair.choose(entry, option);
    for (const refuse of [() => repair.answer(false), () => repair.escape()]) {
      assert.deepEqual(await repair.proceed(), { title, message: `${disc} : ${image}${CONFIRM_MESSAGE}` });
      await refuse();
      await sleep(300);
      assert.equal(await repair.actionPageShown(), false, "the first page stays");
      assert.deepEqual(destructive(await session.sim.journal()), [], "nothing sent without Yes");
    }
    assert.equal(await repair.prop(option, "checked"), true);
    return { disc, image };
  }

  // The journal holds one destructive request: of `name`, with
  // params(the scan uuid) as its parameters. Delivers the journal.
  async function assertTheRequest(name, params) {
    const journal = await session.sim.journal();
    const sent = destructive(journal);
    assert.equal(sent.length, 1, `exactly one destructive request: ${JSON.stringify(sent)}`);
    assert.equal(sent[0].path, `/lumenos-repair/${name}`);
    assert.deepEqual(sent[0].params, params(scanUuid(journal)));
    return journal;
  }

  it("the scan fills the menu with every image of both discs", async () => {
    const menu = await repair.waitForMenu();
    assert.deepEqual(menu.map((entry) => entry.text), [
      "Select..",
      "nvme0n1:Internal disc : lumenos-3.6.2  ",
      "nvme0n1:Internal disc : lumenos-3.5.0  ",
      "mmcblk0:SD card : lumenos-3.6.2-recovery  ",
    ]);
    assert.deepEqual(JSON.parse(menu[3].value), { disc: "mmcblk0", image: "lumenos-3.6.2-recovery" });
    await session.keepScreenshot("first-page");
  });

  it("Restore runs after Yes and is followed to success", async () => {
    const { disc, image } = await chooseAndRefuse(2, "restore", "Restore");
    await repair.proceed();
    await session.keepScreenshot("dialog");
    await repair.answer(true);
    const running = await repair.waitForActionMessage("a running restore's status line",
      "m !== 'Started...' && !/^(SUCCESS|FAIL:) /.test(m)");
    assert.equal(running.heading, `Running Restore on ${disc} : ${image}`);
    assert.equal(running.buttons, false, "no buttons while running");
    await session.keepScreenshot("running-action");

    const result = await repair.waitForResult();
    await session.keepScreenshot("result");
    assert.equal(result.msg, `SUCCESS  Restore of ${image} finished`);
    assert.equal(result.mark, "pass.png");

    const journal = await assertTheRequest("restore", (scan) => ({ disc, image, scanuuid: scan }));
    const uuid = actionUuid(journal);
    const polls = pollsOf(journal, uuid);
    assert.ok(polls.length >= 2, `followed over several polls: ${polls.length}`);
    assert.deepEqual(polls.map((p) => p.params.max), polls.map(() => "100"));
    assert.equal(polls[0].params.start, "0");
    assert.ok(Number(polls.at(-1).params.start) > 0, "later polls start after the lines received");

    // The log area holds the request's message and every log line of the
    // service exactly once.
    assert.deepEqual(result.log.split("\n").filter(Boolean),
      [`Restore of ${image} on ${disc} started`, ...(await session.sim.logOf(uuid))]);
  });

  // The other three: menu entry, option, dialog title, result line and the
  // request's parameters; a reboot announces itself at once.
  const ACTIONS = [
    [1, "factory-reset", "Factory-reset", ({ disc }) => `SUCCESS  Factory reset of ${disc} finished`,
      ({ disc, image }, scan) => ({ disc, efi: image, image: scan })],
    [3, "repair", "Repair", () => "SUCCESS  Minimize this window  and repair manually with caution",
      ({ disc, image }, scan) => ({ disc, image, scanuuid: scan })],
    [3, "reboot", "Reboot", () => "SUCCESS  Reboot scheduled",
      ({ disc, image }, scan) => ({ disc, image, scanuuid: scan, delay: "10" })],
  ];
  for (const [entry, option, title, resultLine, params] of ACTIONS) {
    it(`${title} runs after Yes with its own request and result`, async () => {
      const chosen = await chooseAndRefuse(entry, option, title);
      const label = `Running ${title} on ${chosen.disc} : ${chosen.image}`;
      await repair.confirm();
      if (option === "reboot") {
        const announced = await repair.waitForActionMessage("the reboot's announcement", "m === 'Rebooting in 10 sec'", 5000);
        assert.equal(announced.heading, label, "the reboot's announcement");
      }
      const result = await repair.waitForResult();
      assert.equal(result.heading, label, title);
      assert.equal(result.msg, resultLine(chosen), title);
      assert.equal(result.mark, "pass.png", title);
      await assertTheRequest(option, (scan) => params(chosen, scan));
    });
  }
});
