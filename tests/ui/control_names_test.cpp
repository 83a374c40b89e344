// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// What assistive tools hear of each of the 68 controls, in every view: read
// off the layout (row label and column header, frame caption) or given in
// words by role; never a design name.

#include "ui/window/control_names.h"

#include <gtest/gtest.h>

using namespace qvd;

TEST(ControlNames, EveryControlIsNamedInWords)
{
    const struct {
        const char* control; // the design name, only to find the control
        const char* name;
        const char* description;
    } expected[] = {
        {"Frame14", "Screen Dimentions", ""},
        {"Option4", "Width", "Size the screen by its width"},
        {"Label1", "Width", ""},
        {"Label147", "Width", ""},
        {"HSBM", "Width", "Screen width in the selected unit"},
        {"Option13", "Height", "Size the screen by its height"},
        {"Label32", "Height", ""},
        {"Label146", "Height", ""},
        {"hig", "Height", "Screen height in the selected unit"},
        {"Option14", "Diagonal", "Size the screen by its diagonal"},
        {"Label35", "Diagional", ""},
        {"Label145", "Diagonal", ""},
        {"vert", "Diagonal", "Screen diagonal in the selected unit"},
        {"Frame11", "Projection Angle", ""},
        {"Label148", "Projection angle", ""},
        {"hsbM1", "Projection angle", "Projection angle in whole degrees, from -15 to 15"},
        {"Frame1", "Units", ""},
        {"Label19", "in.", ""},
        {"Option11", "Inches", "Lengths in inches"},
        {"Label20", "cm", ""},
        {"Option2", "Centimetres", "Lengths in centimetres"},
        {"Label21", "THROW DISTANCE", ""},
        {"Label22", "STRAIGHT LINE", ""},
        {"Label23", "VERTICAL OFFSET", ""},
        {"Label100", "Ulmo", ""},
        {"Label101", "Tovan", ""},
        {"Label16", "Brisa", ""},
        {"Label15", "Corvin NRX", ""},
        {"Label14", "Corvin WT1", ""},
        {"Label13", "Corvin WT2", ""},
        {"Label12", "Halden NRX", ""},
        {"Label11", "Halden WT1", ""},
        {"Label10", "Halden WT2", ""},
        {"Label94", "Ulmo, throw distance", ""},
        {"Label96", "Ulmo, straight line", ""},
        {"Label98", "Ulmo, vertical offset", ""},
        {"Label95", "Tovan, throw distance", ""},
        {"Label97", "Tovan, straight line", ""},
        {"Label99", "Tovan, vertical offset", ""},
        {"Label62", "Brisa, throw distance", ""},
        {"Label69", "Brisa, straight line", ""},
        {"Label76", "Brisa, vertical offset", ""},
        {"Label63", "Corvin NRX, throw distance", ""},
        {"Label70", "Corvin NRX, straight line", ""},
        {"Label77", "Corvin NRX, vertical offset", ""},
        {"Label64", "Corvin WT1, throw distance", ""},
        {"Label71", "Corvin WT1, straight line", ""},
        {"Label78", "Corvin WT1, vertical offset", ""},
        {"Label65", "Corvin WT2, throw distance", ""},
        {"Label72", "Corvin WT2, straight line", ""},
        {"Label79", "Corvin WT2, vertical offset", ""},
        {"Label66", "Halden NRX, throw distance", ""},
        {"Label73", "Halden NRX, straight line", ""},
        {"Label80", "Halden NRX, vertical offset", ""},
        {"Label67", "Halden WT1, throw distance", ""},
        {"Label74", "Halden WT1, straight line", ""},
        {"Label81", "Halden WT1, vertical offset", ""},
        {"Label68", "Halden WT2, throw distance", ""},
        {"Label75", "Halden WT2, straight line", ""},
        {"Label82", "Halden WT2, vertical offset", ""},
        {"Frame2", "Introduction", ""},
        {"Label2", "Throw Distance", ""},
        {"Label3", "Straight Line", ""},
        {"Label4", "Vertical Offset", ""},
        {"Label5", "The Throw Distance is measured from the front of the GREEN lens to the CENTER of the screen.", ""},
        {"Label6",
            "The Straight Line distance is measured from the FRONT FOOT of the projector to the screen in a straight "
            "line.",
            ""},
        {"Label7",
            "The Vertical Offset is measured from the base of the projector to the bottom of the screen. A positive "
            "number is the distance below the screen and a Negative number is the distance above the bottom of the "
            "screen.",
            ""},
        {"Command1", "Click to Continue", "Closes the introduction"},
    };
    const MainWindow window{NumberFormat{}};
    const std::vector<SpokenControl> spoken = spokenControls(window);
    ASSERT_EQ(spoken.size(), std::size(expected));
    for (const auto& c : expected) {
        const SpokenControl& heard = spoken.at(window.id(c.control));
        EXPECT_EQ(heard.name, c.name) << c.control;
        EXPECT_EQ(heard.description, c.description) << c.control;
        EXPECT_EQ(heard.name.find(c.control), std::string::npos) << "a design name is heard";
    }
}
