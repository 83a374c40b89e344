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

struct KeyName {
    Qt::Key qt;
    Key key;
};

constexpr KeyName kKeys[] = {
    {Qt::Key_Left, Key::Left},
    {Qt::Key_Right, Key::Right},
    {Qt::Key_Up, Key::Up},
    {Qt::Key_Down, Key::Down},
    {Qt::Key_PageUp, Key::PageUp},
    {Qt::Key_PageDown, Key::PageDown},
    {Qt::Key_Home, Key::Home},
    {Qt::Key_End, Key::End},
    {Qt::Key_Space, Key::Space},
    {Qt::Key_Return, Key::Enter},
    {Qt::Key_Enter, Key::Enter},
};

// The model's name of a key pressed without modifiers (the keypad's own
// flag aside); nothing for any other key.
std::optional<Key> modelKey(const QKeyEvent& event)
{
    if (event.modifiers() != Qt::NoModifier && event.modifiers() != Qt::KeypadModifier)
        return std::nullopt;
    for (const KeyName& entry : kKeys) {
        if (event.key() == entry.qt)
            return entry.key;
    }
    return std::nullopt;
}

} // namespace

WindowView::WindowView(MainWindow& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_input(model)
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
    m_mirroring = m_model.controls().onChange([this](ControlId id, Property) { mirror(id); });
    connectInputs();
}

WindowView::~WindowView() = default;

void WindowView::setErrorReporter(ErrorReporter reporter) { m_reporter = std::move(reporter); }

void WindowView::buildWidgets()
{
    const auto& designs = controlDesigns();
    const ControlSet& controls = m_model.controls();
    const std::vector<SpokenControl> spoken = spokenControls(m_model);
    m_widgets.assign(controls.size(), nullptr);

    for (const ControlDesign& design : designs) {
        // Containers come before what they hold, so the parent exists already.
        const ControlId id = m_model.id(design.name);
        QWidget* parent = design.container.empty() ? this : m_widgets[m_model.id(design.container)];
        QWidget* widget = createControlWidget(design, parent);
        widget->setAccessibleName(toQString(spoken[id].name));
        widget->setAccessibleDescription(toQString(spoken[id].description));
        // The window's context menu wherever it is asked for, the scroll bars included.
        widget->setContextMenuPolicy(Qt::NoContextMenu);
        m_widgets[id] = widget;
        // The keys of the inputs are the model's.
        if (design.kind != ControlKind::Label && design.kind != ControlKind::Frame)
            widget->installEventFilter(this);
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
                deliver(id, "Click", [this, id] { m_input.click(id); });
                mirror(id);
            };
            connect(button, &QAbstractButton::clicked, this, click);
            connect(button, &QAbstractButton::toggled, this, click);
            break;
        }
        case ControlKind::PushButton:
            connect(static_cast<QAbstractButton*>(m_widgets[id]), &QAbstractButton::clicked, this,
                [this, id] { deliver(id, "Click", [this, id] { m_input.click(id); }); });
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
            deliver(id, "Scroll", [this, id, value] { m_input.dragBar(id, value); });
        } else {
            deliver(id, "Change", [this, id, value] { m_input.moveBar(id, value); });
        }
        mirror(id);
    });
    connect(bar, &QAbstractSlider::rangeChanged, this, [this, id] { mirror(id); });
    connect(bar, &QScrollBar::sliderPressed, this, [this] { m_dragMoved = false; });
    connect(bar, &QScrollBar::sliderReleased, this, [this, id, bar] {
        if (!std::exchange(m_dragMoved, false))
            return;
        const int position = bar->value();
        deliver(id, "Change", [this, id, position] { m_input.moveBar(id, position); });
        mirror(id);
    });
}

void WindowView::setTabOrderFromDesign()
{
    QWidget* previous = nullptr;
    for (const ControlId id : m_input.tabOrder()) {
        QWidget* widget = m_widgets[id];
        if (previous != nullptr)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

void WindowView::focusFirstControl()
{
    if (const std::optional<ControlId> first = m_input.firstFocus()) {
        // The focus is shown from the start, as after a Tab: the window
        // is used from the keyboard as much as with the mouse.
        setAttribute(Qt::WA_KeyboardFocusChange);
        m_widgets[*first]->setFocus(Qt::OtherFocusReason);
    }
}

bool WindowView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto found = std::find(m_widgets.begin(), m_widgets.end(), watched);
    const std::optional<Key> key = modelKey(*static_cast<QKeyEvent*>(event));
    if (found == m_widgets.end() || !key)
        return false;
    const auto id = static_cast<ControlId>(found - m_widgets.begin());
    const KeyAction action = keyAction(m_model.controls().control(id).kind, *key);
    if (action == KeyAction::None)
        return false;
    // A held key selects once, as a button is pressed once.
    if (action == KeyAction::Select && static_cast<QKeyEvent*>(event)->isAutoRepeat())
        return true;
    WindowInput::KeyResult result;
    deliver(id, "Key", [this, id, key, &result] { result = m_input.pressKey(id, *key); });
    if (result.focus)
        m_widgets[*result.focus]->setFocus(Qt::TabFocusReason);
    mirror(id);
    return true;
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
        const QString text = toQString(state.caption);
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
        m_widgets[id]->setEnabled(!m_input.isCovered(id));
}

void WindowView::updateActions() { emit inputAvailabilityChanged(!m_input.hasFailed()); }

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
    if (m_input.hasFailed()) {
        qCWarning(lcView) << "ignored" << event << "of" << name.c_str() << "after an untrapped error";
        return;
    }
    if (!m_input.takesInput(id)) {
        qCWarning(lcView) << "ignored" << event << "of" << name.c_str() << "hidden or covered by a frame";
        return;
    }
    qCDebug(lcView) << event << name.c_str();
    try {
        action();
    } catch (const std::exception& error) {
        // Anything but an untrapped error, which the input keeps, is a broken
        // invariant of the model, not a user's input.
        qFatal("the window model failed: %s", error.what());
    }
    settle();
}

void WindowView::settle()
{
    if (m_input.hasFailed())
        fail(*m_input.error());
    else
        emit userActed();
}

void WindowView::fail(const RuntimeError& error)
{
    if (std::exchange(m_reported, true))
        return;
    updateActions();
    const std::string_view kind = errorKindName(error.kind());
    qCCritical(lcView) << "untrapped error:" << toQString(kind);
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
    if (m_input.hasFailed() || m_updating > 0)
        return false;
    qCDebug(lcView) << "enter steps";
    try {
        m_input.enter(steps);
    } catch (const std::exception& error) {
        qFatal("the window model failed: %s", error.what());
    }
    settle();
    return !m_input.hasFailed();
}

bool WindowView::start()
{
    if (!m_input.enter([this] { m_model.load(); })) {
        fail(*m_input.error());
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
