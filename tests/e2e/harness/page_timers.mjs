// The page's timers, run faster: setTimeout delays are divided by
// window.__timeScale, from the next load of the page on. A long action
// then takes seconds or minutes instead of hours. Delays of 10 s and more
// keep their length: they bound the waits for the service's answers (and
// time its silence), and the service answers no faster for the scale.

const UNSCALED_FROM_MS = 10000;

export async function speedUpPageTimers(page, scale) {
  await page.send("Page.enable");
  await page.send("Page.addScriptToEvaluateOnNewDocument", {
    source: `(() => {
      const setTimeoutOf = window.setTimeout;
      window.__timeScale = ${Number(scale)};
      window.setTimeout = function (fn, delay, ...args) {
        const ms = Number(delay) || 0;
        return setTimeoutOf.call(this, fn, ms >= ${UNSCALED_FROM_MS} ? ms : ms / window.__timeScale, ...args);
      };
    })();`,
  });
}

// Changes the scale of the loaded page: 1 is the page's own pace.
export function setPageTimerScale(page, scale) {
  return page.evaluate(`window.__timeScale = ${Number(scale)}`);
}
