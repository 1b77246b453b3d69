// Bounded waiting: every wait names what it waits for and gives up in time.

export function sleep(ms) {
  return new Promise((resolve) => setTimeout(resolve, ms));
}

// An error that ends a wait at once, e.g. the awaited process has ended.
export class Fatal extends Error {}

// Calls probe() every interval ms until it returns a value other than
// undefined, null or false, and delivers that value. Throws an error naming
// `what` (and the last probe error, if any) after timeout ms, or at once
// when the probe throws a Fatal.
export async function waitFor(what, probe, { timeout = 10000, interval = 100 } = {}) {
  const deadline = Date.now() + timeout;
  let lastError;
  for (;;) {
    try {
      const value = await probe();
      if (value !== undefined && value !== null && value !== false) return value;
      lastError = undefined;
    } catch (e) {
      if (e instanceof Fatal) throw new Error(`while waiting for ${what}: ${e.message}`);
      lastError = e;
    }
    if (Date.now() >= deadline) {
      const cause = lastError ? ` (last error: ${lastError.message})` : "";
      throw new Error(`timed out after ${timeout} ms waiting for ${what}${cause}`);
    }
    await sleep(interval);
  }
}

// Settles with the promise's value, or throws naming `what` after timeout ms.
export async function withTimeout(what, promise, timeout) {
  let timer;
  const expiry = new Promise((_, reject) => {
    timer = setTimeout(() => reject(new Error(`timed out after ${timeout} ms waiting for ${what}`)), timeout);
  });
  try {
    return await Promise.race([promise, expiry]);
  } finally {
    clearTimeout(timer);
  }
}
