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

// The browser's language gives the decimal separator, as the desktop's
// locale does. Its first use loads the language's data, which takes a while:
// done here, while the WebAssembly still compiles, not before the first paint.
const separator = new Intl.NumberFormat(navigator.language).formatToParts(1.5)
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
const session = new module.WebSession(separator);
session.start();

// The job survives a reload: the one kept at the last change is entered
// again, as an opened job is; one that no longer reads is said, not dropped.
const kept = loadJob();
const keptProblem = kept ? session.openJob(kept) : '';

const root = document.getElementById('window');
let actions = null;
const view = new WindowView(session, root, () => actions?.follow());
actions = new JobActions(session, view, document);
const access = new WindowAccess(session, view, document);
const habits = followHabits(session, view, actions, document);
actions.onFollow = () => {
  access.follow();
  habits.follow();
};
habits.follow();
if (keptProblem) actions.say(`The job kept from the last visit could not be read: ${keptProblem}.`);
root.setAttribute('aria-busy', 'false');
document.body.dataset.ready = 'true';
watchForUpdates(document);
