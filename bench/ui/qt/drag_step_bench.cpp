// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// One position of a thumb drag on the real window. The width bar's thumb,
// held down, moves to a new position as a mouse drag moves it; the view hands
// the position to the model as HSBM's Scroll; the width, height and diagonal
// captions and the 27 result labels take their new text; and the whole window
// is painted before the step ends (see Paint). The positions cycle through the
// bar's range in the chosen unit, so every step writes captions the last one
// did not.

#include "ui/qt/window/window_view.h"
#include "ui/window/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using qvd::ControlId;

struct Unit {
    qvd::UnitSystem units;
    int first; // the width bar's range in that unit, first to last
    int last;
};

constexpr Unit kInches{qvd::UnitSystem::Inches, qvd::kWidthBarRange.inchMin, qvd::kWidthBarRange.inchMax};
constexpr Unit kCentimetres{
    qvd::UnitSystem::Centimetres, qvd::kWidthBarRange.centimetreMin, qvd::kWidthBarRange.centimetreMax};

// A check outside the timed loop failed: the benchmark would measure the
// wrong thing, so the program stops.
void require(bool holds, const std::string& what)
{
    if (!holds)
        throw std::logic_error(what);
}

// How much of the window a step paints.
enum class Paint {
    // QWidget::repaint() of the window, as the screen gets it: the window's
    // own surface and every widget the step changed (the result labels, the
    // size captions, the bar and the frame beneath it). Widgets that did not
    // change keep their pixels in the backing store and are not painted.
    Window,
    // Every visible widget of the window rendered into an image, the cost of
    // a full redraw (as after an expose); the screen then gets the changed
    // widgets from the event loop, as it would without the render.
    EveryWidget,
};

// Counts the Paint events that reach a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget)
        : QObject(widget)
    {
        widget->installEventFilter(this);
    }

    [[nodiscard]] long long count() const { return m_count; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_count;
        return false;
    }

private:
    long long m_count = 0;
};

// The window on screen past its introduction, in width mode with a unit
// chosen, and the width bar's thumb held down as a drag holds it.
class WidthDrag {
public:
    explicit WidthDrag(Paint paint)
        : m_model(qvd::NumberFormat{})
        , m_view(m_model)
        , m_paint(paint)
    {
        // A failure is read off hasFailed(); no message box may open.
        m_view.setErrorReporter([](const qvd::RuntimeError&) {});
        for (std::size_t row = 0; row < qvd::kRowCount; ++row) {
            for (const qvd::Column column : {qvd::Column::Throw, qvd::Column::Straight, qvd::Column::Offset}) {
                const ControlId id = m_model.resultLabel(row, column);
                auto* label = static_cast<QLabel*>(widget(id));
                m_results.push_back({id, label, new PaintCounter(label)});
            }
        }
    }

    // Starts the window and goes, by clicks on the real buttons, to the width
    // bar in `unit`.
    void open(const Unit& unit)
    {
        require(m_view.start(), "the window did not start");
        for (int round = 0; round < 100 && !m_view.windowHandle()->isExposed(); ++round)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        require(m_view.windowHandle()->isExposed(), "the window was never exposed");
        for (const ControlId button :
            {m_model.continueButton(), m_model.sizeOption(qvd::Sizing::Width), m_model.unitOption(unit.units)})
            static_cast<QAbstractButton*>(widget(button))->click();
        QCoreApplication::processEvents();
        m_bar = static_cast<QScrollBar*>(widget(m_model.widthBar()));
        require(m_bar->isVisible(), "the width bar is hidden after Click to Continue and Width");
        m_image = QImage(m_view.size(), QImage::Format_ARGB32_Premultiplied);
        m_bar->setSliderDown(true);
        // The first Scroll sets the unit's range; the sweep then starts at
        // the other end.
        dragTo(unit.last);
        require(m_bar->minimum() == unit.first && m_bar->maximum() == unit.last,
            "the width bar did not take the unit's range");
    }

    // One drag position, from the thumb to the painted window.
    void dragTo(int position)
    {
        m_bar->setSliderPosition(position);
        if (m_paint == Paint::Window)
            m_view.repaint();
        else
            m_view.render(&m_image);
        // What else the event loop would do before the next mouse move.
        QCoreApplication::sendPostedEvents();
    }

    // Drags once through the whole range of `unit` and checks, at every
    // position, that it reached the model, that every result label shows what
    // the model holds and that each one whose caption changed was painted
    // within the step; and that every result label changed on the way.
    void sweep(const Unit& unit)
    {
        std::vector<bool> everChanged(m_results.size(), false);
        std::vector<QString> before = shownResults();
        for (int position = unit.first; position <= unit.last; ++position) {
            const std::string at = " at width " + std::to_string(position);
            const std::vector<long long> paintsBefore = resultPaints();
            dragTo(position);
            require(!m_view.hasFailed(), "an untrapped error stopped the window" + at);
            require(m_model.controls().value(m_model.widthBar()) == position, "the model missed the drag" + at);
            const std::vector<QString> after = shownResults();
            const std::vector<long long> paintsAfter = resultPaints();
            bool anyChanged = false;
            for (std::size_t i = 0; i < m_results.size(); ++i) {
                const ResultLabel& result = m_results[i];
                require(after[i].toStdString() == m_model.controls().caption(result.id),
                    "result label " + name(result) + " lags behind the model" + at);
                const bool changed = after[i] != before[i];
                require(!(changed || m_paint == Paint::EveryWidget) || paintsAfter[i] > paintsBefore[i],
                    "result label " + name(result) + " was not painted" + at);
                everChanged[i] = everChanged[i] || changed;
                anyChanged = anyChanged || changed;
            }
            require(anyChanged, "no result label changed" + at);
            before = after;
        }
        for (std::size_t i = 0; i < m_results.size(); ++i)
            require(everChanged[i], "result label " + name(m_results[i]) + " never changed");
    }

    // Paint events of all the result labels together.
    [[nodiscard]] long long totalResultPaints() const
    {
        long long total = 0;
        for (const long long count : resultPaints())
            total += count;
        return total;
    }

    [[nodiscard]] bool hasFailed() const { return m_view.hasFailed(); }

private:
    struct ResultLabel {
        ControlId id;
        QLabel* widget;
        PaintCounter* paints; // owned by the widget
    };

    [[nodiscard]] QWidget* widget(ControlId id) const { return m_view.controlWidget(name(id)); }

    [[nodiscard]] const std::string& name(ControlId id) const { return m_model.controls().control(id).name; }

    [[nodiscard]] const std::string& name(const ResultLabel& result) const { return name(result.id); }

    [[nodiscard]] std::vector<QString> shownResults() const
    {
        std::vector<QString> texts;
        for (const ResultLabel& result : m_results)
            texts.push_back(result.widget->text());
        return texts;
    }

    [[nodiscard]] std::vector<long long> resultPaints() const
    {
        std::vector<long long> counts;
        for (const ResultLabel& result : m_results)
            counts.push_back(result.paints->count());
        return counts;
    }

    qvd::MainWindow m_model;
    qvd::WindowView m_view;
    Paint m_paint;
    std::vector<ResultLabel> m_results; // in table order, three per row
    QScrollBar* m_bar = nullptr;
    QImage m_image; // Paint::EveryWidget renders into it
};

void BM_DragStep(benchmark::State& state, const Unit& unit, Paint paint)
{
    WidthDrag drag(paint);
    drag.open(unit);
    drag.sweep(unit);
    const long long paintsBefore = drag.totalResultPaints();
    int position = unit.first;
    for (auto _ : state) {
        drag.dragTo(position);
        position = position == unit.last ? unit.first : position + 1;
    }
    // Every step painted result labels (the sweep showed which), and no
    // handler failed on the way.
    require(!drag.hasFailed(), "an untrapped error stopped the window");
    require(drag.totalResultPaints() - paintsBefore >= static_cast<long long>(state.iterations()),
        "a drag step went without painting a result label");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_DragStep, inches, kInches, Paint::Window)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DragStep, centimetres, kCentimetres, Paint::Window)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DragStep, inches_every_widget, kInches, Paint::EveryWidget)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    // The widgets are real, the screen is not: nothing opens on a desktop and
    // the figures do not depend on one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
