// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// What the start-up probes share: the choice of platform, and the end of the
// event loop once a window has painted for the first time. A probe that never
// paints ends on its own with kNoPaintStatus, so that no run can hang.

class QWidget;

namespace qvd::bench {

inline constexpr int kNoPaintStatus = 4;
inline constexpr int kPaintTimeoutMs = 5000;

// Chooses Qt's offscreen platform unless QT_QPA_PLATFORM already names one
// (xcb under xvfb, say). Call before the QApplication is made.
void useOffscreenUnlessChosen();

// The running event loop ends with status 0 once `window` has finished its
// first paint, children included, or with kNoPaintStatus when no paint has
// come kPaintTimeoutMs after this call.
void quitAtFirstPaint(QWidget& window);

} // namespace qvd::bench
