// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// What every dialog of the window program does the same way, so that a
// dialog keeps it with one call, adoptDialogConventions():
// - the focus starts on the control the dialog is for, and goes back to the
//   window that opened it when the dialog closes; Escape closes it;
// - Tab and Shift+Tab (with Ctrl too) leave a table, whose arrows move
//   within it;
// - Return presses only the dialog's own default button, if it has one: a
//   button elsewhere (one in a table, say) never becomes the default because
//   it happens to come first;
// - the dialog fits the screen it opens on at every scale: its content lies
//   in a scroll area, so that the dialog may be made smaller than the content
//   and scrolls inside it, while its button box and its problem texts stay
//   in view below;
// - a ProblemText says what is wrong in words a screen reader announces.
// setAccessibleRole() gives a plain widget the role it plays (a window, a
// drawing, an alert) where Qt would expose a bare "filler".

#include <QAccessible>
#include <QLabel>
#include <QList>
#include <QPointer>

class QDialog;
class QMenu;
class QPushButton;
class QWidget;

namespace qvd {

struct DialogConventions {
    // Where the focus starts each time the dialog opens.
    QWidget* firstFocus = nullptr;
    // What Return presses; none: Return in a field does nothing.
    QPushButton* defaultButton = nullptr;
};

// Applies the conventions to `dialog`, whose layout is complete: its top
// layout's items other than a QDialogButtonBox move into a scroll area.
void adoptDialogConventions(QDialog& dialog, const DialogConventions& conventions);

// The same for a window of its own beside the main window (a tool window,
// not a dialog): exposed as a window, fitted to the screen and given its
// first focus as it opens, the focus back to the main window as it closes.
void adoptWindowConventions(QWidget& window, QWidget* firstFocus);

// Sizes `window` to what its layout asks for, within the available area of
// the screen it is on (or opens on, beside its parent), and moves it inside
// that area; it grows or shrinks as the content did.
void fitToScreen(QWidget& window);

// Gives `window` the size `wanted`, within the available area of its screen,
// and moves it inside that area if it is showing.
void placeOnScreen(QWidget& window, QSize wanted);

// Gives each entry of `menu` that has none a letter to choose it by (the
// start of a word where one is free), and each submenu its entry's words as
// its name; entries that have a letter keep it. Entries added later get
// theirs the next time.
void giveMnemonics(QMenu& menu);

// Installs, once, the accessible interfaces of the conventions: the roles
// given by setAccessibleRole(), and menu entries that say they are checkable
// (a radio button when their group is exclusive) or open a submenu.
void installConventionAccessibility();

// The role assistive tools see for `widget`; call it before the widget is
// first asked for its accessible interface (in its constructor).
void setAccessibleRole(QWidget& widget, QAccessible::Role role);

// What is wrong with the user's input, in red, announced as an alert: each
// new text raises the alert event, and the fields at fault carry the text as
// their accessible description and the property "invalidEntry" set, until
// the problem is gone. Hidden while there is nothing to say.
class ProblemText : public QLabel {
public:
    explicit ProblemText(QWidget* parent);

    // Shows `text` (empty: no problem) as the problem of `fields` (none: of
    // the dialog as a whole).
    void setProblem(const QString& text, const QList<QWidget*>& fields = {});

private:
    struct Field {
        QPointer<QWidget> widget;
        QString description; // its own, given back when the problem goes
    };
    QList<Field> m_fields;
};

} // namespace qvd
