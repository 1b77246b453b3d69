// The page's timers, run faster: setTimeout delays are divided by
// window.__timeScale, from the next load of the page on. A long action
// then takes seconds or minutes instead of hours.

export async function speedUpPageTimers(page, scale) {
  await page.send("Page.enable");
  await page.send("Page.addScriptToEvaluateOnNewDocument", {
    source: `(() => {
      const setTimeoutOf = window.setTimeout;
      window.__timeScale = ${Number(scale)};
      window.setTimeout = function (fn, delay, ...args) {
        return setTimeoutOf.call(this, fn, (Number(delay) || 0) / window.__timeScale, ...args);
      };
    })();`,
  });
}

// Changes the scale of the loaded page: 1 is the page's own pace.
export function setPageTimerScale(page, scale) {
  return page.evaluate(`window.__timeScale = ${Number(scale)}`);
}
