// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The window's context menu and shortcuts: the table on the clipboard, the
// job sheet as a PDF file, the menu from the keyboard, and all of it waiting
// for the introduction to close.

#include "view_test_support.h"

#include "ui/job/table_report.h"
#include "ui/qt/job/table_actions.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace qvd;
using qvd::test::result;
using qvd::test::roles;
using qvd::test::rowCaption;
using qvd::test::WindowUnderTest;

namespace {

// Runs `undo` when it goes out of scope: shared state comes back on every path.
struct Restore {
    std::function<void()> undo;
    ~Restore() { undo(); }
};

// The page objects of a PDF file, leaving out the page tree (/Type /Pages).
int pageCount(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    int count = 0;
    for (auto matches = page.globalMatch(QString::fromLatin1(pdf)); matches.hasNext(); matches.next())
        ++count;
    return count;
}

} // namespace

class TableActionsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_window.reset(); }

    void copyWaitsForTheIntroductionThenCopiesTheTable();
    void menuOpensFromTheKeyboard_data();
    void menuOpensFromTheKeyboard();
    void jobSheetIsOnePdfPageOnTheLocalesPaper_data();
    void jobSheetIsOnePdfPageOnTheLocalesPaper();

private:
    [[nodiscard]] QMenu* menu() const { return m_window->actions.menu(); }
    // A chooser that answers `path` and records what it was offered.
    void chooseFile(const QString& path)
    {
        m_window->actions.setFileChooser([this, path](QWidget*, const QString& suggested) {
            m_suggested = suggested;
            return path;
        });
    }

    std::unique_ptr<WindowUnderTest> m_window;
    QString m_suggested;
};

void TableActionsTest::init()
{
    m_window = std::make_unique<WindowUnderTest>();
    m_suggested.clear();
    chooseFile(QString()); // never the modal dialog
    QVERIFY(m_window->start());
}

// Nothing beneath the introduction takes input, the table's menu included;
// once it is closed, Ctrl+C copies the table as it is now.
void TableActionsTest::copyWaitsForTheIntroductionThenCopiesTheTable()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    for (const Qt::Key key : {Qt::Key_C, Qt::Key_D, Qt::Key_E})
        m_window->typeWith(Qt::ControlModifier, key);
    m_window->typeWith(Qt::ShiftModifier, Qt::Key_F10);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
    QVERIFY(!menu()->isVisible());
    QVERIFY(m_window->actions.placementWindow() == nullptr);
    QVERIFY(m_suggested.isEmpty());

    m_window->click(roles().continueButton());
    m_window->click(roles().sizeOption(Sizing::Width));
    m_window->widget(roles().sizeBar(Sizing::Width))->setFocus();
    m_window->type(Qt::Key_PageUp, 3); // 70 in.: Corvin NRX fits, Corvin WT1 is too small
    m_window->typeWith(Qt::ControlModifier, Qt::Key_C);
    const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 14); // a line break ends the last line
    QCOMPARE(lines[1], QStringLiteral("70\t52.50\t87.50\t10\tin."));
    QCOMPARE(lines[7],
        QStringLiteral("Corvin NRX\t") + m_window->held(result("Corvin NRX", Column::Throw)) + "\t"
            + m_window->held(result("Corvin NRX", Column::Straight)) + "\t"
            + m_window->held(result("Corvin NRX", Column::Offset)));
    QCOMPARE(lines[8], QStringLiteral("Corvin WT1\tScreen\tToo\tSmall"));
}

void TableActionsTest::menuOpensFromTheKeyboard_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("key");
    QTest::newRow("Shift+F10") << int(Qt::ShiftModifier) << int(Qt::Key_F10);
    QTest::newRow("Menu key") << int(Qt::NoModifier) << int(Qt::Key_Menu);
}

// The menu opens on whatever has the focus, shows the actions' shortcuts and
// is worked with the arrows and Return.
void TableActionsTest::menuOpensFromTheKeyboard()
{
    QFETCH(int, modifiers);
    QFETCH(int, key);
    m_window->click(roles().continueButton());
    m_window->widget(roles().angleBar())->setFocus();
    m_window->typeWith(Qt::KeyboardModifiers(modifiers), Qt::Key(key));
    QTRY_COMPARE(QApplication::activePopupWidget(), menu());
    for (const QAction* action : menu()->actions()) // each shows its shortcut; a submenu opens
        QVERIFY(action->isSeparator() || action->menu() != nullptr
            || (action->isShortcutVisibleInContextMenu() && !action->shortcut().isEmpty()));
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(menu(), Qt::Key_Down);
    QTest::keyClick(menu(), Qt::Key_Down);
    QTest::keyClick(menu(), Qt::Key_Return);
    QTRY_VERIFY(!menu()->isVisible());
    QCOMPARE(QGuiApplication::clipboard()->text(),
        QString::fromStdString(tableAsTabSeparatedText(m_window->model, LengthFormat::Decimal)));
}

void TableActionsTest::jobSheetIsOnePdfPageOnTheLocalesPaper_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("mediaBox"); // width and height in points
    QTest::newRow("US: Letter") << "en_US"
                                << "612 792";
    QTest::newRow("Germany: A4") << "de_DE"
                                 << "595 842";
}

void TableActionsTest::jobSheetIsOnePdfPageOnTheLocalesPaper()
{
    QFETCH(QString, locale);
    QFETCH(QString, mediaBox);
    const Restore restore{[saved = QLocale()] { QLocale::setDefault(saved); }};
    QLocale::setDefault(QLocale(locale));
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    chooseFile(dir.filePath(QStringLiteral("sheet"))); // the suffix is added
    m_window->click(roles().continueButton());
    m_window->rightClick(rowCaption("Tovan")); // Tovan
    QVERIFY(m_window->chooseFromMenu("exportJobSheet"));
    QVERIFY2(m_suggested.endsWith(QStringLiteral("Job sheet Tovan.pdf")), qPrintable(m_suggested));

    QFile file(dir.filePath(QStringLiteral("sheet.pdf")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    QVERIFY(pdf.startsWith("%PDF-"));
    QCOMPARE(pageCount(pdf), 1);
    const QRegularExpression box(QStringLiteral("/MediaBox \\[0 0 (\\d+)\\S* (\\d+)\\S*\\]"));
    const QRegularExpressionMatch match = box.match(QString::fromLatin1(pdf));
    QVERIFY(match.hasMatch());
    QCOMPARE(match.captured(1) + " " + match.captured(2), mediaBox);
}

QTEST_MAIN(TableActionsTest)
#include "tst_table_actions.moc"
