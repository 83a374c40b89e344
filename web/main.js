// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The page: the C++ core in WebAssembly behind one session, the window over
// it, and what the desktop adds beside the window (the job file, details,
// the room fit, feet and inches, the copied table, the diagram, the sheet).

import createQvdModule from './qvdtalvern.mjs';
import { WindowView } from './window.js';
import { JobActions } from './job.js';
import { loadJob } from './storage.js';
import { WindowAccess } from './access.js';
import { followHabits } from './habits.js';
import { watchForUpdates } from './update.js';

// Start-up runs as a few short tasks rather than one long one, so that a
// slow phone's main thread is never held for long: the page shows the
// window's first state (drawn into index.html when the site is built) and
// answers scrolling and taps between them.
const nextTask = () => (globalThis.scheduler?.yield ? scheduler.yield() : new Promise((done) => setTimeout(done, 0)));

// The browser's language gives the decimal separator, as the desktop's
// locale does, read by a worker the page's head started; only where no
// worker could read it is it read here.
const separator = (await self.qvdSeparator) ?? new Intl.NumberFormat(navigator.language).formatToParts(1.5)
  .find((part) => part.type === 'decimal')?.value ?? '.';

// The module compiled by the page's head is instantiated here; without it
// (a host that serves the WebAssembly under another type) the module fetches
// and compiles it itself.
const compiled = await self.qvdCompiling;
const module = await createQvdModule(compiled ? {
  instantiateWasm: (imports, receive) => {
    WebAssembly.instantiate(compiled, imports).then((instance) => receive(instance, compiled));
    return {};
  },
} : {});
await nextTask();

const session = new module.WebSession(separator);
session.start();
// The job survives a reload: the one kept at the last change is entered
// again, as an opened job is; one that no longer reads is said, not dropped.
const kept = loadJob();
const keptProblem = kept ? session.openJob(kept) : '';
await nextTask();

// The live window takes over the drawn one, with what assistive technology
// meets in it, in one task; the job's actions beside it follow in the next.
const root = document.getElementById('window');
const followers = [];
const view = new WindowView(session, root, () => followers.forEach((follow) => follow()));
const access = new WindowAccess(session, view, document);
followers.push(() => access.follow());
await nextTask();

const actions = new JobActions(session, view, document);
const habits = followHabits(session, view, actions, document);
actions.onFollow = () => {
  access.follow();
  habits.follow();
};
followers.splice(0, followers.length, () => actions.follow());
habits.follow();
// The focus starts where the desktop starts it: on the introduction's button.
view.focusControl(session.firstFocus());
if (keptProblem) actions.say(`The job kept from the last visit could not be read: ${keptProblem}.`);
root.setAttribute('aria-busy', 'false');
document.body.dataset.ready = 'true';
watchForUpdates(document);
