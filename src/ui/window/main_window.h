// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The window QVDTALVERN as a model without a toolkit: its 68 controls, built
// from their design-time properties, and every handler of the window. Events
// come in through the ControlSet (a user's click, a bar movement, a caption
// write) and run the handlers below; the width and angle caption writes run
// the recalculations of the result table inside the write.

#include "calc/recalculation.h"
#include "runtime/caption_text.h"
#include "runtime/controls.h"
#include "ui/window/form_design.h"
#include "ui/window/window_steps.h"

#include <array>
#include <optional>
#include <string_view>

namespace qvd {

// The range a size bar's handler gives it in each unit system: all three give
// screen widths of about 39 to 240 inches or 99 to 610 centimetres.
struct UnitRange {
    int inchMin, inchMax;
    int centimetreMin, centimetreMax;

    [[nodiscard]] constexpr int min(UnitSystem units) const
    {
        return units == UnitSystem::Inches ? inchMin : centimetreMin;
    }
    [[nodiscard]] constexpr int max(UnitSystem units) const
    {
        return units == UnitSystem::Inches ? inchMax : centimetreMax;
    }
};

inline constexpr UnitRange kWidthBarRange{39, 240, 99, 610};     // HSBM
inline constexpr UnitRange kHeightBarRange{30, 180, 76, 457};    // hig
inline constexpr UnitRange kDiagonalBarRange{49, 300, 124, 763}; // vert

// The range the bar of `sizing` is given in each unit system.
[[nodiscard]] const UnitRange& sizeBarRange(Sizing sizing);

// What a user enters to see a table: the unit, the way of sizing and that
// bar's value, and the angle bar's value (nothing leaves the angle as it is).
struct WindowInputs {
    UnitSystem units = UnitSystem::Inches;
    Sizing sizing = Sizing::Width;
    int size = 100;
    std::optional<int> angle;
    bool operator==(const WindowInputs&) const = default;
};

class MainWindow {
public:
    explicit MainWindow(NumberFormat format);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // The window's Load event: runs Form_Load once, before the window is shown.
    void load();

    [[nodiscard]] ControlSet& controls() { return m_controls; }
    [[nodiscard]] const ControlSet& controls() const { return m_controls; }
    [[nodiscard]] const Placement& placement() const { return *m_placement; }
    [[nodiscard]] const NumberFormat& numberFormat() const { return m_format; }

    // The control with design name `name`; throws std::invalid_argument for
    // a name the window does not have.
    [[nodiscard]] ControlId id(std::string_view name) const;

    // The controls by the part they play.
    [[nodiscard]] ControlId sizeOption(Sizing sizing) const { return sizeRow(sizing).option; }
    [[nodiscard]] ControlId sizeNameLabel(Sizing sizing) const { return sizeRow(sizing).nameLabel; }
    [[nodiscard]] ControlId sizeCaption(Sizing sizing) const { return sizeRow(sizing).valueLabel; }
    [[nodiscard]] ControlId sizeBar(Sizing sizing) const { return sizeRow(sizing).bar; }
    [[nodiscard]] ControlId widthCaption() const { return m_width; }
    [[nodiscard]] ControlId heightCaption() const { return m_height; }
    [[nodiscard]] ControlId diagonalCaption() const { return m_diagonal; }
    [[nodiscard]] ControlId widthBar() const { return m_widthBar; }
    [[nodiscard]] ControlId heightBar() const { return m_heightBar; }
    [[nodiscard]] ControlId diagonalBar() const { return m_diagonalBar; }
    [[nodiscard]] ControlId sizeFrame() const { return m_sizeFrame; }
    [[nodiscard]] ControlId angleFrame() const { return m_angleFrame; }
    [[nodiscard]] ControlId angleCaption() const { return m_angle; }
    [[nodiscard]] ControlId angleBar() const { return m_angleBar; }
    [[nodiscard]] ControlId unitFrame() const { return m_unitFrame; }
    [[nodiscard]] ControlId unitOption(UnitSystem units) const { return m_unitOptions[index(units)]; }
    [[nodiscard]] ControlId unitLabel(UnitSystem units) const { return m_unitLabels[index(units)]; }
    [[nodiscard]] ControlId columnHeader(Column column) const { return m_columnHeaders[index(column)]; }
    [[nodiscard]] ControlId columnExplanation(Column column) const { return m_columnExplanations[index(column)]; }
    [[nodiscard]] ControlId rowCaption(std::size_t row) const { return m_resultRows.at(row).caption; }
    [[nodiscard]] ControlId resultLabel(std::size_t row, Column column) const
    {
        return m_resultRows.at(row).results[index(column)];
    }
    [[nodiscard]] ControlId introduction() const { return m_intro; }
    [[nodiscard]] ControlId continueButton() const { return m_continueButton; }

    // Moves a scroll bar to `value` as a user would, raising its Change. A
    // value outside the bar's range now (a size bar still has its design-time
    // range before its first Change) takes two moves: the first lets the
    // handler set the unit's range, the second reaches the value.
    void moveBarTo(ControlId bar, int value);

    // The user's steps after start-up: the unit option, the sizing option,
    // that size bar to its value, then the angle bar. Every step goes through
    // the model's events, so the window ends as a user would see it.
    void enterInputs(const WindowInputs& inputs);

    // The steps that, entered after start-up, show the window as it stands
    // now (see StepLog); entering them with enterSteps() after restart()
    // gives this window back, digit for digit.
    [[nodiscard]] WindowSteps steps() const;
    // Enters `steps` as a user would, through the model's events.
    void enterSteps(const WindowSteps& steps);
    // The window as at start-up: every control back to its design-time
    // properties (the change notices told of each), then Form_Load. An
    // introduction closed stays closed: it is the program's, not the window's.
    void restart();
    [[nodiscard]] ControlId bar(BarRole role) const;

    // The window's handlers, one per control and event.
    void Form_Load();
    void Command1_Click();
    void Option4_Click();
    void Option13_Click();
    void Option14_Click();
    void HSBM_Change();
    void HSBM_Scroll();
    void hig_Change();
    void hig_Scroll();
    void vert_Change();
    void vert_Scroll();
    void hsbM1_Change();
    void hsbM1_Scroll();

private:
    struct SizeRowControls {
        ControlId option;
        ControlId nameLabel;
        ControlId valueLabel;
        ControlId bar;
    };
    struct ResultRowControls {
        ControlId caption;
        std::array<ControlId, kColumnCount> results;
    };

    template <typename Enum> static constexpr std::size_t index(Enum e) { return static_cast<std::size_t>(e); }
    [[nodiscard]] const SizeRowControls& sizeRow(Sizing sizing) const { return m_sizeRows[index(sizing)]; }
    [[nodiscard]] PlacementControls placementControls() const;

    static ControlSet buildControls();
    void connectHandlers();
    // Runs a bar's handler; one the user started (not one that a range write
    // inside another handler raised) goes into the step log.
    void runBarHandler(BarRole role, bool drag, void (MainWindow::*handler)());
    void setUnitRange(ControlId bar, const UnitRange& range);
    // One size caption of a 4:3 screen derived from another: `caption` gets
    // the given size times numerator / denominator.
    struct Ratio {
        ControlId caption;
        int numerator;
        int denominator;
    };
    // `given` shows the bar's value in the unit's range; the two others follow
    // from it, read back as it shows.
    void sizeGiven(ControlId bar, const UnitRange& range, ControlId given, Ratio first, Ratio second);
    void widthGiven();
    void heightGiven();
    void diagonalGiven(bool setRange);
    void angleGiven();

    NumberFormat m_format;
    ControlSet m_controls;
    std::array<SizeRowControls, kSizingCount> m_sizeRows;
    std::array<ResultRowControls, kRowCount> m_resultRows;

    ControlId m_width;          // Label147
    ControlId m_height;         // Label146
    ControlId m_diagonal;       // Label145
    ControlId m_angle;          // Label148
    ControlId m_widthBar;       // HSBM
    ControlId m_heightBar;      // hig
    ControlId m_diagonalBar;    // vert
    ControlId m_angleBar;       // hsbM1
    ControlId m_diagonalOption; // Option14
    ControlId m_inches;         // Option11
    ControlId m_centimetres;    // Option2
    ControlId m_intro;          // Frame2
    ControlId m_continueButton; // Command1
    ControlId m_sizeFrame;
    ControlId m_angleFrame;
    ControlId m_unitFrame;
    std::array<ControlId, 2> m_unitOptions;
    std::array<ControlId, 2> m_unitLabels;
    std::array<ControlId, kColumnCount> m_columnHeaders;
    std::array<ControlId, kColumnCount> m_columnExplanations;
    // Built once the controls above are resolved; always present after that.
    std::optional<Placement> m_placement;
    StepLog m_log;
    int m_barHandlers = 0; // bar handlers running now, one inside another
};

} // namespace qvd
