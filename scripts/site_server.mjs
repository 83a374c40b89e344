// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// A built site served on 127.0.0.1 by scripts/serve_site.py, for the scripts
// that open it in a browser (the prerender at build time, the benches).
// Resolves once the server answers, which a busy machine delays.

import { spawn } from 'node:child_process';

const serveScript = new URL('./serve_site.py', import.meta.url).pathname;

export async function serveSite(site, port) {
  const server = spawn('python3', [serveScript, site, String(port)], { stdio: 'ignore' });
  for (let tries = 0; tries < 300; tries += 1) {
    try {
      await fetch(`http://127.0.0.1:${port}/`);
      return server;
    } catch {
      await new Promise((done) => setTimeout(done, 100));
    }
  }
  server.kill();
  throw new Error(`the site server on port ${port} did not start`);
}
