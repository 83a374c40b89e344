// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// qvdtalvern-startup-probe: the window program's start, up to the window's
// first paint. It builds the model and the view and runs them as the program
// does, then quits once the window has painted; timed from outside, it is the
// start-up the user waits for.

#include "first_paint.h"
#include "ui/qt/job/job_window.h"

#include <QApplication>

int main(int argc, char** argv)
{
    qvd::bench::useOffscreenUnlessChosen();
    QApplication app(argc, argv);
    qvd::JobSession session(qvd::NumberFormat::fromEnvironment());
    qvd::JobWindow window(session);
    qvd::bench::quitAtFirstPaint(window.view());
    return qvd::runWindow(window.view());
}
