#pragma once

#include <QString>
#include <QStringList>

// What the program was started with. Paths are as given; the caller makes them absolute.
struct CommandLine {
    QString file;            // a recording to open; empty for an empty document
    QString simulatedLogger; // --simulated-logger PATH: a logger image standing in for the device
    bool help = false;
    QString error; // not empty when the arguments make no sense; the program then ends
};

// arguments[0] is the program's own name.
CommandLine ParseCommandLine(const QStringList& arguments);

QString CommandLineHelpText(const QString& program);
