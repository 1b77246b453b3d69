// What a user does and sees on the repair page, over CDP.

import { LOG_AREA, logAreaAtRest } from "../../log_area.mjs";
import { ACTION_PAGE, DIALOG_OPEN, NO, RESULT_SHOWN, YES } from "../../page_reading.mjs";

export class RepairPage {
  constructor(page) {
    this.page = page;
  }

  // A property of the element with this id, e.g. "checked" or "style.opacity".
  prop(id, property = "textContent") {
    return this.page.evaluate(`document.getElementById(${JSON.stringify(id)}).${property}`);
  }

  // Waits for the scan to end and the overlay to go; delivers the menu's
  // entries as [{ text, value }].
  async waitForMenu(timeout = 30000) {
    await this.page.waitForPage("the scanning overlay to go (scan and list done)",
      "!document.getElementById('loading_id')", { timeout });
    return this.menu();
  }

  menu() {
    return this.page.evaluate(
      "[...document.getElementById('images').options].map((o) => ({ text: o.textContent, value: o.value }))");
  }

  // Picks entry index of the image list the way a user does: a click opens
  // the list's pop-up, arrows move in it, Enter takes the entry.
  async chooseImage(index) {
    const current = await this.prop("images", "selectedIndex");
    await this.page.click("images");
    await this.page.waitForPage("the image list to take the focus", "document.activeElement.id === 'images'");
    const key = index >= current ? "ArrowDown" : "ArrowUp";
    for (let i = 0; i < Math.abs(index - current); i++) await this.page.press(key);
    await this.page.press("Enter");
    await this.page.waitForPage(`entry ${index} of the image list to be chosen`,
      `document.getElementById('images').selectedIndex === ${index}`);
  }

  // Waits for the menu, chooses its entry `entry` and the option; delivers
  // that entry's { disc, image } and the menu.
  async choose(entry, option) {
    const menu = await this.waitForMenu();
    await this.chooseImage(entry);
    await this.page.click(option);
    await this.page.waitForPage(`option ${option} to be checked`, `document.getElementById(${JSON.stringify(option)}).checked`);
    return { ...JSON.parse(menu[entry].value), menu };
  }

  // Chooses as choose() does and starts the action with "Proceed" and Yes.
  async startAction(entry = 1, option = "restore") {
    const chosen = await this.choose(entry, option);
    await this.confirm();
    return chosen;
  }

  // The unit's keys alone, once the first page is usable: the list's first
  // image (Enter, Down, Enter), "Restore" (Down, Enter), then Down to
  // "Proceed"; delivers that entry's { disc, image }.
  async chooseRestoreByKeys() {
    const menu = await this.waitForMenu();
    await this.waitForFocus("images", "the first page became usable");
    await this.pressKeys(["Enter", "ArrowDown", "Enter"], "images");
    await this.pressKeys(["ArrowDown", "Enter"], "restore");
    await this.pressKeys(["ArrowDown", "ArrowDown", "ArrowDown", "ArrowDown"], "ok_button");
    return JSON.parse(menu[1].value);
  }

  async confirm() {
    await this.proceed();
    await this.answer(true);
  }

  // Presses the keys one after the other, then waits for the focus on `id`.
  async pressKeys(keys, id) {
    for (const key of keys) await this.page.press(key);
    await this.waitForFocus(id, keys.join(" "));
  }

  // Waits for the focus on the element with this id; `after` names what
  // moved it.
  waitForFocus(id, after) {
    return this.page.waitForPage(`the focus on "${id}" after ${after}`,
      `document.activeElement && document.activeElement.id === ${JSON.stringify(id)}`);
  }

  dialogOpen() {
    return this.page.evaluate(DIALOG_OPEN);
  }

  // Clicks "Proceed" and waits for the confirmation; delivers its title and
  // message.
  async proceed() {
    await this.page.click("ok_button");
    return this.waitForDialog();
  }

  waitForDialog() {
    return this.page.waitForPage("the confirmation dialog to open and finish fading in", `(() => {
      const wrap = document.getElementById("exConfirmPromiseWrap");
      return !!wrap && Number(getComputedStyle(wrap).opacity) >= 0.999 &&
        { title: document.getElementById("exConfirmPromise_title").textContent, message: wrap.querySelector("p").textContent };
    })()`);
  }

  // Answers the open dialog by a click on Yes or No and waits for it to go.
  async answer(yes) {
    await this.page.click(yes ? YES : NO);
    await this.waitForDialogGone();
  }

  // Escape answers No; waits for the dialog to go.
  async escape() {
    await this.page.press("Escape");
    await this.waitForDialogGone();
  }

  waitForDialogGone() {
    return this.page.waitForPage("the confirmation dialog to go", `!${DIALOG_OPEN}`);
  }

  actionPageShown() {
    return this.page.evaluate("document.getElementById('action_ui').style.display !== 'none'");
  }

  // The action page as shown.
  actionState() {
    return this.page.evaluate(ACTION_PAGE);
  }

  // The log area once a smooth scroll of it came to rest.
  logAreaAtRest() {
    return logAreaAtRest(() => this.page.evaluate(LOG_AREA));
  }

  // Turns the wheel up over the log area until it rests away from its end (a
  // poll handled just before the scroll starts brings it back there);
  // delivers the area at rest.
  async scrollLogUp() {
    for (let turns = 0; turns < 5; turns++) {
      await this.page.wheel("action_log", -600);
      const still = await this.logAreaAtRest();
      if (still.top < still.end - 20) return still;
    }
    throw new Error("the wheel does not scroll the log area up");
  }

  // Waits for a status line that satisfies the page expression over `m`
  // (the text of "action_msg"); delivers the action page's state.
  async waitForActionMessage(what, predicate, timeout = 30000) {
    await this.page.waitForPage(what,
      `((m) => ${predicate})(document.getElementById('action_msg').textContent)`, { timeout });
    return this.actionState();
  }

  // Waits for the result line of an action and the buttons.
  waitForResult(timeout = 30000) {
    return this.waitForActionMessage("the action's result (SUCCESS or FAIL:)",
      `/^(SUCCESS|FAIL:) /.test(m) && ${RESULT_SHOWN}`,
      timeout);
  }
}
