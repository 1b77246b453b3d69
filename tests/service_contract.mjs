// The repair service's contract (contract/repair-service.openapi.json) as
// checks: the findings about one request and about its answer, each a line
// of text; none when the contract is kept. Used by the web harness's fake
// service, the e2e harness's stand-in and scripts/check-service.

import { readFileSync } from "node:fs";
import Ajv2020 from "ajv/dist/2020.js";

export const CONTRACT_FILE = new URL("../contract/repair-service.openapi.json", import.meta.url);
export const contract = JSON.parse(readFileSync(CONTRACT_FILE, "utf8"));
export const SERVICE_PREFIX = new URL(contract.servers[0].url).pathname;

// The characters of a query value that go percent-encoded, beside control
// characters and everything beyond ASCII.
export const PERCENT_ENCODED = contract["x-query-values"]["percent-encoded"];

const ajv = new Ajv2020({ allErrors: true, strictTypes: false, strictTuples: false });
// The document's own parts are not schemas; its components hold them.
ajv.addVocabulary(["openapi", "info", "servers", "paths", "components", "x-query-values"]);
ajv.addSchema(contract, "contract");

const operations = new Map(
  Object.entries(contract.paths).map(([path, { get }]) => {
    const ref = get.responses["200"].content["application/json"].schema.$ref;
    return [path.slice(1), { keys: get.parameters.map((p) => p.name), validate: ajv.getSchema("contract" + ref) }];
  }),
);

// The request names: "scan", "list", "status", ...
export const REQUEST_NAMES = [...operations.keys()];

// "/lumenos-repair/status" or "status" -> "status".
function nameOf(path) {
  return path.startsWith(SERVICE_PREFIX + "/") ? path.slice(SERVICE_PREFIX.length + 1) : path;
}

const isCode = (value, code) => value == code && ["number", "string"].includes(typeof value);

// A character that should have gone percent-encoded; a "%" only when it
// begins no escape.
const UNESCAPED = new RegExp(
  `[\\u0000-\\u0020\\u007f-\\u{10ffff}${PERCENT_ENCODED.replace("%", "").replace(/[\\\]^-]/g, "\\$&")}]|%(?![0-9A-Fa-f]{2})`,
  "u",
);

// Findings about a request: its path, its keys in the contract's order and
// each value as it went on the wire (rawQuery: the query as sent, without "?").
export function requestFindings(path, rawQuery) {
  const name = nameOf(path);
  const operation = operations.get(name);
  if (!operation) return [`${path}: not a request of the contract`];
  const parts = rawQuery === "" ? [] : rawQuery.split("&").map((part) => part.split("="));
  const keys = parts.map(([key]) => key);
  const findings = [];
  if (keys.join("&") !== operation.keys.join("&")) {
    findings.push(`${name}: query keys ${keys.join(", ") || "none"}, the contract's are ${operation.keys.join(", ") || "none"}`);
  }
  for (const [key, ...rest] of parts) {
    const value = rest.join("=");
    if (value === "") findings.push(`${name}: ${key} is empty`);
    if (rest.length > 1 || UNESCAPED.test(value)) findings.push(`${name}: ${key} carries a character unescaped: ${value}`);
  }
  return findings;
}

// Findings about an answer to a request. params: the request's decoded
// query; httpStatus and body: the answer (body as text, or the parsed JSON
// when json is given).
export function answerFindings(path, params, { httpStatus = 200, body, json } = {}) {
  // The page never reads the body of an HTTP error.
  if (httpStatus < 200 || httpStatus > 299) return [];
  const name = nameOf(path);
  const operation = operations.get(name);
  if (!operation) return [`${path}: not a request of the contract`];
  let answer = json;
  if (answer === undefined) {
    try {
      answer = JSON.parse(body);
    } catch (e) {
      return [`${name}: the body is not JSON: ${e.message}`];
    }
  }
  if (!operation.validate(answer)) {
    // An "if" adds only that its "then" failed, which the errors before it say.
    const errors = operation.validate.errors.filter((e) => e.keyword !== "if");
    return errors.map((e) => `${name}: answer${e.instancePath} ${e.message}`);
  }
  if (name !== "status" || !isCode(answer.status, 200)) return [];
  const findings = [];
  if (!Object.hasOwn(answer.status_list, params.uuid)) {
    findings.push(`status: status_list has no entry for the polled uuid ${JSON.stringify(params.uuid)}`);
  }
  const lines = answer.log_messages ?? [];
  if (lines.length > Number(params.max)) findings.push(`status: ${lines.length} log lines, more than max=${params.max}`);
  return findings;
}
