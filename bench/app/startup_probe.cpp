// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// qvdtalvern-startup-probe: the window program's start, up to the window's
// first paint. It builds the model and the view and runs them as the program
// does, then quits once the window has painted; timed from outside, it is the
// start-up the user waits for.

#include "first_paint.h"
#include "ui/qt/window_view.h"

#include <QApplication>

int main(int argc, char** argv)
{
    qvd::bench::useOffscreenUnlessChosen();
    QApplication app(argc, argv);
    qvd::MainWindow model(qvd::NumberFormat::fromEnvironment());
    qvd::WindowView view(model);
    qvd::bench::quitAtFirstPaint(view);
    return qvd::runWindow(view);
}
