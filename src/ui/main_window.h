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
#include "ui/form_design.h"

#include <string_view>

namespace qvd {

// The range a size bar's handler gives it in each unit system: all three give
// screen widths of about 39 to 240 inches or 99 to 610 centimetres.
struct UnitRange {
    int inchMin, inchMax;
    int centimetreMin, centimetreMax;
};

inline constexpr UnitRange kWidthBarRange{39, 240, 99, 610};     // HSBM
inline constexpr UnitRange kHeightBarRange{30, 180, 76, 457};    // hig
inline constexpr UnitRange kDiagonalBarRange{49, 300, 124, 763}; // vert

class MainWindow {
public:
    explicit MainWindow(NumberFormat format);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // The window's Load event: runs Form_Load once, before the window is shown.
    void load();

    [[nodiscard]] ControlSet& controls() { return m_controls; }
    [[nodiscard]] const ControlSet& controls() const { return m_controls; }
    [[nodiscard]] const Placement& placement() const { return m_placement; }
    [[nodiscard]] const NumberFormat& numberFormat() const { return m_format; }

    // The control with design name `name`; throws std::invalid_argument for
    // a name the window does not have.
    [[nodiscard]] ControlId id(std::string_view name) const;

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
    static ControlSet buildControls();
    void connectHandlers();
    void setUnitRange(ControlId bar, const UnitRange& range);
    void widthGiven();
    void heightGiven();
    void diagonalGiven(bool setRange);
    void angleGiven();

    NumberFormat m_format;
    ControlSet m_controls;
    Placement m_placement;

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
};

} // namespace qvd
