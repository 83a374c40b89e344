// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// Every dialog by keyboard, through the accessibility interfaces and on the
// screen: one row per dialog (dialog_cases.cpp), the same checks for each.
// The program runs at 1x on a 1280 px screen and again scaled 2x on a
// 2560x1800 one (see CMakeLists.txt); the layout check holds at both.

#include "dialog_cases.h"
#include "view_test_support.h"

#include "ui/job/table_report.h"
#include "ui/qt/job/room_fit_dialog.h"
#include "ui/qt/job/table_actions.h"
#include "ui/qt/print/placement_window.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <string>
#include <vector>

using namespace qvd;
using qvd::test::DialogCase;
using qvd::test::dialogCases;
using qvd::test::roles;
using qvd::test::WindowUnderTest;

namespace {

// Counts the times a widget is shown: each is an "object:state-changed:showing"
// for assistive tools, by which a screen reader announces an alert.
class ShowCounter : public QObject {
public:
    explicit ShowCounter(QWidget* widget)
        : QObject(widget)
    {
        widget->installEventFilter(this);
    }
    int shown = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        shown += event->type() == QEvent::Show ? 1 : 0;
        return false;
    }
};

QString accessibleText(QObject* object, QAccessible::Text text)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face != nullptr ? face->text(text) : QString();
}

QAccessible::Role accessibleRole(QObject* object)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face != nullptr ? face->role() : QAccessible::NoRole;
}

bool inside(const QWidget* widget, const QWidget* container)
{
    return widget == container || (widget != nullptr && container->isAncestorOf(widget));
}

} // namespace

class DialogConventionsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void keyboardPaths_data() { dialogRows(); }
    void keyboardPaths();
    void everyControlHasItsOwnName_data() { dialogRows(); }
    void everyControlHasItsOwnName();
    void problemsAreAnnounced_data() { dialogRows(); }
    void problemsAreAnnounced();
    void fitsTheScreen_data() { dialogRows(); }
    void fitsTheScreen();

    void fitTableReadsAsATable();
    void fitToRoomShrinksAgain();
    void useThisSizeByKeyboard();
    void menuFromTheKeyboardKeepsTheRowAndNamesIt_data();
    void menuFromTheKeyboardKeepsTheRowAndNamesIt();
    void exportOffersAFolderThatIsThere();
    void focusShowsOnTheScrollBars();
    void windowsAreFramesAndTheDiagramIsReachable();
    void resultsReadAsATable();

private:
    static void dialogRows()
    {
        QTest::addColumn<int>("row");
        for (std::size_t row = 0; row < dialogCases().size(); ++row)
            QTest::newRow(dialogCases()[row].name) << static_cast<int>(row);
    }
    // The dialog of the current row, opened on the window and active.
    QWidget* open()
    {
        QFETCH(int, row);
        m_case = &dialogCases()[static_cast<std::size_t>(row)];
        return reopen();
    }
    QWidget* reopen()
    {
        m_dialog = m_case->open(*m_window);
        if (m_dialog == nullptr || !QTest::qWaitForWindowActive(m_dialog))
            return nullptr;
        return m_dialog;
    }
    [[nodiscard]] RoomFitDialog* roomFit()
    {
        m_window->typeWith(Qt::ControlModifier, Qt::Key_F);
        RoomFitDialog* dialog = m_window->actions.roomFitDialog();
        return dialog != nullptr && QTest::qWaitForWindowActive(dialog) ? dialog : nullptr;
    }

    std::unique_ptr<WindowUnderTest> m_window;
    const DialogCase* m_case = nullptr;
    QPointer<QWidget> m_dialog;
};

void DialogConventionsTest::initTestCase() {}

void DialogConventionsTest::init()
{
    m_window = std::make_unique<WindowUnderTest>();
    QVERIFY(m_window->start());
    m_window->click(roles().continueButton());
}

void DialogConventionsTest::cleanup()
{
    delete m_dialog.data();
    m_window.reset();
}

// The focus starts where the dialog's work does, Tab and Shift+Tab leave a
// table, Return in the first field accepts only a dialog made to be
// accepted and never changes the job by itself, Escape closes, and the
// focus goes back to the window.
void DialogConventionsTest::keyboardPaths()
{
    QVERIFY(open() != nullptr);
    const DialogCase& c = *m_case;
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(c.firstFocus));

    if (c.table != nullptr) {
        auto* table = m_dialog->findChild<QWidget*>(QString::fromLatin1(c.table));
        for (const Qt::KeyboardModifiers modifiers :
            {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ShiftModifier),
                Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier}) {
            table->setFocus(Qt::TabFocusReason);
            QTest::keyClick(table, Qt::Key_Tab, modifiers);
            QVERIFY2(!inside(QApplication::focusWidget(), table), "Tab stays in the table");
        }
    }

    c.fill(*m_dialog);
    const qvd::test::WindowDump before = qvd::test::modelDump(m_window->model);
    auto* first = m_dialog->findChild<QWidget*>(QString::fromLatin1(c.firstFocus));
    first->setFocus(Qt::TabFocusReason);
    QTest::keyClick(first, Qt::Key_Return);
    QCOMPARE(qvd::test::writtenSince(m_window->model, before), QString());
    if (c.returnAccepts) {
        QTRY_VERIFY(m_dialog == nullptr || !m_dialog->isVisible());
        QVERIFY(reopen() != nullptr);
    } else {
        QVERIFY(m_dialog->isVisible());
    }

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTRY_VERIFY(m_dialog == nullptr || !m_dialog->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), &m_window->view);
    QVERIFY(m_window->view.isAncestorOf(QApplication::focusWidget()));
}

// What a screen reader says for each control that takes the focus or is a
// button: a name, and not the same name as another's.
void DialogConventionsTest::everyControlHasItsOwnName()
{
    QVERIFY(open() != nullptr);
    m_case->fill(*m_dialog);
    QStringList names;
    for (QWidget* widget : m_dialog->findChildren<QWidget*>()) {
        const bool control = (widget->focusPolicy() & Qt::TabFocus) != 0
            || (qobject_cast<QAbstractButton*>(widget) != nullptr && widget->isEnabled());
        if (!control || !widget->isVisibleTo(m_dialog))
            continue;
        const QString name = accessibleText(widget, QAccessible::Name);
        const QString what = QString::fromLatin1(widget->metaObject()->className()) + " " + widget->objectName();
        QVERIFY2(!name.isEmpty(), qPrintable(what + " has no name"));
        QVERIFY2(!names.contains(name), qPrintable(what + " shares the name " + name));
        names << name;
    }
    QVERIFY(!accessibleText(m_dialog, QAccessible::Name).isEmpty());
}

// A problem with the input is an alert, shown anew each time it changes so
// that it is announced again, and the field at fault carries it.
void DialogConventionsTest::problemsAreAnnounced()
{
    QVERIFY(open() != nullptr);
    if (!m_case->provokeProblem)
        QSKIP("this dialog takes no typed input");
    auto* problem = m_dialog->findChild<QLabel*>(QString::fromLatin1(m_case->problemText));
    auto* field = m_dialog->findChild<QWidget*>(QString::fromLatin1(m_case->faultyField));
    const auto* shows = new ShowCounter(problem);
    m_case->provokeProblem(*m_dialog);
    QVERIFY(problem->isVisible() && !problem->text().isEmpty());
    QCOMPARE(shows->shown, 1);
    QCOMPARE(accessibleRole(problem), QAccessible::AlertMessage);
    QCOMPARE(accessibleText(problem, QAccessible::Name), problem->text());
    QCOMPARE(accessibleText(field, QAccessible::Description), problem->text());
    QVERIFY(field->property("invalidEntry").toBool());
    // In view however small the dialog, beside its buttons.
    QVERIFY(!m_dialog->findChild<QWidget*>(QStringLiteral("dialogContent"))->isAncestorOf(problem));
    // Once more, wider of the mark: a new text, announced anew.
    const QString first = problem->text();
    QTest::keyClicks(field, QStringLiteral("x"));
    if (problem->text() != first)
        QCOMPARE(shows->shown, 2);
    // Put right, the field is valid again and nothing is left to say.
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTRY_VERIFY(!problem->isVisible());
    QVERIFY(!field->property("invalidEntry").toBool());
    QVERIFY(accessibleText(field, QAccessible::Description).isEmpty());
}

// Filled with all it shows, the dialog lies inside the screen's available
// area, could be made as small as that area, keeps its buttons in view, and
// cuts no text: every label, button and table column has the room its text
// asks for.
void DialogConventionsTest::fitsTheScreen()
{
    QVERIFY(open() != nullptr);
    m_case->fill(*m_dialog);
    QCoreApplication::processEvents();
    const QRect area = m_dialog->screen()->availableGeometry();
    const QString where = QStringLiteral("%1 at %2,%3 %4x%5 on %6x%7")
                              .arg(QString::fromLatin1(m_case->name))
                              .arg(m_dialog->frameGeometry().x())
                              .arg(m_dialog->frameGeometry().y())
                              .arg(m_dialog->frameGeometry().width())
                              .arg(m_dialog->frameGeometry().height())
                              .arg(area.width())
                              .arg(area.height());
    QVERIFY2(area.contains(m_dialog->frameGeometry()), qPrintable(where));
    const QSize smallest = m_dialog->minimumSizeHint().expandedTo(m_dialog->minimumSize());
    QVERIFY2(smallest.width() <= area.width() && smallest.height() <= area.height(), qPrintable(where));
    for (const QDialogButtonBox* buttons : m_dialog->findChildren<QDialogButtonBox*>()) {
        const QRect placed(buttons->mapTo(m_dialog, QPoint()), buttons->size());
        QVERIFY2(m_dialog->rect().contains(placed), qPrintable(where + " cuts its buttons"));
    }
    for (const QWidget* widget : m_dialog->findChildren<QWidget*>()) {
        // A line edit's own clear button is the edit's to lay out.
        if (!widget->isVisibleTo(m_dialog) || qobject_cast<const QLineEdit*>(widget->parentWidget()) != nullptr
            || !(qobject_cast<const QLabel*>(widget) || qobject_cast<const QAbstractButton*>(widget)
                || qobject_cast<const QLineEdit*>(widget)))
            continue;
        const QSize needs = widget->minimumSizeHint();
        QVERIFY2(widget->width() >= needs.width() && widget->height() >= needs.height(),
            qPrintable(where + " cuts " + widget->objectName() + " " + widget->metaObject()->className()));
    }
    for (const QTableWidget* table : m_dialog->findChildren<QTableWidget*>()) {
        for (int column = 0; column < table->columnCount(); ++column) {
            int needs = table->horizontalHeader()->sectionSizeHint(column);
            for (int row = 0; row < table->rowCount(); ++row)
                needs = std::max(needs, table->fontMetrics().horizontalAdvance(table->item(row, column)->text()));
            QVERIFY2(
                table->columnWidth(column) >= needs, qPrintable(where + QStringLiteral(" cuts column %1").arg(column)));
        }
        QVERIFY(table->verticalHeader()->width() >= table->verticalHeader()->sizeHint().width());
    }
    const QDir renders(QStringLiteral(QVD_RENDER_DIR));
    QVERIFY(renders.mkpath(QStringLiteral(".")));
    const QString scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? QStringLiteral("2x") : QStringLiteral("1x");
    QVERIFY(m_dialog->grab().save(
        renders.filePath(QStringLiteral("dialog-%1-%2.png").arg(QString::fromLatin1(m_case->name), scale))));
}

// The Fit table through the accessibility interfaces: its rows headed by
// the projectors, its last column headed, and a "Use this size" per row
// among its cells, named for the row's projector.
void DialogConventionsTest::fitTableReadsAsATable()
{
    RoomFitDialog* dialog = roomFit();
    QVERIFY(dialog != nullptr);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(dialog->table());
    QVERIFY(table != nullptr && table->tableInterface() != nullptr);
    QAccessibleTableInterface* cells = table->tableInterface();
    const TableReport projectors = tableReport(m_window->model);
    QStringList children;
    for (int child = 0; child < table->childCount(); ++child)
        children << table->child(child)->text(QAccessible::Name);
    for (int row = 0; row < cells->rowCount(); ++row) {
        const QString projector = QString::fromStdString(projectors.rows[static_cast<std::size_t>(row)].projector);
        QAccessibleTableCellInterface* first = cells->cellAt(row, 0)->tableCellInterface();
        QCOMPARE(first->rowHeaderCells().value(0)->text(QAccessible::Name), projector);
        QAccessibleInterface* use = cells->cellAt(row, RoomFitDialog::useColumn());
        QCOMPARE(use->text(QAccessible::Name), QStringLiteral("Use this size for %1").arg(projector));
        QVERIFY(children.contains(use->text(QAccessible::Name)));
        QVERIFY(!use->tableCellInterface()->columnHeaderCells().value(0)->text(QAccessible::Name).isEmpty());
    }
    QCOMPARE(cells->rowCount(), static_cast<int>(kRowCount));
}

// The dialog grows to show a wider answer and shrinks again when the answer
// goes.
void DialogConventionsTest::fitToRoomShrinksAgain()
{
    RoomFitDialog* dialog = roomFit();
    QVERIFY(dialog != nullptr);
    const int empty = dialog->width();
    qvd::test::typeInto(*dialog, "roomScreenBottom", QStringLiteral("30"));
    qvd::test::typeInto(*dialog, "roomDistance", QStringLiteral("250"));
    const int answered = dialog->width();
    if (dialog->frameGeometry().width() >= dialog->screen()->availableGeometry().width())
        QSKIP("at this scale the screen's width bounds the dialog, answer or none");
    QVERIFY2(answered > empty, qPrintable(QStringLiteral("%1 then %2").arg(empty).arg(answered)));
    qvd::test::typeInto(*dialog, "roomScreenBottom", QString());
    qvd::test::typeInto(*dialog, "roomDistance", QString());
    QTRY_VERIFY2(dialog->width() < answered, qPrintable(QStringLiteral("still %1").arg(dialog->width())));
}

// In the table, the arrows reach a row's "Use this size" and Return or
// Space uses it; a row without a size takes neither.
void DialogConventionsTest::useThisSizeByKeyboard()
{
    RoomFitDialog* dialog = roomFit();
    QVERIFY(dialog != nullptr);
    QTableWidget* table = dialog->table();
    const auto press = [&](int row, Qt::Key key) {
        table->setFocus(Qt::TabFocusReason);
        table->setCurrentCell(row, RoomFitDialog::useColumn());
        QTest::keyClick(table, key);
    };
    const qvd::test::WindowDump before = qvd::test::modelDump(m_window->model);
    qvd::test::typeInto(*dialog, "roomDistance", QStringLiteral("40")); // too short a room for some
    int without = -1;
    for (int row = 0; row < table->rowCount() && without < 0; ++row)
        without = table->item(row, 1)->text().isEmpty() ? row : -1;
    QVERIFY(without >= 0);
    press(without, Qt::Key_Return);
    press(without, Qt::Key_Space);
    QCOMPARE(qvd::test::writtenSince(m_window->model, before), QString());
    qvd::test::typeInto(*dialog, "roomDistance", QStringLiteral("250"));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        const int row = key == Qt::Key_Return ? 2 : 6;
        press(row, key);
        const MainWindow& model = m_window->model;
        QVERIFY(model.controls().isSelected(model.sizeOption(Sizing::Width)));
        QCOMPARE(model.controls().value(model.widthBar()), table->item(row, 1)->text().toInt());
    }
    QVERIFY(dialog->isVisible());
}

void DialogConventionsTest::menuFromTheKeyboardKeepsTheRowAndNamesIt_data()
{
    QTest::addColumn<bool>("menuEvent"); // the platform's context menu key, or the window's shortcut
    QTest::newRow("Menu key as a context menu event") << true;
    QTest::newRow("Shift+F10") << false;
}

// Opened from the keyboard, the menu chooses no row by where it opens: it
// names the row it will use, opens on its first entry, and its "Projector
// row" entry chooses another from the keyboard.
void DialogConventionsTest::menuFromTheKeyboardKeepsTheRowAndNamesIt()
{
    QFETCH(bool, menuEvent);
    QMenu* menu = m_window->actions.menu();
    m_window->widget(roles().angleBar())->setFocus();
    const auto openByKeyboard = [&] {
        if (menuEvent) {
            QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(), m_window->view.mapToGlobal(QPoint()));
            QApplication::sendEvent(&m_window->view, &event);
        } else {
            m_window->typeWith(Qt::ShiftModifier, Qt::Key_F10);
        }
        return QTest::qWaitFor([&] { return QApplication::activePopupWidget() == menu; });
    };
    QVERIFY(openByKeyboard());
    QCOMPARE(m_window->session.chosenRow(), std::size_t{0});
    QAction* first = menu->actions().value(0);
    QCOMPARE(first->text(), QStringLiteral("Placement &diagram for Ulmo"));
    QCOMPARE(menu->activeAction(), first);
    for (const QAction* action : menu->actions()) // each can be chosen by a letter
        QVERIFY2(action->isSeparator() || action->text().remove(QStringLiteral("&&")).contains(QLatin1Char('&')),
            qPrintable(action->text()));

    // Projector row, the third projector.
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Right);
    QMenu* rows = menu->findChild<QMenu*>(QStringLiteral("projectorRows"));
    QTRY_COMPARE(QApplication::activePopupWidget(), rows);
    QCOMPARE(accessibleText(rows, QAccessible::Name), QStringLiteral("Projector row"));
    // Through the menus' own interfaces: an entry that opens a submenu says
    // so, and the rows are radio buttons, the chosen one checked.
    QAccessibleInterface* entries = QAccessible::queryAccessibleInterface(menu);
    QVERIFY(entries->child(1)->state().hasPopup);
    QAccessibleInterface* firstRow = QAccessible::queryAccessibleInterface(rows)->child(0);
    QCOMPARE(firstRow->role(), QAccessible::RadioButton);
    QVERIFY(firstRow->state().checkable && firstRow->state().checked);
    QCOMPARE(firstRow->text(QAccessible::Name), QStringLiteral("Ulmo"));
    QTest::keyClick(rows, Qt::Key_Down);
    QTest::keyClick(rows, Qt::Key_Down);
    QTest::keyClick(rows, Qt::Key_Return);
    QTRY_VERIFY(!menu->isVisible());
    QCOMPARE(m_window->session.chosenRow(), std::size_t{2});
    QVERIFY(openByKeyboard());
    const QString third = QString::fromStdString(tableReport(m_window->model).rows[2].projector);
    QCOMPARE(first->text(), QStringLiteral("Placement &diagram for %1").arg(third));
    menu->hide();
}

// With no documents folder, the name offered for the job sheet is one that
// can be written.
void DialogConventionsTest::exportOffersAFolderThatIsThere()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QByteArray savedHome = qgetenv("HOME");
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    QString offered;
    QStringList told;
    m_window->actions.setFileChooser([&](QWidget*, const QString& suggested) { return offered = suggested; });
    m_window->actions.setMessenger([&](QWidget*, const QString& text) { told << text; });
    m_window->typeWith(Qt::ControlModifier, Qt::Key_E);
    qputenv("HOME", savedHome);
    if (savedConfig.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", savedConfig);
    QVERIFY2(told.isEmpty(), qPrintable(told.join(QLatin1Char('\n'))));
    QVERIFY2(QFileInfo(offered).isFile(), qPrintable(offered));
}

// The control with the focus shows it from the moment the introduction
// closes, without a Tab first, and each scroll bar shows it too.
void DialogConventionsTest::focusShowsOnTheScrollBars()
{
    const auto showsFocus = [](QWidget* widget) {
        widget->setFocus();
        const QImage focused = widget->grab().toImage();
        widget->clearFocus();
        return widget->grab().toImage() != focused;
    };
    QWidget* first = QApplication::focusWidget();
    QVERIFY(first != nullptr);
    const QImage withFocus = first->grab().toImage();
    first->clearFocus();
    QVERIFY(first->grab().toImage() != withFocus);
    int bars = 0;
    for (QScrollBar* bar : m_window->view.findChildren<QScrollBar*>()) {
        if (!bar->isVisible())
            continue;
        ++bars;
        QVERIFY2(showsFocus(bar), qPrintable(bar->objectName()));
    }
    QVERIFY(bars >= 1);
}

// The main window and the diagram's are windows to assistive tools, and the
// drawing is reached by Tab and described.
void DialogConventionsTest::windowsAreFramesAndTheDiagramIsReachable()
{
    QCOMPARE(accessibleRole(&m_window->view), QAccessible::Window);
    m_window->typeWith(Qt::ControlModifier, Qt::Key_D);
    PlacementWindow* placement = m_window->actions.placementWindow();
    QVERIFY(placement != nullptr && QTest::qWaitForWindowActive(placement));
    QCOMPARE(accessibleRole(placement), QAccessible::Window);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* drawing = QApplication::focusWidget();
    QCOMPARE(drawing->objectName(), QStringLiteral("placementDiagram"));
    QCOMPARE(accessibleRole(drawing), QAccessible::Graphic);
    QVERIFY(accessibleText(drawing, QAccessible::Description).startsWith(QStringLiteral("Ulmo: throw distance")));
}

// The window's results through the accessibility interfaces: a table with a
// row per projector and a column per distance, each cell what its label
// shows; a row of warning words is described by them together.
void DialogConventionsTest::resultsReadAsATable()
{
    const auto tables = m_window->view.findChildren<QWidget*>(QStringLiteral("resultsTable"));
    QCOMPARE(tables.size(), 1);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(tables.front());
    QCOMPARE(table->role(), QAccessible::Table);
    QAccessibleTableInterface* cells = table->tableInterface();
    QCOMPARE(cells->rowCount(), static_cast<int>(kRowCount));
    QCOMPARE(cells->columnCount(), static_cast<int>(kColumnCount));
    const Column columns[] = {Column::Throw, Column::Straight, Column::Offset};
    int warnings = 0;
    for (std::size_t row = 0; row < kRowCount; ++row) {
        QStringList shown;
        for (int column = 0; column < 3; ++column) {
            const int r = static_cast<int>(row);
            QAccessibleInterface* cell = cells->cellAt(r, column);
            shown << m_window->shown(m_window->model.resultLabel(row, columns[column]));
            QCOMPARE(cell->text(QAccessible::Name), shown.back());
            QAccessibleTableCellInterface* place = cell->tableCellInterface();
            QCOMPARE(place->rowHeaderCells().value(0)->text(QAccessible::Name),
                m_window->shown(m_window->model.rowCaption(row)));
            QCOMPARE(place->columnHeaderCells().value(0)->text(QAccessible::Name),
                m_window->shown(m_window->model.columnHeader(columns[column])));
            QCOMPARE(table->indexOfChild(cell), 3 + r * 4 + column + 1);
            QCOMPARE(table->child(table->indexOfChild(cell))->text(QAccessible::Name), shown.back());
        }
        const QString description = cells->cellAt(static_cast<int>(row), 0)
                                        ->tableCellInterface()
                                        ->rowHeaderCells()
                                        .value(0)
                                        ->text(QAccessible::Description);
        const bool words = !shown.join(QString()).contains(QRegularExpression(QStringLiteral("\\d")));
        QCOMPARE(description, words ? shown.join(QLatin1Char(' ')) : QString());
        warnings += words ? 1 : 0;
    }
    QVERIFY(warnings > 0); // at start-up, "Screen Too Big" among them
    // Beneath the labels, it leaves the mouse to them.
    QCOMPARE(m_window->view.childAt(m_window->widget(roles().rowCaption(0))->geometry().center()),
        m_window->widget(roles().rowCaption(0)));
}

QTEST_MAIN(DialogConventionsTest)
#include "tst_dialog_conventions.moc"
