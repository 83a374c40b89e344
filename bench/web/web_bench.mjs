// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The web page's figures (nothing is asserted): the size of the site, the
// first paint of the window (median of 20 loads) beside the bare page as the
// floor; with the CPU slowed 4x through the DevTools protocol, the first
// paint and the moment the page takes input (median of 5 cold loads); and
// one drag step of the width bar's thumb (median and mean of 400 steps, and
// the 95th percentile with the page laid out after each step).
// Run by scripts/bench.sh after scripts/web.sh build; the site must be built.
// `node bench/web/web_bench.mjs [SITE_FOLDER]` measures another build.

import { chromium } from '@playwright/test';
import { execFileSync } from 'node:child_process';
import { readdirSync, readFileSync, statSync, writeFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { gzipSync } from 'node:zlib';
import { serveSite } from '../../scripts/site_server.mjs';

const root = new URL('../../', import.meta.url).pathname;
const site = process.argv[2] ? resolve(process.argv[2]) : join(root, 'build/web/site');
const port = 8792;
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// The site's files but the fonts, raw and gzip-compressed.
let raw = 0;
let gzip = 0;
for (const name of readdirSync(site)) {
  const path = join(site, name);
  if (statSync(path).isDirectory()) continue;
  const bytes = readFileSync(path);
  raw += bytes.length;
  gzip += gzipSync(bytes, { level: 9 }).length;
}
console.log(`site without fonts: ${(raw / 1024).toFixed(0)} KiB, gzip ${(gzip / 1024).toFixed(0)} KiB`);

// The bare page: the same HTML and stylesheet, no WebAssembly, no script.
// The empty page: the browser's own floor on this machine, one line of text
// in the browser's default face.
writeFileSync(join(site, 'bare.html'), readFileSync(join(site, 'index.html'), 'utf8')
  .replace(/<script[\s\S]*?<\/script>\n?/g, ''));
writeFileSync(join(site, 'empty.html'),
  '<!doctype html><meta charset="utf-8"><title>Empty</title><p class="title">QVD and TALVERN SERIES</p>\n');
// Waits until `ready` holds in the page, asking it now and then. Playwright's
// own waits evaluate a large script of theirs in the page, which with the CPU
// slowed 4x took 150 to 200 ms of its main thread in the middle of start-up.
const waitInPage = async (page, ready) => {
  while (!(await page.evaluate(ready))) await new Promise((done) => setTimeout(done, 250));
};
const server = await serveSite(site, port);
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu'] });
try {
  // When the window is first painted: the render time the browser reports
  // (Element Timing) for the window's controls, tagged as they enter the
  // page; on the bare page, for its title. Taken in the page, so that the
  // driver's round trips do not count. The faces are preloaded: the time the
  // last of them arrived is given beside it, to show they were there.
  const tagPaints = () => {
    window.paints = [];
    new PerformanceObserver((list) => {
      for (const entry of list.getEntries()) window.paints.push(entry.renderTime);
    }).observe({ type: 'element', buffered: true });
    new MutationObserver((changes) => {
      for (const change of changes) {
        for (const node of change.addedNodes) {
          const shown = location.pathname.endsWith('.html') ? 'title' : 'control';
          if (node.nodeType === 1 && node.classList.contains(shown)) node.setAttribute('elementtiming', shown);
        }
      }
    }).observe(document, { subtree: true, childList: true });
  };
  const paints = async (path) => {
    const times = [];
    const faces = [];
    for (let load = 0; load < 20; load += 1) {
      const context = await browser.newContext({ serviceWorkers: 'block' });
      const page = await context.newPage();
      await page.addInitScript(tagPaints);
      await page.goto(`http://127.0.0.1:${port}/${path}`);
      await waitInPage(page, () => window.paints.length > 0);
      times.push(await page.evaluate(() => Math.min(...window.paints)));
      faces.push(await page.evaluate(() => Math.max(...performance.getEntriesByType('resource')
        .filter((entry) => entry.name.includes('/fonts/')).map((entry) => entry.responseEnd))));
      await context.close();
    }
    const loaded = Number.isFinite(median(faces)) ? `; faces loaded at ${median(faces).toFixed(0)} ms` : '';
    return `${median(times).toFixed(0)} ms (median of 20${loaded})`;
  };
  console.log(`first paint of the window: ${await paints('')}`);
  console.log(`first paint of the bare page: ${await paints('bare.html')}`);
  console.log(`first paint of the empty page: ${await paints('empty.html')}`);

  // A slow phone's CPU: the first paint of anything (Paint Timing), the
  // window's first paint (as above), and when the page takes input (the
  // moment it marks itself ready), each load cold, median of 5.
  const slowLoads = { first: [], window: [], input: [], empty: [] };
  // A cold page on a phone's screen with the CPU slowed 4x, once `ready`
  // holds in it at `path`: what `measure` reads there.
  const slowLoad = async (path, ready, measure, ...scripts) => {
    const context = await browser.newContext({ serviceWorkers: 'block', viewport: { width: 360, height: 740 } });
    const page = await context.newPage();
    await (await context.newCDPSession(page)).send('Emulation.setCPUThrottlingRate', { rate: 4 });
    for (const script of scripts) await page.addInitScript(script);
    await page.goto(`http://127.0.0.1:${port}/${path}`);
    await waitInPage(page, ready);
    const measured = await page.evaluate(measure);
    await context.close();
    return measured;
  };
  for (let load = 0; load < 5; load += 1) {
    const times = await slowLoad('', () => window.inputTaken && window.paints.length > 0, () => ({
      first: performance.getEntriesByName('first-paint')[0]?.startTime ?? NaN,
      window: Math.min(...window.paints),
      input: window.inputTaken,
    }), tagPaints, () => {
      new MutationObserver((changes, observer) => {
        if (document.body?.dataset.ready) {
          window.inputTaken = performance.now();
          observer.disconnect();
        }
      }).observe(document, { subtree: true, attributes: true, attributeFilter: ['data-ready'] });
    });
    times.empty = await slowLoad('empty.html', () => performance.getEntriesByName('first-paint').length > 0,
      () => performance.getEntriesByName('first-paint')[0].startTime);
    for (const key of Object.keys(slowLoads)) slowLoads[key].push(times[key]);
  }
  const slow = (key) => `${median(slowLoads[key]).toFixed(0)} ms (${slowLoads[key].map((t) => t.toFixed(0)).join(' ')})`;
  console.log(`CPU slowed 4x, median of 5 cold loads: first paint ${slow('first')}, window painted ${slow('window')}, `
    + `input taken ${slow('input')}; the empty page's first paint ${slow('empty')}`);

  const page = await browser.newPage({ viewport: { width: 1280, height: 900 } });
  await page.goto(`http://127.0.0.1:${port}/`);
  await page.waitForSelector('body[data-ready=true]');
  await page.getByRole('button', { name: 'Click to Continue' }).click();
  await page.getByRole('radio', { name: 'Width', exact: true }).click();
  const step = await page.evaluate(() => {
    const thumb = document.querySelector('[aria-label="Width"] .thumb');
    const box = thumb.getBoundingClientRect();
    const at = (x) => ({ clientX: x, clientY: box.top + 2, pointerId: 1, bubbles: true });
    thumb.dispatchEvent(new PointerEvent('pointerdown', at(box.left + 2)));
    const times = [];
    const first = performance.now();
    for (let i = 0; i < 400; i += 1) {
      // One pixel a step, back and forth across the trough: a new value each step.
      const x = box.left + 2 + Math.abs((i % 28) - 14) - 7;
      const start = performance.now();
      thumb.dispatchEvent(new PointerEvent('pointermove', at(x)));
      times.push(performance.now() - start);
    }
    // The mean over all steps is finer than the browser's coarsened timer.
    const mean = (performance.now() - first) / 400;
    // The same steps with the page laid out after each, as the next frame does.
    const laidOut = performance.now();
    for (let i = 0; i < 400; i += 1) {
      thumb.dispatchEvent(new PointerEvent('pointermove', at(box.left + 2 + Math.abs((i % 28) - 14) - 7)));
      document.body.getBoundingClientRect();
    }
    const withLayout = (performance.now() - laidOut) / 400;
    // Each step with its layout, timed one by one: the 95th percentile.
    // Half of these moves lie left of the trough's start, where the value
    // stays at its minimum and nothing happens: the steps that moved the
    // value are given apart as well.
    const laidOutSteps = [];
    const movedSteps = [];
    const bar = thumb.closest('[aria-valuenow]');
    for (let i = 0; i < 400; i += 1) {
      const before = bar.getAttribute('aria-valuenow');
      const start = performance.now();
      thumb.dispatchEvent(new PointerEvent('pointermove', at(box.left + 2 + Math.abs((i % 28) - 14) - 7)));
      document.body.getBoundingClientRect();
      const time = performance.now() - start;
      laidOutSteps.push(time);
      if (bar.getAttribute('aria-valuenow') !== before) movedSteps.push(time);
    }
    laidOutSteps.sort((a, b) => a - b);
    movedSteps.sort((a, b) => a - b);
    const p95 = laidOutSteps[379];
    const movedP95 = movedSteps[Math.floor(movedSteps.length * 0.95)];
    const moved = movedSteps.length;
    thumb.dispatchEvent(new PointerEvent('pointerup', at(box.left + 2)));
    times.sort((a, b) => a - b);
    return { median: times[200], mean, withLayout, p95, movedP95, moved, slowest: times[399] };
  });
  console.log(`one drag step of the width bar: ${(step.median * 1000).toFixed(0)} µs median, ${(step.mean * 1000).toFixed(0)} µs mean, ${(step.slowest * 1000).toFixed(0)} µs slowest (400 steps); `
    + `${(step.withLayout * 1000).toFixed(0)} µs mean with the page laid out after each step, `
    + `${(step.p95 * 1000).toFixed(0)} µs at the 95th percentile; of the ${step.moved} steps that moved the value, `
    + `${(step.movedP95 * 1000).toFixed(0)} µs at the 95th percentile`);
} finally {
  await browser.close();
  server.kill();
  execFileSync('rm', ['-f', join(site, 'bare.html'), join(site, 'empty.html')]);
}
