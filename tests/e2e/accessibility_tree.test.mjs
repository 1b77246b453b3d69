// What assistive technology reads of the page in the real program: the
// engine's accessibility tree names the options, the image list, the dialog
// and its buttons.

import assert from "node:assert/strict";
import { describe, it } from "node:test";
import { useSession } from "./harness/session.mjs";

describe("the accessibility tree", () => {
  const { session, repair } = useSession({ sim: { scenario: "default", timeScale: 50 } });

  // [role, name, description] of every node the tree does not ignore.
  async function tree() {
    const { nodes } = await session.page.send("Accessibility.getFullAXTree");
    return nodes.filter((n) => !n.ignored && n.role)
      .map((n) => [n.role.value, n.name?.value ?? "", n.description?.value ?? ""]);
  }
  const ofRole = (nodes, role) => nodes.filter(([r]) => r === role).map(([, name, description]) => [name, description]);

  it("names the options, the image list, the dialog and its buttons", async () => {
    await session.page.send("Accessibility.enable");
    await repair.waitForMenu();
    const page = await tree();
    assert.deepEqual(ofRole(page, "checkbox").map(([name]) => name),
      ["Restore", "Factory Reset", "Repair (Advance)", "Reboot"]);
    assert.match(ofRole(page, "checkbox")[1][1], /^Not ready yet Reset the built-in disk/);
    assert.deepEqual(ofRole(page, "combobox").map(([name]) => name), ["Select image :"]);
    assert.deepEqual(ofRole(page, "main").length, 1);
    assert.deepEqual(ofRole(page, "heading").map(([name]) => name).slice(0, 2), ["Lumenos Repair", "Restore"]);

    const { disc, image } = await repair.choose(1, "restore");
    await repair.proceed();
    const open = await tree();
    assert.deepEqual(ofRole(open, "alertdialog"), [["Restore", `${disc} : ${image} Action can't be undone. Continue?`]]);
    assert.deepEqual(ofRole(open, "button").map(([name]) => name).filter((n) => n === "Yes" || n === "No"), ["Yes", "No"]);
    await repair.escape();
  });
});
