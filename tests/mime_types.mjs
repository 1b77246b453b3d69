// The MIME type of each file extension of web/, as the program's
// client-scheme server answers it.

export const MIME_TYPES = {
  ".html": "text/html",
  ".js": "text/javascript",
  ".css": "text/css",
  ".png": "image/png",
  ".gif": "image/gif",
  ".jpg": "image/jpeg",
};
