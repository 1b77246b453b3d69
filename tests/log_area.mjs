// The action's log area as the tests read it, in the web tests' browser and
// in the real program alike.

// The area as shown: its scroll position and end, its text and lines,
// whether it is at its end, what it shows (its value), and its note (null
// while hidden).
export const LOG_AREA = `(() => {
  const area = document.getElementById("action_log");
  const note = document.getElementById("action_log_note");
  const [top, end, text] = [area.scrollTop, area.scrollHeight - area.clientHeight, area.textContent];
  return { top, end, text, lines: text.split("\\n").slice(0, -1), atEnd: end - top <= 4, value: area.value,
           note: note.hidden ? null : note.textContent };
})()`;

// The area, as `read` delivers it, once its scrolling came to rest (at the
// same place twice, 200 ms apart) where `there` holds.
export async function logAreaAtRest(read, there = () => true) {
  let last;
  for (let tries = 0; tries < 50; tries++) {
    const now = await read();
    if (now.top === last?.top && there(now)) return now;
    last = now;
    await new Promise((resolve) => setTimeout(resolve, 200));
  }
  throw new Error("the log area's scrolling does not come to rest");
}
