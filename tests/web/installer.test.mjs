// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The page as an installer and a screen-reader user meet it: the results
// read as a table in Chromium's own accessibility tree, a size typed on a
// phone, the desktop's keys, and a new version taking over.

import { test, expect } from '@playwright/test';
import { execFileSync } from 'node:child_process';
import { cpSync, mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { extname, join, normalize } from 'node:path';

const root = new URL('../../', import.meta.url).pathname;
const cli = join(root, 'build/dev/src/app/qvdtalvern-cli');

async function open(page, url = '/') {
  await page.goto(url);
  await expect(page.locator('body')).toHaveAttribute('data-ready', 'true');
}

// Chromium's accessibility tree, as a screen reader gets it.
async function accessibilityTree(page) {
  const cdp = await page.context().newCDPSession(page);
  const { nodes } = await cdp.send('Accessibility.getFullAXTree');
  await cdp.detach();
  const byId = new Map(nodes.map((node) => [node.nodeId, node]));
  const children = (node) => (node.childIds ?? []).map((id) => byId.get(id)).filter(Boolean)
    .flatMap((child) => (child.ignored ? children(child) : [child]));
  return { nodes: nodes.filter((node) => !node.ignored), children };
}

test('the results read as a table with headers, a warning as one phrase, one summary, the introduction modal', async ({ page }) => {
  await open(page);
  await expect(page.getByRole('dialog', { name: 'Introduction' })).toBeVisible();
  // While the introduction shows, it is a modal dialog: Tab reaches nothing
  // outside it (past its last control, the browser's own).
  const reached = [];
  for (let i = 0; i < 4; i += 1) {
    await page.keyboard.press('Tab');
    reached.push(await page.evaluate(() => (document.activeElement === document.body ? 'body'
      : document.activeElement.closest('[role=dialog]')?.getAttribute('aria-label') ?? document.activeElement.outerHTML)));
  }
  expect(reached.filter((where) => where !== 'body' && where !== 'Introduction')).toEqual([]);
  expect(reached).toContain('Introduction');
  await page.getByRole('button', { name: 'Click to Continue' }).click();

  const tree = await accessibilityTree(page);
  expect(tree.nodes.filter((node) => node.role.value === 'application')).toEqual([]);
  const [table] = tree.nodes.filter((node) => node.role.value === 'table');
  expect(table.name.value).toBe('Distances per projector');
  const rows = tree.children(table).filter((node) => node.role.value === 'row').map((row) => tree.children(row)
    .map((cell) => `${cell.role.value}: ${cell.name.value}`));
  expect(rows).toHaveLength(10);
  expect(rows[0]).toEqual(['columnheader: Projector', 'columnheader: THROW DISTANCE', 'columnheader: STRAIGHT LINE',
    'columnheader: VERTICAL OFFSET']);
  // The desktop's names for the results; a warning row as one phrase.
  expect(rows[1]).toEqual(['rowheader: Ulmo', 'cell: Ulmo, throw distance', 'cell: Ulmo, straight line',
    'cell: Ulmo, vertical offset']);
  expect(rows[4]).toEqual(['rowheader: Corvin NRX', 'cell: Screen Too Big']);
  expect(rows[6]).toEqual(['rowheader: Corvin WT2', 'cell: Screen Too Small']);
  // Each result cell is found under its row and column headers.
  const brisa = page.getByRole('row', { name: /^Brisa/ }).getByRole('cell', { name: 'Brisa, throw distance' });
  const native = execFileSync(cli, ['replay', '-'], { input: 'click Command1\n', env: { ...process.env, LC_ALL: 'C' } })
    .toString().split('\n').find((line) => line.startsWith('Label62.Caption=')).split('=')[1];
  await expect(brisa).toHaveText(native);

  // The polite live regions: the page's own messages and the one summary;
  // a step of a bar is summed up once it is over.
  const live = tree.nodes.filter((node) => node.properties?.some((p) => p.name === 'live' && p.value.value !== 'off'));
  expect(live, 'the status line and the summary').toHaveLength(2);
  await page.getByRole('radio', { name: 'Width', exact: true }).click();
  const width = page.getByRole('slider', { name: 'Width' });
  for (let i = 0; i < 5; i += 1) await width.press('PageDown');
  await expect(page.locator('#summary')).toHaveText('Width 150, Height 112.50, Diagonal 187.50, Projection angle 10. '
    + 'Screen Too Big: Corvin NRX, Corvin WT1, Halden NRX, Halden WT1.');
  // Drawn in the warnings' red while the row warns, and in black again once
  // it no longer does (Corvin WT2 warned at the start).
  const ink = (name) => page.locator(`[aria-label="${name}"]`).evaluate((cell) => getComputedStyle(cell).color);
  expect(await ink('Corvin NRX, throw distance')).toBe('rgb(200, 0, 0)');
  expect(await ink('Corvin WT2, throw distance')).toBe('rgb(0, 0, 0)');
  expect(await ink('Brisa, throw distance')).toBe('rgb(0, 0, 0)');
});

test('a size typed on a phone is entered as the bar would enter it, and a wrong one is said', async ({ page }) => {
  await page.setViewportSize({ width: 360, height: 740 });
  await open(page);
  await page.getByRole('button', { name: 'Click to Continue' }).click();
  await page.getByRole('radio', { name: 'Centimetres' }).click();
  await page.getByRole('radio', { name: 'Height', exact: true }).click();
  const field = page.getByLabel('Height in centimetres, 76 to 457');
  await expect(field).toHaveAttribute('inputmode', 'numeric');
  await field.fill('300');
  await field.press('Enter');
  const slider = page.getByRole('slider', { name: 'Height' });
  await expect(slider).toHaveAttribute('aria-valuenow', '300');
  const bar = await slider.boundingBox();
  expect(bar.width).toBeGreaterThanOrEqual(300);
  const dump = execFileSync(cli, ['replay', '-'], {
    input: 'click Command1\nclick Option2\nclick Option13\nchange hig 300\nchange hig 300\n',
    env: { ...process.env, LC_ALL: 'C' },
  }).toString();
  const native = (design) => dump.split('\n').find((line) => line.startsWith(`${design}.Caption=`)).split('=')[1];
  await expect(page.getByRole('status', { name: 'Width', exact: true })).toHaveText(native('Label147'));
  await expect(page.getByRole('cell', { name: 'Brisa, throw distance' })).toHaveText(native('Label62'));

  await field.fill('30.5');
  await page.getByRole('button', { name: 'Enter' }).click();
  await expect(page.locator('#typed-size-problem'))
    .toHaveText('Give the height as a whole number of centimetres from 76 to 457.');
  await expect(field).toHaveAttribute('aria-invalid', 'true');
  await expect(slider).toHaveAttribute('aria-valuenow', '300');
});

test('Ctrl+S saves the job and Ctrl+O opens one, as on the desktop', async ({ page }) => {
  await open(page);
  await page.getByRole('button', { name: 'Click to Continue' }).click();
  await page.getByRole('slider', { name: 'Projection angle' }).press('Home');
  const download = page.waitForEvent('download');
  await page.keyboard.press('Control+s');
  const saved = await download;
  expect(saved.suggestedFilename()).toBe('Job.qvdjob');
  const bytes = readFileSync(await saved.path());
  // The window's last step moved the angle bar to -15.
  expect(JSON.parse(bytes.toString()).window.at(-1)).toEqual({ move: 'angle', to: -15 });

  await page.getByRole('slider', { name: 'Projection angle' }).press('End');
  const chooser = page.waitForEvent('filechooser');
  await page.keyboard.press('Control+o');
  await (await chooser).setFiles({ name: 'back.qvdjob', mimeType: 'application/json', buffer: bytes });
  await expect(page.getByRole('slider', { name: 'Projection angle' })).toHaveAttribute('aria-valuenow', '-15');
  await expect(page.locator('#status')).toHaveText('Opened back.qvdjob.');
});

// A static host that lets browsers keep every file for an hour, serving
// whichever build is current.
function serveBuilds() {
  const served = { folder: '' };
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.mjs': 'text/javascript', '.css': 'text/css',
    '.wasm': 'application/wasm', '.woff2': 'font/woff2', '.webmanifest': 'application/manifest+json',
    '.svg': 'image/svg+xml', '.png': 'image/png', '.txt': 'text/plain' };
  const server = createServer((request, response) => {
    let path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    if (path.endsWith('/')) path += 'index.html';
    try {
      const body = readFileSync(join(served.folder, normalize(path)));
      response.writeHead(200, { 'content-type': types[extname(path)] ?? 'application/octet-stream',
        'cache-control': 'max-age=3600' });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return { served, server };
}

test('a new build is fetched past the HTTP cache, said, and shown after the reload; one cache remains', async ({ page }) => {
  const site = join(root, 'build/web/site');
  const next = mkdtempSync(join(tmpdir(), 'qvd-next-'));
  cpSync(site, next, { recursive: true });
  writeFileSync(join(next, 'index.html'), readFileSync(join(next, 'index.html'), 'utf8')
    .replace('<title>', '<meta name="qvd-build" content="next">\n<title>'));
  writeFileSync(join(next, 'sw.js'), readFileSync(join(next, 'sw.js'), 'utf8')
    .replace(/const VERSION = '[^']*'/, "const VERSION = 'next'"));

  const { served, server } = serveBuilds();
  served.folder = site;
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const url = `http://127.0.0.1:${server.address().port}/`;
  try {
    await open(page, url);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    await expect(page.getByText('A new version is ready')).toBeHidden();

    served.folder = next;
    await page.evaluate(async () => (await navigator.serviceWorker.getRegistration()).update());
    await expect(page.getByText('A new version is ready')).toBeVisible();
    await page.getByRole('button', { name: 'Reload' }).click();
    await expect(page.locator('meta[name=qvd-build]')).toHaveAttribute('content', 'next');
    await expect(page.locator('body')).toHaveAttribute('data-ready', 'true');

    const caches = await page.evaluate(async () => {
      const names = await self.caches.keys();
      const files = await (await self.caches.open(names[0])).keys();
      return { names, files: files.map((request) => new URL(request.url).pathname) };
    });
    expect(caches.names).toEqual(['qvdtalvern-next']);
    expect(new Set(caches.files).size).toBe(caches.files.length);
    expect(caches.files).toContain('/');
    expect(caches.files.filter((file) => /index\.html|LICENSE/.test(file))).toEqual([]);
    expect(caches.files.filter((file) => file.endsWith('.woff2'))).toHaveLength(3);
  } finally {
    server.close();
    server.closeAllConnections();
  }
});
