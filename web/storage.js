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

export function keepJob(text) {
  try {
    localStorage.setItem(KEY, text);
    return true;
  } catch {
    return false;
  }
}
