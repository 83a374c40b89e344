// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// `qvdtalvern-cli fit` in the process, from the arguments to the printed
// answer: the window model it builds, the search over the width bar and the
// output. Rooms cycle through both units, throw and straight line, every
// angle and distances from none fitting to all at their last width.

#include "app/cli/fit.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::vector<std::string>> rooms()
{
    std::vector<std::vector<std::string>> all;
    const char* distances[] = {"20", "95.5", "150", "240.25", "400", "900", "2500"};
    int angle = -15;
    for (const char* units : {"in", "cm"}) {
        for (const char* kind : {"--throw", "--straight"}) {
            for (const char* distance : distances) {
                all.push_back({kind, distance, "--units", units, "--angle", std::to_string(angle), "--screen-bottom",
                    "30", "--format", "csv"});
                angle = angle == 15 ? -15 : angle + 1;
            }
        }
    }
    return all;
}

void BM_FitCommand(benchmark::State& state)
{
    const auto arguments = rooms();
    std::vector<std::vector<std::string_view>> views;
    for (const auto& words : arguments)
        views.emplace_back(words.begin(), words.end());
    std::size_t i = 0;
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        if (qvd::runFit(views[i], {out, err, false}, {}) != qvd::ExitOk)
            throw std::logic_error(err.str());
        benchmark::DoNotOptimize(out.str().size());
        i = i + 1 == views.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FitCommand)->Unit(benchmark::kMicrosecond);

} // namespace
