#pragma once

#include <QEvent>

namespace z718 {

// Posted to the main object after a connection: code kRunScene asks it to run the scene's "run".
class UserEvent : public QEvent {
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(1000);
    static constexpr int kRunScene = 2177;

    explicit UserEvent(int code) : QEvent(kType), code_(code) {}
    int code() const { return code_; }

private:
    int code_;
};

}  // namespace z718
