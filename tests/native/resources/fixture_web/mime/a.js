bytes of a.js
