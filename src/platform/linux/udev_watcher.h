#pragma once

#include <QObject>
#include <functional>

namespace z718 {

// Watches udev for hidraw and input devices appearing and going away.
class UdevWatcher {
public:
    // Returns an object (child of parent) that calls onChange for every hidraw or input event,
    // or nullptr when udev cannot be monitored.
    static QObject* create(QObject* parent, std::function<void()> onChange);
};

}  // namespace z718
