// A stand-in for the engine's gamepads, run in the page (self-contained):
// navigator.getGamepads() answers the four slots of window.__pads and counts
// its calls in window.__padReads; window.__connectPad(buttons) fills the first
// slot with a standard pad holding those buttons and announces it;
// window.__pad(buttons, axes) sets what that pad holds.

export function standInGamepads() {
  window.__padReads = 0;
  window.__pads = [null, null, null, null];
  navigator.getGamepads = () => {
    window.__padReads += 1;
    return window.__pads;
  };
  window.__pad = (buttons, axes = [0, 0, 0, 0]) => {
    const pad = window.__pads[0];
    pad.buttons = Array.from({ length: 17 }, (_, i) => ({ pressed: buttons.includes(i), value: buttons.includes(i) ? 1 : 0 }));
    pad.axes = axes;
  };
  window.__connectPad = (buttons = []) => {
    window.__pads[0] = { connected: true, mapping: "standard", index: 0 };
    window.__pad(buttons);
    window.dispatchEvent(new Event("gamepadconnected"));
  };
}
