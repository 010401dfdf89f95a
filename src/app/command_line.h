#pragma once

#include <QString>
#include <QStringList>

namespace z718 {

// What the command line asks of a start.
struct StartOptions {
    bool hidden = false;        // start in the tray without showing the window
    bool virtualMouse = false;  // the simulated mouse instead of the USB device
};

// The outcome of reading the command line: either run with `options`, or print `text` (to
// standard error when `toStandardError`) and end with `exitCode` without starting anything.
struct CommandLine {
    bool run = true;
    int exitCode = 0;
    QString text;
    bool toStandardError = false;
    StartOptions options;
};

// Reads the arguments (the program's name first). Needs no application object and no display,
// so --help and --version work on a text console.
CommandLine readCommandLine(const QStringList& arguments, const QString& version);

}  // namespace z718
