// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// qvdtalvern: the window program.

#include "ui/qt/window_view.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    qvd::MainWindow model(qvd::NumberFormat::fromEnvironment());
    qvd::WindowView view(model);
    return qvd::runWindow(view);
}
