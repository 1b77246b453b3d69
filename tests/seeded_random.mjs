// A small seeded generator (mulberry32): random() is in [0, 1),
// random.below(n) an integer in [0, n). Self-contained, so that its source
// also runs in a page.

export function seededRandom(seed) {
  let a = seed >>> 0;
  const random = () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = Math.imul(a ^ (a >>> 15), a | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
  random.below = (n) => Math.floor(random() * n);
  return random;
}
