// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The page as a user and a screen reader meet it: its captions equal the
// native tool's after the same steps, both layouts, no accessibility
// violation, offline after the first visit, and job files the desktop reads.

import { test, expect } from '@playwright/test';
import AxeBuilder from '@axe-core/playwright';
import { execFileSync } from 'node:child_process';
import { readFileSync, writeFileSync, mkdtempSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const root = new URL('../../', import.meta.url).pathname;
const cli = join(root, 'build/dev/src/app/qvdtalvern-cli');

// Design name -> accessible name, from the one table the C++ tests keep.
const spoken = new Map([...readFileSync(join(root, 'tests/ui/control_names_test.cpp'), 'utf8')
  .matchAll(/\{"(\w+)", "([^"]*)", "[^"]*"\}/g)].map(([, design, name]) => [design, name]));
const captionNames = [...spoken.entries()].filter(([design]) =>
  /^Label(94|95|96|97|98|99|6[2-9]|7\d|8[0-2]|145|146|147|148)$/.test(design));

// The captions `qvdtalvern-cli replay` prints after `script`, by accessible name.
function nativeCaptions(script) {
  const dump = execFileSync(cli, ['replay', '-'], { input: script, env: { ...process.env, LC_ALL: 'C' } }).toString();
  const captions = new Map();
  for (const [design, name] of captionNames) {
    const line = dump.split('\n').find((l) => l.startsWith(`${design}.Caption=`));
    captions.set(name, line.slice(line.indexOf('=') + 1));
  }
  return captions;
}

// A result is a cell of the results table (hidden from assistive technology
// while its row's warning is read as one phrase); a size or the angle is an
// output.
const captionOf = (page, name) => page.getByRole(name.includes(', ') ? 'cell' : 'status',
  { name, exact: true, includeHidden: true });

async function pageCaptions(page) {
  const captions = new Map();
  for (const [, name] of captionNames) captions.set(name, await captionOf(page, name).textContent());
  return captions;
}

let consoleErrors = [];
test.beforeEach(async ({ page }) => {
  consoleErrors = [];
  page.on('console', (message) => {
    if (message.type() === 'error') consoleErrors.push(message.text());
  });
  page.on('pageerror', (error) => consoleErrors.push(error.message));
});

test.afterEach(async () => {
  expect(consoleErrors, 'console errors').toEqual([]);
});

async function open(page) {
  await page.goto('/');
  await expect(page.locator('body')).toHaveAttribute('data-ready', 'true');
}

// A host that serves the WebAssembly under a generic type cannot have it
// compiled while it streams in: the page then compiles it from its bytes.
for (const served of ['application/wasm', 'application/octet-stream']) {
  test(`start-up captions are the native start-up captions (WebAssembly as ${served})`, async ({ page }) => {
    await page.route('**/qvdtalvern.wasm', async (route) => {
      const response = await route.fetch();
      await route.fulfill({ response, headers: { ...response.headers(), 'content-type': served } });
    });
    await open(page);
    await expect(page.getByRole('button', { name: 'Click to Continue' })).toBeVisible();
    expect(await pageCaptions(page)).toEqual(nativeCaptions(''));
  });
}

// Seeded walk: clicks on the option buttons and the keys of the scroll bars,
// each written down as the replay line that is the same model event.
test('a seeded walk of clicks and keys matches replay after every step', async ({ page }) => {
  // Sixty steps, each compared with a run of the native tool: slow on a busy machine.
  test.slow();
  await open(page);
  await page.getByRole('button', { name: 'Click to Continue' }).press('Enter');
  let script = 'click Command1\n';
  const options = [['Width', 'Option4'], ['Height', 'Option13'], ['Diagonal', 'Option14'], ['Inches', 'Option11'],
    ['Centimetres', 'Option2']];
  const bars = [['Width', 'HSBM'], ['Height', 'hig'], ['Diagonal', 'vert'], ['Projection angle', 'hsbM1']];
  const keys = { ArrowRight: 1, ArrowLeft: -1, PageDown: 10, PageUp: -10 };
  let seed = 20261209;
  const random = (n) => {
    seed = (seed * 1103515245 + 12345) % 2147483648;
    return seed % n;
  };
  for (let step = 0; step < 60; step += 1) {
    if (random(3) === 0) {
      const [name, design] = options[random(options.length)];
      await page.getByRole('radio', { name, exact: true }).click();
      script += `click ${design}\n`;
    } else {
      const visible = [];
      for (const bar of bars) {
        if (await page.getByRole('slider', { name: bar[0], exact: true }).isVisible()) visible.push(bar);
      }
      const [name, design] = visible[random(visible.length)];
      const slider = page.getByRole('slider', { name, exact: true });
      const key = Object.keys(keys)[random(4)];
      const before = Number(await slider.getAttribute('aria-valuenow'));
      const min = Number(await slider.getAttribute('aria-valuemin'));
      const max = Number(await slider.getAttribute('aria-valuemax'));
      const step = name === 'Projection angle' && Math.abs(keys[key]) > 1 ? Math.sign(keys[key]) * 5 : keys[key];
      // The key moves the bar by its step within its range: one Change.
      await slider.press(key);
      script += `change ${design} ${Math.min(max, Math.max(min, before + step))}\n`;
    }
    expect(await pageCaptions(page), `after:\n${script}`).toEqual(nativeCaptions(script));
  }
});

test('dragging the thumb scrolls, and the release is the change', async ({ page }) => {
  await open(page);
  await page.getByRole('button', { name: 'Click to Continue' }).click();
  const slider = page.getByRole('slider', { name: 'Projection angle' });
  const thumb = slider.locator('.thumb');
  const box = await thumb.boundingBox();
  await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
  await page.mouse.down();
  await page.mouse.move(box.x - 200, box.y + box.height / 2, { steps: 5 });
  await page.mouse.up();
  await expect(slider).toHaveAttribute('aria-valuenow', '-15');
  expect(await pageCaptions(page)).toEqual(nativeCaptions('click Command1\nscroll hsbM1 -15\nchange hsbM1 -15\n'));
});

for (const layout of [{ name: 'desktop', width: 1280, height: 900 }, { name: 'phone', width: 360, height: 740 }]) {
  test(`${layout.name} layout: design positions or one column, and no accessibility violation`, async ({ page }) => {
    test.slow(); // three full accessibility checks
    await page.setViewportSize({ width: layout.width, height: layout.height });
    await open(page);
    const check = async (when) => {
      const results = await new AxeBuilder({ page }).withTags(['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'])
        .analyze();
      expect(results.violations.map((v) => `${v.id}: ${v.nodes.length}`), `axe ${when}`).toEqual([]);
    };
    await check('with the introduction');
    await page.getByRole('button', { name: 'Click to Continue' }).click();
    await check('at the table');
    const window = page.getByRole('region', { name: 'QVD and TALVERN SERIES' });
    const ulmo = captionOf(page, 'Ulmo, throw distance');
    if (layout.name === 'desktop') {
      const frame = await window.boundingBox();
      expect([Math.round(frame.width), Math.round(frame.height)]).toEqual([629, 427]); // 627 x 425 and the border
      const cell = await ulmo.boundingBox();
      expect([cell.x - frame.x - 1, cell.y - frame.y - 1, cell.width]).toEqual([160, 176, 81]); // twips / 15
    } else {
      expect(await page.evaluate(() => document.documentElement.scrollWidth)).toBeLessThanOrEqual(360);
      expect(parseFloat(await ulmo.evaluate((e) => getComputedStyle(e).fontSize))).toBeGreaterThanOrEqual(14);
      // Each bar is as wide as the screen, less the window's and its frame's margins.
      const bar = await page.getByRole('slider', { name: 'Projection angle' }).boundingBox();
      expect(bar.width).toBeGreaterThanOrEqual(300);
    }
    // Every target takes a 24 px square at both sizes.
    for (const target of [page.getByRole('radio', { name: 'Centimetres' }), page.getByRole('radio', { name: 'Inches' }),
      page.getByRole('slider', { name: 'Projection angle' }), page.getByRole('button', { name: 'Enter' })]) {
      const box = await target.boundingBox();
      expect(Math.min(box.width, box.height)).toBeGreaterThanOrEqual(24);
    }
    await page.screenshot({ path: test.info().outputPath(`${layout.name}.png`), fullPage: true });
    await page.getByRole('button', { name: 'Job details…' }).click();
    await check('with Job details open');
    await page.getByRole('dialog', { name: 'Job details' }).getByRole('button', { name: 'Cancel' }).click();

    // Fit to room within the screen, saying what a refused distance lacks,
    // and its rows in view once the distance is taken.
    await page.getByRole('button', { name: 'Fit to room…' }).click();
    const fit = page.getByRole('dialog', { name: 'Fit to room' });
    await fit.getByLabel('Distance', { exact: true }).fill('1234567');
    await expect(fit.getByRole('status')).toHaveText(/^Give the distance above 0 with at most 6 digits before/);
    await expect(fit.getByRole('region', { name: 'Widest screen per projector' })).toBeHidden();
    await expect(fit.getByText("At the window's angle of 10 degrees, in in.")).toBeVisible();
    await fit.getByLabel('Distance', { exact: true }).fill('150');
    await expect(fit.getByRole('status')).toBeHidden();
    const inView = async (locator) => {
      const box = await locator.boundingBox();
      return box.x >= 0 && box.x + box.width <= layout.width + 0.5;
    };
    expect(await inView(fit)).toBe(true);
    // On a desktop the whole table shows; on a phone it scrolls inside the dialog.
    expect(await inView(fit.getByRole('button', { name: 'Use this size for Halden WT2' }))).toBe(layout.name === 'desktop');
    await check('with Fit to room open');
    await page.screenshot({ path: test.info().outputPath(`${layout.name}-fit.png`) });
  });
}

test('offline after the first visit: a reload opens and works', async ({ page, context }) => {
  await open(page);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.reload();
  await expect(page.locator('body')).toHaveAttribute('data-ready', 'true');
  await context.setOffline(true);
  await page.reload();
  await expect(page.locator('body')).toHaveAttribute('data-ready', 'true');
  await page.getByRole('button', { name: 'Click to Continue' }).click();
  await page.getByRole('radio', { name: 'Width', exact: true }).click();
  await page.getByRole('slider', { name: 'Width' }).press('End');
  expect(await pageCaptions(page)).toEqual(nativeCaptions('click Command1\nclick Option4\nchange HSBM 240\n'));
});

test('a job saved on the page is read by the desktop, and opens again to the same bytes', async ({ page }) => {
  await open(page);
  await page.getByRole('button', { name: 'Click to Continue' }).click();
  await page.getByRole('radio', { name: 'Centimetres' }).click();
  await page.getByRole('radio', { name: 'Height' }).click();
  await page.getByRole('slider', { name: 'Height' }).press('PageDown');
  const download = page.waitForEvent('download');
  await page.getByRole('button', { name: 'Save job' }).click();
  const saved = readFileSync(await (await download).path());
  const folder = mkdtempSync(join(tmpdir(), 'qvd-web-'));
  const file = join(folder, 'web.qvdjob');
  writeFileSync(file, saved);
  // The desktop's reader takes it and shows what the page shows.
  const csv = execFileSync(cli, ['table', '--job', file, '--format', 'csv'], { env: { ...process.env, LC_ALL: 'C' } })
    .toString().trim().split('\n');
  expect(csv[1].split(',')[6]).toBe(await captionOf(page, 'Ulmo, throw distance').textContent());

  // Opened on a fresh page, and saved again: the same bytes.
  await page.evaluate(() => localStorage.clear());
  await open(page);
  await page.locator('#job-file').setInputFiles(file);
  await expect(page.getByRole('status', { name: 'Height', exact: true })).toHaveText(csv[1].split(',')[2]);
  // The introduction is modal: the page's buttons take input once it is closed.
  await page.getByRole('button', { name: 'Click to Continue' }).click();
  const again = page.waitForEvent('download');
  await page.getByRole('button', { name: 'Save job' }).click();
  expect(readFileSync(await (await again).path())).toEqual(saved);

  // A bad file is refused with the reader's message and changes nothing.
  const bad = join(folder, 'bad.qvdjob');
  writeFileSync(bad, '{"format": "qvdtalvern-job", "version": 1}\0garbage');
  const before = await pageCaptions(page);
  await page.locator('#job-file').setInputFiles(bad);
  await expect(page.getByRole('status').filter({ hasText: 'could not be opened' })).toContainText('bad.qvdjob');
  expect(await pageCaptions(page)).toEqual(before);
});

test('a job saved after choosing an option shows the desktop the table the page showed', async ({ page }) => {
  await open(page);
  await page.getByRole('button', { name: 'Click to Continue' }).click();
  // Height chosen, its bar not moved: the table is still the one of the 100 in. width.
  await page.getByRole('radio', { name: 'Height' }).click();
  const shown = await pageCaptions(page);
  expect(shown.get('Ulmo, throw distance')).toBe('162.80');
  const download = page.waitForEvent('download');
  await page.getByRole('button', { name: 'Save job' }).click();
  const folder = mkdtempSync(join(tmpdir(), 'qvd-web-'));
  const file = join(folder, 'height.qvdjob');
  writeFileSync(file, readFileSync(await (await download).path()));
  const table = JSON.parse(execFileSync(cli, ['table', '--job', file, '--format', 'json'],
    { env: { ...process.env, LC_ALL: 'C' } }).toString());
  expect(table.width).toBe(shown.get('Width'));
  const columns = { throw_distance: 'throw distance', straight_line: 'straight line', vertical_offset: 'vertical offset' };
  for (const row of table.rows) {
    for (const [key, column] of Object.entries(columns)) {
      expect(row[key], `${row.projector}, ${column}`).toBe(shown.get(`${row.projector}, ${column}`));
    }
  }

  // The file's bytes reach the reader as they are: Latin-1 is no UTF-8.
  const latin1 = join(folder, 'latin1.qvdjob');
  writeFileSync(latin1, Buffer.from(readFileSync(file, 'utf8').replace('"name": ""', '"name": "Aula \xe9"'), 'latin1'));
  await page.locator('#job-file').setInputFiles(latin1);
  await expect(page.getByRole('status').filter({ hasText: 'could not be opened' })).toContainText('not UTF-8');
});

test('the job survives a reload, and a storage too full to keep it is said', async ({ page }) => {
  await open(page);
  await page.getByRole('button', { name: 'Click to Continue' }).click();
  await page.getByRole('radio', { name: 'Centimetres' }).click();
  await page.getByRole('slider', { name: 'Projection angle' }).press('Home');
  const before = await pageCaptions(page);
  await page.reload(); // at once: the page keeps the job as it goes
  await expect(page.locator('body')).toHaveAttribute('data-ready', 'true');
  expect(await pageCaptions(page)).toEqual(before);

  // Every byte of the origin's storage taken, the job's own entry too.
  await page.evaluate(() => {
    localStorage.clear();
    for (let size = 1 << 22, i = 0; size >= 1; size >>= 1) {
      try {
        for (;;) localStorage.setItem(`filler${(i += 1)}`, 'x'.repeat(size));
      } catch {
        // the next size down
      }
    }
  });
  await page.getByRole('button', { name: 'Click to Continue' }).click();
  await page.getByRole('slider', { name: 'Projection angle' }).press('End');
  await expect(page.getByRole('status').filter({ hasText: 'did not keep this job' })).toContainText('save it as a file');
});

test('in a comma language the captions are the native ones with a decimal comma', async ({ browser }) => {
  const context = await browser.newContext({ locale: 'de-DE' });
  const page = await context.newPage();
  await open(page);
  await page.getByRole('button', { name: 'Click to Continue' }).click();
  await page.getByRole('radio', { name: 'Diagonal', exact: true }).click();
  const diagonal = page.getByRole('slider', { name: 'Diagonal' });
  const before = Number(await diagonal.getAttribute('aria-valuenow'));
  await diagonal.press('ArrowRight');
  await page.getByRole('slider', { name: 'Projection angle' }).press('Home');
  const native = nativeCaptions(`click Command1\nclick Option14\nchange vert ${before + 1}\nchange hsbM1 -15\n`);
  for (const [name, caption] of native) native.set(name, caption.replace('.', ','));
  expect(await pageCaptions(page)).toEqual(native);
  await context.close();
});

test('fit to room: the widest screen is the native fit, and Use this size enters it', async ({ page }) => {
  await open(page);
  await page.getByRole('button', { name: 'Click to Continue' }).click();
  await page.getByRole('button', { name: 'Fit to room…' }).click();
  const dialog = page.getByRole('dialog', { name: 'Fit to room' });
  await dialog.getByLabel('Distance', { exact: true }).fill('150');
  await dialog.getByLabel('Screen bottom above the floor').fill('30');
  const csv = execFileSync(cli, ['fit', '--throw', '150', '--screen-bottom', '30', '--format', 'csv'],
    { env: { ...process.env, LC_ALL: 'C' } }).toString().trim().split('\n');
  const ulmo = csv.find((line) => line.includes(',Ulmo,')).split(',');
  const row = dialog.getByRole('row', { name: /Ulmo/ });
  // Width, height, diagonal, the three results and the base height, as the tool gives them.
  await expect(row.getByRole('cell')).toHaveText(['room', ...ulmo.slice(6, 13), 'Use this size']);
  await row.getByRole('button', { name: 'Use this size for Ulmo' }).click();
  await dialog.getByRole('button', { name: 'Close' }).click();
  expect(await pageCaptions(page)).toEqual(nativeCaptions(`click Command1\nclick Option4\nchange HSBM ${ulmo[6]}\nchange hsbM1 10\n`));
  await page.getByRole('button', { name: 'Placement diagram' }).click();
  await expect(page.getByRole('img', { name: /^Ulmo: throw distance/ })).toBeVisible();
});

test('the job sheet, printed from the page or the browser, is the job now, on one page, the diagram drawn', async ({ page }) => {
  await open(page);
  await page.getByRole('button', { name: 'Click to Continue' }).click();
  await page.getByRole('button', { name: 'Job details…' }).click();
  const details = page.getByRole('dialog', { name: 'Job details' });
  await details.getByRole('textbox', { name: 'Job', exact: true }).fill('Aula magna');
  await details.getByRole('textbox', { name: 'Notes' }).fill('Ceiling mount.\nCheck the beam.');
  await details.getByRole('button', { name: 'OK' }).click();
  // Print media (as a print to PDF, which raises no event) draws the sheet
  // of the job as it is: one page.
  await page.getByRole('slider', { name: 'Projection angle' }).press('Home');
  const ulmo = await captionOf(page, 'Ulmo, throw distance').textContent();
  await page.emulateMedia({ media: 'print' });
  const pdf = (await page.pdf({ format: 'A4' })).toString('latin1');
  expect(pdf.match(/\/Type\s*\/Page\b/g)).toHaveLength(1);
  const sheet = page.locator('#sheet');
  await expect(sheet).toContainText('Aula magna');
  await expect(sheet).toContainText('Check the beam.');
  await expect(sheet.locator('tr', { hasText: 'Ulmo' })).toContainText(ulmo);
  await page.emulateMedia({ media: 'screen' });

  // Changed since, the job is printed by the browser's own Print (its menu,
  // Ctrl+P) as it is now, never as it was at the earlier print.
  await page.getByRole('radio', { name: 'Width', exact: true }).click();
  await page.getByRole('slider', { name: 'Width' }).press('PageDown');
  const ulmoNow = await captionOf(page, 'Ulmo, throw distance').textContent();
  expect(ulmoNow).not.toBe(ulmo);
  await page.evaluate(() => window.print());
  await expect(sheet.locator('tr', { hasText: 'Ulmo' })).toContainText(ulmoNow);
  // Drawn as on the screen: every line stroked, captions at the drawing's scale.
  const drawn = await sheet.locator('svg').evaluate((svg) => ({
    strokes: [...svg.querySelectorAll('line')].map((line) => getComputedStyle(line).stroke),
    fontSize: parseFloat(getComputedStyle(svg.querySelector('text')).fontSize),
    unit: parseFloat(svg.style.getPropertyValue('--unit')),
  }));
  expect(drawn.strokes).not.toContain('none');
  expect(drawn.fontSize).toBeCloseTo(drawn.unit, 3);
});

test('size for the audience: the figures are the tool\'s JSON, and Use this size enters the screen', async ({ page }) => {
  await open(page);
  await page.getByRole('button', { name: 'Click to Continue' }).click();
  await page.getByRole('button', { name: 'Size for the audience…' }).click();
  const dialog = page.getByRole('dialog', { name: 'Size for the audience' });
  await dialog.getByLabel('Farthest viewer').fill('413.39');
  await dialog.getByLabel('Element height').fill('25');
  await expect(dialog.getByRole('alert')).toHaveText(/^Element height: give a share of the image height from 0.5 to 20 %/);
  await expect(dialog.getByLabel('Element height')).toHaveAttribute('aria-invalid', 'true');
  await dialog.getByLabel('Element height').fill('3.5');
  await dialog.getByLabel('Screen bottom above the floor').fill('55.12');
  await dialog.getByLabel('Room distance').fill('150');
  await expect(dialog.getByRole('alert')).toBeEmpty();
  const json = JSON.parse(execFileSync(cli, ['audience', '--farthest', '413.39', '--element-height', '3.5',
    '--screen-bottom', '55.12', '--throw', '150', '--format', 'json'], { env: { ...process.env, LC_ALL: 'C' } }).toString());
  await expect(dialog.getByText(json.summary)).toBeVisible();
  const { width, height, diagonal } = json.screen;
  await expect(dialog.getByText(`Smallest screen the window offers: Width ${width}, Height ${height}, Diagional ${diagonal} in.`)).toBeVisible();
  await expect(dialog.getByText(`Closest viewer ${json.closest_viewer} in. from the screen`, { exact: false })).toBeVisible();
  for (const row of json.rows) {
    const cells = dialog.getByRole('row', { name: new RegExp(`^${row.projector} `) }).getByRole('cell');
    const room = row.fits ? 'fits' : row.in_range ? 'needs more room' : 'out of range';
    await expect(cells.nth(0)).toHaveText(room);
    if (row.in_range) await expect(cells.nth(1)).toHaveText(row.throw_distance);
  }
  await page.screenshot({ path: test.info().outputPath('audience.png') });
  const usable = json.rows.findIndex((row) => row.fits);
  const name = json.rows[usable].projector;
  await dialog.getByRole('button', { name: `Use this size with ${name}` }).click();
  await dialog.getByRole('button', { name: 'Close' }).click();
  const [option, bar] = { width: ['Option4', 'HSBM'], height: ['Option13', 'hig'], diagonal: ['Option14', 'vert'] }[json.screen.by];
  expect(await pageCaptions(page)).toEqual(nativeCaptions(
    `click Command1\nclick ${option}\nchange ${bar} ${json.screen.value}\nchange hsbM1 10\n`));
  // The sheet prints the rule and its figures.
  await page.emulateMedia({ media: 'print' });
  await expect(page.locator('#sheet')).toContainText(json.summary);
});
