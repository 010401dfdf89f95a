#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>

namespace z718 {

// How a later start reaches the copy of the program that already runs. The running copy
// listens; a later start asks it to show its window, hears whether it could, and ends. Without
// this a user who closed the window on a desktop with no tray would have no way back to it.
class InstanceChannel : public QObject {
    Q_OBJECT
public:
    // What the running copy answers.
    enum class Answer { Shown, NotConnected, NoAnswer };

    // The running copy, which holds the single-instance lock: takes over the channel's name
    // (one left by a crashed copy included) and listens. `answer` is asked on each request.
    explicit InstanceChannel(std::function<Answer()> answer, QObject* parent = nullptr);
    bool listening() const { return server_.isListening(); }

    // A later start: asks the running copy to show its window.
    static Answer askRunningCopy();

private:
    void serve();

    std::function<Answer()> answer_;
    QLocalServer server_;
};

}  // namespace z718
