// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// Start-up behind the introduction frame, "Click to Continue", and what an
// untrapped error does to the window.

#include "view_test_support.h"

#include "ui/qt/window/error_reporting.h"

#include <QApplication>
#include <QMessageBox>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace qvd;
using qvd::test::result;
using qvd::test::roles;
using qvd::test::rowCaption;
using qvd::test::WindowUnderTest;

class WindowStartupTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_window = std::make_unique<WindowUnderTest>(); }
    void cleanup() { m_window.reset(); }

    void startupFillsTheTableBehindTheIntroduction();
    void nothingBeneathTheIntroductionTakesInput_data();
    void nothingBeneathTheIntroductionTakesInput();
    void continueRevealsTheWorkingWindow_data();
    void continueRevealsTheWorkingWindow();
    void firstAngleChangeFillsHeightAndDiagonal();
    void untrappedErrorStopsTheWindow();
    void errorDuringLoadEndsTheProgramWithStatus3();
    void errorBoxNamesTheKind_data();
    void errorBoxNamesTheKind();

private:
    std::unique_ptr<WindowUnderTest> m_window;
};

void WindowStartupTest::startupFillsTheTableBehindTheIntroduction()
{
    QVERIFY(m_window->start());
    QVERIFY(m_window->widget(roles().introduction())->isVisible());
    QCOMPARE(QApplication::focusWidget(), m_window->widget(roles().continueButton()));
    QCOMPARE(m_window->shown(roles().widthCaption()), QStringLiteral("100"));
    QCOMPARE(m_window->shown(roles().heightCaption()), QString());
    QCOMPARE(m_window->shown(roles().diagonalCaption()), QString());
    QCOMPARE(m_window->shown(roles().angleCaption()), QStringLiteral("10"));
    QCOMPARE(m_window->shown(result("Ulmo", Column::Throw)), QStringLiteral("162.80"));
    QCOMPARE(m_window->shown(result("Tovan", Column::Offset)), QStringLiteral("2.88"));
    QCOMPARE(m_window->widgetsDifferingFromTheModel(), QStringList());
    QVERIFY(m_window->widget<QRadioButton>(roles().unitOption(UnitSystem::Inches))->isChecked());
    for (const ControlId option : {roles().sizeOption(Sizing::Width), roles().sizeOption(Sizing::Height),
             roles().sizeOption(Sizing::Diagonal), roles().unitOption(UnitSystem::Centimetres)})
        QVERIFY2(!m_window->widget<QRadioButton>(option)->isChecked(), m_window->name(option));
    for (const ControlId bar :
        {roles().sizeBar(Sizing::Width), roles().sizeBar(Sizing::Height), roles().sizeBar(Sizing::Diagonal)})
        QVERIFY2(!m_window->widget(bar)->isVisibleTo(&m_window->view), m_window->name(bar));
    QCOMPARE(m_window->widget<QScrollBar>(roles().angleBar())->value(), 10);
}

void WindowStartupTest::nothingBeneathTheIntroductionTakesInput_data()
{
    QTest::addColumn<QList<ControlId>>("clickAt"); // a control beneath the frame, or none
    QTest::addColumn<int>("key");                  // a key typed, when clickAt is empty
    QTest::newRow("click where the width option lies") << QList{roles().sizeOption(Sizing::Width)} << 0;
    QTest::newRow("click where the centimetres option lies") << QList{roles().unitOption(UnitSystem::Centimetres)} << 0;
    QTest::newRow("click on the angle bar's right arrow") << QList{roles().angleBar()} << 0;
    QTest::newRow("click on a result") << QList{result("Ulmo", Column::Throw)} << 0;
    QTest::newRow("Tab") << QList<ControlId>{} << int(Qt::Key_Tab);
    QTest::newRow("Backtab") << QList<ControlId>{} << int(Qt::Key_Backtab);
    QTest::newRow("Right") << QList<ControlId>{} << int(Qt::Key_Right);
    QTest::newRow("Down") << QList<ControlId>{} << int(Qt::Key_Down);
    QTest::newRow("End") << QList<ControlId>{} << int(Qt::Key_End);
    QTest::newRow("Page Down") << QList<ControlId>{} << int(Qt::Key_PageDown);
}

void WindowStartupTest::nothingBeneathTheIntroductionTakesInput()
{
    QFETCH(QList<ControlId>, clickAt);
    QFETCH(int, key);
    QVERIFY(m_window->start());
    const test::WindowDump before = test::modelDump(m_window->model);

    if (!clickAt.isEmpty()) {
        // Through the window, so that the click lands on whatever lies on top.
        QWidget* target = m_window->widget(clickAt.front());
        QPoint at = target->rect().center();
        if (clickAt.front() == roles().angleBar())
            at = test::scrollBarPart(static_cast<QScrollBar*>(target), QStyle::SC_ScrollBarAddLine).center();
        QTest::mouseClick(m_window->view.windowHandle(), Qt::LeftButton, {}, target->mapTo(&m_window->view, at));
        // A click sent to the covered control itself is refused as well.
        QTest::mouseClick(target, Qt::LeftButton, {}, at);
    } else {
        m_window->type(Qt::Key(key), 3);
    }

    QCOMPARE(test::writtenSince(m_window->model, before), QString());
    QVERIFY(m_window->widget(roles().introduction())->isVisible());
    QCOMPARE(QApplication::focusWidget(), m_window->widget(roles().continueButton()));
}

void WindowStartupTest::continueRevealsTheWorkingWindow_data()
{
    QTest::addColumn<bool>("bySpaceBar");
    QTest::newRow("mouse click") << false;
    QTest::newRow("space bar on the focused button") << true;
}

void WindowStartupTest::continueRevealsTheWorkingWindow()
{
    QFETCH(bool, bySpaceBar);
    QVERIFY(m_window->start());
    const test::WindowDump before = test::modelDump(m_window->model);

    if (bySpaceBar)
        m_window->type(Qt::Key_Space);
    else
        m_window->click(roles().continueButton());

    QVERIFY(!m_window->widget(roles().introduction())->isVisible());
    QVERIFY(!m_window->model.controls().isVisible(roles().introduction()));
    // Pressing the button changes no caption and runs no calculation: the
    // introduction is all that goes.
    const QString introduction = QString::fromStdString(roles().controls().control(roles().introduction()).name);
    QCOMPARE(
        test::writtenSince(m_window->model, before), introduction + QStringLiteral(".Visible: held true, shown false"));
    QVERIFY(m_window->widget(roles().sizeOption(Sizing::Width))->isEnabled());
    QCOMPARE(QApplication::focusWidget(), m_window->widget(roles().sizeOption(Sizing::Width)));
    // The controls beneath now take input.
    m_window->click(roles().sizeOption(Sizing::Width));
    QVERIFY(m_window->widget(roles().sizeBar(Sizing::Width))->isVisible());
}

void WindowStartupTest::firstAngleChangeFillsHeightAndDiagonal()
{
    QVERIFY(m_window->start());
    m_window->click(roles().continueButton());
    m_window->clickPart(roles().angleBar(), QStyle::SC_ScrollBarAddLine);
    QCOMPARE(m_window->shown(roles().angleCaption()), QStringLiteral("11"));
    QCOMPARE(m_window->shown(roles().heightCaption()), QStringLiteral("75"));
    QCOMPARE(m_window->shown(roles().diagonalCaption()), QStringLiteral("125"));
    QCOMPARE(m_window->widgetsDifferingFromTheModel(), QStringList());
}

void WindowStartupTest::untrappedErrorStopsTheWindow()
{
    QVERIFY(m_window->start());
    m_window->click(roles().continueButton());
    // A width caption that is not a number makes the angle recalculation fail.
    ControlSet& controls = m_window->model.controls();
    QVERIFY_THROWS_EXCEPTION(RuntimeError, controls.setCaption(roles().widthCaption(), "Screen"));

    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("untrapped error: .Type mismatch.")));
    m_window->clickPart(roles().angleBar(), QStyle::SC_ScrollBarAddLine);
    QCOMPARE(m_window->errors, std::vector<ErrorKind>{ErrorKind::TypeMismatch});
    QVERIFY(m_window->view.hasFailed());
    QVERIFY(!m_window->view.isEnabled());
    // What the failing handler wrote before the error stays written.
    QCOMPARE(m_window->shown(roles().angleCaption()), QStringLiteral("11"));

    // No further input reaches the half-updated model.
    const test::WindowDump stopped = test::modelDump(m_window->model);
    auto* angle = m_window->widget<QScrollBar>(roles().angleBar());
    const QPoint arrow = test::scrollBarPart(angle, QStyle::SC_ScrollBarAddLine).center();
    QTest::mouseClick(m_window->view.windowHandle(), Qt::LeftButton, {}, angle->mapTo(&m_window->view, arrow));
    m_window->type(Qt::Key_Right);
    QCOMPARE(test::writtenSince(m_window->model, stopped), QString());
    QCOMPARE(m_window->errors.size(), std::size_t{1});
}

void WindowStartupTest::errorDuringLoadEndsTheProgramWithStatus3()
{
    // An angle caption that is not a number makes Form_Load's recalculation fail.
    ControlSet& controls = m_window->model.controls();
    QVERIFY_THROWS_EXCEPTION(RuntimeError, controls.setCaption(roles().angleCaption(), "x"));

    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("untrapped error: .Type mismatch.")));
    QCOMPARE(runWindow(m_window->view), kUntrappedErrorStatus);
    QCOMPARE(m_window->errors, std::vector<ErrorKind>{ErrorKind::TypeMismatch});
    QVERIFY(!m_window->view.isVisible());
}

void WindowStartupTest::errorBoxNamesTheKind_data()
{
    QTest::addColumn<ErrorKind>("kind");
    QTest::addColumn<QString>("name");
    QTest::newRow("type mismatch") << ErrorKind::TypeMismatch << "Type mismatch";
    QTest::newRow("overflow") << ErrorKind::Overflow << "Overflow";
    QTest::newRow("invalid argument") << ErrorKind::InvalidArgument << "Invalid argument";
    QTest::newRow("division by zero") << ErrorKind::DivisionByZero << "Division by zero";
}

void WindowStartupTest::errorBoxNamesTheKind()
{
    QFETCH(ErrorKind, kind);
    QFETCH(QString, name);
    QString shownText;
    // Reads and closes the modal box as a person would, so the test never hangs on it.
    QTimer closer;
    closer.setInterval(10);
    connect(&closer, &QTimer::timeout, this, [&shownText] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            if (const auto* box = qobject_cast<QMessageBox*>(modal))
                shownText = box->text();
            modal->close();
        }
    });
    closer.start();
    showUntrappedError(nullptr, RuntimeError(kind));
    closer.stop();
    QVERIFY2(shownText.contains(name), qPrintable(shownText));
}

QTEST_MAIN(WindowStartupTest)
#include "tst_window_startup.moc"
