// Serves web/ from a small static HTTP server on an ephemeral port, with
// the MIME type by extension, as the program's client-scheme server does.

import fs from "node:fs";
import http from "node:http";
import path from "node:path";
import { fileURLToPath } from "node:url";
import { MIME_TYPES } from "../../mime_types.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
export const WEB_DIR = path.resolve(here, "../../../web");

// A blank page beside the real one, for tests of single modules.
export const BLANK = "/__blank.html";

export function startStaticServer() {
  const server = http.createServer((req, res) => {
    const notFound = () => res.writeHead(404).end();
    const pathname = decodeURIComponent(new URL(req.url, "http://x").pathname);
    if (pathname === BLANK) {
      return res.writeHead(200, { "content-type": "text/html" })
        .end("<!DOCTYPE html><html><head><title>blank</title></head><body></body></html>");
    }
    const file = path.join(WEB_DIR, path.normalize(pathname));
    const type = MIME_TYPES[path.extname(file)];
    if (!file.startsWith(WEB_DIR + path.sep) || !type) return notFound();
    fs.readFile(file, (err, data) => {
      if (err) return notFound();
      res.writeHead(200, { "content-type": type, "cache-control": "no-store" }).end(data);
    });
  });
  return new Promise((resolve) => {
    server.listen(0, "127.0.0.1", () => {
      resolve({ server, origin: `http://127.0.0.1:${server.address().port}` });
    });
  });
}

