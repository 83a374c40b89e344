// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The placement diagram as SVG, from the geometry the core works out: the
// screen, the projector standing on its floor, the beam from the lens and
// the three distances with the captions the table shows.

const escape = (text) => String(text).replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' }[c]));

export function diagramSvg(d) {
  if (!d.drawable) {
    return `<p><strong>${escape(d.projector)}</strong>: ${escape(d.notice)}${d.noticeDetail ? `; ${escape(d.noticeDetail)}` : ''}</p>`;
  }
  const margin = 0.08 * Math.max(d.maximum.x - d.minimum.x, d.maximum.y - d.minimum.y);
  const x0 = d.minimum.x - margin;
  const width = d.maximum.x - d.minimum.x + 2 * margin;
  const height = d.maximum.y - d.minimum.y + 2 * margin;
  // The core's y grows upwards; SVG's downwards.
  const y = (value) => d.maximum.y + margin - value;
  const line = (a, b, kind) => `<line class="${kind}" x1="${a.x}" y1="${y(a.y)}" x2="${b.x}" y2="${y(b.y)}"/>`;
  const label = (dimension) => {
    const mx = (dimension.from.x + dimension.to.x) / 2;
    const my = (dimension.from.y + dimension.to.y) / 2;
    return `${line(dimension.from, dimension.to, 'dimension')}<text x="${mx}" y="${y(my)}">${escape(dimension.label)}</text>`;
  };
  const body = `<rect class="projector" x="${Math.min(d.bodyFront.x, d.bodyBack.x)}" y="${y(d.bodyFront.y + d.bodyHeight)}" `
    + `width="${Math.abs(d.bodyFront.x - d.bodyBack.x)}" height="${d.bodyHeight}"/>`;
  const floor = d.room ? line({ x: d.minimum.x, y: d.room.y }, { x: d.maximum.x, y: d.room.y }, 'floor')
    + label(d.room.screenBottom) + label({ ...d.room.baseHeight, label: d.room.baseLabel }) : '';
  return `<svg class="placement" role="img" aria-label="${escape(d.description)}" viewBox="${x0} 0 ${width} ${height}" `
    + `style="--unit:${height / 40}px" xmlns="http://www.w3.org/2000/svg">`
    + line(d.screenBottom, d.screenTop, 'screen') + body + line(d.lens, d.screenCentre, 'beam')
    + label(d.throwDistance) + label(d.straightLine) + label(d.verticalOffset) + floor
    + `<text x="${d.screenTop.x}" y="${y(d.screenTop.y) - height / 60}" text-anchor="middle">Screen</text></svg>`;
}
