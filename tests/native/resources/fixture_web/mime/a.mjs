bytes of a.mjs
