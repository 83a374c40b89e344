// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The layout check at a desktop's and a phone's size: on the introduction,
// the window and each dialog every visible text lies wholly inside its box
// (nothing cut, no box of zero width), and on a phone every target is at
// least 24 by 24 pixels.

import { test, expect } from '@playwright/test';

// Every visible element under `selector` whose own text is cut by its box, or
// whose box has no width or height, in words.
async function cutTexts(page, selector) {
  return page.evaluate((rootSelector) => {
    const problems = [];
    const describe = (element) => `${element.tagName.toLowerCase()} "${element.textContent.trim().slice(0, 40)}"`;
    for (const root of document.querySelectorAll(rootSelector)) {
      for (const element of root.querySelectorAll('*')) {
        // Text for screen readers only is clipped to a pixel on purpose.
        if (!element.checkVisibility?.() || element.closest('[hidden], .visually-hidden')) continue;
        const texts = [...element.childNodes].filter((node) => node.nodeType === Node.TEXT_NODE && node.textContent.trim());
        if (!texts.length) continue;
        const box = element.getBoundingClientRect();
        if (box.width < 1 || box.height < 1) {
          problems.push(`${describe(element)} has a box of ${box.width}x${box.height}`);
          continue;
        }
        for (const node of texts) {
          const range = document.createRange();
          range.selectNodeContents(node);
          for (const line of range.getClientRects()) {
            if (line.left < box.left - 1 || line.right > box.right + 1 || line.top < box.top - 1 || line.bottom > box.bottom + 1) {
              problems.push(`${describe(element)}: text at ${Math.round(line.left)},${Math.round(line.top)}-`
                + `${Math.round(line.right)},${Math.round(line.bottom)} outside its box ${Math.round(box.left)},`
                + `${Math.round(box.top)}-${Math.round(box.right)},${Math.round(box.bottom)}`);
              break;
            }
          }
        }
      }
    }
    return problems;
  }, selector);
}

// The targets under `selector` smaller than 24 by 24 pixels.
async function smallTargets(page, selector) {
  return page.evaluate((rootSelector) => {
    const targets = 'button, input:not([type="file"]), select, textarea, [role="slider"], summary, a[href]';
    const small = [];
    for (const root of document.querySelectorAll(rootSelector)) {
      for (const element of root.querySelectorAll(targets)) {
        if (!element.checkVisibility?.() || element.closest('[hidden]')) continue;
        const box = element.getBoundingClientRect();
        if (box.width < 24 || box.height < 24) {
          small.push(`${element.tagName.toLowerCase()} ${element.getAttribute('aria-label') ?? element.textContent.trim()}: `
            + `${Math.round(box.width)}x${Math.round(box.height)}`);
        }
      }
    }
    return small;
  }, selector);
}

for (const layout of [{ name: 'desktop', width: 1280, height: 900 }, { name: 'phone', width: 360, height: 740 }]) {
  test(`${layout.name} layout: no text cut on the introduction, the window and the dialogs`, async ({ page }) => {
    await page.setViewportSize({ width: layout.width, height: layout.height });
    await page.goto('/');
    await expect(page.locator('body')).toHaveAttribute('data-ready', 'true');
    await page.evaluate(() => document.fonts.ready);
    const phone = layout.width < 600;
    expect(await cutTexts(page, '#window'), 'the introduction').toEqual([]);
    if (phone) expect(await smallTargets(page, '#window'), 'the introduction').toEqual([]);
    await page.getByRole('button', { name: 'Click to Continue' }).click();
    await page.getByRole('radio', { name: 'Diagonal', exact: true }).click();
    expect(await cutTexts(page, 'main'), 'the window').toEqual([]);
    if (phone) expect(await smallTargets(page, 'main'), 'the window').toEqual([]);
    for (const [button, dialog] of [['Job details…', '#details-dialog'], ['Fit to room…', '#fit-dialog']]) {
      await page.getByRole('button', { name: button }).click();
      await expect(page.locator(dialog)).toBeVisible();
      expect(await cutTexts(page, dialog), button).toEqual([]);
      if (phone) expect(await smallTargets(page, dialog), button).toEqual([]);
      await page.keyboard.press('Escape');
    }
  });
}

// Each control of the window, where it stands and what it says.
const controlBoxes = (page) => page.evaluate(() => [...document.querySelectorAll('#window [data-control]')]
  .map((element) => {
    const box = element.getBoundingClientRect();
    return `${element.dataset.control} ${element.textContent.trim()} ${[box.x, box.y, box.width, box.height].map(Math.round)}`;
  }));
// The page at '/' once its window is live, in its faces.
const ready = async (page) => {
  await page.goto('/');
  await expect(page.locator('body')).toHaveAttribute('data-ready', 'true');
  await page.evaluate(() => document.fonts.ready);
};

for (const layout of [{ name: 'desktop', width: 1280, height: 900 }, { name: 'phone', width: 360, height: 740 }]) {
  test(`${layout.name}: the window drawn before the module loads is the live one, and nothing moves`, async ({ browser }) => {
    const viewport = { width: layout.width, height: layout.height };
    const still = await browser.newContext({ viewport, javaScriptEnabled: false, serviceWorkers: 'block' });
    const picture = await still.newPage();
    await picture.goto('/');
    await picture.evaluate(() => document.fonts.ready);
    const drawn = await controlBoxes(picture);
    await still.close();
    expect(drawn.length).toBeGreaterThan(60);

    const live = await browser.newContext({ viewport, serviceWorkers: 'block' });
    const page = await live.newPage();
    await page.addInitScript(() => {
      // The picture's controls as the page was parsed: the live window
      // takes these over rather than drawing them again.
      document.addEventListener('DOMContentLoaded', () => {
        window.pictured = [...document.querySelectorAll('#window [data-control]')];
      });
      window.shifted = 0;
      new PerformanceObserver((list) => {
        for (const entry of list.getEntries()) window.shifted += entry.value;
      }).observe({ type: 'layout-shift', buffered: true });
    });
    await ready(page);
    expect(await controlBoxes(page)).toEqual(drawn);
    expect(await page.evaluate(() => window.pictured.filter((element) => element.isConnected).length)).toBe(drawn.length);
    expect(await page.evaluate(() => window.shifted)).toBeLessThanOrEqual(0.02);
    await live.close();
  });
}

// A page without a picture of this window (served unbuilt), or with a
// picture of another design (a control drawn elsewhere), builds the window
// itself: every control at its design place, taking input.
for (const [name, redraw] of Object.entries({
  'no picture': (html) => html.replace(/(<div id="window"[^>]*>)[\s\S]*?(<\/div>\n\s*<p id="summary")/, '$1$2'),
  'a picture of another design': (html) => html.replace(/(data-control="3" style="left: )(\d+)px/,
    (_, start, left) => `${start}${Number(left) + 12}px`),
})) {
  test(`with ${name}, the page builds the window at its design places`, async ({ browser }) => {
    const context = await browser.newContext({ viewport: { width: 1280, height: 900 }, serviceWorkers: 'block' });
    const [built, page] = [await context.newPage(), await context.newPage()];
    let redrawn = false;
    await page.route(/\/$/, async (route) => {
      const response = await route.fetch();
      const html = await response.text();
      const body = redraw(html);
      redrawn = body !== html;
      await route.fulfill({ response, body });
    });
    await ready(built);
    await ready(page);
    expect(redrawn).toBe(true);
    expect(await controlBoxes(page)).toEqual(await controlBoxes(built));
    await page.getByRole('button', { name: 'Click to Continue' }).click();
    await page.getByRole('radio', { name: 'Height', exact: true }).click();
    await expect(page.getByRole('radio', { name: 'Height', exact: true })).toBeChecked();
    await context.close();
  });
}
