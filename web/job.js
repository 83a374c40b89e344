// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// What the desktop's menu adds, on the page: open and save the job file,
// its details, the room fit, feet and inches, the copied table, the
// placement diagram and the printed job sheet. Everything but the drawing is
// the session's (C++).

import { keepJob } from './storage.js';
import { diagramSvg } from './diagram.js';
import { sizeForAudience } from './audience.js';

export class JobActions {
  constructor(session, view, doc) {
    this.session = session;
    this.view = view;
    this.doc = doc;
    const byId = (id) => doc.getElementById(id);
    this.status = byId('status');
    this.feet = byId('feet-inches');
    this.diagram = byId('diagram');
    this.sheet = byId('sheet');
    // The row the diagram, the sheet and the job are for, as the desktop
    // chooses it from a row's menu; its projectors are the window's row captions.
    this.row = byId('chosen-row');
    this.row.addEventListener('change', () => {
      session.chooseRow(Number(this.row.value));
      this.follow();
    });
    const file = byId('job-file');
    byId('open-job').addEventListener('click', () => file.click());
    file.addEventListener('change', async () => {
      if (file.files.length) await this.open(file.files[0]);
      file.value = '';
    });
    doc.addEventListener('dragover', (event) => event.preventDefault());
    doc.addEventListener('drop', async (event) => {
      event.preventDefault();
      const [dropped] = event.dataTransfer.files;
      if (dropped) await this.open(dropped);
    });
    byId('save-job').addEventListener('click', () => this.save());
    byId('copy-table').addEventListener('click', () => this.copy());
    this.feet.addEventListener('change', () => {
      session.setFeetAndInches(this.feet.checked);
      this.follow();
    });
    byId('job-details').addEventListener('click', () => this.editDetails(byId('details-dialog')));
    byId('fit-room').addEventListener('click', () => this.fitRoom(byId('fit-dialog')));
    byId('size-audience').addEventListener('click',
      () => sizeForAudience(session, view, doc, byId('audience-dialog'), () => this.follow()));
    for (const kind of byId('fit-dialog').querySelectorAll('input[name="kind"]')) {
      kind.parentElement.querySelector('.kind').textContent = session.distanceKindLabel(kind.value);
    }
    byId('show-diagram').addEventListener('click', () => {
      this.diagram.hidden = !this.diagram.hidden;
      this.follow();
    });
    // The core lays the diagram out for the width it has.
    window.addEventListener('resize', () => this.drawDiagram());
    // The sheet is drawn when the printing starts (see habits.js).
    byId('print-sheet').addEventListener('click', () => window.print());
    // The job is kept once a burst of changes (a drag, typing) is over, and
    // at once when the page goes away.
    this.keepTimer = 0;
    this.keptOk = true;
    const keepNow = () => {
      if (this.keepTimer) this.keep();
    };
    window.addEventListener('pagehide', keepNow);
    doc.addEventListener('visibilitychange', () => { if (doc.visibilityState === 'hidden') keepNow(); });
    this.show();
  }

  say(text) {
    this.status.textContent = text;
  }

  async open(file) {
    // The file's bytes as they are: the core's reader says what is not UTF-8.
    const bytes = new Uint8Array(await file.arrayBuffer());
    const problem = this.session.openJob(bytes);
    if (problem) {
      this.say(`The job ${file.name} could not be opened: ${problem}.`);
      return;
    }
    this.view.refreshAll();
    this.say(`Opened ${file.name}.`);
    this.follow();
  }

  save() {
    const text = this.session.jobText();
    const name = this.session.suggestedFileName();
    const link = this.doc.createElement('a');
    link.href = URL.createObjectURL(new Blob([text], { type: 'application/x-qvdtalvern-job' }));
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 0);
    this.keep();
    this.say(`Saved ${name}.`);
  }

  async copy() {
    try {
      await navigator.clipboard.writeText(this.session.copiedTable());
      this.say('The table is on the clipboard.');
    } catch {
      this.say('The browser did not allow the clipboard.');
    }
  }

  editDetails(dialog) {
    const form = dialog.querySelector('form');
    const details = this.session.details();
    const shown = {};
    for (const [name, value] of Object.entries(details)) {
      form.elements[name].value = value;
      shown[name] = form.elements[name].value; // as the field shows it (line endings made plain)
    }
    // The job file's limits, in characters as the core counts them: what
    // is over says so and OK waits.
    const problem = dialog.querySelector('#details-problem');
    const ok = form.querySelector('button[value="ok"]');
    const fields = () => Object.fromEntries(Object.keys(details).map((name) => [name, form.elements[name].value]));
    const check = () => {
      const problems = this.session.detailsProblems(fields());
      problem.textContent = problems.join(' ');
      ok.disabled = problems.length > 0;
    };
    form.oninput = check;
    check();
    dialog.onclose = () => {
      if (dialog.returnValue !== 'ok') return;
      const edited = fields();
      // Fields left as they were keep their text exactly.
      for (const name of Object.keys(details)) {
        if (edited[name] === shown[name]) edited[name] = details[name];
      }
      if (Object.keys(details).some((name) => edited[name] !== details[name])) {
        this.session.setDetails(edited);
        this.follow();
      }
    };
    dialog.showModal();
  }

  fitRoom(dialog) {
    const form = dialog.querySelector('form');
    const room = this.session.room();
    form.elements.distance.value = room.distance;
    form.elements.screenBottom.value = room.screenBottom;
    form.elements.kind.value = room.kind;
    const table = dialog.querySelector('#fit-table');
    const rows = dialog.querySelector('#fit-rows');
    const headers = [...this.session.roomFitHeaders(), 'Use'];
    table.tHead.replaceChildren();
    const head = table.tHead.insertRow();
    headers.forEach((text, index) => {
      const th = head.appendChild(this.doc.createElement('th'));
      th.scope = 'col';
      // The buttons' column is named for a screen reader only.
      const label = index === headers.length - 1 ? th.appendChild(this.doc.createElement('span')) : th;
      if (label !== th) label.className = 'visually-hidden';
      label.textContent = text;
    });
    const show = () => {
      for (const unit of dialog.querySelectorAll('.unit')) unit.textContent = this.session.roomUnit();
      dialog.querySelector('#fit-setting').textContent = this.session.roomSetting();
      dialog.querySelector('#fit-problem').textContent = this.session.roomProblem();
      const fit = this.session.roomFit();
      // No rows while the room gives no distance: no headers over nothing.
      rows.hidden = !fit;
      table.tBodies[0].replaceChildren();
      (fit ?? []).forEach((row) => {
        const tr = table.tBodies[0].insertRow();
        const th = this.doc.createElement('th');
        th.scope = 'row';
        th.textContent = row.projector;
        tr.appendChild(th);
        const cells = [row.limit, row.widthCaption, row.heightCaption, row.diagonalCaption, row.throwDistance,
          row.straightLine, row.verticalOffset, row.baseHeight];
        cells.forEach((text, index) => {
          const cell = tr.insertCell();
          cell.textContent = text;
          if (index === 0) cell.className = 'limit';
          if (index === cells.length - 1 && row.belowFloor) cell.classList.add('warning');
        });
        const use = this.doc.createElement('button');
        use.type = 'button';
        use.textContent = 'Use this size';
        use.setAttribute('aria-label', `Use this size for ${row.projector}`);
        use.disabled = !row.fits;
        use.addEventListener('click', () => this.view.act(undefined, () => this.session.useScreenWidth(row.width)));
        tr.insertCell().appendChild(use);
      });
    };
    form.oninput = () => {
      this.session.setRoom(form.elements.kind.value, form.elements.distance.value.trim(),
        form.elements.screenBottom.value.trim());
      show();
      this.follow();
    };
    show();
    dialog.showModal();
  }

  // After every change of the job: what beside the window shows it, and the
  // job kept for the next visit, once the changes stop coming.
  follow() {
    this.show();
    this.onFollow?.();
    clearTimeout(this.keepTimer);
    this.keepTimer = setTimeout(() => this.keep(), 300);
  }

  // Keeps the job now; a storage that will not keep it is said once, until it
  // keeps it again.
  keep() {
    clearTimeout(this.keepTimer);
    this.keepTimer = 0;
    const kept = keepJob(this.session.jobText());
    if (!kept && this.keptOk) {
      this.say('The browser did not keep this job for the next visit (its storage is full or refused): save it as a file.');
    }
    this.keptOk = kept;
  }

  show() {
    this.showRows();
    this.feet.checked = this.session.feetAndInches();
    this.feet.disabled = !this.session.feetAndInchesApply();
    this.drawDiagram();
  }

  // The diagram laid out for the section's width, its labels in the section's font size.
  drawDiagram() {
    if (this.diagram.hidden) return;
    const em = parseFloat(getComputedStyle(this.diagram).fontSize);
    this.diagram.innerHTML = diagramSvg(this.session.diagram(this.diagram.clientWidth, 0, em));
  }

  // The row chooser and each row caption's range hint, as the session gives
  // them now (the hints follow the size, the angle and the length format).
  showRows() {
    const { rows } = this.view.roles;
    rows.forEach((row, index) => {
      const projector = this.session.state(row.caption).caption;
      let option = this.row.options[index];
      if (!option) {
        option = this.doc.createElement('option');
        option.value = String(index);
        this.row.appendChild(option);
      }
      if (option.textContent !== projector) option.textContent = projector;
      const hint = this.session.rangeHint(index);
      const caption = this.view.elements[row.caption];
      if (caption.title !== hint) {
        caption.title = hint;
        caption.setAttribute('aria-description', hint);
      }
    });
    const chosen = String(this.session.chosenRow());
    if (this.row.value !== chosen) this.row.value = chosen;
  }

  // The job sheet for printing, as the core gives its content: the title,
  // the details, the audience, the inputs, the rows, the explanations and
  // the diagram of the chosen row.
  drawSheet() {
    const sheet = this.session.jobSheet();
    const escape = (text) => text.replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' }[c]));
    const fields = (list) => list.map(({ name, value }) => `<dt>${escape(name)}</dt><dd>${escape(value)}</dd>`).join('');
    const cell = (text, warning) => `<td${warning ? ' class="warning"' : ''}>${escape(text)}</td>`;
    const rows = sheet.rows.map((row) => `<tr${row.chosen ? ' class="chosen"' : ''}><th scope="row">${escape(row.projector)}</th>`
      + row.cells.map((text, index) => cell(text, index < 3 ? row.warning : row.baseBelowFloor)).join('') + '</tr>').join('');
    this.sheet.innerHTML = `<h1>${escape(sheet.title)}</h1><p class="subtitle">${escape(sheet.subtitle)}</p>`
      + (sheet.details.length ? `<dl>${fields(sheet.details)}</dl>` : '')
      + (sheet.notes ? `<h3>${escape(sheet.notesHeading)}</h3><p class="notes">${escape(sheet.notes)}</p>` : '')
      + sheet.audience.map((line) => `<p class="audience">${escape(line)}</p>`).join('')
      + `<dl class="inputs">${fields(sheet.inputs)}</dl>`
      + `<table><thead><tr>${sheet.headers.map((h) => `<th scope="col">${escape(h)}</th>`).join('')}</tr></thead>`
      + `<tbody>${rows}</tbody></table>`
      + sheet.explanations.map((text) => `<p class="explanation">${escape(text)}</p>`).join('')
      + `<h2>${escape(sheet.diagramHeading)}</h2>`
      + diagramSvg(this.session.diagram(700, 0, 13));
  }
}
