// A scripted repair service on 127.0.0.1:8080 (the page's address) for the
// benches in the real program: answers[name](searchParams) gives the JSON
// answer to /lumenos-repair/<name>, anything else is a 404.

import http from "node:http";
import { portInUse } from "../tests/e2e/harness/ports.mjs";

export const IMAGE_LIST = { sda: { disc: "Internal", images: { "lumenos-2.4": {} } } };

// The answers of a scan that finds IMAGE_LIST and a restore that starts.
export const scanAndRestore = (request) => ({
  scan: () => ({ status: 200, message: "Scan finished", uuid: "scan-bench" }),
  list: () => ({ status: 200, message: "List ready", os_list: IMAGE_LIST }),
  restore: () => ({ status: 102, message: "Restore of lumenos-2.4 on sda started", uuid: request }),
});

// Delivers the server once it listens.
export async function startScriptedService(answers) {
  if (await portInUse(8080)) throw new Error("port 8080 is in use: another service or test run holds it");
  const server = http.createServer((req, res) => {
    const url = new URL(req.url, "http://127.0.0.1");
    const answer = answers[url.pathname.replace("/lumenos-repair/", "")];
    if (answer) res.writeHead(200, { "content-type": "application/json" }).end(JSON.stringify(answer(url.searchParams)));
    else res.writeHead(404).end();
  });
  return new Promise((resolve, reject) => {
    server.once("error", reject);
    server.listen(8080, "127.0.0.1", () => resolve(server));
  });
}
