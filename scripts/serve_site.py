#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
# SPDX-License-Identifier: MIT
"""Serves a built site on 127.0.0.1 with the types a browser needs for it."""
import functools
import gzip
import io
import http.server
import os
import sys

TYPES = {
    ".wasm": "application/wasm",
    ".mjs": "text/javascript",
    ".js": "text/javascript",
    ".webmanifest": "application/manifest+json",
    ".svg": "image/svg+xml",
    ".otf": "font/otf",
    ".ttf": "font/ttf",
    ".woff2": "font/woff2",
}


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **TYPES}
    # Keep connections open, as a static host does: a page of a dozen files
    # otherwise waits on a new connection for each.
    protocol_version = "HTTP/1.1"

    # Text and WebAssembly go compressed to a browser that takes gzip, as a
    # static host sends them (the fonts are compressed already).
    COMPRESSED = (".html", ".js", ".mjs", ".css", ".wasm", ".svg", ".webmanifest", ".txt", ".json")

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path) and self.path.split("?")[0].endswith("/"):
            path = os.path.join(path, "index.html")
        accepted = "gzip" in self.headers.get("Accept-Encoding", "")
        if not accepted or not path.endswith(self.COMPRESSED) or not os.path.isfile(path):
            return super().send_head()  # as it is, a folder's redirect, or not found
        body = self.compressed(path)
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Vary", "Accept-Encoding")
        self.end_headers()
        return io.BytesIO(body)

    # Each file is compressed once while it stays the same, as a static host
    # keeps its compressed copies: compressing the WebAssembly at every
    # request made the page wait 20 ms more than it would on a real host.
    _compressed = {}

    def compressed(self, path):
        status = os.stat(path)
        key = (path, status.st_mtime_ns, status.st_size)
        body = self._compressed.get(key)
        if body is None:
            with open(path, "rb") as file:
                body = gzip.compress(file.read(), compresslevel=6, mtime=0)
            self._compressed[key] = body
        return body

    def log_message(self, format, *args):  # quiet: the tests read their own output
        pass


def main():
    folder, port = sys.argv[1], int(sys.argv[2])
    handler = functools.partial(Handler, directory=folder)
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        server.serve_forever()


if __name__ == "__main__":
    main()
