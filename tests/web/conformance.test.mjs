// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The conformance table on the page: each script of
// tests/conformance/window_actions.json done as a person does it (clicks,
// keys, Tab, a bar's arrows, trough and thumb), and after each step the
// captions, values, ranges and the focus the page shows equal the model's
// own replay of the same steps (the replay_action_scripts program), which the
// desktop's test holds the Qt view to as well.

import { test, expect } from '@playwright/test';
import { execFileSync } from 'node:child_process';
import { join } from 'node:path';

const root = new URL('../../', import.meta.url).pathname;
const scripts = JSON.parse(execFileSync(join(root, 'build/dev/tests/ui/replay_action_scripts')).toString());
const domKeys = { Left: 'ArrowLeft', Right: 'ArrowRight', Up: 'ArrowUp', Down: 'ArrowDown', Space: 'Space' };

// What the page shows, in the dump every view's test uses: captions of the
// labels, values of the options and bars, the bars' ranges and visibility,
// the frames' visibility, and the control that has the focus.
export async function pageDump(page) {
  return page.evaluate(() => {
    const dump = {};
    for (const element of document.querySelectorAll('#window [data-control]')) {
      const id = element.dataset.control;
      if (element.classList.contains('label')) dump[`${id}.Caption`] = element.textContent;
      else if (element.classList.contains('option')) dump[`${id}.Value`] = element.querySelector('input').checked ? '-1' : '0';
      else if (element.classList.contains('scrollbar')) {
        dump[`${id}.Value`] = element.getAttribute('aria-valuenow');
        dump[`${id}.Min`] = element.getAttribute('aria-valuemin');
        dump[`${id}.Max`] = element.getAttribute('aria-valuemax');
        dump[`${id}.Visible`] = String(!element.hidden);
      } else if (element.classList.contains('frame')) dump[`${id}.Visible`] = String(!element.hidden);
    }
    const focused = document.activeElement?.closest('#window [data-control]');
    dump.Focus = focused ? focused.dataset.control : '-1';
    return dump;
  });
}

async function perform(page, step) {
  const control = (id) => page.locator(`[data-control="${id}"]`);
  if ('click' in step) {
    const element = control(step.click);
    await ((await element.locator('input').count()) ? element.locator('input') : element).click();
  } else if ('key' in step) {
    await page.keyboard.press(domKeys[step.key] ?? step.key);
  } else if ('tab' in step) {
    await page.keyboard.press(step.tab > 0 ? 'Tab' : 'Shift+Tab');
  } else if ('arrow' in step) {
    await control(step.arrow).locator(step.forward ? '.arrow.right' : '.arrow.left').click();
  } else if ('page' in step) {
    const trough = await control(step.page).locator('.trough').boundingBox();
    const thumb = await control(step.page).locator('.thumb').boundingBox();
    const x = step.forward ? (thumb.x + thumb.width + trough.x + trough.width) / 2 : (trough.x + thumb.x) / 2;
    await page.mouse.click(x, trough.y + trough.height / 2);
  } else if ('drag' in step) {
    const trough = await control(step.drag).locator('.trough').boundingBox();
    const thumb = await control(step.drag).locator('.thumb').boundingBox();
    const y = thumb.y + thumb.height / 2;
    await page.mouse.move(thumb.x + thumb.width / 2, y);
    await page.mouse.down();
    await page.mouse.move(step.forward ? trough.x + trough.width + 40 : trough.x - 40, y, { steps: 5 });
    await page.mouse.up();
  }
}

for (const layout of [{ name: 'desktop', width: 1280, height: 900 }, { name: 'phone', width: 360, height: 740 }]) {
  test.describe(`${layout.name} layout`, () => {
    test.use({ viewport: { width: layout.width, height: layout.height } });
    for (const script of scripts) {
      test(script.name, async ({ page }) => {
        await page.goto('/');
        await expect(page.locator('body')).toHaveAttribute('data-ready', 'true');
        expect(await pageDump(page), 'at start-up').toEqual(script.dumps[0]);
        for (const [index, step] of script.steps.entries()) {
          await perform(page, step);
          expect(await pageDump(page), `after step ${index}: ${JSON.stringify(step)}`).toEqual(script.dumps[index + 1]);
        }
      });
    }
  });
}
