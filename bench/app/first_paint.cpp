// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QtGlobal>

namespace qvd::bench {

namespace {

// Watches the window for its first Paint. The window's own Paint comes first
// and its children paint within the same pass, so the loop is ended by a
// queued call that runs only once that pass, and the flush after it, are done.
class FirstPaintWatcher : public QObject {
public:
    explicit FirstPaintWatcher(QWidget& window)
        : QObject(&window)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_painted = false;
};

} // namespace

void useOffscreenUnlessChosen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void quitAtFirstPaint(QWidget& window)
{
    new FirstPaintWatcher(window);
    QTimer::singleShot(kPaintTimeoutMs, QCoreApplication::instance(), [] {
        qCritical("no paint within %d ms", kPaintTimeoutMs);
        QCoreApplication::exit(kNoPaintStatus);
    });
}

} // namespace qvd::bench
