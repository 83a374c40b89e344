// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// Offline use: every file of the site is cached on the first visit, in a
// cache named by the build's version, so that a new build replaces it whole.
// The build writes the version and the list of files in place of the marks;
// the list names each file once (the page as "./") and leaves out what the
// page never loads (the fonts' licences).

const VERSION = '@VERSION@';
const FILES = @FILES@;
const CACHE = `qvdtalvern-${VERSION}`;

// Each file from the network, never from the browser's HTTP cache: a new
// version is the new files, at once.
self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(FILES.map((file) => new Request(file, { cache: 'reload' }))))
    .then(() => self.skipWaiting()));
});

// The new version takes over the open pages (they offer a reload), and the
// caches of earlier versions go.
self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith('qvdtalvern-') && name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The cached file first: the site works with the network off. Every page
// of the site is the one page.
self.addEventListener('fetch', (event) => {
  const { request } = event;
  if (request.method !== 'GET') return;
  event.respondWith(caches.open(CACHE).then(async (cache) => {
    const cached = await cache.match(request, { ignoreSearch: true })
      ?? (request.mode === 'navigate' ? await cache.match('./') : undefined);
    return cached ?? fetch(request);
  }));
});
