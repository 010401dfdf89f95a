#include "app/instance_channel.h"

#include <QLocalSocket>
#include <QStandardPaths>

namespace z718 {

namespace {

constexpr int kWaitMs = 3000;
const QByteArray kShow = "show\n";
const QByteArray kShown = "shown\n";
const QByteArray kNotConnected = "not connected\n";

// One channel per user session, like the single-instance lock: in the session's runtime folder,
// which only the user can enter. Windows' pipe names are machine-wide, so the user's name goes
// into the name there.
QString channelName() {
#ifdef Q_OS_WIN
    return QStringLiteral("kestran-solux-z718-") + qEnvironmentVariable("USERNAME");
#else
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
           QStringLiteral("/kestran-solux-z718.socket");
#endif
}

}  // namespace

InstanceChannel::InstanceChannel(std::function<Answer()> answer, QObject* parent)
    : QObject(parent), answer_(std::move(answer)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    // Only the lock's holder gets here, so a socket of that name is one a crashed copy left.
    QLocalServer::removeServer(channelName());
    if (!server_.listen(channelName())) {
        qWarning("A second start cannot show this window: %s", qPrintable(server_.errorString()));
    }
    connect(&server_, &QLocalServer::newConnection, this, &InstanceChannel::serve);
}

void InstanceChannel::serve() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A request is one short line; anything else, or more of it, is not ours to answer.
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (socket->bytesAvailable() < kShow.size()) {
                return;
            }
            if (socket->read(kShow.size()) == kShow) {
                socket->write(answer_() == Answer::Shown ? kShown : kNotConnected);
            }
            socket->disconnectFromServer();
        });
    }
}

InstanceChannel::Answer InstanceChannel::askRunningCopy() {
    QLocalSocket socket;
    socket.connectToServer(channelName());
    if (!socket.waitForConnected(kWaitMs)) {
        return Answer::NoAnswer;
    }
    socket.write(kShow);
    socket.waitForBytesWritten(kWaitMs);
    QByteArray reply;
    while (!reply.endsWith('\n') && socket.waitForReadyRead(kWaitMs)) {
        reply += socket.readAll();
    }
    reply += socket.readAll();
    if (reply == kShown) {
        return Answer::Shown;
    }
    return reply == kNotConnected ? Answer::NotConnected : Answer::NoAnswer;
}

}  // namespace z718
