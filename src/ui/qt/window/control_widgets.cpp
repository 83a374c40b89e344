// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/window/control_widgets.h"

#include "ui/qt/window/design_fonts.h"
#include "ui/qt/window/view_logging.h"

#include <QApplication>
#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextLayout>
#include <qdrawutil.h>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace qvd {

namespace {

// Where the baseline lies below the top of a line, as a share of the em: the
// design's fonts put four fifths of a 13-pixel cell above the baseline.
constexpr double kBaselineShare = 0.8;
// Condensing stops here; a caption still too wide is clipped.
constexpr int kNarrowestStretch = 70;
// The frame caption's distance from the frame's left edge, in pixels.
constexpr int kFrameCaptionIndent = 6;

constexpr QPalette::ColorGroup kColourGroups[] = {QPalette::Active, QPalette::Inactive, QPalette::Disabled};

// The desktop's colour table, as far as the design uses it.
QColor systemColour(Colour entry)
{
    if (entry == kSystemHighlightText)
        return QApplication::palette().color(QPalette::HighlightedText);
    qCWarning(lcView) << "system colour" << entry << "is not mapped; using the button face";
    return QApplication::palette().color(QPalette::Button);
}

QColor backgroundColour(const Background& background)
{
    switch (background.kind) {
    case BackgroundKind::Explicit:
        return toQColor(background.colour);
    case BackgroundKind::SystemColour:
        return systemColour(background.colour);
    case BackgroundKind::Default:
        break;
    }
    return QApplication::palette().color(QPalette::Button);
}

QWidget* createLabel(const ControlDesign& design, QWidget* parent)
{
    auto* label = new CaptionLabel(design.border, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignTop | (design.alignment == Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft));
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, backgroundColour(design.background));
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    return label;
}

QWidget* createFrame(const ControlDesign& design, QWidget* parent)
{
    return new CaptionFrame(toQString(design.caption), parent);
}

QWidget* createOptionButton(const ControlDesign& design, QWidget* parent)
{
    return new ControlOptionButton(toQString(design.caption), parent);
}

QWidget* createScrollBar(const ControlDesign& design, QWidget* parent)
{
    auto* bar = new ControlScrollBar(parent);
    bar->setSingleStep(design.smallChange);
    bar->setPageStep(design.largeChange);
    bar->setTracking(true);
    // A scroll bar of the window is an input of its own and takes the focus.
    bar->setFocusPolicy(Qt::StrongFocus);
    // The menu's "Scroll here" would set the value behind the model's back.
    bar->setContextMenuPolicy(Qt::NoContextMenu);
    return bar;
}

QWidget* createPushButton(const ControlDesign& design, QWidget* parent)
{
    return new ControlPushButton(toQString(design.caption), parent);
}

} // namespace

CaptionLabel::CaptionLabel(Border border, QWidget* parent)
    : QLabel(parent)
    , m_border(border)
    , m_captionFont(font())
{
    // Keeps the shaped glyphs after each layout, so that a paint only draws them.
    m_layout.setCacheEnabled(true);
    // One pixel of frame, one of space between the frame and the text.
    if (m_border == Border::FixedSingle)
        setContentsMargins(2, 1, 2, 1);
}

void CaptionLabel::setCaption(const QString& caption)
{
    if (caption == text())
        return;
    setText(caption);
    m_fitted = false;
    update();
}

void CaptionLabel::setTextColour(Colour colour)
{
    // Setting a palette costs a search of the application's palettes even when
    // nothing changes, and the results are written in the same colour again
    // and again; a colour the label already has as its own is left as it is.
    const QBrush wanted(toQColor(colour));
    const QPalette& current = palette();
    const bool unchanged
        = std::all_of(std::begin(kColourGroups), std::end(kColourGroups), [&](QPalette::ColorGroup group) {
              return current.isBrushSet(group, QPalette::WindowText)
                  && current.brush(group, QPalette::WindowText) == wanted;
          });
    if (unchanged)
        return;
    QPalette palette = current;
    palette.setColor(QPalette::WindowText, wanted.color());
    setPalette(palette);
}

QColor CaptionLabel::textColour() const { return palette().color(QPalette::WindowText); }

int CaptionLabel::linePitch() const
{
    if (m_linePitch == 0)
        m_linePitch = QFontInfo(font()).pixelSize() + 1;
    return m_linePitch;
}

QRectF CaptionLabel::layoutCaption(QTextLayout& layout, const QFont& font) const
{
    const QRect box = contentsRect();
    const int pitch = linePitch();
    const qreal baseline = std::round(QFontInfo(font).pixelSize() * kBaselineShare);
    const bool centred = (alignment() & Qt::AlignHCenter) != 0;
    layout.setFont(font);
    layout.setText(text());
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QRectF bounds;
    layout.beginLayout();
    for (int index = 0;; ++index) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(box.width());
        const qreal width = line.naturalTextWidth();
        const qreal x = centred ? (box.width() - width) / 2 : 0.0;
        const qreal top = static_cast<qreal>(index * pitch);
        line.setPosition(QPointF(x, top + baseline - line.ascent()));
        bounds |= QRectF(box.left() + x, box.top() + top, width, pitch);
    }
    layout.endLayout();
    return text().isEmpty() ? QRectF() : bounds;
}

const QFont& CaptionLabel::captionFont() const
{
    if (!m_fitted)
        fitCaption();
    return m_captionFont;
}

void CaptionLabel::fitCaption() const
{
    m_fitted = true;
    m_captionFont = font();
    m_layoutValid = false;
    const QRect box = contentsRect();
    if (text().isEmpty() || box.height() >= 2 * linePitch())
        return;
    QRectF bounds;
    for (int stretch = QFont::Unstretched; stretch >= kNarrowestStretch; stretch -= 2) {
        m_captionFont = condensedFont(stretch);
        bounds = layoutCaption(m_layout, m_captionFont);
        if (bounds.height() <= linePitch() && bounds.width() <= box.width())
            break;
    }
    // The last layout tried is the one to paint.
    m_layoutBounds = bounds;
    m_layoutBox = box;
    m_layoutCentred = (alignment() & Qt::AlignHCenter) != 0;
    m_layoutValid = true;
}

const QFont& CaptionLabel::condensedFont(int stretch) const
{
    const auto index = static_cast<std::size_t>((QFont::Unstretched - stretch) / 2);
    if (m_condensedFonts.size() <= index) {
        QFont condensed = font();
        for (std::size_t next = m_condensedFonts.size(); next <= index; ++next) {
            // At full width the label's own font serves, whose face Qt has
            // resolved already: a face of normal width, as the design's
            // stand-ins are, is drawn alike with its stretch left open
            // (AnyStretch) and set to Unstretched.
            if (next > 0 || condensed.stretch() != QFont::AnyStretch)
                condensed.setStretch(QFont::Unstretched - 2 * static_cast<int>(next));
            m_condensedFonts.push_back(condensed);
        }
    }
    return m_condensedFonts[index];
}

const QTextLayout& CaptionLabel::paintedLayout() const
{
    if (!m_fitted)
        fitCaption();
    const QRect box = contentsRect();
    const bool centred = (alignment() & Qt::AlignHCenter) != 0;
    if (!m_layoutValid || m_layoutBox != box || m_layoutCentred != centred || m_layout.text() != text()) {
        m_layoutBounds = layoutCaption(m_layout, m_captionFont);
        m_layoutBox = box;
        m_layoutCentred = centred;
        m_layoutValid = true;
    }
    return m_layout;
}

QRect CaptionLabel::textBounds() const
{
    paintedLayout();
    return m_layoutBounds.toAlignedRect();
}

void CaptionLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.save();
    painter.setClipRect(contentsRect());
    painter.setPen(palette().color(QPalette::WindowText));
    paintedLayout().draw(&painter, contentsRect().topLeft());
    painter.restore();
    if (m_border != Border::FixedSingle)
        return;
    // The one-pixel frame as four bars: the pixels of a cosmetic outline
    // round rect(), filled at a fraction of the cost of stroking it.
    const int w = width();
    const int h = height();
    painter.fillRect(0, 0, w, 1, Qt::black);
    painter.fillRect(0, h - 1, w, 1, Qt::black);
    painter.fillRect(0, 0, 1, h, Qt::black);
    painter.fillRect(w - 1, 0, 1, h, Qt::black);
}

void CaptionLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    m_fitted = false;
}

void CaptionLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_linePitch = 0;
        m_condensedFonts.clear();
        m_fitted = false;
    }
}

ControlScrollBar::ControlScrollBar(QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent)
{
}

void ControlScrollBar::paintEvent(QPaintEvent* event)
{
    QScrollBar::paintEvent(event);
    if (!hasFocus())
        return;
    // A ring in the highlight colour round the whole bar, whatever the style
    // and however the focus came.
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

ControlOptionButton::ControlOptionButton(const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent)
{
    // The model decides which button of a group is selected.
    setAutoExclusive(false);
}

void ControlOptionButton::nextCheckState() {}

ControlPushButton::ControlPushButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{
    setAutoDefault(false);
}

CaptionFrame::CaptionFrame(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent)
{
    // Opaque, so that a frame laid over other controls hides them.
    setAutoFillBackground(true);
}

const CaptionFrame::Caption& CaptionFrame::caption(int pixels)
{
    if (m_measured && m_measuredTitle == title() && m_measuredFont == font())
        return m_caption;
    m_measuredTitle = title();
    m_measuredFont = font();
    m_measured = true;
    if (title().isEmpty()) {
        m_caption = {};
        return m_caption;
    }
    const QFontMetrics metrics = fontMetrics();
    m_caption.box = QRect(kFrameCaptionIndent, 0, metrics.horizontalAdvance(title()) + 4, pixels + 1);
    // A pixel round the ink for the antialiasing at its edges.
    const QPoint baseline(m_caption.box.left() + 2, static_cast<int>(std::round(pixels * kBaselineShare)));
    m_caption.ink = metrics.boundingRect(title()).translated(baseline).adjusted(-1, -1, 1, 1);
    return m_caption;
}

void CaptionFrame::paintEvent(QPaintEvent* event)
{
    const int pixels = QFontInfo(font()).pixelSize();
    const int lineY = title().isEmpty() ? 0 : (pixels + 1) / 2;
    const Caption& caption = this->caption(pixels);
    // Everything drawn here lies on the etched edge, two pixels wide, or on
    // the caption. A repaint under one of the frame's controls (a bar moving)
    // touches neither and has nothing to draw.
    const QRect dirty = event->rect();
    if (rect().adjusted(2, lineY + 2, -2, -2).contains(dirty) && !dirty.intersects(caption.box)
        && !dirty.intersects(caption.ink))
        return;
    QPainter painter(this);
    qDrawShadeRect(&painter, rect().adjusted(0, lineY, 0, 0), palette(), true, 1, 0);
    if (title().isEmpty())
        return;
    painter.fillRect(caption.box, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QPointF(caption.box.left() + 2, std::round(pixels * kBaselineShare)), title());
}

QColor toQColor(Colour colour)
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
        static_cast<int>((colour >> 16) & 0xFF));
}

QWidget* createControlWidget(const ControlDesign& design, QWidget* parent)
{
    QWidget* widget = nullptr;
    switch (design.kind) {
    case ControlKind::Label:
        widget = createLabel(design, parent);
        break;
    case ControlKind::Frame:
        widget = createFrame(design, parent);
        break;
    case ControlKind::OptionButton:
        widget = createOptionButton(design, parent);
        break;
    case ControlKind::HScrollBar:
        widget = createScrollBar(design, parent);
        break;
    case ControlKind::PushButton:
        widget = createPushButton(design, parent);
        break;
    }
    widget->setObjectName(toQString(design.name));
    widget->setFont(designFont(*design.font));
    widget->setGeometry(designRect(design.left, design.top, design.width, design.height));
    return widget;
}

} // namespace qvd
