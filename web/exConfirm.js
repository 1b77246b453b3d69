// Modal yes/no confirmation dialog.
//
// exConfirmPromise.make(options) builds the dialog afresh, shows it over the
// page and returns a promise that fulfils with true (Yes) or false (No).
// While it is open it holds the focus on its active button, lets no key but
// Enter and the space bar act, and catches clicks on the page beneath.
// Escape answers No. Only a deliberate key press answers: one that went
// down after the dialog opened, never a key's auto-repeat.

import { safeMarkup } from "./safe_markup.js";

const OVERLAY_ID = "exConfirmPromiseOverLay";

// Whether a confirmation dialog is open: the one way the page asks it.
export function dialogOpen() {
  return !!document.getElementById(OVERLAY_ID);
}
const WRAP_ID = "exConfirmPromiseWrap";
const TITLE_ID = "exConfirmPromise_title";
const MESSAGE_ID = "exConfirmPromise_message";
const BTN_WRAP_ID = "exConfirmPromiseBtnWrap";
const BTN_YES_ID = "exConfirmPromiseBtnYes";
const BTN_NO_ID = "exConfirmPromiseBtnNo";

function doNothing() {}

export const exConfirmPromise = {
  options: {
    zIndex: 9999,
    overlayBackground: "rgba(255,255,255,0)",
    bodyBackground: "rgb(130,130,130)",
    bodyBorder: "1px solid grey",
    titleBackground: "#888888",
    textColor: "#111111",
    titleColor: "#222222",
    btnPosition: "center",
    top: "20%",
    right: "38%",
    btnClassSuccess: "btn btn-success btn-sm",
    btnClassSuccessText: "Yes",
    btnClassFail: "btn btn-danger btn-sm",
    btnClassFailText: "No",
    title: "Confirmation",
    message: "Confirmation Required!",
    animation: true,
    animationTime: 500,
    disableForceFocus: false,
    onResolve: doNothing,
    onReject: doNothing,
  },

  confirmPromiseVal: null,
  confirmPromiseInterval: null,
  activeElement: null,
  activeButton: null,
  spaceDownSinceOpen: false,
  fadeInInterval: null,
  fadeOutInterval: null,
  exitTimeout: null,
  onResolve: doNothing,
  onReject: doNothing,

  make(options) {
    Object.assign(this.options, options || {});
    const o = this.options;
    this.doReset(o);
    // A box still fading out goes at once, so that ids stay unique and no
    // exit timer of it removes this one.
    this.removeOverlay();

    const overlay = document.createElement("div");
    overlay.id = OVERLAY_ID;
    Object.assign(overlay.style, {
      position: "fixed",
      top: "0",
      left: "0",
      width: "100%",
      height: "100%",
      zIndex: String(Number(o.zIndex) - 1),
      background: o.overlayBackground,
    });

    const wrap = document.createElement("div");
    wrap.id = WRAP_ID;
    // Announced as a modal question, named by its title, described by its message.
    wrap.setAttribute("role", "alertdialog");
    wrap.setAttribute("aria-modal", "true");
    wrap.setAttribute("aria-labelledby", TITLE_ID);
    wrap.setAttribute("aria-describedby", MESSAGE_ID);
    Object.assign(wrap.style, {
      position: "fixed",
      top: o.top,
      right: o.right,
      width: "342px",
      cursor: "pointer",
      overflow: "hidden",
      boxShadow: "0px 3px 5px rgba(0, 0, 0, 0.3)",
      borderRadius: "3px",
      border: o.bodyBorder,
      background: o.bodyBackground,
      zIndex: String(o.zIndex),
    });

    const title = document.createElement("div");
    title.id = TITLE_ID;
    Object.assign(title.style, {
      fontSize: "17px",
      height: "26px",
      paddingTop: "4px",
      paddingLeft: "10px",
      background: o.titleBackground,
      color: o.titleColor,
    });
    title.replaceChildren(safeMarkup(o.title));

    const message = document.createElement("p");
    message.id = MESSAGE_ID; // describes the dialog
    Object.assign(message.style, {
      textAlign: "left",
      padding: "16px 5px 0 10px",
      width: "100%",
      margin: "0",
      fontSize: "15px",
      color: o.textColor,
      // However long a disc's or an image's name, the buttons stay in the
      // window: long words wrap, and a long message scrolls.
      overflowWrap: "anywhere",
      maxHeight: "50vh",
      overflowY: "auto",
    });
    message.replaceChildren(safeMarkup(o.message));

    const btnWrap = document.createElement("div");
    btnWrap.id = BTN_WRAP_ID;
    Object.assign(btnWrap.style, { padding: "10px", textAlign: o.btnPosition });

    const yes = document.createElement("button");
    yes.id = BTN_YES_ID;
    yes.className = o.btnClassSuccess;
    yes.style.minWidth = "62px";
    yes.setAttribute("autofocus", "");
    yes.textContent = o.btnClassSuccessText;

    const no = document.createElement("button");
    no.id = BTN_NO_ID;
    no.className = o.btnClassFail;
    no.style.minWidth = "62px";
    no.textContent = o.btnClassFailText;

    yes.addEventListener("click", () => this.resolve());
    no.addEventListener("click", () => this.reject());
    yes.addEventListener("keydown", (e) => {
      if (e.key === "ArrowRight") {
        this.activeButton = no;
        no.focus();
      }
    });
    no.addEventListener("keydown", (e) => {
      if (e.key === "ArrowLeft") {
        this.activeButton = yes;
        yes.focus();
      }
    });

    btnWrap.append(yes, " ", no);
    wrap.append(title, message, btnWrap);
    overlay.append(wrap);
    document.body.appendChild(overlay);

    this.activeElement = document.activeElement;
    this.spaceDownSinceOpen = false;
    yes.focus();
    this.activeButton = yes;

    if (o.animation) {
      wrap.style.display = "none";
      this.fadeIn(wrap, o.animationTime);
    }

    return new Promise((fulfil) => {
      // No interval of its own: runs as often as the browser allows.
      this.confirmPromiseInterval = setInterval(() => {
        if (!this.options.disableForceFocus && this.activeButton) {
          this.activeButton.focus();
        }
        if (this.confirmPromiseVal === true) {
          this.doReset(this.options);
          fulfil(true);
        } else if (this.confirmPromiseVal === false) {
          this.doReset(this.options);
          fulfil(false);
        }
      });
    });
  },

  // Only a dialog that waits takes an answer, and its first answer stands:
  // a click or key that follows it before the watcher's next run neither
  // changes nor cancels it, and the buttons of a box fading out answer
  // nothing (a stale answer would be taken as the next dialog's).
  waiting() {
    return this.confirmPromiseVal === null && !!this.confirmPromiseInterval;
  },

  resolve() {
    if (!this.waiting()) return;
    this.onResolve();
    this.confirmPromiseVal = true;
  },

  reject() {
    if (!this.waiting()) return;
    this.onReject();
    this.confirmPromiseVal = false;
  },

  doReset(options) {
    const o = options || this.options;
    if (this.exitTimeout) clearTimeout(this.exitTimeout);
    if (this.fadeInInterval) clearInterval(this.fadeInInterval);
    if (this.fadeOutInterval) clearInterval(this.fadeOutInterval);
    this.exitTimeout = this.fadeInInterval = this.fadeOutInterval = null;

    if (o.animation && this.confirmPromiseVal !== null) {
      const wrap = document.getElementById(WRAP_ID);
      if (wrap) this.fadeOut(wrap, o.animationTime);
      this.exitTimeout = setTimeout(() => this.removeOverlay(), Number(o.animationTime) + 10);
    } else {
      this.removeOverlay();
    }

    if (this.confirmPromiseInterval) clearInterval(this.confirmPromiseInterval);
    this.confirmPromiseInterval = null;
    this.confirmPromiseVal = null;
    if (this.activeElement) {
      if (typeof this.activeElement.focus === "function") this.activeElement.focus();
      this.activeElement = null;
    }
    this.activeButton = null;
    this.onResolve = typeof o.onResolve === "function" ? o.onResolve : doNothing;
    this.onReject = typeof o.onReject === "function" ? o.onReject : doNothing;
  },

  // Removes the overlay now, and with it any exit timer that would remove it.
  removeOverlay() {
    if (this.exitTimeout) clearTimeout(this.exitTimeout);
    this.exitTimeout = null;
    const overlay = document.getElementById(OVERLAY_ID);
    if (overlay) overlay.remove();
  },

  fadeIn(element, duration) {
    this.fade(element, duration, "fadeInInterval", 1);
  },

  fadeOut(element, duration) {
    this.fade(element, duration, "fadeOutInterval", -1);
  },

  // Shows the element and moves its opacity from one end (0 up, 1 down) to
  // the other by 10 / duration per run of the timer named by timerName.
  fade(element, duration, timerName, direction) {
    const step = 10 / duration;
    const from = direction > 0 ? 0 : 1;
    let steps = 0;
    element.style.display = "initial";
    element.style.opacity = String(from);
    if (this[timerName]) clearInterval(this[timerName]);
    this[timerName] = setInterval(() => {
      steps += 1;
      const opacity = Math.min(1, Math.max(0, from + direction * steps * step));
      const done = direction > 0 ? opacity >= 1 - 1e-9 : opacity <= 1e-9;
      element.style.opacity = done ? String(1 - from) : String(opacity);
      if (done) {
        clearInterval(this[timerName]);
        this[timerName] = null;
      }
    });
  },
};

// The document-wide listeners; they act only while a dialog is open. A held
// key's repeats come already taken (held_keys.js): the press that opened the
// dialog went down before it, and its repeats answer nothing.
document.addEventListener("keydown", (e) => {
  if (!dialogOpen() || exConfirmPromise.options.disableForceFocus) return;
  const press = !e.defaultPrevented;
  // Escape, the back button, answers No while the dialog waits for an
  // answer.
  if (e.key === "Escape" && press) exConfirmPromise.reject();
  if (e.key === " " && press) exConfirmPromise.spaceDownSinceOpen = true;
  if (e.key !== "Enter" && e.key !== " ") {
    e.preventDefault();
    e.stopPropagation();
  }
});

// The space bar presses a button when it comes up: only a press that went
// down while the dialog was open may answer.
document.addEventListener("keyup", (e) => {
  if (!dialogOpen() || exConfirmPromise.options.disableForceFocus) return;
  if (e.key === " " && !exConfirmPromise.spaceDownSinceOpen) e.preventDefault();
});

document.addEventListener("click", () => {
  if (!dialogOpen() || exConfirmPromise.options.disableForceFocus) return;
  if (exConfirmPromise.activeButton) exConfirmPromise.activeButton.focus();
});
