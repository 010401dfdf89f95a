#pragma once

namespace z718 {

// Every wait of the program takes its length from here, so tests can shorten the waits
// without changing how many there are or in which order they happen.
struct Durations {
    int pollMs = 2048;       // device poll after the last device change
    int acquireRoundMs = 8;  // one round of waiting for the link
    int settleSleepMs = 64;  // half of a settle wait
    int reportPauseMs = 8;   // between payload output reports
    // The longest wait for one input report. The device sends one within a few of its report
    // intervals (8 ms at the slowest rate); a silent device holds the GUI thread this long per
    // read, and a click must land within 100 ms.
    int inputReportMs = 60;
    int commandPauseMs = 8;    // after commands that ask for a pause
    int tickMs = 10;           // one engine tick
    int updaterDelayMs = 500;  // between stopping the worker and starting the updater
};

// Process-wide; change it only while no worker runs.
Durations& durations();

// Where the link's and the bridges' waits go. Tests install one that records the requested
// waits instead of sleeping.
class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void sleep(int ms) = 0;
};

// Installs `sleeper` (not owned); nullptr goes back to really sleeping.
void setSleeper(Sleeper* sleeper);

// Waits `ms` through the installed sleeper; a wait of 0 or less is no wait at all.
void sleepMs(int ms);

}  // namespace z718
