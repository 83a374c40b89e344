// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The page in Debian's Chromium, never a downloaded browser; the built site
// served on this machine (scripts/web.sh build first).
import { defineConfig } from '@playwright/test';

const port = Number(process.env.QVD_WEB_PORT ?? 8791);

export default defineConfig({
  testDir: '.',
  testMatch: '*.test.mjs',
  outputDir: '../../build/web/test-results',
  timeout: 60_000,
  workers: 1,
  reporter: [['list']],
  use: {
    baseURL: `http://127.0.0.1:${port}/`,
    launchOptions: {
      executablePath: '/usr/bin/chromium',
      args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
        '--disable-sync', '--no-first-run'],
    },
  },
  webServer: {
    command: `python3 ../../scripts/serve_site.py ../../build/web/site ${port}`,
    url: `http://127.0.0.1:${port}/`,
    reuseExistingServer: false,
  },
});
