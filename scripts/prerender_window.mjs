// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// Writes the window's first state into a built site's index.html, so that a
// phone shows the introduction as soon as the page and its faces arrive,
// without waiting for the WebAssembly. The markup is what the page itself
// draws at start-up, taken from the built site in Debian's Chromium; when the
// module is ready the page takes this picture over as its live window, so
// nothing moves and nothing is built again.
// Usage: node scripts/prerender_window.mjs SITE_FOLDER

import { chromium } from '@playwright/test';
import { readFileSync, writeFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { serveSite } from './site_server.mjs';

const site = resolve(process.argv[2] ?? 'build/web/site');
const port = 8793 + (process.pid % 100);
let picture;
const server = await serveSite(site, port);
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu'] });
try {
  // A fresh visitor: no job kept, no service worker, the decimal point of
  // the page's own language.
  const context = await browser.newContext({ serviceWorkers: 'block', locale: 'en-GB' });
  const page = await context.newPage();
  const problems = [];
  page.on('pageerror', (error) => problems.push(String(error)));
  await page.goto(`http://127.0.0.1:${port}/`);
  await page.waitForSelector('body[data-ready=true]', { timeout: 60000 });
  await page.evaluate(() => document.fonts.ready);
  if (problems.length) throw new Error(`the page failed while drawing its window: ${problems.join('; ')}`);
  picture = await page.evaluate(() => {
    const window = document.getElementById('window');
    // What the page sets as properties is written as attributes, so that
    // the markup shows it: the option buttons' marks.
    for (const input of window.querySelectorAll('input')) input.toggleAttribute('checked', input.checked);
    // The introduction's texts report their first paint (Element Timing),
    // which bench/web measures: an attribute set once the page has drawn
    // them would report nothing.
    for (const text of window.querySelectorAll('.explanation')) text.setAttribute('elementtiming', 'introduction');
    return { window: window.innerHTML, rootStyle: document.documentElement.getAttribute('style') ?? '' };
  });
  await context.close();
} finally {
  await browser.close();
  server.kill();
}

if (!picture.window.includes('Click to Continue')) {
  throw new Error('the drawn window has no introduction: nothing written');
}
const indexPath = join(site, 'index.html');
const html = readFileSync(indexPath, 'utf8');
const empty = /(<div id="window"[^>]*>)(<\/div>)/;
if (!empty.test(html) || !/<html lang="en">/.test(html)) {
  throw new Error(`${indexPath} has no empty window to fill`);
}
const escapeAttribute = (text) => text.replace(/&/g, '&amp;').replace(/"/g, '&quot;');
const filled = html
  .replace('<html lang="en">', `<html lang="en" style="${escapeAttribute(picture.rootStyle)}">`)
  .replace(empty, (_, open, close) => `${open}${picture.window}${close}`);
writeFileSync(indexPath, filled);
// Read back: the file holds the window once.
const written = readFileSync(indexPath, 'utf8');
if (written !== filled || written.split('Click to Continue').length !== 2) {
  throw new Error(`${indexPath} did not read back as written`);
}
console.error(`the window's first state written into ${indexPath} (${picture.window.length} characters)`);
