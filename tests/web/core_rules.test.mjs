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
