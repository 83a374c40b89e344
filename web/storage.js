// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The current job in the browser's storage, as the job file's own bytes.

const KEY = 'qvdtalvern.job';

export function loadJob() {
  try {
    return localStorage.getItem(KEY);
  } catch {
    return null; // storage refused (private mode): the page still works
  }
}

// Whether the job is kept: written, and read back as written. A full or
// refused storage gives false.
export function keepJob(text) {
  try {
    localStorage.setItem(KEY, text);
    return localStorage.getItem(KEY) === text;
  } catch {
    return false;
  }
}
