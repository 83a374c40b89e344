// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// qt-floor-probe: a bare Qt window holding one label, up to its first paint.
// What Qt itself costs to start and show a window: the floor under the time
// and memory that qvdtalvern-startup-probe measures.

#include "first_paint.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv)
{
    qvd::bench::useOffscreenUnlessChosen();
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("QVD and TALVERN SERIES"));
    QLabel label(QStringLiteral("THROW DISTANCE"), &window);
    label.move(10, 10);
    qvd::bench::quitAtFirstPaint(window);
    window.show();
    return QApplication::exec();
}
