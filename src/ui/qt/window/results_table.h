// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The window's results as assistive tools can read them: a table whose rows
// are the projectors and whose columns are the three distances, each cell
// the caption its label shows. It draws nothing and takes no input: the
// window looks and works as before, and its labels stay what they were.

#include <QWidget>

#include <vector>

namespace qvd {

class MainWindow;
class WindowView;

class ResultsTable : public QWidget {
public:
    // Lies beneath the result labels of `view`, over the model of `model`,
    // which must outlive it.
    ResultsTable(const MainWindow& model, WindowView& view);

    // The widgets of the row captions, the column headers and the results
    // (by row, then column), as the table reads them.
    [[nodiscard]] QWidget* rowHeader(int row) const;
    [[nodiscard]] QWidget* columnHeader(int column) const;
    [[nodiscard]] QWidget* result(int row, int column) const;
    [[nodiscard]] int rowCount() const;
    [[nodiscard]] int columnCount() const;

private:
    std::vector<QWidget*> m_rowHeaders;
    std::vector<QWidget*> m_columnHeaders;
    std::vector<QWidget*> m_results;
};

} // namespace qvd
