// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// A horizontal scroll bar drawn as the desktop draws it: arrows at the ends,
// a trough and a thumb. It never moves by itself and keeps no copy of the
// bar: an arrow or the trough is one `step(action)` ("StepBack", "StepOn",
// "PageBack", "PageOn"), a drag is `act("scroll", value)` at each move and
// `act("change", value)` at its release, and `show(state)` then puts it where
// the model says. Its keys are the window's (the model's table of keys). For
// assistive technology it is a slider.

export function createScrollBar(element, { name, description, current, act, step }) {
  // A bar drawn already (the picture of the first state in the built
  // index.html) is taken over as it stands.
  if (!element.querySelector('.trough')) {
    element.classList.add('scrollbar');
    element.setAttribute('role', 'slider');
    element.setAttribute('aria-orientation', 'horizontal');
    element.setAttribute('aria-label', name);
    if (description) element.title = description;
    element.tabIndex = -1;
    element.innerHTML =
      '<span class="arrow left" aria-hidden="true"></span><span class="trough" aria-hidden="true">' +
      '<span class="thumb"></span></span><span class="arrow right" aria-hidden="true"></span>';
  }
  const trough = element.querySelector('.trough');
  const thumb = element.querySelector('.thumb');
  // While the thumb is held: where it was taken, the trough measured once
  // (the captions each step writes would otherwise make the browser lay the
  // page out again at every move), and the range the model gave at the press.
  let drag = null;

  const press = (event, action) => {
    event.preventDefault();
    element.focus();
    step(action);
  };
  element.querySelector('.left').addEventListener('pointerdown', (event) => press(event, 'StepBack'));
  element.querySelector('.right').addEventListener('pointerdown', (event) => press(event, 'StepOn'));
  trough.addEventListener('pointerdown', (event) => {
    if (event.target === thumb) return;
    const thumbBox = thumb.getBoundingClientRect();
    press(event, event.clientX < thumbBox.left ? 'PageBack' : 'PageOn');
  });
  thumb.addEventListener('pointerdown', (event) => {
    const state = current();
    if (!state.takesInput) return;
    event.preventDefault();
    element.focus();
    try {
      thumb.setPointerCapture(event.pointerId);
    } catch {
      // A pointer the browser does not know (a synthetic one): no capture.
    }
    drag = {
      offset: event.clientX - thumb.getBoundingClientRect().left,
      value: state.value,
      min: state.min,
      max: state.max,
      left: trough.getBoundingClientRect().left,
      free: trough.clientWidth - thumb.offsetWidth,
    };
  });
  // The value under the thumb's left edge at `x` pixels into the free part
  // of the trough; the model clamps it into its range.
  const valueAt = (x) => {
    if (drag.free <= 0 || drag.max === drag.min) return drag.min;
    const fraction = Math.min(1, Math.max(0, x / drag.free));
    return Math.round(drag.min + fraction * (drag.max - drag.min));
  };
  thumb.addEventListener('pointermove', (event) => {
    if (!drag) return;
    const value = valueAt(event.clientX - drag.left - drag.offset);
    if (value !== drag.value) {
      drag.value = value;
      act('scroll', value);
    }
  });
  const release = () => {
    if (!drag) return;
    const { value } = drag;
    drag = null;
    act('change', value);
  };
  thumb.addEventListener('pointerup', release);
  thumb.addEventListener('pointercancel', release);
  element.addEventListener('wheel', (event) => {
    if (event.deltaY === 0 || !current().takesInput) return;
    event.preventDefault();
    step(event.deltaY > 0 ? 'StepOn' : 'StepBack');
  }, { passive: false });

  return {
    show(state) {
      const attributes = {
        'aria-valuemin': state.min, 'aria-valuemax': state.max, 'aria-valuenow': state.value,
        'aria-disabled': !state.takesInput,
      };
      for (const [attribute, value] of Object.entries(attributes)) {
        if (element.getAttribute(attribute) !== String(value)) element.setAttribute(attribute, String(value));
      }
      const span = state.max - state.min;
      const fraction = span > 0 ? (state.value - state.min) / span : 0;
      const left = `calc((100% - var(--thumb)) * ${fraction})`;
      if (thumb.style.left !== left) thumb.style.left = left;
    },
  };
}
