// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// qvdtalvern: the window program. `qvdtalvern FILE.qvdjob` opens that job
// once the window has started, behind the introduction.

#include "app/version.h"
#include "ui/job/job_file.h"
#include "ui/qt/job/job_document.h"
#include "ui/qt/job/job_window.h"
#include "ui/qt/window/qt_text.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QSettings>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// True when the command line asks only for text (help or version). Such a
// run gets a QCoreApplication, which needs no display, so that the answer
// comes on any terminal and no window is ever created.
bool asksForTextOnly(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* word = argv[i];
        if (std::strcmp(word, "--") == 0)
            return false;
        for (const char* text : {"-h", "--help", "-?", "--help-all", "-v", "--version"}) {
            if (std::strcmp(word, text) == 0)
                return true;
        }
    }
    return false;
}

// The words of the command line that are not options, as the system's bytes:
// a file name need not be valid text in the user's encoding.
QList<QByteArray> positionalWords(int argc, char** argv)
{
    QList<QByteArray> words;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray word(argv[i]);
        if (!optionsEnded && word == "--")
            optionsEnded = true;
        else if (optionsEnded || !word.startsWith('-') || word == "-")
            words << word;
    }
    return words;
}

} // namespace

int main(int argc, char** argv)
{
    const std::unique_ptr<QCoreApplication> app = asksForTextOnly(argc, argv)
        ? std::make_unique<QCoreApplication>(argc, argv)
        : std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qvdtalvern"));
    QCoreApplication::setApplicationVersion(qvd::toQString(qvd::kVersion));

    // The command line: help and version print and exit here; an unknown
    // option is refused with exit status 1.
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("QVDTALVERN tells an installer where to put a video projector in front of a 4:3 screen.\n"
                       "The window shows, for nine projector and lens rows, the throw distance, the straight\n"
                       "line distance and the vertical offset for the screen size and angle given.\n"
                       "See qvdtalvern(1)."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
        QStringLiteral("A job (") + qvd::toQString(qvd::kJobFileSuffix) + QStringLiteral(") to open."),
        QStringLiteral("[FILE]"));
    parser.process(*app);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fputs("qvdtalvern: give at most one job file\n", stderr);
        return 1;
    }

    QGuiApplication::setDesktopFileName(qvd::toQString(qvd::kApplicationId));
    QIcon icon;
    for (const QString& file : QDir(QStringLiteral(":/icons")).entryList(QDir::Files))
        icon.addFile(QStringLiteral(":/icons/") + file);
    QApplication::setWindowIcon(icon);

    qvd::JobSession session(qvd::NumberFormat::fromEnvironment());
    qvd::JobWindow window(session);
    QSettings settings(QStringLiteral("QVDTALVERN"), QStringLiteral("qvdtalvern"));
    qvd::JobDocument document(session, window.view(), window.actions(), settings);
    const QList<QByteArray> words = positionalWords(argc, argv);
    if (!words.isEmpty())
        QTimer::singleShot(0, &document, [&document, file = words.first()] { document.openNativePath(file); });
    return qvd::runWindow(window.view());
}
