// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Kalvoster offline: every file the page loads, kept in a cache named after the program's
// version and the files' contents, which the install writes in below. A new build is a new
// cache; the old ones go once the new worker takes over. The licence texts and the source are
// fetched only when asked for, and not kept.
'use strict';

const CACHE = '@KV_SITE_CACHE@';
const FILES = [@KV_SITE_FILES@];

self.addEventListener('install', event => {
    // Past the browser's own cache, which may hold an older build's files.
    event.waitUntil(caches.open(CACHE)
        .then(cache => cache.addAll(FILES.map(file => new Request(file, { cache: 'no-cache' }))))
        .then(() => self.skipWaiting()));
});

self.addEventListener('activate', event => {
    event.waitUntil(caches.keys()
        .then(names => Promise.all(names.filter(name => name.startsWith('kalvoster-')
            && name !== CACHE).map(name => caches.delete(name))))
        .then(() => self.clients.claim()));
});

self.addEventListener('fetch', event => {
    const request = event.request;
    if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin)
        return;
    event.respondWith(caches.open(CACHE)
        .then(cache => cache.match(request, { ignoreSearch: true }))
        .then(cached => cached || fetch(request)));
});
