// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// One widget per control kind, laid out and dressed from the control's
// design-time data. The widgets hold no state of their own beyond what Qt
// draws: the window view keeps them in step with the model.

#include "runtime/controls.h"
#include "ui/qt/window/qt_text.h"
#include "ui/window/form_design.h"

#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QString>
#include <QTextLayout>

#include <string_view>
#include <vector>

class QWidget;

namespace qvd {

// A label box: the caption wrapped at word boundaries and clipped to the box,
// optionally inside a one-pixel frame drawn in black whatever the text colour.
// Lines are set one em and a pixel apart, the pitch of the design's fonts,
// whatever line gap the installed face declares. A caption too wide for a
// box one line high is condensed until it fits rather than wrapped away.
class CaptionLabel : public QLabel {
    // Its own class name, by which its accessible interface is found.
    Q_OBJECT

public:
    CaptionLabel(Border border, QWidget* parent);

    void setCaption(const QString& caption);
    // The caption's colour, with red in the low byte as the model holds it.
    void setTextColour(Colour colour);
    [[nodiscard]] QColor textColour() const;

    // The font the caption is drawn in, condensed if the box needs it.
    [[nodiscard]] const QFont& captionFont() const;
    // Where the caption's lines lie, in the label's coordinates, before clipping.
    [[nodiscard]] QRect textBounds() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Pixels from one line's top to the next, of font().
    [[nodiscard]] int linePitch() const;
    // Breaks the caption into lines of `layout` in `font`; returns their bounds.
    QRectF layoutCaption(QTextLayout& layout, const QFont& font) const;
    // Chooses the caption font for the text and the box as they are now. It
    // runs when the caption is next needed (a paint, or a question about it)
    // rather than at each change, so a label hidden under the introduction
    // frame costs nothing until it shows, whatever its captions meanwhile.
    void fitCaption() const;
    // The label's font condensed to `stretch`, kept from one caption to the
    // next so that Qt resolves each face once rather than at every layout.
    const QFont& condensedFont(int stretch) const;
    // The caption laid out in captionFont() for the box as it is now; laid
    // out again only when the text, the box or the alignment has changed.
    const QTextLayout& paintedLayout() const;

    Border m_border;
    // Worked out from the text, the box and the font when first needed, and
    // kept until one of them changes. Asking Qt about a font loads its face,
    // so the faces of labels not yet shown are left unloaded.
    mutable int m_linePitch = 0; // 0 until needed
    mutable bool m_fitted = false;
    mutable QFont m_captionFont;
    mutable std::vector<QFont> m_condensedFonts; // by (Unstretched - stretch) / 2, as far as tried
    // The caption as last laid out in m_captionFont, and what that layout was for.
    mutable QTextLayout m_layout;
    mutable QRectF m_layoutBounds;
    mutable QRect m_layoutBox;
    mutable bool m_layoutCentred = false;
    mutable bool m_layoutValid = false;
};

// A frame: an etched box whose top line runs through the middle of the
// caption, as the design's frames are drawn, in every widget style.
class CaptionFrame : public QGroupBox {
public:
    CaptionFrame(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Caption {
        QRect box; // filled with the background, breaking the top line
        QRect ink; // at least every pixel the caption's text touches
    };
    // Where the caption lies, measured again only when the title or the
    // font has changed since.
    const Caption& caption(int pixels);

    Caption m_caption;
    QString m_measuredTitle;
    QFont m_measuredFont;
    bool m_measured = false;
};

// A horizontal scroll bar of the window. Its keys never reach it: the window
// view hands them to the model's table of keys (WindowInput).
class ControlScrollBar : public QScrollBar {
public:
    explicit ControlScrollBar(QWidget* parent);

protected:
    // Draws a focus ring, which the styles leave out for scroll bars.
    void paintEvent(QPaintEvent* event) override;
};

// An option button whose checked state is the model's alone: a click, Space
// or click() raises clicked() and leaves the mark as it is; the view then
// shows the model's Value. (A plain QRadioButton outside an exclusive group
// would uncheck itself on a second click.)
class ControlOptionButton : public QRadioButton {
    // Its own class name, by which its accessible interface is found.
    Q_OBJECT

public:
    ControlOptionButton(const QString& caption, QWidget* parent);

protected:
    void nextCheckState() override;
};

// A push button without the wider frame of a default button. Its keys (Space,
// Return and Enter press it) are the model's, handed over by the window view.
class ControlPushButton : public QPushButton {
    // Its own class name, by which its accessible interface is found.
    Q_OBJECT

public:
    ControlPushButton(const QString& caption, QWidget* parent);
};

// A model colour (red in the low byte) as a QColor.
[[nodiscard]] QColor toQColor(Colour colour);

// The widget of `design`, placed in `parent` at its design position, with its
// objectName, font and the properties that never change at run time. The
// returned widget is owned by `parent`.
[[nodiscard]] QWidget* createControlWidget(const ControlDesign& design, QWidget* parent);

} // namespace qvd
