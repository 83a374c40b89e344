// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The window a job file keeps: version 1's "units", "size" and "angle", and
// version 2's "window", the steps that show it again exactly, each checked
// against what the window's bars can hold. Private to ui/job: the job file
// reads and writes it here.

#include "ui/window/main_window.h"

#include <nlohmann/json.hpp>

namespace qvd::job_json {

// The inputs of a version 1 file.
[[nodiscard]] WindowInputs windowInputsOf(const nlohmann::json& root);
// The steps of a version 2 file, and the inputs of the window they show.
[[nodiscard]] WindowSteps windowOf(const nlohmann::json& root, WindowInputs& inputs);
// The steps as "window" keeps them.
[[nodiscard]] nlohmann::ordered_json stepsJson(const WindowSteps& steps);

} // namespace qvd::job_json
