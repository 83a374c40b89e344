// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/window/window_view.h"

#include "ui/qt/window/accessible_names.h"
#include "ui/qt/window/control_widgets.h"
#include "ui/qt/window/design_fonts.h"
#include "ui/qt/window/dialog_conventions.h"
#include "ui/qt/window/results_table.h"
#include "ui/qt/window/view_logging.h"
#include "ui/window/control_names.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>
#include <exception>
#include <numeric>
#include <utility>

namespace qvd {

namespace {

bool overlaps(const ControlDesign& a, const ControlDesign& b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height
        && b.top < a.top + a.height;
}

} // namespace

WindowView::WindowView(MainWindow& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_reporter(programErrorReporter(this))
{
    installFontFallbacks();
    installControlAccessibility();
    // Before anything asks for its interface (setting a name may).
    setAccessibleRole(*this, QAccessible::Window);
    const FormDesign& form = formDesign();
    setObjectName(toQString(form.name));
    setAccessibleName(toQString(form.caption));
    setWindowTitle(toQString(form.caption));
    setFont(designFont(*form.font));
    // The window and every control without a colour of its own share the
    // button face, as the design's default background.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    setPalette(palette);
    setFixedSize(designRect(0, 0, form.clientWidth, form.clientHeight).size());

    buildWidgets();
    new ResultsTable(m_model, *this);
    setTabOrderFromDesign();
    for (ControlId id = 0; id < m_widgets.size(); ++id)
        mirror(id);
    m_model.controls().setObserver([this](ControlId id, Property) { mirror(id); });
    connectInputs();
}

WindowView::~WindowView() { m_model.controls().setObserver({}); }

void WindowView::setErrorReporter(ErrorReporter reporter) { m_reporter = std::move(reporter); }

void WindowView::buildWidgets()
{
    const auto& designs = controlDesigns();
    const ControlSet& controls = m_model.controls();
    const std::vector<SpokenControl> spoken = spokenControls(m_model);
    m_widgets.assign(controls.size(), nullptr);
    m_coveredBy.assign(controls.size(), {});
    m_container.assign(controls.size(), std::nullopt);

    for (std::size_t index = 0; index < designs.size(); ++index) {
        const ControlDesign& design = designs[index];
        // Containers come before what they hold, so the parent exists already.
        const ControlId id = m_model.id(design.name);
        if (!design.container.empty())
            m_container[id] = m_model.id(design.container);
        QWidget* parent = m_container[id] ? m_widgets[*m_container[id]] : this;
        QWidget* widget = createControlWidget(design, parent);
        widget->setAccessibleName(toQString(spoken[id].name));
        widget->setAccessibleDescription(toQString(spoken[id].description));
        // The window's context menu wherever it is asked for, the scroll bars included.
        widget->setContextMenuPolicy(Qt::NoContextMenu);
        m_widgets[id] = widget;

        // A frame lies above the controls created before it in its container;
        // while it is visible it takes their input.
        if (design.kind != ControlKind::Frame)
            continue;
        for (std::size_t below = 0; below < index; ++below) {
            const ControlDesign& other = designs[below];
            if (other.container == design.container && overlaps(other, design))
                m_coveredBy[m_model.id(other.name)].push_back(id);
        }
    }
}

void WindowView::connectInputs()
{
    ControlSet& controls = m_model.controls();
    for (ControlId id = 0; id < m_widgets.size(); ++id) {
        switch (controls.control(id).kind) {
        case ControlKind::OptionButton: {
            // A click, a key or an accessible action raises clicked(); a
            // tool's toggle() or setChecked() raises toggled() alone. The
            // button's mark never changes by itself (ControlOptionButton),
            // so each activation raises exactly one of the two.
            auto* button = static_cast<QAbstractButton*>(m_widgets[id]);
            const auto click = [this, id] {
                deliver(id, "Click", [this, id] { m_model.controls().clickOption(id); });
                mirror(id);
            };
            connect(button, &QAbstractButton::clicked, this, click);
            connect(button, &QAbstractButton::toggled, this, click);
            break;
        }
        case ControlKind::PushButton:
            connect(static_cast<QAbstractButton*>(m_widgets[id]), &QAbstractButton::clicked, this,
                [this, id] { deliver(id, "Click", [this, id] { m_model.controls().press(id); }); });
            break;
        case ControlKind::HScrollBar:
            connectScrollBar(id, static_cast<QScrollBar*>(m_widgets[id]));
            break;
        case ControlKind::Label:
        case ControlKind::Frame:
            break;
        }
    }
}

// Whatever moves a bar's value other than the view itself - an arrow, the
// page area, a key, the wheel, a drag, an assistive tool's Value, a tool's
// setValue() - raises valueChanged(), which becomes one model event: Scroll
// while the thumb is held, Change otherwise. The bar then shows the model's
// value, whether or not the handlers kept the one asked for. A drag that
// raised Scroll raises Change at the release. A range set from outside the
// view is put back.
void WindowView::connectScrollBar(ControlId id, QScrollBar* bar)
{
    connect(bar, &QAbstractSlider::valueChanged, this, [this, id, bar](int value) {
        if (bar->isSliderDown()) {
            m_dragMoved = true;
            deliver(id, "Scroll", [this, id, value] { m_model.controls().dragScrollBar(id, value); });
        } else {
            deliver(id, "Change", [this, id, value] { m_model.controls().moveScrollBar(id, value); });
        }
        mirror(id);
    });
    connect(bar, &QAbstractSlider::rangeChanged, this, [this, id] { mirror(id); });
    connect(bar, &QScrollBar::sliderPressed, this, [this] { m_dragMoved = false; });
    connect(bar, &QScrollBar::sliderReleased, this, [this, id, bar] {
        if (!std::exchange(m_dragMoved, false))
            return;
        const int position = bar->value();
        deliver(id, "Change", [this, id, position] { m_model.controls().moveScrollBar(id, position); });
        mirror(id);
    });
}

void WindowView::setTabOrderFromDesign()
{
    const auto& designs = controlDesigns();
    std::vector<std::size_t> order(designs.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(),
        [&designs](std::size_t a, std::size_t b) { return designs[a].tabIndex < designs[b].tabIndex; });
    QWidget* previous = nullptr;
    for (const std::size_t index : order) {
        QWidget* widget = m_widgets[m_model.id(designs[index].name)];
        if ((widget->focusPolicy() & Qt::TabFocus) == 0)
            continue;
        if (previous != nullptr)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

void WindowView::focusFirstControl()
{
    for (QWidget* widget = this->nextInFocusChain(); widget != this; widget = widget->nextInFocusChain()) {
        if (widget->isEnabled() && widget->isVisibleTo(this) && (widget->focusPolicy() & Qt::TabFocus) != 0) {
            // The focus is shown from the start, as after a Tab: the window
            // is used from the keyboard as much as with the mouse.
            setAttribute(Qt::WA_KeyboardFocusChange);
            widget->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

QWidget* WindowView::controlWidget(std::string_view name) const
{
    const ControlSet& controls = m_model.controls();
    for (ControlId id = 0; id < controls.size(); ++id) {
        if (controls.control(id).name == name)
            return m_widgets[id];
    }
    return nullptr;
}

QWidget* WindowView::widget(ControlId id) const { return id < m_widgets.size() ? m_widgets[id] : nullptr; }

bool WindowView::isCovered(ControlId id) const
{
    const ControlSet& controls = m_model.controls();
    const auto& frames = m_coveredBy[id];
    return std::any_of(
        frames.begin(), frames.end(), [&controls](ControlId frame) { return controls.isVisible(frame); });
}

bool WindowView::takesInput(ControlId id) const
{
    const ControlSet& controls = m_model.controls();
    for (std::optional<ControlId> at = id; at; at = m_container[*at]) {
        if (!controls.isVisible(*at) || isCovered(*at))
            return false;
    }
    return true;
}

void WindowView::mirror(ControlId id)
{
    const ControlState& state = m_model.controls().control(id);
    QWidget* widget = m_widgets[id];
    // Marks the view's own updates, so that a signal they cause is never
    // taken for a user action.
    const QScopedValueRollback<int> updating(m_updating, m_updating + 1);
    const QSignalBlocker blocker(widget);
    switch (state.kind) {
    case ControlKind::Label: {
        auto* label = static_cast<CaptionLabel*>(widget);
        const QString text = QString::fromStdString(state.caption);
        label->setCaption(text);
        label->setTextColour(state.foreColor);
        // Screen readers name a result box by its row and column; its text goes with it.
        if (label->accessibleName() != text)
            label->setAccessibleDescription(text);
        break;
    }
    case ControlKind::OptionButton:
        static_cast<QRadioButton*>(widget)->setChecked(state.value == kTrue);
        break;
    case ControlKind::HScrollBar: {
        auto* bar = static_cast<QScrollBar*>(widget);
        bar->setRange(std::min(state.min, state.max), std::max(state.min, state.max));
        bar->setValue(state.value);
        bar->setVisible(state.visible);
        break;
    }
    case ControlKind::Frame:
        mirrorFrame(id);
        break;
    case ControlKind::PushButton:
        break;
    }
}

void WindowView::mirrorFrame(ControlId id)
{
    const bool visible = m_model.controls().isVisible(id);
    // Input is given back before the frame goes, so that the focus can move
    // to a control beneath it.
    updateCovers();
    updateActions();
    m_widgets[id]->setVisible(visible);
    if (visible)
        m_widgets[id]->raise();
    QWidget* focus = focusWidget();
    if (focus == nullptr || !focus->isVisibleTo(this) || !focus->isEnabled())
        focusFirstControl();
}

void WindowView::updateCovers()
{
    for (ControlId id = 0; id < m_widgets.size(); ++id)
        m_widgets[id]->setEnabled(!isCovered(id));
}

void WindowView::updateActions() { emit inputAvailabilityChanged(!m_failed); }

void WindowView::contextMenuEvent(QContextMenuEvent* event)
{
    const bool atPointer = event->reason() == QContextMenuEvent::Mouse;
    emit menuRequested(atPointer ? event->pos() : rect().center(), atPointer);
    event->accept();
}

template <typename Action> void WindowView::deliver(ControlId id, const char* event, Action&& action)
{
    const std::string& name = m_model.controls().control(id).name;
    if (m_updating > 0) {
        qCWarning(lcView) << "ignored" << event << "of" << name.c_str() << "raised while the view follows the model";
        return;
    }
    if (m_failed) {
        qCWarning(lcView) << "ignored" << event << "of" << name.c_str() << "after an untrapped error";
        return;
    }
    if (!takesInput(id)) {
        qCWarning(lcView) << "ignored" << event << "of" << name.c_str() << "hidden or covered by a frame";
        return;
    }
    qCDebug(lcView) << event << name.c_str();
    run(action);
}

void WindowView::run(const std::function<void()>& steps)
{
    try {
        steps();
        emit userActed();
    } catch (const RuntimeError& error) {
        fail(error);
    } catch (const std::exception& error) {
        // Anything else is a broken invariant of the model, not a user's input.
        qFatal("the window model failed: %s", error.what());
    }
}

void WindowView::fail(const RuntimeError& error)
{
    m_failed = true;
    updateActions();
    const std::string_view kind = errorKindName(error.kind());
    qCCritical(lcView) << "untrapped error:" << QString::fromUtf8(kind.data(), static_cast<qsizetype>(kind.size()));
    setEnabled(false);
    if (m_reporter)
        m_reporter(error);
}

bool WindowView::enterInputs(const WindowInputs& inputs)
{
    return enter([this, &inputs] { m_model.enterInputs(inputs); });
}

bool WindowView::enter(const std::function<void()>& steps)
{
    // A job is entered behind the introduction too; only a failed window, or
    // one following the model, refuses it.
    if (m_failed || m_updating > 0)
        return false;
    qCDebug(lcView) << "enter steps";
    run(steps);
    return !m_failed;
}

bool WindowView::start()
{
    try {
        m_model.load();
    } catch (const RuntimeError& error) {
        fail(error);
        return false;
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    show();
    focusFirstControl();
    return true;
}

int runWindow(WindowView& view)
{
    if (!view.start())
        return kUntrappedErrorStatus;
    return QApplication::exec();
}

} // namespace qvd
