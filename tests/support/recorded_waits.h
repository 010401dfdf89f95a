#pragma once

#include <QList>

#include "platform/timing.h"

namespace z718::test {

// While it lives, the program's waits are not slept but listed, in the order requested.
struct RecordedWaits : Sleeper {
    RecordedWaits() { setSleeper(this); }
    ~RecordedWaits() override { setSleeper(nullptr); }
    RecordedWaits(const RecordedWaits&) = delete;
    RecordedWaits& operator=(const RecordedWaits&) = delete;

    void sleep(int ms) override { waits.append(ms); }

    QList<int> waits;
};

}  // namespace z718::test
