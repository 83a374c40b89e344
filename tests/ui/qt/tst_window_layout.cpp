// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The window's layout as drawn: positions from the design, fonts that fit,
// every text inside its box (also scaled 2x: ctest's tst_window_layout_2x),
// the introduction frame on top, the tab order, and renders to look at.

#include "view_test_support.h"

#include "ui/qt/window/control_widgets.h"
#include "ui/qt/window/design_fonts.h"

#include <QDir>
#include <QFontInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

#include <QFontMetrics>
#include <QStyleOptionGroupBox>
#include <algorithm>

using namespace qvd;
using qvd::test::result;
using qvd::test::roles;
using qvd::test::rowCaption;
using qvd::test::WindowUnderTest;

namespace {

QString named(const QWidget* widget)
{
    return widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                          : widget->objectName();
}

// Where the ink of `text` lies in `box`, drawn in `font` with `flags`, as
// the font's metrics measure it, each wrapped line included: a word wider
// than the box, or more lines than it holds, reach out of it. The first
// baseline lies the font's ascent below the top, and lines stand the window's
// pitch apart, the font's pixel size and one, as the design's do; the ink
// reaches as high and as low as the text's glyphs do (the room a font keeps
// for accents and descenders the text does not have is no part of it).
QRect textNeeds(const QFont& font, const QRect& box, int flags, const QString& text)
{
    const QFontMetrics metrics(font);
    const QRect wrapped = metrics.boundingRect(box, flags, text);
    const int lines = std::max(1, (wrapped.height() + metrics.lineSpacing() / 2) / metrics.lineSpacing());
    const int pitch = QFontInfo(font).pixelSize() + 1;
    const QRect ink = metrics.tightBoundingRect(text);
    const int baseline = wrapped.top() + metrics.ascent();
    return QRect(QPoint(wrapped.left(), baseline + ink.top()),
        QPoint(wrapped.right(), baseline + (lines - 1) * pitch + std::max(0, ink.bottom())));
}

// Every visible widget of `window` that has no width or no height, and every
// visible text that reaches out of its widget: the captions, the frames'
// titles and the button's caption.
QStringList cutTexts(const QWidget& window)
{
    QStringList found;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window))
            continue;
        if (widget->width() <= 0 || widget->height() <= 0)
            found << named(widget) + QStringLiteral(" has no size");
        QRect box;
        QRect needs;
        QString text;
        if (const auto* label = qobject_cast<const CaptionLabel*>(widget)) {
            text = label->text();
            box = label->contentsRect();
            const int wrap = label->wordWrap() ? int(Qt::TextWordWrap) : 0;
            needs = textNeeds(label->captionFont(), box, int(label->alignment()) | wrap, text);
        } else if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
            text = frame->title();
            QStyleOptionGroupBox option;
            option.initFrom(frame);
            option.text = text;
            option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            box = frame->rect();
            needs = frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
            needs.setWidth(std::max(needs.width(), frame->fontMetrics().horizontalAdvance(text)));
        } else if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
            text = button->text();
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = text;
            box = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            needs = textNeeds(button->font(), box, Qt::AlignCenter | Qt::TextShowMnemonic, text);
        }
        if (!text.isEmpty() && !box.contains(needs)) {
            found << QStringLiteral("%1 \"%2\" needs %3x%4 at %5,%6 in %7x%8 at %9,%10")
                         .arg(named(widget), text)
                         .arg(needs.width())
                         .arg(needs.height())
                         .arg(needs.x())
                         .arg(needs.y())
                         .arg(box.width())
                         .arg(box.height())
                         .arg(box.x())
                         .arg(box.y());
        }
    }
    return found;
}

} // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_window = std::make_unique<WindowUnderTest>(); }
    void cleanup() { m_window.reset(); }

    void widgetsFollowTheDesign_data();
    void widgetsFollowTheDesign();
    void everyControlHasItsWidget();
    void introductionFrameLiesOverEverything();
    void designFacesResolveToMetricCompatibleFonts_data();
    void designFacesResolveToMetricCompatibleFonts();
    void captionsFitTheirBoxes_data();
    void captionsFitTheirBoxes();
    void everyVisibleTextLiesInsideItsWidget_data();
    void everyVisibleTextLiesInsideItsWidget();
    void labelsPaintTheirLatestCaption();
    void accessibleNamesComeFromTheLayout_data();
    void accessibleNamesComeFromTheLayout();
    void tabOrderFollowsTheDesign();
    void rendersStartupAndWorkingWindow();

private:
    std::unique_ptr<WindowUnderTest> m_window;
};

void WindowLayoutTest::widgetsFollowTheDesign_data()
{
    QTest::addColumn<ControlId>("control");
    QTest::addColumn<QList<ControlId>>("container"); // none: the window
    QTest::addColumn<QRect>("pixels");
    const QList<ControlId> window;
    QTest::newRow("introduction covers all but a 2-pixel strip")
        << roles().introduction() << window << QRect(0, 0, 625, 425);
    QTest::newRow("Click to Continue inside the introduction")
        << roles().continueButton() << QList{roles().introduction()} << QRect(192, 320, 225, 33);
    QTest::newRow("width bar inside the size frame")
        << roles().sizeBar(Sizing::Width) << QList{roles().sizeFrame()} << QRect(192, 24, 65, 17);
    QTest::newRow("option buttons only 17 pixels wide")
        << roles().sizeOption(Sizing::Width) << QList{roles().sizeFrame()} << QRect(8, 24, 17, 17);
    QTest::newRow("inches option 13 pixels high")
        << roles().unitOption(UnitSystem::Inches) << QList{roles().unitFrame()} << QRect(56, 16, 17, 13);
    QTest::newRow("Tovan's caption narrower and further right")
        << rowCaption("Tovan") << window << QRect(40, 200, 57, 17);
    QTest::newRow("last result label") << result("Halden WT2", Column::Offset) << window << QRect(464, 392, 81, 17);
    QTest::newRow("longest introduction text")
        << roles().columnExplanation(Column::Offset) << QList{roles().introduction()} << QRect(152, 160, 433, 57);
}

void WindowLayoutTest::widgetsFollowTheDesign()
{
    QFETCH(ControlId, control);
    QFETCH(QList<ControlId>, container);
    QFETCH(QRect, pixels);
    QWidget* widget = m_window->widget(control);
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->parentWidget(), container.empty() ? &m_window->view : m_window->widget(container.front()));
    QCOMPARE(widget->geometry(), pixels);
}

void WindowLayoutTest::everyControlHasItsWidget()
{
    QCOMPARE(m_window->view.size(), QSize(627, 425));
    QCOMPARE(m_window->view.windowTitle(), QStringLiteral("QVD and TALVERN SERIES"));
    for (const ControlDesign& design : controlDesigns()) {
        const QString name = QString::fromUtf8(design.name.data(), static_cast<qsizetype>(design.name.size()));
        QWidget* widget = m_window->view.controlWidget(design.name);
        QVERIFY2(widget != nullptr, qPrintable(name));
        QCOMPARE(widget->objectName(), name);
        QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(name));
        const QString container = design.container.empty()
            ? QString::fromUtf8(formDesign().name.data(), static_cast<qsizetype>(formDesign().name.size()))
            : QString::fromUtf8(design.container.data(), static_cast<qsizetype>(design.container.size()));
        QCOMPARE(widget->parentWidget()->objectName(), container);
    }
}

void WindowLayoutTest::introductionFrameLiesOverEverything()
{
    QVERIFY(m_window->start());
    QWidget* intro = m_window->widget(roles().introduction());
    for (const ControlDesign& design : controlDesigns()) {
        QWidget* widget = m_window->view.controlWidget(design.name);
        if (!design.container.empty() || widget == intro)
            continue;
        const QPoint centre = widget->geometry().center();
        QWidget* top = m_window->view.childAt(centre);
        QVERIFY2(top == intro || intro->isAncestorOf(top), design.name.data());
    }
    // The strip at the right edge shows the window beneath.
    QWidget* strip = m_window->view.childAt(QPoint(626, 200));
    QVERIFY(strip == nullptr || (strip != intro && !intro->isAncestorOf(strip)));
}

void WindowLayoutTest::designFacesResolveToMetricCompatibleFonts_data()
{
    QTest::addColumn<ControlId>("control");
    QTest::addColumn<QString>("face");
    QTest::newRow("window font on a result") << result("Ulmo", Column::Throw) << "Courier";
    QTest::newRow("bold frame caption") << roles().sizeFrame() << "Courier";
    QTest::newRow("unit label") << roles().unitLabel(UnitSystem::Inches) << "Book Antiqua";
    QTest::newRow("column header") << roles().columnHeader(Column::Throw) << "Book Antiqua";
}

void WindowLayoutTest::designFacesResolveToMetricCompatibleFonts()
{
    QFETCH(ControlId, control);
    QFETCH(QString, face);
    const QFontInfo info(m_window->widget(control)->font());
    // Qt names the foundry, "Nimbus Mono PS [urw]", when faces share a family name.
    const QString family = info.family().section(QStringLiteral(" ["), 0, 0);
    QStringList acceptable = fontFallbacks(face.toStdString());
    acceptable.prepend(face);
    QVERIFY2(acceptable.contains(family),
        qPrintable(info.family() + " stands in for " + face
            + "; install fonts-urw-base35 (Nimbus Mono PS, P052) or fonts-liberation"));
}

void WindowLayoutTest::captionsFitTheirBoxes_data()
{
    QTest::addColumn<bool>("centimetresAtMaximum");
    QTest::newRow("after start-up") << false;
    QTest::newRow("610 cm wide, longest results") << true;
}

void WindowLayoutTest::captionsFitTheirBoxes()
{
    QFETCH(bool, centimetresAtMaximum);
    QVERIFY(m_window->start());
    if (centimetresAtMaximum) {
        m_window->click(roles().continueButton());
        m_window->click(roles().unitOption(UnitSystem::Centimetres));
        m_window->click(roles().sizeOption(Sizing::Width));
        m_window->widget(roles().sizeBar(Sizing::Width))->setFocus();
        m_window->type(Qt::Key_End);
        QCOMPARE(m_window->shown(roles().widthCaption()), QStringLiteral("610"));
    }
    for (auto* label : m_window->view.findChildren<CaptionLabel*>()) {
        if (label->text().isEmpty())
            continue;
        const QRect needed = label->textBounds();
        QVERIFY2(label->contentsRect().contains(needed),
            qPrintable(label->objectName() + " \"" + label->text() + "\" needs " + QString::number(needed.width()) + "x"
                + QString::number(needed.height())));
        // Condensing is for the odd long name, not for the fonts as a whole.
        const int stretch = label->captionFont().stretch();
        QVERIFY2(stretch == QFont::AnyStretch || stretch >= 85, qPrintable(label->objectName()));
    }
    for (auto* frame : m_window->view.findChildren<QGroupBox*>()) {
        QVERIFY2(frame->fontMetrics().horizontalAdvance(frame->title()) < frame->width() - 16,
            qPrintable(frame->objectName()));
    }
    auto* button = m_window->widget<QPushButton>(roles().continueButton());
    QVERIFY(button->fontMetrics().horizontalAdvance(button->text()) < button->width() - 8);
}

void WindowLayoutTest::everyVisibleTextLiesInsideItsWidget_data()
{
    QTest::addColumn<bool>("introduced");
    QTest::addColumn<bool>("centimetres");
    QTest::addColumn<int>("sizing"); // a Sizing
    QTest::addColumn<int>("key");    // the size bar's key; 0 for none
    const auto row = [](const char* name, bool introduced, bool centimetres, Sizing sizing, int key) {
        QTest::newRow(name) << introduced << centimetres << static_cast<int>(sizing) << key;
    };
    row("introduction at start-up", true, false, Sizing::Width, 0);
    row("working window", false, false, Sizing::Width, 0);
    row("inches, smallest height", false, false, Sizing::Height, Qt::Key_Home);
    row("centimetres, widest diagonal", false, true, Sizing::Diagonal, Qt::Key_End);
}

void WindowLayoutTest::everyVisibleTextLiesInsideItsWidget()
{
    QFETCH(bool, introduced);
    QFETCH(bool, centimetres);
    QFETCH(int, sizing);
    QFETCH(int, key);
    const auto size = static_cast<Sizing>(sizing);
    QVERIFY(m_window->start());
    if (!introduced) {
        m_window->click(roles().continueButton());
        m_window->click(roles().unitOption(centimetres ? UnitSystem::Centimetres : UnitSystem::Inches));
        m_window->click(roles().sizeOption(size));
    }
    if (key != 0) {
        m_window->widget(roles().sizeBar(size))->setFocus();
        m_window->type(static_cast<Qt::Key>(key));
    }
    QCOMPARE(m_window->widget(roles().introduction())->isVisible(), introduced);
    const QStringList cut = cutTexts(m_window->view);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
}

// A label keeps its caption laid out, condensed and coloured from one paint
// to the next. After many changes it must paint exactly as a new label given
// only its latest caption and colour does.
void WindowLayoutTest::labelsPaintTheirLatestCaption()
{
    const auto paintedOtherwise = [this] {
        QStringList differing;
        for (const ControlDesign& design : controlDesigns()) {
            auto* label = dynamic_cast<CaptionLabel*>(m_window->view.controlWidget(design.name));
            if (label == nullptr || !label->isVisibleTo(&m_window->view))
                continue;
            const std::unique_ptr<QWidget> fresh(createControlWidget(design, label->parentWidget()));
            static_cast<CaptionLabel*>(fresh.get())->setCaption(label->text());
            static_cast<CaptionLabel*>(fresh.get())
                ->setTextColour(m_window->model.controls().control(m_window->model.id(design.name)).foreColor);
            if (fresh->grab().toImage() != label->grab().toImage())
                differing << label->objectName();
        }
        return differing;
    };
    QVERIFY(m_window->start());
    m_window->click(roles().continueButton());
    m_window->click(roles().sizeOption(Sizing::Width));
    struct Step {
        ControlId unit;
        Qt::Key key;
        int times;
    };
    // Results turn into warnings and back, longer and shorter, red and black.
    const Step steps[] = {{roles().unitOption(UnitSystem::Inches), Qt::Key_End, 1},
        {roles().unitOption(UnitSystem::Inches), Qt::Key_Home, 1},
        {roles().unitOption(UnitSystem::Inches), Qt::Key_PageDown, 7},
        {roles().unitOption(UnitSystem::Centimetres), Qt::Key_End, 1},
        {roles().unitOption(UnitSystem::Centimetres), Qt::Key_PageUp, 30}};
    for (const Step& step : steps) {
        m_window->click(step.unit);
        m_window->widget(roles().sizeBar(Sizing::Width))->setFocus();
        m_window->type(step.key, step.times);
        QCOMPARE(paintedOtherwise(), QStringList());
    }
}

void WindowLayoutTest::accessibleNamesComeFromTheLayout_data()
{
    QTest::addColumn<ControlId>("control");
    QTest::addColumn<QString>("expected");
    QTest::newRow("option named by its row label") << roles().sizeOption(Sizing::Width) << "Width";
    QTest::newRow("bar named by its row label") << roles().sizeBar(Sizing::Diagonal) << "Diagonal";
    QTest::newRow("unit option") << roles().unitOption(UnitSystem::Centimetres) << "Centimetres";
    QTest::newRow("value box") << roles().heightCaption() << "Height";
    QTest::newRow("result by row and column") << result("Ulmo", Column::Offset) << "Ulmo, vertical offset";
    QTest::newRow("Tovan result despite its narrower caption")
        << result("Tovan", Column::Straight) << "Tovan, straight line";
    QTest::newRow("angle bar by its frame") << roles().angleBar() << "Projection angle";
    QTest::newRow("angle box by its frame") << roles().angleCaption() << "Projection angle";
    QTest::newRow("button by its caption") << roles().continueButton() << "Click to Continue";
    QTest::newRow("captionless introduction in words") << roles().introduction() << "Introduction";
}

void WindowLayoutTest::accessibleNamesComeFromTheLayout()
{
    QFETCH(ControlId, control);
    QFETCH(QString, expected);
    QCOMPARE(m_window->widget(control)->accessibleName(), expected);
}

void WindowLayoutTest::tabOrderFollowsTheDesign()
{
    QVERIFY(m_window->start());
    m_window->click(roles().continueButton());
    QList<QWidget*> visited{QApplication::focusWidget()};
    for (int i = 0; i < 6; ++i) {
        m_window->type(Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    QList<QWidget*> expected;
    for (const ControlId id : {roles().sizeOption(Sizing::Width), roles().sizeOption(Sizing::Height),
             roles().sizeOption(Sizing::Diagonal), roles().angleBar(), roles().unitOption(UnitSystem::Inches),
             roles().unitOption(UnitSystem::Centimetres), roles().sizeOption(Sizing::Width)})
        expected << m_window->widget(id);
    // The size bars are hidden and Click to Continue went with its frame.
    QCOMPARE(visited, expected);

    m_window->click(roles().sizeOption(Sizing::Height));
    m_window->widget(roles().sizeOption(Sizing::Width))->setFocus();
    m_window->type(Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), m_window->widget(roles().sizeBar(Sizing::Height)));
}

void WindowLayoutTest::rendersStartupAndWorkingWindow()
{
    QVERIFY(m_window->start());
    const QDir renders(QStringLiteral(QVD_RENDER_DIR));
    QVERIFY(renders.mkpath(QStringLiteral(".")));
    QVERIFY(m_window->view.grab().save(renders.filePath(QStringLiteral("startup.png"))));

    m_window->click(roles().continueButton());
    QVERIFY(m_window->view.grab().save(renders.filePath(QStringLiteral("working.png"))));

    // A warning is painted red, a result black: the colour reaches the pixels.
    const auto inkOf = [this](ControlId label) {
        const QImage image = m_window->widget(label)->grab().toImage();
        int red = 0;
        int dark = 0;
        for (int y = 2; y < image.height() - 2; ++y) {
            for (int x = 2; x < image.width() - 2; ++x) {
                const QColor pixel = image.pixelColor(x, y);
                red += pixel.red() > 150 && pixel.green() < 100 && pixel.blue() < 100 ? 1 : 0;
                dark += pixel.red() < 100 && pixel.green() < 100 && pixel.blue() < 100 ? 1 : 0;
            }
        }
        return std::pair{red, dark};
    };
    const auto [warningRed, warningDark] = inkOf(result("Corvin NRX", Column::Throw));
    QCOMPARE(m_window->shown(result("Corvin NRX", Column::Throw)), QStringLiteral("Screen"));
    QVERIFY(warningRed > 10);
    QCOMPARE(warningDark, 0);
    const auto [resultRed, resultDark] = inkOf(result("Ulmo", Column::Throw));
    QCOMPARE(m_window->shown(result("Ulmo", Column::Throw)), QStringLiteral("162.80"));
    QCOMPARE(resultRed, 0);
    QVERIFY(resultDark > 10);

    // A size bar in use, in centimetres, with the widest results.
    m_window->click(roles().unitOption(UnitSystem::Centimetres));
    m_window->click(roles().sizeOption(Sizing::Height));
    m_window->widget(roles().sizeBar(Sizing::Height))->setFocus();
    m_window->type(Qt::Key_End);
    QCOMPARE(m_window->shown(roles().heightCaption()), QStringLiteral("457"));
    QVERIFY(m_window->view.grab().save(renders.filePath(QStringLiteral("sizing.png"))));
}

QTEST_MAIN(WindowLayoutTest)
#include "tst_window_layout.moc"
