// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The browser's way into the C++ core: a thin embind class over one job
// session and its window model. Plain values cross the boundary (numbers,
// strings, plain objects); every user action goes to the window's input, as
// in the desktop view, which decides what takes input, what a key does and
// where the focus goes, and stops the window after an untrapped error. The
// binding converts values and decides nothing.

#include "runtime/controls.h"
#include "runtime/runtime_error.h"
#include "ui/job/diagram_layout.h"
#include "ui/job/job_file.h"
#include "ui/job/job_session.h"
#include "ui/job/job_sheet_content.h"
#include "ui/job/table_report.h"
#include "ui/job/typed_size.h"
#include "ui/window/changed_controls.h"
#include "ui/window/control_names.h"
#include "ui/window/form_design.h"
#include "ui/window/window_input.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <vector>

namespace qvd {

namespace {

using emscripten::val;

const char* kindName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label:
        return "label";
    case ControlKind::OptionButton:
        return "option";
    case ControlKind::HScrollBar:
        return "scrollbar";
    case ControlKind::Frame:
        return "frame";
    case ControlKind::PushButton:
        return "button";
    }
    return "label";
}

// A colour as CSS takes it.
std::string cssColour(DiagramColour colour)
{
    const auto channel = [colour](int shift) { return std::to_string((colour >> shift) & 0xff); };
    return "rgba(" + channel(16) + "," + channel(8) + "," + channel(0) + ","
        + std::to_string(((colour >> 24) & 0xff) / 255.0) + ")";
}

val viewPoint(const DiagramLayout& layout, const DiagramPlace& place)
{
    const ViewPoint p = layout.map(place);
    val object = val::object();
    object.set("x", p.x);
    object.set("y", p.y);
    return object;
}

const char* shapeKind(DiagramShape::Kind kind)
{
    switch (kind) {
    case DiagramShape::Kind::Line:
        return "line";
    case DiagramShape::Kind::Polygon:
        return "polygon";
    case DiagramShape::Kind::Arc:
        return "arc";
    case DiagramShape::Kind::Dot:
        return "dot";
    }
    return "line";
}

// The layout with every place mapped to the frame's pixels and sizes in pixels.
val layoutValue(const DiagramLayout& layout)
{
    val object = val::object();
    object.set("width", layout.width);
    object.set("height", layout.height);
    object.set("em", layout.em);
    object.set("fits", layout.fits);
    val shapes = val::array();
    for (const DiagramShape& shape : layout.shapes) {
        val s = val::object();
        s.set("kind", std::string(shapeKind(shape.kind)));
        val points = val::array();
        for (const DiagramPlace& place : shape.points)
            points.call<void>("push", viewPoint(layout, place));
        s.set("points", points);
        s.set("stroke", shape.stroke != 0 ? val(cssColour(shape.stroke)) : val::null());
        s.set("strokeWidth", shape.strokeWidth * layout.em);
        s.set("dashed", shape.dashed);
        s.set("fill", shape.fill != 0 ? val(cssColour(shape.fill)) : val::null());
        s.set("radius", shape.radius * layout.em);
        s.set("startDegrees", shape.startDegrees);
        s.set("spanDegrees", shape.spanDegrees);
        shapes.call<void>("push", s);
    }
    object.set("shapes", shapes);
    val labels = val::array();
    for (const DiagramLabel& label : layout.labels) {
        const ViewBox box = layout.box(label);
        val l = val::object();
        l.set("text", label.text);
        l.set("left", box.left);
        l.set("top", box.top);
        l.set("width", box.width);
        l.set("height", box.height);
        l.set("size", label.size * layout.em);
        l.set("bold", label.bold);
        l.set("turned", label.turned);
        l.set("colour", cssColour(label.colour));
        labels.call<void>("push", l);
    }
    object.set("labels", labels);
    object.set("ground", cssColour(kDiagramGround));
    return object;
}

std::string text(const val& object, const char* member)
{
    const val value = object[member];
    return value.isString() ? value.as<std::string>() : std::string();
}

JobDetails jobDetails(const val& details)
{
    return {text(details, "name"), text(details, "client"), text(details, "site"), text(details, "preparedBy"),
        text(details, "notes")};
}

// One control's design as the page draws it.
struct DesignView {
    std::string kind;
    std::string caption;
    int container = -1;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string fontFace;
    double fontPoints = 0.0;
    bool bold = false;
    bool underline = false;
    int background = -1;
    bool highlight = false;
    bool border = false;
    bool centred = false;
    int lines = 1;
    int linePitch = 0;
    std::string name;
    std::string description;
};

// One control's state as the page reads it.
struct ControlView {
    std::string caption;
    int foreColor = 0;
    int value = 0;
    int min = 0;
    int max = 0;
    bool visible = false;
    bool takesInput = false;
};

} // namespace

class WebSession {
public:
    explicit WebSession(const std::string& decimalSeparator)
        : m_session(NumberFormat{decimalSeparator.empty() ? "." : decimalSeparator})
        , m_input(m_session.window())
        , m_changes(m_session.window().controls(), m_input)
        , m_spoken(spokenControls(m_session.window()))
    {
    }

    // Form_Load; false when an untrapped error stopped it.
    bool start()
    {
        return m_input.enter([this] { m_session.window().load(); });
    }

    // The window's client area in CSS pixels, the twips a pixel is, and the
    // captions' two inks: black, and the red of a range warning.
    [[nodiscard]] val form() const
    {
        const FormDesign& form = formDesign();
        val object = val::object();
        object.set("caption", std::string(form.caption));
        object.set("twipsPerPixel", kTwipsPerPixel);
        object.set("width", form.clientWidth / kTwipsPerPixel);
        object.set("height", form.clientHeight / kTwipsPerPixel);
        object.set("ink", kBlack);
        object.set("warningInk", kRed);
        return object;
    }

    [[nodiscard]] int controlCount() const { return static_cast<int>(m_session.window().controls().size()); }

    // The design of control `id`: what to draw, where (twips, relative to its
    // container). A registered struct, as the state below: the page reads all
    // of them while it builds the window.
    [[nodiscard]] DesignView design(int id) const
    {
        const MainWindow& window = m_session.window();
        const ControlDesign& d = controlDesign(window.controls().control(static_cast<ControlId>(id)).name);
        const SpokenControl& spoken = m_spoken[static_cast<std::size_t>(id)];
        return {kindName(d.kind), std::string(d.caption),
            d.container.empty() ? -1 : static_cast<int>(window.id(d.container)), d.left, d.top, d.width, d.height,
            std::string(d.font->face), d.font->points, d.font->weight >= 700, d.font->underline,
            d.background.kind == BackgroundKind::Explicit ? static_cast<int>(d.background.colour) : -1,
            d.background.kind == BackgroundKind::SystemColour, d.border == Border::FixedSingle,
            d.alignment == Alignment::Centre, captionLines(d), captionLinePitch(*d.font), spoken.name,
            spoken.description};
    }

    // What the model holds of control `id` now. A plain struct crosses as a
    // plain object (registered below) at a fraction of the cost of setting
    // each member on an object from here: the page reads every control's
    // state after every event, each step of a drag included.
    [[nodiscard]] ControlView state(int id) const
    {
        const ControlState& c = m_session.window().controls().control(static_cast<ControlId>(id));
        return {c.caption, static_cast<int>(c.foreColor), c.value, c.min, c.max, c.visible,
            m_input.takesInput(static_cast<ControlId>(id))};
    }

    // The controls whose state changed since the page last asked (every one
    // the first time), as one Int32Array: after a step of a drag the page
    // reads and draws these, not all 68.
    [[nodiscard]] val changedControls()
    {
        std::vector<int> ids;
        for (const ControlId id : m_changes.take())
            ids.push_back(static_cast<int>(id));
        return val::global("Int32Array").new_(emscripten::typed_memory_view(ids.size(), ids.data()));
    }

    // The user's actions; false when the control takes no input now or an
    // untrapped error stopped the window.
    bool click(int id) { return told(m_input.click(static_cast<ControlId>(id))); }
    bool change(int id, int value) { return told(m_input.moveBar(static_cast<ControlId>(id), value)); }
    bool scroll(int id, int value) { return told(m_input.dragBar(static_cast<ControlId>(id), value)); }
    // A bar's arrow or trough: "StepBack", "StepOn", "PageBack", "PageOn".
    bool step(int id, const std::string& action)
    {
        const std::optional<KeyAction> named = keyActionNamed(action);
        return named && told(m_input.stepBar(static_cast<ControlId>(id), *named));
    }
    // A key ("Left", "Home", "Space", ...) on the focused control: whether it
    // was the control's, and the control to take the focus (-1: none).
    [[nodiscard]] val key(int id, const std::string& name)
    {
        val object = val::object();
        const std::optional<Key> key = keyNamed(name);
        const WindowInput::KeyResult result
            = key ? m_input.pressKey(static_cast<ControlId>(id), *key) : WindowInput::KeyResult{};
        if (result.action != KeyAction::None && !m_input.hasFailed())
            m_session.inputsChanged();
        object.set("handled", result.action != KeyAction::None);
        object.set("focus", result.focus ? static_cast<int>(*result.focus) : -1);
        return object;
    }
    // The control Tab (forward) or Shift+Tab moves the focus to from `id`,
    // or -1 at the end of the window's order; the control the focus starts
    // on, or goes to when the one that held it no longer takes input.
    [[nodiscard]] int nextFocus(int id, bool forward) const
    {
        const auto next
            = m_input.nextFocus(id < 0 ? std::nullopt : std::optional(static_cast<ControlId>(id)), forward, false);
        return next ? static_cast<int>(*next) : -1;
    }
    [[nodiscard]] int firstFocus() const
    {
        const auto first = m_input.firstFocus();
        return first ? static_cast<int>(*first) : -1;
    }
    // The controls that can hold the focus, in tab order.
    [[nodiscard]] val tabOrder() const
    {
        val order = val::array();
        for (const ControlId id : m_input.tabOrder())
            order.call<void>("push", static_cast<int>(id));
        return order;
    }

    [[nodiscard]] bool failed() const { return m_input.hasFailed(); }
    [[nodiscard]] std::string error() const
    {
        return m_input.error() ? std::string(errorKindName(m_input.error()->kind())) : std::string();
    }

    // The window's controls by role, for a layout that reflows them.
    [[nodiscard]] val roles() const
    {
        const MainWindow& w = m_session.window();
        val object = val::object();
        object.set("introduction", static_cast<int>(w.introduction()));
        object.set("continueButton", static_cast<int>(w.continueButton()));
        object.set("sizeFrame", static_cast<int>(w.sizeFrame()));
        object.set("angleFrame", static_cast<int>(w.angleFrame()));
        object.set("unitFrame", static_cast<int>(w.unitFrame()));
        val headers = val::array();
        for (const Column column : {Column::Throw, Column::Straight, Column::Offset})
            headers.call<void>("push", static_cast<int>(w.columnHeader(column)));
        object.set("columnHeaders", headers);
        val explanations = val::array();
        for (const Column column : {Column::Throw, Column::Straight, Column::Offset})
            explanations.call<void>("push", static_cast<int>(w.columnExplanation(column)));
        object.set("columnExplanations", explanations);
        val rows = val::array();
        for (std::size_t row = 0; row < kRowCount; ++row) {
            val r = val::object();
            r.set("caption", static_cast<int>(w.rowCaption(row)));
            val results = val::array();
            for (const Column column : {Column::Throw, Column::Straight, Column::Offset})
                results.call<void>("push", static_cast<int>(w.resultLabel(row, column)));
            r.set("results", results);
            rows.call<void>("push", r);
        }
        object.set("rows", rows);
        return object;
    }

    // The job: the file's bytes, and reading one (an empty string when it was
    // applied, else the reader's message, and nothing changed).
    [[nodiscard]] std::string jobText() const { return jobFileText(m_session.job()); }
    std::string openJob(const std::string& bytes)
    {
        const JobReading reading = parseJob(bytes);
        if (!reading.ok())
            return reading.error.message;
        told(m_input.enter([&] { m_session.apply(*reading.job); }));
        return {};
    }
    [[nodiscard]] bool hasAdditions() const { return m_session.hasAdditions(); }

    [[nodiscard]] std::string copiedTable() const { return m_session.copiedTable(); }
    [[nodiscard]] std::string rangeHint(int row) const { return m_session.rangeHint(static_cast<std::size_t>(row)); }
    [[nodiscard]] int chosenRow() const { return static_cast<int>(m_session.chosenRow()); }
    void chooseRow(int row) { m_session.chooseRow(static_cast<std::size_t>(row)); }
    [[nodiscard]] bool feetAndInches() const { return m_session.lengthFormat() == LengthFormat::FeetAndInches; }
    [[nodiscard]] bool feetAndInchesApply() const { return m_session.feetAndInchesApply(); }
    void setFeetAndInches(bool on)
    {
        m_session.setLengthFormat(on ? LengthFormat::FeetAndInches : LengthFormat::Decimal);
    }

    [[nodiscard]] val details() const
    {
        const JobDetails& d = m_session.details();
        val object = val::object();
        object.set("name", d.name);
        object.set("client", d.client);
        object.set("site", d.site);
        object.set("preparedBy", d.preparedBy);
        object.set("notes", d.notes);
        return object;
    }
    void setDetails(const val& details) { m_session.setDetails(jobDetails(details)); }
    // What of `details` the job file would not keep, one sentence each.
    [[nodiscard]] val detailsProblems(const val& details) const
    {
        val problems = val::array();
        for (const std::string& problem : JobSession::detailsProblems(jobDetails(details)))
            problems.call<void>("push", problem);
        return problems;
    }
    [[nodiscard]] std::string suggestedFileName() const { return m_session.suggestedFileName(); }

    [[nodiscard]] val room() const
    {
        const RoomSetting& r = m_session.room();
        val object = val::object();
        object.set("kind", std::string(distanceKindName(r.kind)));
        object.set("distance", r.distance);
        object.set("screenBottom", r.screenBottom.value_or(std::string()));
        return object;
    }
    void setRoom(const std::string& kind, const std::string& distance, const std::string& screenBottom)
    {
        m_session.setRoom({kind == "straight" ? DistanceKind::Straight : DistanceKind::Throw, distance,
            screenBottom.empty() ? std::nullopt : std::optional(screenBottom)});
    }
    // The nine rows for the room, or null while its distance is not valid.
    [[nodiscard]] val roomFit()
    {
        std::optional<RoomFit> fit;
        try {
            fit = m_session.roomFitShown();
        } catch (const RuntimeError&) {
        }
        if (!fit)
            return val::null();
        val rows = val::array();
        for (const RowFit& row : *fit) {
            val r = val::object();
            r.set("projector", row.projector);
            r.set("limit", std::string(limitWords(row.limit)));
            r.set("fits", row.limit != FitLimit::None);
            r.set("width", row.width);
            r.set("widthCaption", row.widthCaption);
            r.set("heightCaption", row.heightCaption);
            r.set("diagonalCaption", row.diagonalCaption);
            r.set("throwDistance", row.shown.throwDistance);
            r.set("straightLine", row.shown.straightLine);
            r.set("verticalOffset", row.shown.verticalOffset);
            r.set("baseHeight",
                row.baseHeight ? withFloorFlag(row.baseHeight->text, row.baseHeight->belowFloor) : std::string());
            r.set("belowFloor", row.baseHeight && row.baseHeight->belowFloor);
            rows.call<void>("push", r);
        }
        return rows;
    }
    // What the fit is worked out for, the unit the room is typed in, what is
    // wrong with the room as typed (empty when nothing is), and the headers
    // of the fit's table.
    // The words of a room distance's kind ("throw", "straight").
    [[nodiscard]] std::string distanceKindLabel(const std::string& kind) const
    {
        return std::string(qvd::distanceKindLabel(kind == "straight" ? DistanceKind::Straight : DistanceKind::Throw));
    }
    [[nodiscard]] std::string roomSetting() const { return m_session.roomSettingText(); }
    [[nodiscard]] std::string roomUnit() const { return m_session.roomUnit(); }
    [[nodiscard]] std::string roomProblem() const { return m_session.roomProblem(); }
    [[nodiscard]] val roomFitHeaders() const
    {
        val headers = val::array();
        for (const std::string& header : m_session.roomFitHeaders())
            headers.call<void>("push", header);
        return headers;
    }
    bool useScreenWidth(int width)
    {
        return told(m_input.enter([&] { m_session.useScreenWidth(width); }));
    }

    // The audience as typed, and its setter (texts with the user's separator).
    [[nodiscard]] val audience() const
    {
        const AudienceSetting& a = m_session.audience();
        val object = val::object();
        object.set("rule", std::string(ruleName(a.rule)));
        object.set("farthest", a.farthest);
        object.set("elementHeight", a.elementHeight);
        object.set("resolution", a.resolution);
        object.set("screenBottom", a.screenBottom.value_or(std::string()));
        object.set("eyeHeight", a.eyeHeight.value_or(std::string()));
        return object;
    }
    void setAudience(const val& audience)
    {
        const auto optional = [&](const char* key) {
            const std::string value = text(audience, key);
            return value.empty() ? std::nullopt : std::optional(value);
        };
        m_session.setAudience({ruleFromName(text(audience, "rule")).value_or(ViewingRule::Basic),
            text(audience, "farthest"), text(audience, "elementHeight"), text(audience, "resolution"),
            optional("screenBottom"), optional("eyeHeight")});
    }
    // What is wrong with the audience or the room's distance as typed, in
    // the words of the desktop's dialog; empty when nothing is.
    [[nodiscard]] std::string audienceProblem() const
    {
        const std::string problem = m_session.audienceReading().problem;
        return problem.empty() ? m_session.roomProblem() : problem;
    }
    [[nodiscard]] std::string defaultEyeHeight() const
    {
        return FormatGeneral(qvd::defaultEyeHeight(m_session.selectedUnits()), m_session.window().numberFormat());
    }
    // The answer for the audience, or null while it does not read.
    [[nodiscard]] val audienceAnswer()
    {
        const AudienceReading reading = m_session.audienceReading();
        std::optional<AudienceAnswer> answer;
        try {
            answer = m_session.audienceAnswer();
        } catch (const RuntimeError&) {
        }
        if (!answer || !reading.query)
            return val::null();
        const AudienceWords words = audienceWords(*reading.query, *answer, m_session.window());
        val object = val::object();
        object.set("summary", words.summary);
        object.set("minimum", words.minimum);
        object.set("screen", words.screen);
        object.set("viewers", words.viewers);
        object.set("hasScreen", answer->screen.has_value());
        val rows = val::array();
        for (const AudienceRow& row : answer->rows) {
            if (!answer->screen)
                break;
            val r = val::object();
            r.set("projector", row.projector);
            r.set("room", std::string(roomWords(row)));
            r.set("warning", row.shown.isWarning);
            r.set("throwDistance", row.shown.throwDistance);
            r.set("straightLine", row.shown.straightLine);
            r.set("verticalOffset", row.shown.verticalOffset);
            r.set("baseHeight",
                row.baseHeight ? withFloorFlag(row.baseHeight->text, row.baseHeight->belowFloor) : std::string());
            r.set("belowFloor", row.baseHeight && row.baseHeight->belowFloor);
            r.set("usable", canUse(row));
            rows.call<void>("push", r);
        }
        object.set("rows", rows);
        return object;
    }
    // The audience in words for the job sheet; empty while it does not read.
    [[nodiscard]] val audienceLines() const
    {
        val lines = val::array();
        for (const std::string& line : m_session.audienceLines())
            lines.call<void>("push", line);
        return lines;
    }
    // "Use this size" of the audience: the screen as the user's steps, and the row chosen.
    bool useAudienceScreen(int row)
    {
        std::optional<AudienceAnswer> answer;
        try {
            answer = m_session.audienceAnswer();
        } catch (const RuntimeError&) {
        }
        if (!answer || !answer->screen || row < 0 || row >= static_cast<int>(kRowCount))
            return false;
        return told(m_input.enter([&] {
            m_session.useScreen(*answer->screen);
            m_session.chooseRow(static_cast<std::size_t>(row));
        }));
    }

    // The placement diagram of the chosen row laid out in a frame `width`
    // pixels wide (and `height` high, or as high as it needs with 0), its
    // labels `em` pixels, and its description in words.
    [[nodiscard]] val diagram(double width, double height, double em) const
    {
        const PlacementDiagram d = m_session.diagram();
        val object = val::object();
        object.set("projector", d.projector);
        object.set("drawable", d.isDrawable());
        object.set("description", diagramDescription(d));
        object.set("layout", layoutValue(layOutDiagram(d, width, height, em)));
        return object;
    }

    // What the job sheet shows, as plain values; its diagram is diagram().
    [[nodiscard]] val jobSheet() const
    {
        const JobSheetContent sheet = jobSheetContent(m_session);
        const auto strings = [](const std::vector<std::string>& texts) {
            val array = val::array();
            for (const std::string& text : texts)
                array.call<void>("push", text);
            return array;
        };
        const auto fields = [](const std::vector<SheetField>& shown) {
            val array = val::array();
            for (const SheetField& field : shown) {
                val f = val::object();
                f.set("name", field.name);
                f.set("value", field.value);
                array.call<void>("push", f);
            }
            return array;
        };
        val object = val::object();
        object.set("title", sheet.title);
        object.set("subtitle", sheet.subtitle);
        object.set("details", fields(sheet.details));
        object.set("notesHeading", sheet.notesHeading);
        object.set("notes", sheet.notes);
        object.set("audience", strings(sheet.audience));
        object.set("inputs", fields(sheet.inputs));
        object.set("headers", strings(sheet.headers));
        val rows = val::array();
        for (const SheetRow& row : sheet.rows) {
            val r = val::object();
            r.set("projector", row.projector);
            r.set("cells", strings(row.cells));
            r.set("chosen", row.chosen);
            r.set("warning", row.warning);
            r.set("baseBelowFloor", row.baseBelowFloor);
            rows.call<void>("push", r);
        }
        object.set("rows", rows);
        object.set("explanations", strings(sheet.explanations));
        object.set("diagramHeading", sheet.diagramHeading);
        return object;
    }

    // What assistive technology is told beside the drawn window: whether row
    // `row` shows a range warning (its three captions are one phrase), and
    // the captions of the sizes and the angle, which a summary reads out.
    [[nodiscard]] bool rowWarning(int row) const
    {
        return m_session.window().placement().result(static_cast<std::size_t>(row)).isWarning;
    }
    [[nodiscard]] val summaryCaptions() const
    {
        const MainWindow& w = m_session.window();
        val ids = val::array();
        for (const ControlId id : {w.widthCaption(), w.heightCaption(), w.diagonalCaption(), w.angleCaption()})
            ids.call<void>("push", static_cast<int>(id));
        return ids;
    }

    // A size typed instead of stepped: entered as the selected bar's steps
    // would enter it. Returns what is wrong with the text, empty when taken.
    std::string enterTypedSize(const std::string& text)
    {
        const TypedSize typed = typedSize(m_session.window(), text);
        if (!typed.value)
            return typed.problem;
        if (!m_input.takesInput(typed.bar))
            return qvd::typedSizePrompt(m_session.window()) + ".";
        told(m_input.enter([&] { m_session.window().moveBarTo(typed.bar, *typed.value); }));
        return {};
    }
    [[nodiscard]] std::string typedSizePrompt() const { return qvd::typedSizePrompt(m_session.window()); }

private:
    // Whoever follows the session hears of each action that reached the model.
    bool told(bool reached)
    {
        if (reached)
            m_session.inputsChanged();
        return reached;
    }

    JobSession m_session;
    WindowInput m_input;
    ChangedControls m_changes;
    std::vector<SpokenControl> m_spoken;
};

EMSCRIPTEN_BINDINGS(qvdtalvern)
{
    emscripten::value_object<DesignView>("DesignView")
        .field("kind", &DesignView::kind)
        .field("caption", &DesignView::caption)
        .field("container", &DesignView::container)
        .field("left", &DesignView::left)
        .field("top", &DesignView::top)
        .field("width", &DesignView::width)
        .field("height", &DesignView::height)
        .field("fontFace", &DesignView::fontFace)
        .field("fontPoints", &DesignView::fontPoints)
        .field("bold", &DesignView::bold)
        .field("underline", &DesignView::underline)
        .field("background", &DesignView::background)
        .field("highlight", &DesignView::highlight)
        .field("border", &DesignView::border)
        .field("centred", &DesignView::centred)
        .field("lines", &DesignView::lines)
        .field("linePitch", &DesignView::linePitch)
        .field("name", &DesignView::name)
        .field("description", &DesignView::description);
    emscripten::value_object<ControlView>("ControlView")
        .field("caption", &ControlView::caption)
        .field("foreColor", &ControlView::foreColor)
        .field("value", &ControlView::value)
        .field("min", &ControlView::min)
        .field("max", &ControlView::max)
        .field("visible", &ControlView::visible)
        .field("takesInput", &ControlView::takesInput);
    emscripten::class_<WebSession>("WebSession")
        .constructor<std::string>()
        .function("start", &WebSession::start)
        .function("form", &WebSession::form)
        .function("controlCount", &WebSession::controlCount)
        .function("design", &WebSession::design)
        .function("state", &WebSession::state)
        .function("changedControls", &WebSession::changedControls)
        .function("click", &WebSession::click)
        .function("change", &WebSession::change)
        .function("scroll", &WebSession::scroll)
        .function("step", &WebSession::step)
        .function("key", &WebSession::key)
        .function("nextFocus", &WebSession::nextFocus)
        .function("firstFocus", &WebSession::firstFocus)
        .function("tabOrder", &WebSession::tabOrder)
        .function("failed", &WebSession::failed)
        .function("error", &WebSession::error)
        .function("roles", &WebSession::roles)
        .function("jobText", &WebSession::jobText)
        .function("openJob", &WebSession::openJob)
        .function("hasAdditions", &WebSession::hasAdditions)
        .function("copiedTable", &WebSession::copiedTable)
        .function("rangeHint", &WebSession::rangeHint)
        .function("chosenRow", &WebSession::chosenRow)
        .function("chooseRow", &WebSession::chooseRow)
        .function("feetAndInches", &WebSession::feetAndInches)
        .function("feetAndInchesApply", &WebSession::feetAndInchesApply)
        .function("setFeetAndInches", &WebSession::setFeetAndInches)
        .function("details", &WebSession::details)
        .function("setDetails", &WebSession::setDetails)
        .function("detailsProblems", &WebSession::detailsProblems)
        .function("suggestedFileName", &WebSession::suggestedFileName)
        .function("room", &WebSession::room)
        .function("setRoom", &WebSession::setRoom)
        .function("roomFit", &WebSession::roomFit)
        .function("distanceKindLabel", &WebSession::distanceKindLabel)
        .function("roomSetting", &WebSession::roomSetting)
        .function("roomUnit", &WebSession::roomUnit)
        .function("roomProblem", &WebSession::roomProblem)
        .function("roomFitHeaders", &WebSession::roomFitHeaders)
        .function("useScreenWidth", &WebSession::useScreenWidth)
        .function("audience", &WebSession::audience)
        .function("setAudience", &WebSession::setAudience)
        .function("audienceProblem", &WebSession::audienceProblem)
        .function("defaultEyeHeight", &WebSession::defaultEyeHeight)
        .function("audienceAnswer", &WebSession::audienceAnswer)
        .function("useAudienceScreen", &WebSession::useAudienceScreen)
        .function("audienceLines", &WebSession::audienceLines)
        .function("diagram", &WebSession::diagram)
        .function("jobSheet", &WebSession::jobSheet)
        .function("rowWarning", &WebSession::rowWarning)
        .function("summaryCaptions", &WebSession::summaryCaptions)
        .function("enterTypedSize", &WebSession::enterTypedSize)
        .function("typedSizePrompt", &WebSession::typedSizePrompt);
}

} // namespace qvd
