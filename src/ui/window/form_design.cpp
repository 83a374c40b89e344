// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/window/form_design.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace qvd {

namespace {

// The design tables read best one control, one row, to a line.
// clang-format off
using enum ControlKind;

constexpr FormDesign kForm{"QVDTALVERN", "QVD and TALVERN SERIES", 9405, 6375, 1350, 1815, &kWindowFont};

constexpr Background kHighlightText{BackgroundKind::SystemColour, kSystemHighlightText};
constexpr Background kLightGrey{BackgroundKind::Explicit, 0xC0C0C0};
constexpr Background kWhite{BackgroundKind::Explicit, 0xFFFFFF};

// A size row of Frame14: option button, name label, value label, scroll bar.
struct SizeRow {
    int top;
    std::string_view option;
    std::string_view nameLabel;
    std::string_view nameCaption;
    int nameWidth;
    std::string_view valueLabel;
    std::string_view bar;
    int min, max, value, largeChange;
    int optionTab, nameTab, valueTab, barTab;
};

constexpr SizeRow kSizeRows[] = {
    {360, "Option4", "Label1", "Width", 975, "Label147", "HSBM", 54, 610, 100, 10, 4, 7, 10, 3},
    {720, "Option13", "Label32", "Height", 975, "Label146", "hig", 0, 800, 0, 1, 5, 8, 11, 1},
    {1080, "Option14", "Label35", "Diagional", 1215, "Label145", "vert", 60, 763, 60, 1, 6, 9, 12, 2},
};

// A row of the result table: its caption label and its three result labels.
struct ResultRow {
    int top;
    std::string_view captionLabel;
    std::string_view caption;
    int left;
    int width;
    Background background;
    Alignment alignment;
    std::string_view results[3];
};

constexpr ResultRow kResultRows[] = {
    {2640, "Label100", "Ulmo", 480, 1095, {}, Alignment::Centre, {"Label94", "Label96", "Label98"}},
    {3000, "Label101", "Tovan", 600, 855, {}, Alignment::Left, {"Label95", "Label97", "Label99"}},
    {3480, "Label16", "Brisa", 480, 1095, kLightGrey, Alignment::Centre, {"Label62", "Label69", "Label76"}},
    {3960, "Label15", "Corvin NRX", 480, 1215, {}, Alignment::Left, {"Label63", "Label70", "Label77"}},
    {4320, "Label14", "Corvin WT1", 480, 1095, kLightGrey, Alignment::Centre, {"Label64", "Label71", "Label78"}},
    {4680, "Label13", "Corvin WT2", 480, 1095, {}, Alignment::Left, {"Label65", "Label72", "Label79"}},
    {5160, "Label12", "Halden NRX", 480, 1215, kLightGrey, Alignment::Centre, {"Label66", "Label73", "Label80"}},
    {5520, "Label11", "Halden WT1", 480, 1215, {}, Alignment::Left, {"Label67", "Label74", "Label81"}},
    {5880, "Label10", "Halden WT2", 480, 1095, kLightGrey, Alignment::Centre, {"Label68", "Label75", "Label82"}},
};

constexpr int kResultLefts[3] = {2400, 4680, 6960};

constexpr std::string_view kSizeFrame = "Frame14";
constexpr std::string_view kAngleFrame = "Frame11";
constexpr std::string_view kAngleLabel = "Label148";
constexpr std::string_view kAngleBar = "hsbM1";
constexpr std::string_view kUnitFrame = "Frame1";
constexpr std::string_view kInchLabel = "Label19";
constexpr std::string_view kInchOption = "Option11";
constexpr std::string_view kCentimetreLabel = "Label20";
constexpr std::string_view kCentimetreOption = "Option2";
constexpr std::string_view kColumnHeaders[3] = {"Label21", "Label22", "Label23"};
constexpr std::string_view kColumnExplanations[3] = {"Label5", "Label6", "Label7"};
constexpr std::string_view kIntroduction = "Frame2";
constexpr std::string_view kContinueButton = "Command1";

constexpr std::array<ControlDesign, kControlCount> makeControls()
{
    std::array<ControlDesign, kControlCount> c{};
    std::size_t n = 0;

    c[n++] = {.name = kSizeFrame, .kind = Frame, .left = 240, .top = 240, .width = 4095, .height = 1455,
              .caption = "Screen Dimentions", .font = &kFrameFont, .tabIndex = 0};
    for (const SizeRow& r : kSizeRows) {
        c[n++] = {.name = r.option, .kind = OptionButton, .container = kSizeFrame, .left = 120, .top = r.top,
                  .width = 255, .height = 255, .caption = r.option, .value = kFalse, .tabIndex = r.optionTab};
        c[n++] = {.name = r.nameLabel, .kind = Label, .container = kSizeFrame, .left = 480, .top = r.top,
                  .width = r.nameWidth, .height = 255, .caption = r.nameCaption, .tabIndex = r.nameTab};
        c[n++] = {.name = r.valueLabel, .kind = Label, .container = kSizeFrame, .left = 1680, .top = r.top,
                  .width = 975, .height = 255, .background = kHighlightText, .border = Border::FixedSingle,
                  .tabIndex = r.valueTab};
        c[n++] = {.name = r.bar, .kind = HScrollBar, .container = kSizeFrame, .left = 2880, .top = r.top,
                  .width = 975, .height = 255, .visible = false, .value = r.value, .min = r.min, .max = r.max,
                  .largeChange = r.largeChange, .tabIndex = r.barTab};
    }

    c[n++] = {.name = kAngleFrame, .kind = Frame, .left = 4680, .top = 480, .width = 2655, .height = 855,
              .caption = "Projection Angle", .font = &kFrameFont, .tabIndex = 13};
    c[n++] = {.name = kAngleLabel, .kind = Label, .container = kAngleFrame, .left = 360, .top = 360, .width = 855,
              .height = 255, .caption = "10", .background = kHighlightText, .border = Border::FixedSingle,
              .alignment = Alignment::Centre, .tabIndex = 15};
    c[n++] = {.name = kAngleBar, .kind = HScrollBar, .container = kAngleFrame, .left = 1440, .top = 360, .width = 975,
              .height = 255, .value = 10, .min = -15, .max = 15, .tabIndex = 14};

    c[n++] = {.name = kUnitFrame, .kind = Frame, .left = 7680, .top = 480, .width = 1335, .height = 855,
              .caption = "Units", .font = &kFrameFont, .tabIndex = 16};
    c[n++] = {.name = kInchLabel, .kind = Label, .container = kUnitFrame, .left = 240, .top = 240, .width = 495,
              .height = 255, .caption = "in.", .font = &kUnitFont, .tabIndex = 19};
    c[n++] = {.name = kInchOption, .kind = OptionButton, .container = kUnitFrame, .left = 840, .top = 240,
              .width = 255, .height = 195, .caption = kInchOption, .value = kTrue, .tabIndex = 17};
    c[n++] = {.name = kCentimetreLabel, .kind = Label, .container = kUnitFrame, .left = 240, .top = 480, .width = 495,
              .height = 255, .caption = "cm", .font = &kUnitFont, .tabIndex = 20};
    c[n++] = {.name = kCentimetreOption, .kind = OptionButton, .container = kUnitFrame, .left = 840, .top = 480,
              .width = 255, .height = 195, .caption = kCentimetreOption, .value = kFalse, .tabIndex = 18};

    c[n++] = {.name = kColumnHeaders[0], .kind = Label, .left = 2040, .top = 2160, .width = 2055, .height = 255,
              .caption = "THROW DISTANCE", .font = &kHeaderFont, .alignment = Alignment::Centre, .tabIndex = 21};
    c[n++] = {.name = kColumnHeaders[1], .kind = Label, .left = 4440, .top = 2160, .width = 1815, .height = 255,
              .caption = "STRAIGHT LINE", .font = &kHeaderFont, .alignment = Alignment::Centre, .tabIndex = 22};
    c[n++] = {.name = kColumnHeaders[2], .kind = Label, .left = 6600, .top = 2160, .width = 1815, .height = 255,
              .caption = "VERTICAL OFFSET", .font = &kHeaderFont, .alignment = Alignment::Centre, .tabIndex = 23};

    int tab = 24;
    for (const ResultRow& r : kResultRows) {
        c[n++] = {.name = r.captionLabel, .kind = Label, .left = r.left, .top = r.top, .width = r.width,
                  .height = 255, .caption = r.caption, .background = r.background, .alignment = r.alignment,
                  .tabIndex = tab++};
    }
    for (const ResultRow& r : kResultRows) {
        for (int column = 0; column < 3; ++column) {
            c[n++] = {.name = r.results[column], .kind = Label, .left = kResultLefts[column], .top = r.top,
                      .width = 1215, .height = 255, .background = kWhite, .border = Border::FixedSingle,
                      .alignment = Alignment::Centre, .tabIndex = tab++};
        }
    }

    // The introduction frame comes last, so that it lies above everything.
    c[n++] = {.name = kIntroduction, .kind = Frame, .left = 0, .top = 0, .width = 9375, .height = 6375, .tabIndex = 60};
    c[n++] = {.name = "Label2", .kind = Label, .container = kIntroduction, .left = 240, .top = 720, .width = 1935,
              .height = 375, .caption = "Throw Distance", .tabIndex = 62};
    c[n++] = {.name = "Label3", .kind = Label, .container = kIntroduction, .left = 120, .top = 1440, .width = 2055,
              .height = 495, .caption = "Straight Line", .tabIndex = 63};
    c[n++] = {.name = "Label4", .kind = Label, .container = kIntroduction, .left = 120, .top = 2400, .width = 2295,
              .height = 735, .caption = "Vertical Offset", .tabIndex = 64};
    c[n++] = {.name = kColumnExplanations[0], .kind = Label, .container = kIntroduction, .left = 2400, .top = 720, .width = 6255,
              .height = 495,
              .caption = "The Throw Distance is measured from the front of the GREEN lens to the CENTER of the screen.",
              .tabIndex = 65};
    c[n++] = {.name = kColumnExplanations[1], .kind = Label, .container = kIntroduction, .left = 2400, .top = 1440, .width = 6495,
              .height = 735,
              .caption = "The Straight Line distance is measured from the FRONT FOOT of the projector to the "
                         "screen in a straight line.",
              .tabIndex = 66};
    c[n++] = {.name = kColumnExplanations[2], .kind = Label, .container = kIntroduction, .left = 2280, .top = 2400, .width = 6495,
              .height = 855,
              .caption = "The Vertical Offset is measured from the base of the projector to the bottom of the "
                         "screen. A positive number is the distance below the screen and a Negative number is "
                         "the distance above the bottom of the screen.",
              .tabIndex = 67};
    c[n++] = {.name = kContinueButton, .kind = PushButton, .container = kIntroduction, .left = 2880, .top = 4800,
              .width = 3375, .height = 495, .caption = "Click to Continue", .tabIndex = 61};
    return c;
}

constexpr std::array<ControlDesign, kControlCount> kControls = makeControls();

constexpr RoleNames makeRoles()
{
    RoleNames roles{};
    for (std::size_t i = 0; i < kSizingCount; ++i) {
        const SizeRow& r = kSizeRows[i];
        roles.sizeRows[i] = {r.option, r.nameLabel, r.valueLabel, r.bar};
    }
    roles.sizeFrame = kSizeFrame;
    roles.angleFrame = kAngleFrame;
    roles.angleLabel = kAngleLabel;
    roles.angleBar = kAngleBar;
    roles.unitFrame = kUnitFrame;
    roles.unitLabels = {kInchLabel, kCentimetreLabel};
    roles.unitOptions = {kInchOption, kCentimetreOption};
    for (std::size_t c = 0; c < kColumnCount; ++c) {
        roles.columnHeaders[c] = kColumnHeaders[c];
        roles.columnExplanations[c] = kColumnExplanations[c];
    }
    for (std::size_t i = 0; i < kRowCount; ++i) {
        const ResultRow& r = kResultRows[i];
        roles.resultRows[i] = {r.captionLabel, {r.results[0], r.results[1], r.results[2]}};
    }
    roles.introduction = kIntroduction;
    roles.continueButton = kContinueButton;
    return roles;
}

constexpr RoleNames kRoles = makeRoles();

// clang-format on

} // namespace

const FormDesign& formDesign() { return kForm; }

const std::array<ControlDesign, kControlCount>& controlDesigns() { return kControls; }

const RoleNames& roleNames() { return kRoles; }

const ControlDesign& controlDesign(std::string_view name)
{
    const auto& designs = controlDesigns();
    const auto found = std::find_if(
        designs.begin(), designs.end(), [name](const ControlDesign& design) { return design.name == name; });
    if (found == designs.end())
        throw std::invalid_argument("the window has no control " + std::string(name));
    return *found;
}

AngleRange angleRange()
{
    const ControlDesign& bar = controlDesign(roleNames().angleBar);
    return {std::min(bar.min, bar.max), std::max(bar.min, bar.max), bar.value};
}

} // namespace qvd
