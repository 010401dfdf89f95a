#pragma once

namespace z718 {

// Every wait of the program takes its length from here, so tests can shorten the waits
// without changing how many there are or in which order they happen.
struct Durations {
    int pollMs = 2048;         // device poll after the last device change
    int acquireRoundMs = 8;    // one round of waiting for the link
    int settleSleepMs = 64;    // half of a settle wait
    int reportPauseMs = 8;     // between payload output reports
    int inputReportMs = 1000;  // the longest wait for one input report
    int commandPauseMs = 8;    // after commands that ask for a pause
    int tickMs = 10;           // one engine tick
    int updaterDelayMs = 500;  // between stopping the worker and starting the updater
};

// Process-wide; change it only while no worker runs.
Durations& durations();

void sleepMs(int ms);

}  // namespace z718
