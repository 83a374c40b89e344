// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The window drawn from the design the module gives: every control at its
// design position and size, in its container. The page keeps no state of a
// control and no rule: each user action goes to the session (a click, a bar's
// step or drag, a key on the focused control, Tab), after which every control
// the session names as changed is drawn again from its whole state, and the
// focus goes where the session says.

import { createScrollBar } from './scrollbar.js';

// The model's name of a key (the core's table of keys decides what it does).
const keyName = (key) => (key === ' ' ? 'Space' : key.replace(/^Arrow/, ''));
// Colours are 24-bit with red in the low byte.
const cssColour = (colour) => `rgb(${colour & 0xff}, ${(colour >> 8) & 0xff}, ${(colour >> 16) & 0xff})`;

export class WindowView {
  constructor(session, root, onAction) {
    this.session = session;
    this.root = root;
    this.onAction = onAction;
    this.roles = session.roles();
    this.form = session.form();
    this.elements = [];
    this.bars = new Map();
    this.radios = new Map();
    this.focusables = new Map(); // control id: the element that takes its focus
    const rootStyle = document.documentElement.style;
    rootStyle.setProperty('--window-width', `${this.form.width}px`);
    rootStyle.setProperty('--window-height', `${this.form.height}px`);
    this.build();
    root.addEventListener('keydown', (event) => this.keyDown(event));
    this.refreshAll();
    document.fonts.ready.then(() => this.condenseLongCaptions());
  }

  build() {
    const { session, root } = this;
    const count = session.controlCount();
    const designs = [];
    for (let id = 0; id < count; id += 1) designs.push(session.design(id));
    this.designs = designs;
    const px = (twips) => `${twips / this.form.twipsPerPixel}px`;
    // The built site's index.html holds a picture of the first state, shown
    // while the module loads. When it is this window's, the live window takes
    // it over as it stands: built again, the whole window would be styled and
    // laid out anew on a slow phone's start-up, to draw the same picture.
    const drawn = this.drawnControls(designs, px);
    if (drawn) {
      this.elements = drawn;
      drawn.forEach((element, id) => this.wire(id, designs[id], element));
      return;
    }
    root.replaceChildren();
    // The reflowed layout of narrow screens: a grid place for each control.
    const places = this.narrowPlaces(designs);
    for (let id = 0; id < count; id += 1) {
      const design = designs[id];
      const element = this.createControl(design);
      element.classList.add('control', design.kind);
      element.style.left = px(design.left);
      element.style.top = px(design.top);
      element.style.width = px(design.width);
      element.style.height = px(design.height);
      element.style.setProperty('--row', places[id].row);
      element.style.setProperty('--rows', places[id].rows ?? 1);
      element.style.setProperty('--column', places[id].column);
      // Custom properties inherit: every control sets its own span.
      element.style.setProperty('--span', places[id].span ?? 1);
      element.style.fontFamily = design.fontFace === 'Courier' ? 'var(--courier)' : 'var(--antiqua)';
      element.style.fontWeight = design.bold ? '700' : '400';
      if (design.underline) element.style.textDecoration = 'underline';
      if (design.background >= 0) element.style.backgroundColor = cssColour(design.background);
      if (design.highlight) element.classList.add('highlight');
      if (design.border) element.classList.add('bordered');
      if (design.centred) element.classList.add('centred');
      // A caption wraps inside a box of two lines or more, at the design's
      // line pitch, as the desktop wraps it.
      if (design.kind === 'label' && design.lines >= 2) {
        element.classList.add('wrapped');
        element.style.setProperty('--pitch', `${design.linePitch}px`);
      }
      const parent = design.container >= 0 ? this.elements[design.container].querySelector('.content') : root;
      parent.appendChild(element);
      this.elements[id] = element;
      element.dataset.control = String(id);
      this.wire(id, design, element);
    }
    const introduction = this.elements[this.roles.introduction];
    introduction.classList.add('introduction');
    for (const id of this.roles.columnExplanations) this.elements[id].classList.add('explanation');
  }

  // The drawn picture's controls by id, if the picture is of this window:
  // every control there once, of its kind, at its design place. Otherwise
  // (the page as written, before a build drew it in) none.
  drawnControls(designs, px) {
    const found = this.root.querySelectorAll('[data-control]');
    if (found.length !== designs.length) return null;
    const drawn = [];
    for (const element of found) drawn[Number(element.dataset.control)] = element;
    const fits = designs.every((design, id) => drawn[id]?.classList.contains(design.kind)
      && drawn[id].style.left === px(design.left) && drawn[id].style.top === px(design.top));
    return fits ? drawn : null;
  }

  // One-line captions too long for their box are drawn condensed, as on the
  // desktop, rather than cut.
  condenseLongCaptions() {
    // Every mark cleared, then every caption measured, then marked: one
    // layout for all, not one for each caption.
    const labels = this.elements.filter((element, id) => this.designs[id].kind === 'label'
      && this.designs[id].lines < 2 && !element.hidden);
    for (const element of labels) element.style.removeProperty('--condense');
    const ratios = labels.map((element) => (element.scrollWidth > element.clientWidth + 1
      ? element.clientWidth / element.scrollWidth : 0));
    labels.forEach((element, index) => {
      if (ratios[index]) element.style.setProperty('--condense', String(ratios[index]));
    });
  }

  // A control's element, before it takes input (see `wire`).
  createControl(design) {
    switch (design.kind) {
      case 'frame': {
        const frame = document.createElement('div');
        frame.setAttribute('role', 'group');
        if (design.name) frame.setAttribute('aria-label', design.name);
        frame.innerHTML = '<span class="caption" aria-hidden="true"></span><div class="content"></div>';
        return frame;
      }
      case 'option': {
        const label = document.createElement('span');
        const input = document.createElement('input');
        input.type = 'radio';
        // Each option is a Tab stop of its own, as on the desktop: no shared
        // name, so the browser makes no group of them and its arrows select
        // nothing; the frame groups them for assistive technology.
        input.setAttribute('aria-label', design.name);
        if (design.description) input.title = design.description;
        label.appendChild(input);
        return label;
      }
      case 'button': {
        const button = document.createElement('button');
        button.type = 'button';
        button.textContent = design.name;
        return button;
      }
      case 'scrollbar':
        return document.createElement('div');
      default: {
        // A caption that does not name itself (a size, the angle, a result)
        // is output, named as the desktop names it.
        const written = design.name !== design.caption;
        const label = document.createElement(written ? 'output' : 'span');
        if (written) label.setAttribute('aria-label', design.name);
        return label;
      }
    }
  }

  // Control `id`'s element, built or drawn, made to take input: each user
  // action goes to the session.
  wire(id, design, element) {
    switch (design.kind) {
      case 'option': {
        const input = element.querySelector('input');
        // The mark is the model's: a click is the Click event, after which
        // every control is drawn again (the browser marks a clicked radio on
        // its own, even one the model did not select).
        input.addEventListener('click', () => this.act(id, () => this.session.click(id)));
        this.radios.set(id, input);
        this.focusables.set(id, input);
        break;
      }
      case 'button':
        element.addEventListener('click', () => this.act(id, () => this.session.click(id)));
        this.focusables.set(id, element);
        break;
      case 'scrollbar':
        this.bars.set(id, createScrollBar(element, {
          name: design.name,
          description: design.description,
          current: () => this.session.state(id),
          act: (kind, value) => this.act(id, () => (kind === 'scroll' ? this.session.scroll(id, value) : this.session.change(id, value))),
          step: (action) => this.act(id, () => this.session.step(id, action)),
        }));
        this.focusables.set(id, element);
        break;
      default:
    }
  }

  // Grid places for the one-column layout: the three input frames, then the
  // column headers and the nine rows as a table; inside a frame, rows and
  // columns by the order of the design positions.
  narrowPlaces(designs) {
    const { roles } = this;
    const places = designs.map(() => ({ row: 'auto', column: 'auto' }));
    [roles.sizeFrame, roles.angleFrame, roles.unitFrame].forEach((frame, index) => {
      places[frame] = { row: index + 1, column: 1, span: 4 };
    });
    roles.columnHeaders.forEach((header, column) => { places[header] = { row: 4, column: column + 2 }; });
    roles.rows.forEach((row, index) => {
      places[row.caption] = { row: index + 5, column: 1 };
      row.results.forEach((result, column) => { places[result] = { row: index + 5, column: column + 2 }; });
    });
    // The introduction lies over every row of the column, growing them if
    // it needs more room; inside it, one column in reading order (each
    // heading above its explanation, then the button).
    const lastRow = roles.rows.length + 4;
    places[roles.introduction] = { row: 1, column: 1, span: 4, rows: lastRow };
    const inIntroduction = designs.map((design, id) => id).filter((id) => designs[id].container === roles.introduction);
    inIntroduction.sort((a, b) => designs[a].top - designs[b].top || designs[a].left - designs[b].left);
    inIntroduction.forEach((id, index) => { places[id] = { row: index + 1, column: 1 }; });
    const byContainer = new Map();
    designs.forEach((design, id) => {
      if (design.container < 0 || design.container === roles.introduction) return;
      if (!byContainer.has(design.container)) byContainer.set(design.container, []);
      byContainer.get(design.container).push(id);
    });
    for (const ids of byContainer.values()) {
      const rank = (values) => [...new Set(values)].sort((a, b) => a - b);
      const tops = rank(ids.map((id) => designs[id].top));
      const lefts = rank(ids.map((id) => designs[id].left));
      for (const id of ids) {
        places[id] = { row: tops.indexOf(designs[id].top) + 1, column: lefts.indexOf(designs[id].left) + 1 };
      }
    }
    return places;
  }

  // One user action on control `id`, then the whole window drawn again. A
  // control that held the focus and takes no input now (the introduction's
  // button after Continue) hands it to where the window starts it.
  // `id` is undefined for steps that are no control's ("Use this size").
  act(id, action) {
    action();
    this.settle(id);
  }

  settle(id) {
    this.refreshChanged();
    // What follows the window first (the introduction's going makes the
    // rest of the page take input again), then the focus.
    this.onAction();
    const focused = this.controlOf(document.activeElement) ?? id;
    if (focused !== undefined && !this.session.state(focused).takesInput) this.focusControl(this.session.firstFocus());
  }

  // The control an element belongs to, or undefined outside the window.
  controlOf(element) {
    const control = element?.closest?.('[data-control]');
    return control && this.root.contains(control) ? Number(control.dataset.control) : undefined;
  }

  focusControl(id) {
    if (id < 0) return;
    this.focusables.get(id).focus();
    this.updateTabStops();
  }

  // Keys go to the model's table; Tab follows the design's TabIndex among the
  // controls that take input, and at either end leaves the window.
  keyDown(event) {
    const id = this.controlOf(event.target);
    if (id === undefined || event.altKey || event.ctrlKey || event.metaKey) return;
    if (event.key === 'Tab') {
      const next = this.session.nextFocus(id, !event.shiftKey);
      if (next < 0) return;
      event.preventDefault();
      this.focusControl(next);
      return;
    }
    if (event.shiftKey) return;
    const result = this.session.key(id, keyName(event.key));
    if (!result.handled) return;
    event.preventDefault();
    if (result.focus >= 0) this.focusControl(result.focus);
    this.settle(id);
  }

  // One Tab stop for the whole window (roving): the control that has the
  // focus, or else the one the window starts on; every other is reached by
  // the window's own Tab order.
  updateTabStops() {
    const focused = this.controlOf(document.activeElement);
    const stop = focused !== undefined && this.session.state(focused).takesInput ? focused : this.session.firstFocus();
    // Written only where it changes: even an unchanged tabIndex written again
    // makes the browser restyle the element, at every step of a drag.
    for (const [id, element] of this.focusables) {
      const tabIndex = id === stop ? 0 : -1;
      if (element.tabIndex !== tabIndex) element.tabIndex = tabIndex;
    }
  }

  // Every control drawn again from the session (at start-up, after a job is
  // opened); the changes the session had noted are drawn with them, so its
  // list starts afresh.
  refreshAll() {
    this.session.changedControls();
    for (let id = 0; id < this.elements.length; id += 1) this.refresh(id);
    this.updateTabStops();
  }

  // Only the controls whose state changed since the last drawing, as the
  // session's control model names them: a step of a drag rewrites the sizes
  // and the results, not the whole window.
  refreshChanged() {
    for (const id of this.session.changedControls()) this.refresh(id);
    this.updateTabStops();
  }

  // Draws control `id` from its whole state in the session. What the page
  // shows already is left alone, so that a caption written again unchanged
  // costs no layout and tells assistive technology nothing new.
  refresh(id) {
    const state = this.session.state(id);
    const design = this.designs[id];
    const element = this.elements[id];
    if (element.hidden === state.visible) element.hidden = !state.visible;
    switch (design.kind) {
      case 'frame': {
        const caption = element.querySelector('.caption');
        if (caption.textContent !== design.caption) caption.textContent = design.caption;
        break;
      }
      case 'option': {
        const input = this.radios.get(id);
        if (input.checked !== (state.value !== 0)) input.checked = state.value !== 0;
        if (input.disabled === state.takesInput) input.disabled = !state.takesInput;
        break;
      }
      case 'button':
        if (element.disabled === state.takesInput) element.disabled = !state.takesInput;
        break;
      case 'scrollbar':
        this.bars.get(id).show(state);
        break;
      default: {
        // The caption's text is changed in place: a text node replaced at
        // every step would be taken out of the layout and put back.
        const text = element.firstChild;
        if (text?.nodeType === Node.TEXT_NODE && !text.nextSibling) {
          if (text.data !== state.caption) text.data = state.caption;
        } else if (element.textContent !== state.caption) {
          element.textContent = state.caption;
        }
        // Black is the page's ink and the warnings' red a class (style.css
        // draws it a shade darker, to read on white): at a step of a drag,
        // rows' results turn red or back, and a colour written inline cost
        // the browser several times what a class does. Any other colour is
        // written inline.
        const warning = state.foreColor === this.form.warningInk;
        if (element.classList.contains('warning-ink') !== warning) element.classList.toggle('warning-ink', warning);
        const inline = warning || state.foreColor === this.form.ink ? '' : cssColour(state.foreColor);
        if (element.style.color !== inline) element.style.color = inline;
      }
    }
  }
}
