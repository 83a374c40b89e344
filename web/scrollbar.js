// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// A horizontal scroll bar drawn as the desktop draws it: arrows at the ends,
// a trough and a thumb. It never moves by itself: every action of the user
// becomes one call to `act(kind, value)` (kind "change", or "scroll" while
// the thumb is dragged, with a "change" at its release), and `show()` then
// puts it where the model says. For assistive technology it is a slider.

export function createScrollBar(element, { name, description, smallChange, largeChange, act }) {
  element.classList.add('scrollbar');
  element.setAttribute('role', 'slider');
  element.setAttribute('aria-orientation', 'horizontal');
  element.setAttribute('aria-label', name);
  if (description) element.title = description;
  element.tabIndex = 0;
  element.innerHTML =
    '<span class="arrow left" aria-hidden="true"></span><span class="trough" aria-hidden="true">' +
    '<span class="thumb"></span></span><span class="arrow right" aria-hidden="true"></span>';
  const trough = element.querySelector('.trough');
  const thumb = element.querySelector('.thumb');
  let state = { value: 0, min: 0, max: 0, takesInput: false };
  let drag = null; // { offset, value, left, free } while the thumb is held

  const clamp = (value) => Math.min(state.max, Math.max(state.min, value));
  const step = (delta) => {
    if (state.takesInput) act('change', clamp(state.value + delta));
  };
  // The value under a thumb whose left edge is at `x` in a trough with
  // `free` pixels beside the thumb.
  const valueAt = (x, free) => {
    if (free <= 0 || state.max === state.min) return state.min;
    return clamp(Math.round(state.min + (x / free) * (state.max - state.min)));
  };

  element.querySelector('.left').addEventListener('pointerdown', (event) => {
    event.preventDefault();
    element.focus();
    step(-smallChange);
  });
  element.querySelector('.right').addEventListener('pointerdown', (event) => {
    event.preventDefault();
    element.focus();
    step(smallChange);
  });
  trough.addEventListener('pointerdown', (event) => {
    if (event.target === thumb || !state.takesInput) return;
    event.preventDefault();
    element.focus();
    const thumbBox = thumb.getBoundingClientRect();
    step(event.clientX < thumbBox.left ? -largeChange : largeChange);
  });
  thumb.addEventListener('pointerdown', (event) => {
    if (!state.takesInput) return;
    event.preventDefault();
    element.focus();
    try {
      thumb.setPointerCapture(event.pointerId);
    } catch {
      // A pointer the browser does not know (a synthetic one): no capture.
    }
    // The trough is measured once: the captions each step writes would
    // otherwise make the browser lay the page out again at every move.
    drag = {
      offset: event.clientX - thumb.getBoundingClientRect().left,
      value: state.value,
      left: trough.getBoundingClientRect().left,
      free: trough.clientWidth - thumb.offsetWidth,
    };
  });
  thumb.addEventListener('pointermove', (event) => {
    if (!drag) return;
    const value = valueAt(event.clientX - drag.left - drag.offset, drag.free);
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
  element.addEventListener('keydown', (event) => {
    const keys = {
      ArrowLeft: -smallChange, ArrowDown: -smallChange, ArrowRight: smallChange, ArrowUp: smallChange,
      PageUp: -largeChange, PageDown: largeChange,
    };
    if (event.key in keys) step(keys[event.key]);
    else if (event.key === 'Home' && state.takesInput) act('change', state.min);
    else if (event.key === 'End' && state.takesInput) act('change', state.max);
    else return;
    event.preventDefault();
  });
  element.addEventListener('wheel', (event) => {
    if (!state.takesInput || event.deltaY === 0) return;
    event.preventDefault();
    step(event.deltaY > 0 ? smallChange : -smallChange);
  }, { passive: false });

  return {
    show(next) {
      state = next;
      element.setAttribute('aria-valuemin', String(next.min));
      element.setAttribute('aria-valuemax', String(next.max));
      element.setAttribute('aria-valuenow', String(next.value));
      element.setAttribute('aria-disabled', String(!next.takesInput));
      const span = next.max - next.min;
      const fraction = span > 0 ? (next.value - next.min) / span : 0;
      thumb.style.left = `calc((100% - var(--thumb)) * ${fraction})`;
    },
  };
}
