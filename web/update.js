// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// Offline use and updates: the service worker caches the site; when a new
// version has been cached while the page ran, the page says so and offers a
// reload, which the new worker then serves.

export function watchForUpdates(doc) {
  if (!('serviceWorker' in navigator) || location.protocol === 'file:') return;
  const notice = doc.getElementById('update');
  doc.getElementById('update-reload').addEventListener('click', () => location.reload());
  // A worker taking over a page that already had one holds a new version
  // (the first one, on the first visit, holds the page's own).
  let controlled = Boolean(navigator.serviceWorker.controller);
  navigator.serviceWorker.addEventListener('controllerchange', () => {
    if (controlled) {
      notice.hidden = false;
      doc.body.dataset.update = 'ready';
    }
    controlled = true;
  });
  navigator.serviceWorker.register('sw.js', { updateViaCache: 'none' }).then((registration) => {
    // A page left open looks for a new version when it is shown again.
    doc.addEventListener('visibilitychange', () => {
      if (doc.visibilityState === 'visible') registration.update().catch(() => {});
    });
  }).catch((error) => console.warn('offline use unavailable:', error.message));
}
