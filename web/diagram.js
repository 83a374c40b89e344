// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The placement diagram as SVG, painted from the layout the core gives
// (session.diagram): every shape and label already stands where it goes, in
// the frame's pixels, with its size and colour. Nothing here decides where.

const escape = (text) => String(text).replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' }[c]));

const stroke = (s) => (s.stroke
  ? ` stroke="${s.stroke}" stroke-width="${s.strokeWidth}"${s.dashed ? ` stroke-dasharray="${4 * s.strokeWidth} ${3 * s.strokeWidth}"` : ''}`
  : '');

function shapeSvg(s) {
  const fill = ` fill="${s.fill ?? 'none'}"`;
  const [p, q] = s.points;
  switch (s.kind) {
    case 'line':
      return `<line x1="${p.x}" y1="${p.y}" x2="${q.x}" y2="${q.y}"${stroke(s)}/>`;
    case 'polygon':
      return `<polygon points="${s.points.map((point) => `${point.x},${point.y}`).join(' ')}"${fill}${stroke(s)}/>`;
    case 'dot':
      return `<circle cx="${p.x}" cy="${p.y}" r="${s.radius}"${fill}/>`;
    case 'arc': {
      // Anticlockwise as the eye sees it, in SVG's downward y.
      const at = (degrees) => {
        const radians = (degrees * Math.PI) / 180;
        return `${p.x + s.radius * Math.cos(radians)} ${p.y - s.radius * Math.sin(radians)}`;
      };
      const large = Math.abs(s.spanDegrees) > 180 ? 1 : 0;
      const sweep = s.spanDegrees > 0 ? 0 : 1;
      return `<path d="M ${at(s.startDegrees)} A ${s.radius} ${s.radius} 0 ${large} ${sweep} ${at(s.startDegrees + s.spanDegrees)}" fill="none"${stroke(s)}/>`;
    }
    default:
      return '';
  }
}

function labelSvg(label, ground) {
  const cx = label.left + label.width / 2;
  const cy = label.top + label.height / 2;
  const turn = label.turned ? ` transform="rotate(-90 ${cx} ${cy})"` : '';
  return `<rect x="${label.left}" y="${label.top}" width="${label.width}" height="${label.height}" fill="${ground}"/>`
    + `<text x="${cx}" y="${cy}" text-anchor="middle" dominant-baseline="central" fill="${label.colour}"`
    + ` style="font-size:${label.size}px${label.bold ? ';font-weight:bold' : ''}"${turn}>${escape(label.text)}</text>`;
}

export function diagramSvg(diagram) {
  const { layout } = diagram;
  const body = layout.fits
    ? layout.shapes.map(shapeSvg).join('') + layout.labels.map((label) => labelSvg(label, layout.ground)).join('')
    : '';
  return `<svg class="placement" role="img" aria-label="${escape(diagram.description)}" `
    + `viewBox="0 0 ${layout.width} ${layout.height}" width="${layout.width}" height="${layout.height}" `
    + `style="--unit:${layout.em}px" xmlns="http://www.w3.org/2000/svg">${body}</svg>`;
}
