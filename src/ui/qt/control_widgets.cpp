// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "control_widgets.h"

#include "design_fonts.h"
#include "view_logging.h"

#include <QApplication>
#include <QEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextLayout>
#include <qdrawutil.h>

#include <cmath>

namespace qvd {

namespace {

// Where the baseline lies below the top of a line, as a share of the em: the
// design's fonts put four fifths of a 13-pixel cell above the baseline.
constexpr double kBaselineShare = 0.8;
// Condensing stops here; a caption still too wide is clipped.
constexpr int kNarrowestStretch = 70;
// The frame caption's distance from the frame's left edge, in pixels.
constexpr int kFrameCaptionIndent = 6;

struct KeyAction {
    Qt::Key key;
    QAbstractSlider::SliderAction action;
};

constexpr KeyAction kScrollBarKeys[] = {
    {Qt::Key_Left, QAbstractSlider::SliderSingleStepSub},
    {Qt::Key_Up, QAbstractSlider::SliderSingleStepSub},
    {Qt::Key_Right, QAbstractSlider::SliderSingleStepAdd},
    {Qt::Key_Down, QAbstractSlider::SliderSingleStepAdd},
    {Qt::Key_PageUp, QAbstractSlider::SliderPageStepSub},
    {Qt::Key_PageDown, QAbstractSlider::SliderPageStepAdd},
    {Qt::Key_Home, QAbstractSlider::SliderToMinimum},
    {Qt::Key_End, QAbstractSlider::SliderToMaximum},
};

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

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
    auto* button = new QRadioButton(toQString(design.caption), parent);
    // The model decides which button of a group is selected.
    button->setAutoExclusive(false);
    return button;
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
    auto* button = new QPushButton(toQString(design.caption), parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CaptionLabel::CaptionLabel(Border border, QWidget* parent)
    : QLabel(parent)
    , m_border(border)
    , m_captionFont(font())
{
    // One pixel of frame, one of space between the frame and the text.
    if (m_border == Border::FixedSingle)
        setContentsMargins(2, 1, 2, 1);
}

void CaptionLabel::setCaption(const QString& caption)
{
    if (caption == text())
        return;
    setText(caption);
    fitCaption();
    update();
}

void CaptionLabel::setTextColour(Colour colour)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, toQColor(colour));
    setPalette(palette);
}

QColor CaptionLabel::textColour() const { return palette().color(QPalette::WindowText); }

int CaptionLabel::linePitch() const { return QFontInfo(font()).pixelSize() + 1; }

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

void CaptionLabel::fitCaption()
{
    m_captionFont = font();
    const QRect box = contentsRect();
    if (text().isEmpty() || box.height() >= 2 * linePitch())
        return;
    QFont condensed = font();
    for (int stretch = QFont::Unstretched; stretch >= kNarrowestStretch; stretch -= 2) {
        condensed.setStretch(stretch);
        QTextLayout layout;
        const QRectF bounds = layoutCaption(layout, condensed);
        if (bounds.height() <= linePitch() && bounds.width() <= box.width())
            break;
    }
    m_captionFont = condensed;
}

QRect CaptionLabel::textBounds() const
{
    QTextLayout layout;
    return layoutCaption(layout, m_captionFont).toAlignedRect();
}

void CaptionLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.save();
    painter.setClipRect(contentsRect());
    painter.setPen(palette().color(QPalette::WindowText));
    QTextLayout layout;
    layoutCaption(layout, m_captionFont);
    layout.draw(&painter, contentsRect().topLeft());
    painter.restore();
    if (m_border != Border::FixedSingle)
        return;
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CaptionLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    fitCaption();
}

void CaptionLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitCaption();
}

ControlScrollBar::ControlScrollBar(QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent)
{
}

void ControlScrollBar::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        for (const KeyAction& entry : kScrollBarKeys) {
            if (event->key() == entry.key) {
                triggerAction(entry.action);
                event->accept();
                return;
            }
        }
    }
    QScrollBar::keyPressEvent(event);
}

CaptionFrame::CaptionFrame(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent)
{
    // Opaque, so that a frame laid over other controls hides them.
    setAutoFillBackground(true);
}

void CaptionFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int pixels = QFontInfo(font()).pixelSize();
    const int lineY = title().isEmpty() ? 0 : (pixels + 1) / 2;
    qDrawShadeRect(&painter, rect().adjusted(0, lineY, 0, 0), palette(), true, 1, 0);
    if (title().isEmpty())
        return;
    const QRect caption(kFrameCaptionIndent, 0, fontMetrics().horizontalAdvance(title()) + 4, pixels + 1);
    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QPointF(caption.left() + 2, std::round(pixels * kBaselineShare)), title());
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
