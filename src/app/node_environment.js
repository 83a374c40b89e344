// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The command-line tool under Node sees the environment it was started with
// (LC_ALL, NO_COLOR, ...), as the native tool does. Plain old JavaScript: the
// minifier of Debian's Emscripten reads nothing newer.
Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
  var environment = process.env;
  for (var name in environment) ENV[name] = environment[name];
});
