// The first page: the image list with its entries, the four options, the
// check messages under "Proceed", and its cover once the action page lies
// over it.

import { textOf } from "./text_of.js";
import { OPTION_IDS, isObject } from "./vocabulary.js";
import { closeLoadingIconWithDelay } from "./scan_overlay.js";

// Fills the image list from the list answer's "os_list": "Select..", then
// one entry per image, in member order. Keys and labels come from the
// scanned discs: text, never markup.
export function fillImageMenu(list) {
  const menu = document.getElementById("images");
  menu.replaceChildren();
  menu.add(new Option("Select..", ""));
  for (const discKey of Object.keys(list)) {
    const disc = list[discKey];
    const label = isObject(disc) ? textOf(disc.disc) : "";
    const images = isObject(disc) && isObject(disc.images) ? disc.images : {};
    const discPart = discKey + ":" + label;
    for (const imageKey of Object.keys(images)) {
      const option = document.createElement("option");
      option.value = imageValue(discKey, imageKey);
      option.textContent = discPart + " : " + imageKey + "  ";
      menu.add(option);
    }
  }
  menu.selectedIndex = 0;
}

// Fills the image list; the overlay goes 1000 ms later.
export function updateOptionMenu(list) {
  fillImageMenu(list);
  closeLoadingIconWithDelay();
}

// The value an image entry carries.
function imageValue(disc, image) {
  return JSON.stringify({ disc, image });
}

// Parses a menu entry value back into disc key and image key.
export function parseImageValue(value) {
  try {
    const parsed = JSON.parse(value);
    if (isObject(parsed)) return { disc: textOf(parsed.disc), image: textOf(parsed.image) };
  } catch (e) {
    console.log("bad image value: " + value);
  }
  return null;
}

// The value of the entry the image list shows; "" for none.
export function shownImage() {
  const menu = document.getElementById("images");
  const entry = menu.options[menu.selectedIndex];
  return entry && !entry.disabled ? entry.value : "";
}

// Shows the entry of this image, if the list has one.
export function showImage(disc, image) {
  const menu = document.getElementById("images");
  const value = imageValue(disc, image);
  const entry = [...menu.options].findIndex((option) => option.value === value);
  if (entry > 0) menu.selectedIndex = entry;
}

export function show_status(text) {
  document.getElementById("status").textContent = text;
}

// Unchecks every option but the one with id `kept`.
export function clear_options(kept) {
  for (const id of OPTION_IDS) {
    if (id !== kept) document.getElementById(id).checked = false;
  }
}

// The first page below its image list lies under the action panel from now
// on: it takes no input, from the pointer, the keys or focus given back.
// inert is not known to every engine the page runs on, so the controls are
// disabled as well.
export function coverFirstPage() {
  for (const part of document.getElementById("main_menu").children) {
    if (part.classList.contains("image-selection-box")) continue;
    part.setAttribute("inert", "");
    for (const control of part.querySelectorAll("input, button")) control.disabled = true;
  }
}
