// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/window/results_table.h"

#include "ui/qt/window/window_view.h"
#include "ui/window/main_window.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>

#include <algorithm>
#include <map>

namespace qvd {

namespace {

QString shownText(const QWidget* widget)
{
    const auto* label = qobject_cast<const QLabel*>(widget);
    return label != nullptr ? label->text() : QString();
}

class AccessibleResultsTable;

// A cell of the table: a result (row and column from 0), a row's header
// (column -1) or a column's header (row -1). It reads the label it stands for.
class AccessibleResultCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    AccessibleResultCell(ResultsTable* table, int row, int column)
        : m_table(table)
        , m_row(row)
        , m_column(column)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }
    [[nodiscard]] bool isValid() const override { return m_table != nullptr; }
    [[nodiscard]] QObject* object() const override { return nullptr; }
    [[nodiscard]] QWindow* window() const override { return m_table->window()->windowHandle(); }
    [[nodiscard]] QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_table.data());
    }
    [[nodiscard]] QAccessibleInterface* child(int) const override { return nullptr; }
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    [[nodiscard]] QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    [[nodiscard]] QAccessibleInterface* focusChild() const override { return nullptr; }
    [[nodiscard]] QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    [[nodiscard]] QAccessible::Role role() const override
    {
        if (m_row < 0)
            return QAccessible::ColumnHeader;
        return m_column < 0 ? QAccessible::RowHeader : QAccessible::Cell;
    }
    [[nodiscard]] QAccessible::State state() const override
    {
        QAccessible::State state;
        state.readOnly = true;
        state.invisible = !widget()->isVisible();
        return state;
    }
    [[nodiscard]] QRect rect() const override
    {
        const QWidget* shown = widget();
        return QRect(shown->mapToGlobal(QPoint()), shown->size());
    }

    // QAccessibleTableCellInterface
    [[nodiscard]] bool isSelected() const override { return false; }
    [[nodiscard]] QList<QAccessibleInterface*> columnHeaderCells() const override;
    [[nodiscard]] QList<QAccessibleInterface*> rowHeaderCells() const override;
    [[nodiscard]] int columnIndex() const override { return std::max(m_column, 0); }
    [[nodiscard]] int rowIndex() const override { return std::max(m_row, 0); }
    [[nodiscard]] int columnExtent() const override { return 1; }
    [[nodiscard]] int rowExtent() const override { return 1; }
    [[nodiscard]] QAccessibleInterface* table() const override { return parent(); }

private:
    [[nodiscard]] QWidget* widget() const
    {
        if (m_row < 0)
            return m_table->columnHeader(m_column);
        return m_column < 0 ? m_table->rowHeader(m_row) : m_table->result(m_row, m_column);
    }

    QPointer<ResultsTable> m_table;
    int m_row;
    int m_column;
};

// The table: its children are the column headers, then each row's header
// and results. The cells are made when first asked for and kept.
class AccessibleResultsTable : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit AccessibleResultsTable(ResultsTable* table)
        : QAccessibleWidget(table, QAccessible::Table)
    {
    }
    ~AccessibleResultsTable() override
    {
        for (const auto& [key, id] : m_cells)
            QAccessible::deleteAccessibleInterface(id);
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    [[nodiscard]] QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return QStringLiteral("Results");
        return QAccessibleWidget::text(t);
    }
    [[nodiscard]] int childCount() const override { return columns() + rows() * (columns() + 1); }
    [[nodiscard]] QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (index < columns())
            return cell(-1, index);
        index -= columns();
        return cell(index / (columns() + 1), index % (columns() + 1) - 1);
    }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override
    {
        const QAccessibleTableCellInterface* face
            = child != nullptr ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
        if (face == nullptr || child->parent() == nullptr || child->parent()->object() != object())
            return -1;
        const QAccessible::Role role = const_cast<QAccessibleInterface*>(child)->role();
        if (role == QAccessible::ColumnHeader)
            return face->columnIndex();
        const int column = role == QAccessible::RowHeader ? -1 : face->columnIndex();
        return columns() + face->rowIndex() * (columns() + 1) + column + 1;
    }
    [[nodiscard]] QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int index = 0; index < childCount(); ++index) {
            if (QAccessibleInterface* cell = child(index); cell->rect().contains(x, y))
                return cell;
        }
        return nullptr;
    }

    // QAccessibleTableInterface
    [[nodiscard]] QAccessibleInterface* caption() const override { return nullptr; }
    [[nodiscard]] QAccessibleInterface* summary() const override { return nullptr; }
    [[nodiscard]] QAccessibleInterface* cellAt(int row, int column) const override
    {
        return row >= 0 && row < rows() && column >= 0 && column < columns() ? cell(row, column) : nullptr;
    }
    [[nodiscard]] int selectedCellCount() const override { return 0; }
    [[nodiscard]] QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    [[nodiscard]] QString columnDescription(int column) const override
    {
        return cell(-1, column)->text(QAccessible::Name);
    }
    [[nodiscard]] int columnCount() const override { return columns(); }
    [[nodiscard]] QString rowDescription(int row) const override { return cell(row, -1)->text(QAccessible::Name); }
    [[nodiscard]] int rowCount() const override { return rows(); }
    [[nodiscard]] int selectedColumnCount() const override { return 0; }
    [[nodiscard]] int selectedRowCount() const override { return 0; }
    [[nodiscard]] QList<int> selectedColumns() const override { return {}; }
    [[nodiscard]] QList<int> selectedRows() const override { return {}; }
    [[nodiscard]] bool isColumnSelected(int) const override { return false; }
    [[nodiscard]] bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    [[nodiscard]] QAccessibleInterface* cell(int row, int column) const
    {
        const auto key = std::make_pair(row, column);
        auto found = m_cells.find(key);
        if (found == m_cells.end()) {
            auto* made = new AccessibleResultCell(results(), row, column);
            found = m_cells.emplace(key, QAccessible::registerAccessibleInterface(made)).first;
        }
        return QAccessible::accessibleInterface(found->second);
    }

private:
    [[nodiscard]] ResultsTable* results() const { return static_cast<ResultsTable*>(widget()); }
    [[nodiscard]] int rows() const { return results()->rowCount(); }
    [[nodiscard]] int columns() const { return results()->columnCount(); }

    mutable std::map<std::pair<int, int>, QAccessible::Id> m_cells;
};

QString AccessibleResultCell::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return shownText(widget());
    // A row whose results are words (a range warning set across the row) is
    // described by the words together, as one says them.
    if (t == QAccessible::Description && m_column < 0 && m_row >= 0) {
        QStringList words;
        bool numbers = false;
        for (int column = 0; column < m_table->columnCount(); ++column) {
            const QString shown = shownText(m_table->result(m_row, column));
            const bool number = std::any_of(shown.begin(), shown.end(), [](QChar c) { return c.isDigit(); });
            numbers = numbers || number || shown.isEmpty();
            words << shown;
        }
        return numbers ? QString() : words.join(QLatin1Char(' '));
    }
    return {};
}

QList<QAccessibleInterface*> AccessibleResultCell::columnHeaderCells() const
{
    if (m_row < 0 || m_column < 0)
        return {};
    return {static_cast<AccessibleResultsTable*>(parent())->cell(-1, m_column)};
}

QList<QAccessibleInterface*> AccessibleResultCell::rowHeaderCells() const
{
    if (m_row < 0 || m_column < 0)
        return {};
    return {static_cast<AccessibleResultsTable*>(parent())->cell(m_row, -1)};
}

const char* const kResultsTableName = "resultsTable";

QAccessibleInterface* resultsTableInterface(const QString&, QObject* object)
{
    if (object->objectName() != QLatin1String(kResultsTableName))
        return nullptr;
    if (auto* table = dynamic_cast<ResultsTable*>(object))
        return new AccessibleResultsTable(table);
    return nullptr;
}

} // namespace

ResultsTable::ResultsTable(const MainWindow& model, WindowView& view)
    : QWidget(&view)
{
    static const bool installed = [] {
        QAccessible::installFactory(resultsTableInterface);
        return true;
    }();
    (void)installed;
    setObjectName(QString::fromLatin1(kResultsTableName));
    QRect covers;
    for (std::size_t row = 0; row < kRowCount; ++row) {
        m_rowHeaders.push_back(view.widget(model.rowCaption(row)));
        for (std::size_t column = 0; column < kColumnCount; ++column)
            m_results.push_back(view.widget(model.resultLabel(row, static_cast<Column>(column))));
    }
    for (std::size_t column = 0; column < kColumnCount; ++column)
        m_columnHeaders.push_back(view.widget(model.columnHeader(static_cast<Column>(column))));
    for (const QWidget* part : m_rowHeaders)
        covers |= part->geometry();
    for (const QWidget* part : m_columnHeaders)
        covers |= part->geometry();
    // Beneath the labels, never drawn into, passing the mouse on.
    setGeometry(covers);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    lower();
}

QWidget* ResultsTable::rowHeader(int row) const { return m_rowHeaders.at(static_cast<std::size_t>(row)); }

QWidget* ResultsTable::columnHeader(int column) const { return m_columnHeaders.at(static_cast<std::size_t>(column)); }

QWidget* ResultsTable::result(int row, int column) const
{
    return m_results.at(static_cast<std::size_t>(row) * kColumnCount + static_cast<std::size_t>(column));
}

int ResultsTable::rowCount() const { return static_cast<int>(m_rowHeaders.size()); }

int ResultsTable::columnCount() const { return static_cast<int>(m_columnHeaders.size()); }

} // namespace qvd
