#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
# SPDX-License-Identifier: MIT
"""Serves a built site on 127.0.0.1 with the types a browser needs for it."""
import functools
import http.server
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

    def log_message(self, format, *args):  # quiet: the tests read their own output
        pass


def main():
    folder, port = sys.argv[1], int(sys.argv[2])
    handler = functools.partial(Handler, directory=folder)
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        server.serve_forever()


if __name__ == "__main__":
    main()
