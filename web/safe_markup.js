// Markup from outside the page (the repair service, the discs) rendered
// safely: only inert formatting elements survive, always without
// attributes. Any other element gives way to its content, shown as text;
// elements whose content is not meant to be read (scripts, styles, embedded
// documents) go with their content. Nothing that is rendered can run
// script, load a resource, submit or navigate.

const FORMATTING = new Set(["B", "I", "EM", "STRONG", "U", "SMALL", "BR", "SPAN", "SUB", "SUP", "CODE"]);
const DROPPED = new Set([
  "SCRIPT", "STYLE", "TEMPLATE", "NOSCRIPT", "IFRAME", "FRAME", "FRAMESET",
  "OBJECT", "EMBED", "SVG", "MATH", "TITLE", "HEAD",
]);

// Copies the safe part of the parsed nodes into the page's document.
function copySafe(from, into) {
  for (const node of from.childNodes) {
    if (node.nodeType === Node.TEXT_NODE) {
      into.append(document.createTextNode(node.data));
    } else if (node.nodeType === Node.ELEMENT_NODE) {
      const tag = node.nodeName.toUpperCase();
      if (DROPPED.has(tag)) continue;
      if (FORMATTING.has(tag)) {
        const copy = document.createElement(tag.toLowerCase());
        copySafe(node, copy);
        into.append(copy);
      } else {
        copySafe(node, into);
      }
    }
    // Comments and everything else are dropped.
  }
}

// The nodes that show text as markup, made safe.
export function safeMarkup(text) {
  // A template's content lives in a document without a browsing context:
  // parsing runs nothing and loads nothing.
  const parsed = document.createElement("template");
  parsed.innerHTML = text === undefined || text === null ? "" : String(text);
  const fragment = document.createDocumentFragment();
  copySafe(parsed.content, fragment);
  return fragment;
}
