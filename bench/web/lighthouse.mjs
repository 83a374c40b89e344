// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// Lighthouse's mobile run on a built site (nothing is asserted): the
// performance score, largest contentful paint, layout shift and the bytes
// loaded, median of `runs` runs, each in a fresh headless Debian Chromium.
// Lighthouse is pinned (12.2.3) in this folder's own package.json; its
// default is the mobile run: a phone's screen, slow 4G and the CPU slowed 4x,
// simulated.
// Usage: node bench/web/lighthouse.mjs SITE_FOLDER [RUNS]

import lighthouse from 'lighthouse';
import { launch } from 'chrome-launcher';
import { serveSite } from '../../scripts/site_server.mjs';
import { resolve } from 'node:path';

const root = new URL('../../', import.meta.url).pathname;

export async function lighthouseMobile(site, port) {
  const server = await serveSite(site, port);
  // Headless Chromium here presents a drawn frame only about 2.2 s after
  // navigation, whatever the page (a page without any script too): every
  // request would then count as coming before the first paint. Running the
  // compositor's stages before each draw presents frames when drawn.
  const chrome = await launch({ chromePath: '/usr/bin/chromium',
    chromeFlags: ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--run-all-compositor-stages-before-draw'] });
  try {
    const result = await lighthouse(`http://127.0.0.1:${port}/`, { port: chrome.port, onlyCategories: ['performance'],
      logLevel: 'error', output: 'json' });
    const { audits, categories } = result.lhr;
    return {
      score: Math.round(categories.performance.score * 100),
      lcp: audits['largest-contentful-paint'].numericValue,
      fcp: audits['first-contentful-paint'].numericValue,
      cls: audits['cumulative-layout-shift'].numericValue,
      tbt: audits['total-blocking-time'].numericValue,
      bytes: audits['total-byte-weight'].numericValue,
    };
  } finally {
    await chrome.kill();
    server.kill();
  }
}

export const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

export function describeLighthouse(runs) {
  const m = (key) => median(runs.map((run) => run[key]));
  return `performance ${m('score')}, LCP ${(m('lcp') / 1000).toFixed(2)} s, FCP ${(m('fcp') / 1000).toFixed(2)} s, `
    + `CLS ${m('cls').toFixed(3)}, TBT ${m('tbt').toFixed(0)} ms, ${(m('bytes') / 1024).toFixed(0)} KiB `
    + `(median of ${runs.length}; scores ${runs.map((run) => run.score).join(' ')})`;
}

if (import.meta.url === `file://${process.argv[1]}`) {
  const site = resolve(process.argv[2] ?? resolve(root, 'build/web/site'));
  const runs = [];
  for (let i = 0; i < Number(process.argv[3] ?? 3); i += 1) runs.push(await lighthouseMobile(site, 8793));
  console.log(`Lighthouse mobile: ${describeLighthouse(runs)}`);
}
