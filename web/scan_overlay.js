// The scanning overlay: the scan's progress over the covered first page,
// its failure with the one way on, "Try again", and its removal once the
// image menu is filled.

import { textOf } from "./text_of.js";
import { safeMarkup } from "./safe_markup.js";
import { focusFirstControl } from "./focus_nav.js";

const FAILURE_MARKUP = "<h1>Failed: </h1><p>Restart application</p>";

// The scan's status line: the one text of the service shown as (sanitized)
// markup.
export function updateScanStatus(text) {
  const h5 = document.createElement("h5");
  h5.append(safeMarkup(textOf(text)));
  document.getElementById("scan_msg").replaceChildren(h5);
}

function hideLoadingIcon() {
  document.getElementById("loading_img").style.display = "none";
}

// A failed scan or list: the failure text, no busy indicator, and "Try
// again", focused, which loads the page afresh and so scans again.
export function showScanFailure() {
  document.getElementById("scan_msg").innerHTML = FAILURE_MARKUP;
  hideLoadingIcon();
  const retry = document.getElementById("retry_button");
  retry.hidden = false;
  retry.focus({ preventScroll: true });
}

export function closeLoadingIconWithDelay() {
  setTimeout(() => {
    const overlay = document.getElementById("loading_id");
    if (overlay) overlay.remove();
    focusFirstControl(); // the image list
  }, 1000);
}

document.addEventListener("DOMContentLoaded", () => {
  document.getElementById("retry_button").addEventListener("click", () => location.reload());
});
