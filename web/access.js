// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// What assistive technology meets in the drawn window: the results as a
// table (a row per projector, a column per distance, announced headers), a
// row's range warning as one phrase, the introduction as a modal dialog with
// everything under it inert, and one polite summary once a change is over
// instead of a live region per caption. The controls keep the names the
// desktop gives them; only their roles and grouping are added here.

// A change is over once no event has come for this long (a held key, a drag).
const SETTLED_MS = 600;

export class WindowAccess {
  constructor(session, view, doc) {
    this.session = session;
    this.view = view;
    this.doc = doc;
    this.inert = [];
    this.spoken = '';
    this.timer = 0;
    this.summary = doc.getElementById('summary');
    this.buildTable();
    this.spaceTargets();
    const introduction = view.elements[view.roles.introduction];
    introduction.setAttribute('role', 'dialog');
    introduction.setAttribute('aria-modal', 'true');
    this.captions = [...session.summaryCaptions()];
    // The sizes and the angle are outputs, heard in the summary, not each time.
    for (const id of this.captions) view.elements[id].setAttribute('aria-live', 'off');
    this.follow();
    this.spoken = this.summaryText(); // the state at start is not news
  }

  // The header and result controls move into a table whose boxes take no
  // room (display: contents), so that the window is laid out as before.
  buildTable() {
    const { doc, view } = this;
    const { columnHeaders, rows } = view.roles;
    const element = (id) => view.elements[id];
    // The drawn picture the window took over has its table already: each
    // row's warning phrase is its last cell.
    const drawn = element(columnHeaders[0]).closest('.results');
    if (drawn) {
      this.phrases = [...drawn.querySelectorAll('[role=row] > [aria-colspan]')];
      return;
    }
    const table = doc.createElement('div');
    table.className = 'results';
    table.setAttribute('role', 'table');
    table.setAttribute('aria-label', 'Distances per projector');
    element(columnHeaders[0]).before(table);
    const row = () => {
      const div = table.appendChild(doc.createElement('div'));
      div.setAttribute('role', 'row');
      return div;
    };
    const head = row();
    const corner = head.appendChild(doc.createElement('span'));
    corner.className = 'visually-hidden';
    corner.setAttribute('role', 'columnheader');
    corner.textContent = 'Projector';
    for (const id of columnHeaders) {
      element(id).setAttribute('role', 'columnheader');
      head.appendChild(element(id));
    }
    this.phrases = rows.map((ids) => {
      const tr = row();
      element(ids.caption).setAttribute('role', 'rowheader');
      tr.appendChild(element(ids.caption));
      for (const id of ids.results) {
        element(id).setAttribute('role', 'cell');
        tr.appendChild(element(id));
      }
      // The row's warning, read once across the three columns.
      const phrase = tr.appendChild(doc.createElement('span'));
      phrase.className = 'visually-hidden';
      phrase.setAttribute('role', 'cell');
      phrase.setAttribute('aria-colspan', String(ids.results.length));
      phrase.dataset.silent = 'true';
      return phrase;
    });
  }

  // Option buttons the design puts closer than a 24 px target apart (the
  // units, 16 px) take their targets away from each other: the upper one's
  // reaches up, the lower one's down, the drawn buttons staying in place.
  spaceTargets() {
    const { designs, elements, form } = this.view;
    const byContainer = new Map();
    designs.forEach((design, id) => {
      if (design.kind !== 'option') return;
      if (!byContainer.has(design.container)) byContainer.set(design.container, []);
      byContainer.get(design.container).push(id);
    });
    for (const ids of byContainer.values()) {
      ids.sort((a, b) => designs[a].top - designs[b].top);
      for (let i = 1; i < ids.length; i += 1) {
        if ((designs[ids[i]].top - designs[ids[i - 1]].top) / form.twipsPerPixel < 24) {
          elements[ids[i - 1]].dataset.reach = 'up';
          elements[ids[i]].dataset.reach = 'down';
        }
      }
    }
  }

  // After every user action and every opened job.
  follow() {
    this.showWarnings();
    this.showModal();
    clearTimeout(this.timer);
    this.timer = setTimeout(() => this.announce(), SETTLED_MS);
  }

  // Written only where a row's warning came or went or its words changed:
  // this runs at every step of a drag.
  showWarnings() {
    const { rows } = this.view.roles;
    rows.forEach((ids, row) => {
      const warning = this.session.rowWarning(row);
      const phrase = this.phrases[row];
      const text = warning ? this.rowPhrase(ids) : '';
      if (phrase.textContent === text) return;
      // Silenced, not hidden: a box that left the layout at every warning
      // that came or went made the browser lay the whole page out again.
      phrase.dataset.silent = String(!warning);
      phrase.textContent = text;
      for (const id of ids.results) {
        if (warning) this.view.elements[id].setAttribute('aria-hidden', 'true');
        else this.view.elements[id].removeAttribute('aria-hidden');
      }
    });
  }

  rowPhrase(ids) {
    return ids.results.map((id) => this.view.elements[id].textContent).join(' ');
  }

  // While the introduction shows, everything but it is inert: on the way up
  // from it to the page's body, every sibling, but the notice of a new
  // version, which stands above the page.
  showModal() {
    const introduction = this.view.elements[this.view.roles.introduction];
    const shown = !introduction.hidden;
    if (shown === this.inert.length > 0) return;
    if (!shown) {
      for (const element of this.inert) element.inert = false;
      this.inert = [];
      return;
    }
    // In the window, a sibling inert already is so from the drawn picture
    // the window took over, and is freed with the others.
    const ours = (sibling) => !sibling.inert || this.view.root.contains(sibling);
    for (let at = introduction; at.parentElement; at = at.parentElement) {
      for (const sibling of at.parentElement.children) {
        if (sibling !== at && ours(sibling) && sibling.tagName !== 'SCRIPT' && sibling.id !== 'update') {
          sibling.inert = true;
          this.inert.push(sibling);
        }
      }
    }
  }

  // The sizes and the angle as the window shows them, and the rows that warn.
  summaryText() {
    const parts = [];
    for (const id of this.captions) {
      const state = this.session.state(id);
      const name = this.session.design(id).name;
      if (state.visible && state.caption) parts.push(`${name} ${state.caption}`);
    }
    const warnings = new Map();
    this.view.roles.rows.forEach((ids, row) => {
      if (!this.session.rowWarning(row)) return;
      const phrase = this.rowPhrase(ids);
      if (!warnings.has(phrase)) warnings.set(phrase, []);
      warnings.get(phrase).push(this.view.elements[ids.caption].textContent);
    });
    let text = `${parts.join(', ')}.`;
    for (const [phrase, projectors] of warnings) text += ` ${phrase}: ${projectors.join(', ')}.`;
    return text;
  }

  announce() {
    const text = this.summaryText();
    if (text === this.spoken || !this.summary) return;
    this.spoken = text;
    this.summary.textContent = text;
  }
}
