// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The page as the desktop is used: Ctrl+S and Ctrl+O, a job file opened
// from the system (the manifest's file handler), the browser's own Print
// printing the current job sheet, and a size typed instead of stepped.

export function followHabits(session, view, actions, doc) {
  // The keys of the desktop's Save and Open (Command on a Mac).
  doc.addEventListener('keydown', (event) => {
    if (!(event.ctrlKey || event.metaKey) || event.altKey || event.shiftKey) return;
    const key = event.key.toLowerCase();
    if (key === 's') actions.save();
    else if (key === 'o') doc.getElementById('job-file').click();
    else return;
    event.preventDefault();
  });

  // A .qvdjob file opened with the installed page.
  if ('launchQueue' in window) {
    window.launchQueue.setConsumer(async (launch) => {
      for (const handle of launch.files ?? []) await actions.open(await handle.getFile());
    });
  }

  // Whatever starts the printing (the menu, Ctrl+P, the page's button), the
  // sheet is drawn then, from the job as it is.
  window.addEventListener('beforeprint', () => actions.drawSheet());
  window.matchMedia('print').addEventListener('change', (media) => {
    if (media.matches) actions.drawSheet();
  });

  const form = doc.getElementById('typed-size');
  const field = form.elements.size;
  const prompt = doc.getElementById('typed-size-prompt');
  const problem = doc.getElementById('typed-size-problem');
  form.addEventListener('submit', (event) => {
    event.preventDefault();
    let said = '';
    view.act(undefined, () => {
      said = session.enterTypedSize(field.value);
    });
    problem.textContent = said;
    field.setAttribute('aria-invalid', String(Boolean(said)));
  });
  return {
    // After every change: the prompt says which size, in which unit.
    follow() {
      const text = session.typedSizePrompt();
      if (prompt.textContent !== text) prompt.textContent = text;
    },
  };
}
