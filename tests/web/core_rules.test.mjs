// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// What the page takes from the core rather than deciding itself: the
// projector row chooser, the row captions' range hints, the details' limits
// in characters and the name a saved job is offered under.

import { test, expect } from '@playwright/test';

test.beforeEach(async ({ page }) => {
  await page.goto('/');
  await expect(page.locator('body')).toHaveAttribute('data-ready', 'true');
});

test('the page chooses the projector row, and each row caption gives its range hint', async ({ page }) => {
  await page.getByRole('button', { name: 'Click to Continue' }).click();
  const chooser = page.getByRole('combobox', { name: 'Projector' });
  await expect(chooser.locator('option')).toHaveText(['Ulmo', 'Tovan', 'Brisa', 'Corvin NRX', 'Corvin WT1',
    'Corvin WT2', 'Halden NRX', 'Halden WT1', 'Halden WT2']);
  await chooser.selectOption({ label: 'Brisa' });
  await page.getByRole('button', { name: 'Placement diagram' }).click();
  // The diagram is Brisa's: its throw distance at 100 in. is 132 in.
  await expect(page.locator('#diagram')).toContainText('132 in.');
  // A row the screen is too big for says so in its hint, and the hint follows the size.
  const hint = page.locator('#window').getByText('Halden NRX', { exact: true });
  await expect(hint).toHaveAttribute('title', /^widths from .*; needs a screen at most/);
  await page.getByRole('radio', { name: 'Width', exact: true }).click();
  await page.getByRole('slider', { name: 'Width', exact: true }).locator('.arrow.left').click();
  await page.keyboard.press('Home');
  await expect(hint).not.toHaveAttribute('title', /needs a screen at most/);
});

test('the details count characters as the job file does, and the saved job is named by the core', async ({ page }) => {
  await page.getByRole('button', { name: 'Click to Continue' }).click();
  await page.getByRole('button', { name: 'Job details…' }).click();
  const dialog = page.getByRole('dialog', { name: 'Job details' });
  const ok = dialog.getByRole('button', { name: 'OK' });
  // 200 characters of two UTF-16 units each are kept; one more is not.
  const client = dialog.getByRole('textbox', { name: 'Client' });
  await client.fill('\u{1D11E}'.repeat(200));
  await expect(ok).toBeEnabled();
  await client.fill('\u{1D11E}'.repeat(201));
  await expect(dialog.getByRole('status')).toHaveText('The client has 201 characters; at most 200 are kept.');
  await expect(ok).toBeDisabled();
  await client.fill('Aula');
  await dialog.getByRole('textbox', { name: 'Job', exact: true }).fill('  Hall  7 / east ');
  await ok.click();
  const download = page.waitForEvent('download');
  await page.getByRole('button', { name: 'Save job' }).click();
  expect((await download).suggestedFilename()).toBe('Hall 7 east.qvdjob');
});

test('the room kinds are offered in the words of the core', async ({ page }) => {
  await page.getByRole('button', { name: 'Click to Continue' }).click();
  await page.getByRole('button', { name: 'Fit to room…' }).click();
  const fit = page.getByRole('dialog', { name: 'Fit to room' });
  await expect(fit.getByRole('radio', { name: 'Throw distance (lens to screen centre)' })).toBeChecked();
  await expect(fit.getByRole('radio', { name: 'Straight line (front foot to screen)' })).not.toBeChecked();
});

// The diagram is the core's layout, painted: at both page sizes every label
// is at least the body text's size, inside the drawing, clear of the other
// labels and of every line; the projector's name is its title and the
// negative offset shows its sign.
for (const size of [{ width: 1280, height: 900 }, { width: 360, height: 740 }]) {
  test(`the diagram's labels are readable and clear of the lines at ${size.width}x${size.height}`, async ({ page }) => {
    await page.setViewportSize(size);
    await page.getByRole('button', { name: 'Click to Continue' }).click();
    await page.getByRole('slider', { name: 'Projection angle' }).press('Home'); // -15 degrees: a negative offset
    await page.getByRole('button', { name: 'Placement diagram' }).click();
    const svg = page.locator('#diagram svg');
    await expect(svg).toBeVisible();
    await svg.scrollIntoViewIfNeeded();
    await page.screenshot({ path: test.info().outputPath(`diagram-${size.width}.png`), fullPage: true });
    const drawn = await svg.evaluate((element) => {
      const body = parseFloat(getComputedStyle(document.body).fontSize);
      const frame = element.getBoundingClientRect();
      const labels = [...element.querySelectorAll('text')].map((text) => ({
        text: text.textContent, size: parseFloat(getComputedStyle(text).fontSize), box: text.getBoundingClientRect(),
      }));
      const lines = [...element.querySelectorAll('line')].map((line) => {
        const m = line.getScreenCTM();
        const at = (x, y) => new DOMPoint(x, y).matrixTransform(m);
        return [at(line.x1.baseVal.value, line.y1.baseVal.value), at(line.x2.baseVal.value, line.y2.baseVal.value)];
      });
      const inside = (p, b) => p.x > b.left + 1 && p.x < b.right - 1 && p.y > b.top + 1 && p.y < b.bottom - 1;
      const crossed = (b) => lines.some(([a, c]) => Array.from({ length: 101 }, (_, i) => i / 100)
        .some((t) => inside({ x: a.x + (c.x - a.x) * t, y: a.y + (c.y - a.y) * t }, b)));
      const overlap = (a, b) => a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
      return {
        body,
        labels: labels.map(({ text, size, box }) => ({
          text, size,
          inside: box.left >= frame.left - 0.5 && box.right <= frame.right + 0.5 && box.top >= frame.top - 0.5
            && box.bottom <= frame.bottom + 0.5,
          overLine: crossed(box),
          overLabel: labels.some((other) => other.box !== box && overlap(other.box, box)),
        })),
      };
    });
    const texts = drawn.labels.map((label) => label.text);
    expect(texts[0]).toMatch(/ in\.$/);
    expect(texts).toContain('Ulmo');
    expect(texts).toContain('Screen');
    expect(texts.some((text) => /^-\d/.test(text))).toBe(true);
    for (const label of drawn.labels) {
      expect(label.size, label.text).toBeGreaterThanOrEqual(drawn.body);
      expect(label, label.text).toMatchObject({ inside: true, overLine: false, overLabel: false });
    }
  });
}
