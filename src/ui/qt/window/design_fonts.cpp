// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/window/design_fonts.h"

#include <QtMath>

#include <array>

namespace qvd {

namespace {

struct FaceFallbacks {
    std::string_view face;
    std::array<const char*, 3> substitutes;
};

// Metric-compatible faces only: Courier New, Liberation Mono and Nimbus Mono
// PS all advance 0.6 em a character like Courier (Liberation Mono first, its
// strokes stay legible at 13 pixels); P052 and Palatino Linotype share the
// Palatino metrics that Book Antiqua has.
constexpr FaceFallbacks kFallbacks[] = {
    {"Courier", {"Courier New", "Liberation Mono", "Nimbus Mono PS"}},
    {"Book Antiqua", {"Palatino Linotype", "P052", "TeX Gyre Pagella"}},
};

constexpr double kPointsPerInch = 72.0;
constexpr double kDesignDpi = 96.0;

int toPixels(int twips) { return qRound(static_cast<double>(twips) / kTwipsPerPixel); }

} // namespace

QStringList fontFallbacks(std::string_view face)
{
    for (const FaceFallbacks& entry : kFallbacks) {
        if (entry.face == face) {
            QStringList list;
            for (const char* substitute : entry.substitutes)
                list << QString::fromLatin1(substitute);
            return list;
        }
    }
    return {};
}

void installFontFallbacks()
{
    for (const FaceFallbacks& entry : kFallbacks) {
        const QString face = QString::fromLatin1(entry.face.data(), static_cast<qsizetype>(entry.face.size()));
        QFont::removeSubstitutions(face);
        QFont::insertSubstitutions(face, fontFallbacks(entry.face));
    }
}

QFont designFont(const FontDesign& design)
{
    QFont font(QString::fromLatin1(design.face.data(), static_cast<qsizetype>(design.face.size())));
    font.setPixelSize(qRound(design.points * kDesignDpi / kPointsPerInch));
    font.setWeight(static_cast<QFont::Weight>(design.weight));
    font.setUnderline(design.underline);
    return font;
}

QRect designRect(int left, int top, int width, int height)
{
    // Edges are converted, not sizes, so that neighbouring boxes meet where
    // the design has them meet.
    const int x = toPixels(left);
    const int y = toPixels(top);
    return {x, y, toPixels(left + width) - x, toPixels(top + height) - y};
}

} // namespace qvd
