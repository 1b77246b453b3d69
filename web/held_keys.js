// A held key or pad button presses once. Its repeats (the engine's
// auto-repeat, and gamepad.js's, marked alike) still move the focus and
// scroll, but press, toggle, open or answer nothing: Enter, the space bar
// and Escape repeats are stopped here, ahead of every other listener, so
// that every handler sees them as already taken. In the log area they type
// as they would anywhere.

const PRESSING_KEYS = ["Enter", " ", "Escape"];

document.addEventListener(
  "keydown",
  (e) => {
    if (e.repeat && PRESSING_KEYS.includes(e.key) && !(e.target instanceof HTMLTextAreaElement)) e.preventDefault();
  },
  true,
);
