// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// Offline use: every file of the site is cached on the first visit, in a
// cache named by the build's version, so that a new build replaces it whole.
// The build writes the version and the list of files in place of the marks.

const VERSION = '@VERSION@';
const FILES = @FILES@;
const CACHE = `qvdtalvern-${VERSION}`;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith('qvdtalvern-') && name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The cached file first: the site works with the network off.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((cached) => cached ?? fetch(event.request)));
});
