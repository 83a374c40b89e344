// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "replay.h"

#include "app/cli/state_dump.h"
#include "app/cli/whole_number.h"
#include "runtime/runtime_error.h"
#include "runtime/utf8_text.h"
#include "ui/window/form_design.h"
#include "ui/window/main_window.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qvd {

namespace {

// `text` between single quotes, for messages: shown, not obeyed.
std::string quoted(std::string_view text) { return "'" + escapedControls(text) + "'"; }

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Splits off the next word, skipping the blanks before it.
std::string_view nextWord(std::string_view& rest)
{
    std::size_t i = 0;
    while (i < rest.size() && isBlank(rest[i]))
        ++i;
    std::size_t j = i;
    while (j < rest.size() && !isBlank(rest[j]))
        ++j;
    const std::string_view word = rest.substr(i, j - i);
    rest.remove_prefix(j);
    return word;
}

bool onlyBlanks(std::string_view text)
{
    for (char c : text) {
        if (!isBlank(c))
            return false;
    }
    return true;
}

struct Click {
    ControlId control;
    bool isOption;
};
struct Move {
    ControlId bar;
    long long value;
    bool drag;
};
struct SetCaption {
    ControlId label;
    std::string text;
};
struct SetValue {
    ControlId option;
    bool selected;
};
struct Dump {};
struct Nothing {};

using Action = std::variant<Nothing, Click, Move, SetCaption, SetValue, Dump>;

struct ParsedLine {
    Action action;
    std::string error; // empty when the line was understood
};

// The design names of the controls of `kinds`, in creation order: the names a
// line may give, and the list that tells a wrong name what it may give.
class NameSet {
public:
    explicit NameSet(std::initializer_list<ControlKind> kinds)
    {
        for (const ControlDesign& design : controlDesigns()) {
            if (std::find(kinds.begin(), kinds.end(), design.kind) != kinds.end())
                m_names.push_back(design.name);
        }
        for (std::size_t i = 0; i < m_names.size(); ++i) {
            m_list += i == 0 ? "" : i + 1 == m_names.size() ? " or " : ", ";
            m_list += m_names[i];
        }
    }

    [[nodiscard]] bool has(std::string_view name) const
    {
        return std::find(m_names.begin(), m_names.end(), name) != m_names.end();
    }
    // "A, B or C".
    [[nodiscard]] const std::string& list() const { return m_list; }

private:
    std::vector<std::string_view> m_names;
    std::string m_list;
};

class LineParser {
public:
    explicit LineParser(const MainWindow& window)
        : m_window(window)
    {
    }

    ParsedLine parse(std::string_view line) const
    {
        std::string_view rest = line;
        const std::string_view verb = nextWord(rest);
        if (verb.empty() || verb.front() == '#')
            return {Nothing{}, {}};
        if (verb == "click")
            return parseClick(rest);
        if (verb == "change" || verb == "scroll")
            return parseMove(rest, verb == "scroll");
        if (verb == "set")
            return parseSet(rest);
        if (verb == "dump") {
            if (!onlyBlanks(rest))
                return fail("dump takes no argument");
            return {Dump{}, {}};
        }
        return fail("unknown verb " + quoted(verb));
    }

private:
    static ParsedLine fail(std::string reason) { return {Nothing{}, std::move(reason)}; }

    ParsedLine parseClick(std::string_view rest) const
    {
        const std::string_view name = nextWord(rest);
        if (name.empty())
            return fail("click needs a control name");
        if (!m_clickable.has(name))
            return fail("cannot click " + quoted(name) + " (" + m_clickable.list() + ")");
        if (!onlyBlanks(rest))
            return fail("unexpected text after the control name");
        const ControlId id = m_window.id(name);
        return {Click{id, m_window.controls().control(id).kind == ControlKind::OptionButton}, {}};
    }

    ParsedLine parseMove(std::string_view rest, bool drag) const
    {
        const std::string_view name = nextWord(rest);
        if (name.empty())
            return fail("missing scroll bar name");
        if (!m_bars.has(name))
            return fail("unknown scroll bar " + quoted(name) + " (" + m_bars.list() + ")");
        const std::string_view valueText = nextWord(rest);
        if (valueText.empty())
            return fail("missing value");
        const auto value = parseWholeNumber(valueText);
        if (!value)
            return fail("value " + quoted(valueText) + " is not a whole number");
        if (!onlyBlanks(rest))
            return fail("unexpected text after the value");
        return {Move{m_window.id(name), *value, drag}, {}};
    }

    ParsedLine parseSet(std::string_view rest) const
    {
        const std::string_view target = nextWord(rest);
        const auto dot = target.find('.');
        if (target.empty() || dot == std::string_view::npos)
            return fail("set needs NAME.Caption or NAME.Value");
        const std::string_view name = target.substr(0, dot);
        const std::string_view property = target.substr(dot + 1);
        const std::optional<ControlId> found = m_window.controls().find(name);
        if (!found)
            return fail("unknown control " + quoted(name));
        const ControlId id = *found;
        const ControlKind kind = m_window.controls().control(id).kind;
        if (property == "Caption") {
            if (kind != ControlKind::Label)
                return fail(quoted(name) + " has no Caption that can be set");
            // The text is the rest of the line after the one blank that follows.
            if (!rest.empty())
                rest.remove_prefix(1);
            return {SetCaption{id, std::string(rest)}, {}};
        }
        if (property == "Value") {
            if (kind != ControlKind::OptionButton)
                return fail(quoted(name) + " has no Value that can be set");
            const std::string_view valueText = nextWord(rest);
            if (valueText.empty())
                return fail("missing value");
            const auto value = parseWholeNumber(valueText);
            if (!value || (*value != kTrue && *value != kFalse))
                return fail("an option button's Value is -1 or 0, not " + quoted(valueText));
            if (!onlyBlanks(rest))
                return fail("unexpected text after the value");
            return {SetValue{id, *value == kTrue}, {}};
        }
        return fail("unknown property " + quoted(property));
    }

    const MainWindow& m_window;
    const NameSet m_clickable{ControlKind::OptionButton, ControlKind::PushButton};
    const NameSet m_bars{ControlKind::HScrollBar};
};

// Carries out one understood action on the model.
class Runner {
public:
    Runner(MainWindow& window, std::ostream& out)
        : m_window(window)
        , m_out(out)
    {
    }

    void operator()(const Nothing&) {}
    void operator()(const Click& click)
    {
        if (click.isOption)
            m_window.controls().clickOption(click.control);
        else
            m_window.controls().press(click.control);
    }
    void operator()(const Move& move)
    {
        if (move.drag)
            m_window.controls().dragScrollBar(move.bar, move.value);
        else
            m_window.controls().moveScrollBar(move.bar, move.value);
    }
    void operator()(const SetCaption& set) { m_window.controls().setCaption(set.label, set.text); }
    void operator()(const SetValue& set) { m_window.controls().setOptionValue(set.option, set.selected); }
    void operator()(const Dump&)
    {
        dumpState(m_window.controls(), m_out);
        m_dumped = true;
    }

    [[nodiscard]] bool dumped() const { return m_dumped; }

private:
    MainWindow& m_window;
    std::ostream& m_out;
    bool m_dumped = false;
};

} // namespace

int runReplay(std::istream& script, std::ostream& out, std::ostream& err, const NumberFormat& format)
{
    MainWindow window(format);
    window.load();
    const LineParser parser(window);
    Runner runner(window, out);

    std::string line;
    long lineNumber = 0;
    while (std::getline(script, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const ParsedLine parsed = parser.parse(line);
        if (!parsed.error.empty()) {
            err << "replay: line " << lineNumber << ": " << parsed.error << '\n';
            return ExitUsage;
        }
        try {
            std::visit(runner, parsed.action);
        } catch (const RuntimeError& error) {
            dumpState(window.controls(), out);
            err << "replay: line " << lineNumber << ": runtime error: " << errorKindName(error.kind()) << '\n';
            return ExitRuntimeError;
        }
    }
    if (script.bad()) {
        // A folder, or a read that failed part way: not a script that ended.
        err << "replay: the script cannot be read: " << std::strerror(errno) << '\n';
        return ExitUsage;
    }
    if (!runner.dumped())
        dumpState(window.controls(), out);
    return ExitOk;
}

} // namespace qvd
