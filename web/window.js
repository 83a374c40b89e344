// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The window drawn from the design the module gives: every control at its
// design position and size (twips / 15 = CSS pixels), in its container. The
// page shows only what the model holds; each user action is one model event,
// after which the controls the model changed are drawn again.

import { createScrollBar } from './scrollbar.js';

const TWIPS_PER_PIXEL = 15;
const px = (twips) => `${twips / TWIPS_PER_PIXEL}px`;
// Colours are 24-bit with red in the low byte. The warnings' pure red is
// drawn a shade darker, so that it reads on white at 4.5:1 (WCAG AA).
const cssColour = (colour) => (colour === 0x0000ff ? '#c80000'
  : `rgb(${colour & 0xff}, ${(colour >> 8) & 0xff}, ${(colour >> 16) & 0xff})`);

export class WindowView {
  constructor(session, root, onAction) {
    this.session = session;
    this.root = root;
    this.onAction = onAction;
    this.roles = session.roles();
    this.elements = [];
    this.bars = new Map();
    this.build();
    this.refreshAll();
    document.fonts.ready.then(() => this.condenseLongCaptions());
  }

  build() {
    const { session, root } = this;
    const count = session.controlCount();
    const designs = [];
    for (let id = 0; id < count; id += 1) designs.push(session.design(id));
    this.designs = designs;
    // The reflowed layout of narrow screens: a grid place for each control.
    const places = this.narrowPlaces(designs);
    for (let id = 0; id < count; id += 1) {
      const design = designs[id];
      const element = this.createControl(id, design);
      element.classList.add('control', design.kind);
      element.style.left = px(design.left);
      element.style.top = px(design.top);
      element.style.width = px(design.width);
      element.style.height = px(design.height);
      element.style.setProperty('--row', places[id].row);
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
      const parent = design.container >= 0 ? this.elements[design.container].querySelector('.content') : root;
      parent.appendChild(element);
      this.elements[id] = element;
    }
    const introduction = this.elements[this.roles.introduction];
    introduction.classList.add('introduction');
  }

  // One-line captions too long for their box are drawn condensed, as on the
  // desktop, rather than cut.
  condenseLongCaptions() {
    // Every mark cleared, then every caption measured, then marked: one
    // layout for all, not one for each caption.
    const labels = this.elements.filter((element, id) => this.designs[id].kind === 'label'
      && this.designs[id].height <= 255 && !element.hidden);
    for (const element of labels) element.style.removeProperty('--condense');
    const ratios = labels.map((element) => (element.scrollWidth > element.clientWidth + 1
      ? element.clientWidth / element.scrollWidth : 0));
    labels.forEach((element, index) => {
      if (ratios[index]) element.style.setProperty('--condense', String(ratios[index]));
    });
  }

  createControl(id, design) {
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
        input.name = `group-${design.container}`;
        input.setAttribute('aria-label', design.name);
        if (design.description) input.title = design.description;
        // The mark is the model's: a click is the Click event, after which
        // the radios show what the model holds again (the browser marks a
        // clicked radio on its own, even one the model did not select).
        const click = () => {
          this.act(() => this.session.click(id));
          for (const [option, radio] of this.radios) radio.checked = this.session.state(option).value !== 0;
        };
        input.addEventListener('click', click);
        input.addEventListener('keydown', (event) => {
          if (event.key === 'Enter') {
            event.preventDefault();
            click();
          }
        });
        label.appendChild(input);
        this.radios = this.radios || new Map();
        this.radios.set(id, input);
        return label;
      }
      case 'button': {
        const button = document.createElement('button');
        button.type = 'button';
        button.textContent = design.name;
        button.addEventListener('click', () => this.act(() => this.session.click(id)));
        return button;
      }
      case 'scrollbar': {
        const element = document.createElement('div');
        this.bars.set(id, createScrollBar(element, {
          name: design.name,
          description: design.description,
          smallChange: design.smallChange,
          largeChange: design.largeChange,
          act: (kind, value) => this.act(() => (kind === 'scroll' ? this.session.scroll(id, value) : this.session.change(id, value))),
        }));
        return element;
      }
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
    const byContainer = new Map();
    designs.forEach((design, id) => {
      if (design.container < 0) return;
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

  act(action) {
    action();
    this.refreshChanged();
    this.onAction();
  }

  refreshChanged() {
    const changed = this.session.changed();
    const ids = [];
    for (let i = 0; i < changed.size(); i += 1) ids.push(changed.get(i));
    changed.delete();
    // The introduction going lets every control take input again.
    if (ids.includes(this.roles.introduction) || this.session.failed()) this.refreshAll();
    else ids.forEach((id) => this.refresh(id));
  }

  refreshAll() {
    const changed = this.session.changed();
    changed.delete();
    for (let id = 0; id < this.elements.length; id += 1) this.refresh(id);
  }

  refresh(id) {
    const state = this.session.state(id);
    const design = this.designs[id];
    const element = this.elements[id];
    element.hidden = !state.visible;
    switch (design.kind) {
      case 'frame':
        element.querySelector('.caption').textContent = design.caption;
        break;
      case 'option': {
        const input = this.radios.get(id);
        input.checked = state.value !== 0;
        input.disabled = !state.takesInput;
        break;
      }
      case 'button':
        element.disabled = !state.takesInput;
        break;
      case 'scrollbar':
        this.bars.get(id).show(state);
        break;
      default:
        element.textContent = state.caption;
        element.style.color = cssColour(state.foreColor);
    }
  }
}
