// The repair page's state as the tests read it, in the web tests' browser
// and in the real program alike: each layer's driver only sends these
// expressions (Playwright's evaluate, DevTools' Runtime.evaluate).

// The action page as shown: whether it is, its heading as markup (label)
// and as text (heading), the status line, the log, the mark and its
// opacity, and whether the button row is shown.
export const ACTION_PAGE = `(() => {
  const $ = (id) => document.getElementById(id);
  const shown = (e) => getComputedStyle(e).display !== "none";
  const img = $("action_img");
  return { ui: shown($("action_ui")), label: $("action_label").innerHTML, heading: $("action_label").textContent,
           msg: $("action_msg").textContent, log: $("action_log").textContent, mark: img.src.split("/").pop(),
           opacity: getComputedStyle(img).opacity, buttons: shown($("action_next")) };
})()`;

// Holds once an action's result (the button row) is shown.
export const RESULT_SHOWN = "getComputedStyle(document.getElementById('action_next')).display !== 'none'";

export const DIALOG_OPEN = "!!document.getElementById('exConfirmPromiseOverLay')";

// The text of the element with this id, or null while it is hidden.
export const shownText = (id) =>
  `((e) => (e.hidden ? null : e.textContent))(document.getElementById(${JSON.stringify(id)}))`;

// The ids of the dialog's buttons.
export const [YES, NO] = ["exConfirmPromiseBtnYes", "exConfirmPromiseBtnNo"];

// The scanning overlay and the first page: whether the overlay is there, its
// busy indicator, the scan's line as markup and as text, "Try again"
// ("none", "shown" or "focused"), the notice of a silent service, and the
// image list's entries with the index of the one shown.
export const FIRST_PAGE = `(() => {
  const $ = (id) => document.getElementById(id);
  const img = $("loading_img");
  const retry = $("retry_button");
  const retryShown = !!retry && !retry.hidden && retry.textContent === "Try again";
  return { overlay: !!$("loading_id"), indicator: !!img && getComputedStyle(img).display !== "none",
           scanHtml: $("scan_msg")?.innerHTML ?? "", scanText: $("scan_msg")?.textContent ?? "",
           retry: retryShown ? (document.activeElement === retry ? "focused" : "shown") : "none",
           notice: ["scan_notice", "action_notice"].map($).filter((e) => e && !e.hidden).map((e) => e.textContent).join(""),
           menu: [...$("images").options].map((o) => o.textContent), chosen: $("images").selectedIndex };
})()`;
