// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// "Size for the audience" on the page: the farthest viewer, the viewing rule
// and its figure, the screen bottom and the eye height, and the room's
// distance (the room fit's own); the rule and its result in words, the
// screen the window offers, and the rows at it with "Use this size". Every
// figure and word is the session's (C++), as in the desktop's dialog.

export function sizeForAudience(session, view, doc, dialog, follow) {
  const form = dialog.querySelector('form');
  const fields = form.elements;
  const audience = session.audience();
  const room = session.room();
  fields.rule.value = audience.rule;
  fields.farthest.value = audience.farthest;
  fields.elementHeight.value = audience.elementHeight;
  fields.resolution.value = audience.resolution;
  fields.screenBottom.value = audience.screenBottom;
  fields.eyeHeight.value = audience.eyeHeight;
  fields.distance.value = room.distance;
  fields.kind.value = room.kind;
  const table = dialog.querySelector('#audience-table');
  const rows = dialog.querySelector('#audience-rows');
  const problem = dialog.querySelector('#audience-problem');
  // The field each message names, marked invalid while it stands.
  const named = [['Farthest viewer:', 'farthest'], ['Element height:', 'elementHeight'],
    ['Resolution:', 'resolution'], ['Screen bottom:', 'screenBottom'], ['Eye height:', 'eyeHeight'],
    ['Give the distance', 'distance']];

  // The window's own column captions, as the room fit's table has them.
  const headers = ['Projector', 'Room', ...session.roomFitHeaders().slice(5), 'Use'];
  table.tHead.replaceChildren();
  const head = table.tHead.insertRow();
  headers.forEach((text, index) => {
    const th = head.appendChild(doc.createElement('th'));
    th.scope = 'col';
    const label = index === headers.length - 1 ? th.appendChild(doc.createElement('span')) : th;
    if (label !== th) label.className = 'visually-hidden';
    label.textContent = text;
  });

  const show = () => {
    for (const unit of dialog.querySelectorAll('.unit')) unit.textContent = session.roomUnit();
    fields.eyeHeight.placeholder = `${session.defaultEyeHeight()} if not given`;
    const basic = fields.rule.value === 'basic';
    fields.elementHeight.disabled = !basic;
    fields.resolution.disabled = basic;
    dialog.querySelector('#audience-setting').textContent = session.roomSetting();
    const said = session.audienceProblem();
    problem.textContent = said;
    for (const [words, name] of named) {
      const field = fields[name];
      if (said.startsWith(words)) field.setAttribute('aria-invalid', 'true');
      else field.removeAttribute('aria-invalid');
    }
    const answer = session.audienceAnswer();
    dialog.querySelector('#audience-summary').textContent = answer
      ? answer.summary : 'Give the farthest viewer\u2019s distance and the rule\u2019s figure.';
    dialog.querySelector('#audience-screen').textContent = answer ? answer.screen : '';
    dialog.querySelector('#audience-viewers').textContent = !answer ? ''
      : answer.viewers || 'Give the screen\u2019s bottom edge for the closest viewer.';
    rows.hidden = !answer?.hasScreen;
    table.tBodies[0].replaceChildren();
    (answer?.rows ?? []).forEach((row, index) => {
      const tr = table.tBodies[0].insertRow();
      const th = doc.createElement('th');
      th.scope = 'row';
      th.textContent = row.projector;
      tr.appendChild(th);
      const cells = [row.room, row.throwDistance, row.straightLine, row.verticalOffset, row.baseHeight];
      cells.forEach((text, column) => {
        const cell = tr.insertCell();
        cell.textContent = text;
        if ((row.warning && column >= 1 && column <= 3) || (column === 4 && row.belowFloor)) cell.className = 'warning';
      });
      const use = doc.createElement('button');
      use.type = 'button';
      use.textContent = 'Use this size';
      use.setAttribute('aria-label', `Use this size with ${row.projector}`);
      use.disabled = !row.usable;
      use.addEventListener('click', () => {
        view.act(undefined, () => session.useAudienceScreen(index));
        follow();
      });
      tr.insertCell().appendChild(use);
    });
  };
  form.oninput = () => {
    session.setAudience({
      rule: fields.rule.value,
      farthest: fields.farthest.value,
      elementHeight: fields.elementHeight.value,
      resolution: fields.resolution.value,
      screenBottom: fields.screenBottom.value.trim(),
      eyeHeight: fields.eyeHeight.value.trim(),
    });
    const current = session.room();
    session.setRoom(fields.kind.value, fields.distance.value.trim(), current.screenBottom);
    show();
    follow();
  };
  // Return in a field never changes the job.
  form.onsubmit = (event) => {
    if (event.submitter?.value !== 'close') event.preventDefault();
  };
  show();
  dialog.showModal();
}
