// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The recalculations of the result table through the window's model, cycling
// through widths and angles so that nothing repeats from one run to the next.

#include "ui/window/main_window.h"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using qvd::ControlId;
using qvd::MainWindow;

std::vector<std::string> wholeNumbers(int first, int last)
{
    std::vector<std::string> texts;
    for (int n = first; n <= last; ++n)
        texts.push_back(std::to_string(n));
    return texts;
}

// Widths of every kind the inputs give: whole numbers, heights' two-decimal
// widths and diagonals' one-decimal widths.
std::vector<std::string> widthCaptions()
{
    std::vector<std::string> texts = wholeNumbers(39, 240);
    for (int height = 30; height <= 180; ++height)
        texts.push_back(qvd::FormatFixed(height * 4.0 / 3.0, {}));
    for (int diagonal = 49; diagonal <= 300; ++diagonal)
        texts.push_back(qvd::FormatGeneral(qvd::RoundFixed(diagonal * 4.0 / 5.0), {}));
    return texts;
}

void checkTable(MainWindow& window)
{
    if (window.placement().result(0).throwDistance.empty())
        throw std::logic_error("the recalculation wrote nothing");
}

void BM_WidthRecalculation(benchmark::State& state)
{
    MainWindow window(qvd::NumberFormat{});
    window.load();
    const ControlId width = window.widthCaption();
    const std::vector<std::string> widths = widthCaptions();
    std::size_t i = 0;
    for (auto _ : state) {
        window.controls().setCaption(width, widths[i]);
        i = i + 1 == widths.size() ? 0 : i + 1;
    }
    checkTable(window);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WidthRecalculation);

void BM_AngleRecalculation(benchmark::State& state)
{
    MainWindow window(qvd::NumberFormat{});
    window.load();
    const ControlId angle = window.angleCaption();
    const ControlId width = window.widthCaption();
    const std::vector<std::string> angles = wholeNumbers(-15, 15);
    const std::vector<std::string> widths = widthCaptions();
    std::size_t a = 0;
    std::size_t w = 0;
    for (auto _ : state) {
        window.controls().setCaption(angle, angles[a]);
        if (++a == angles.size()) {
            // A new width for the next sweep of angles, written outside the timing.
            a = 0;
            state.PauseTiming();
            window.controls().setCaption(width, widths[w]);
            w = w + 1 == widths.size() ? 0 : w + 1;
            state.ResumeTiming();
        }
    }
    checkTable(window);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AngleRecalculation);

void BM_WidthBarEvent(benchmark::State& state)
{
    MainWindow window(qvd::NumberFormat{});
    window.load();
    window.controls().clickOption(window.sizeOption(qvd::Sizing::Width));
    const ControlId bar = window.widthBar();
    window.controls().moveScrollBar(bar, 39); // sets the inch range
    int position = 39;
    for (auto _ : state) {
        window.controls().moveScrollBar(bar, position);
        position = position == 240 ? 39 : position + 1;
    }
    checkTable(window);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WidthBarEvent);

} // namespace

BENCHMARK_MAIN();
