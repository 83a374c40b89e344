// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// Every dialog and tool window of the window program, as rows of one table
// that the keyboard, accessibility and layout tests all walk. A dialog added
// to the program joins them all by adding its row to dialogCases().

#include "view_test_support.h"

#include <QWidget>

#include <functional>
#include <vector>

namespace qvd::test {

struct DialogCase {
    const char* name;
    // Opens the dialog on the window as the user does and returns it, shown;
    // the introduction is closed already.
    std::function<QWidget*(WindowUnderTest&)> open;
    // Fills the dialog with as much as it can show, for the layout check.
    std::function<void(QWidget& dialog)> fill;
    // The objectName of the control the focus starts on.
    const char* firstFocus;
    // The objectName of a table in it, or nullptr.
    const char* table;
    // Return in the first control accepts the dialog (it has a default
    // button); otherwise Return leaves the dialog open and the job unchanged.
    bool returnAccepts;
    // Makes the dialog show a problem with the user's input, or nothing.
    std::function<void(QWidget& dialog)> provokeProblem;
    // The objectNames of the problem text and the field at fault.
    const char* problemText;
    const char* faultyField;
};

[[nodiscard]] const std::vector<DialogCase>& dialogCases();

// Replaces the text of the line edit `name` in `dialog` by typing `text`.
void typeInto(QWidget& dialog, const char* name, const QString& text);

} // namespace qvd::test
