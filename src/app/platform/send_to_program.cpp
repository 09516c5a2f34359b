#include "app/platform/send_to_program.hpp"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QtEndian>

#include <cerrno>
#include <csignal>

#include "app/platform/dialogs.hpp"

namespace qdx::app {

namespace {

constexpr int kHeaderBytes = 8;

// True when a copy listens on the socket; the probe connection is closed at once.
bool Listening(const QString& socketPath, int timeoutMs) {
    QLocalSocket probe;
    probe.connectToServer(socketPath);
    if (!probe.waitForConnected(timeoutMs)) return false;
    probe.abort();
    return true;
}

bool ProcessEnded(qint64 pid) { return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH; }

}  // namespace

QString ProgramSocketPath(const QString& programPath) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return folder + "/" + QFileInfo(programPath).completeBaseName();
}

QByteArray ProgramMessage(std::uint32_t code, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    QByteArray message(kHeaderBytes, '\0');
    qToLittleEndian<quint32>(code, message.data());
    qToLittleEndian<quint32>(static_cast<quint32>(utf8.size()), message.data() + 4);
    return message + utf8;
}

bool SendToProgram(const QString& programPath, const QString& text, QWidget* parent,
                   int startTimeoutMs) {
    const QFileInfo program(programPath);
    if (!program.exists()) {
        Dialogs().ShowMessage(parent, programPath + "\r" + "not found...", TMsgKind::Error);
        return false;
    }
    const QString notExecutable = programPath + "\n" + "Program not executable...";
    if (!program.isFile() || !program.isExecutable()) {
        Dialogs().ShowMessage(parent, notExecutable, TMsgKind::Error);
        return false;
    }

    if (SendToRunningCopy(programPath, text)) return true;

    const QString socketPath = ProgramSocketPath(programPath);
    qint64 pid = 0;
    if (!QProcess::startDetached(program.absoluteFilePath(), {text}, QString(), &pid)) {
        Dialogs().ShowMessage(parent, notExecutable, TMsgKind::Error);
        return false;
    }
    // Ready for input once it listens; a program that ends first (it could not start, or it
    // handed the text to a copy that began meanwhile) is not waited for.
    const QDeadlineTimer deadline(startTimeoutMs);
    while (!deadline.hasExpired()) {
        if (Listening(socketPath, 100)) return true;
        if (ProcessEnded(pid)) return Listening(socketPath, 100);
        QThread::msleep(50);
    }
    return false;
}

bool SendToRunningCopy(const QString& programPath, const QString& text) {
    QLocalSocket socket;
    socket.connectToServer(ProgramSocketPath(programPath));
    if (!socket.waitForConnected(1000)) return false;
    socket.write(ProgramMessage(kProgramTextCode, text));
    if (!socket.waitForBytesWritten(5000)) return false;
    // Delivered once the receiver has taken it and closed the connection.
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(5000);
    return true;
}

TProgramMessageServer::TProgramMessageServer(const QString& programName, QObject* parent)
    : QObject(parent), path_(ProgramSocketPath(programName)), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &TProgramMessageServer::Accept);
}

TProgramMessageServer::~TProgramMessageServer() { server_->close(); }

TListenResult TProgramMessageServer::Listen() {
    if (server_->isListening()) return TListenResult::Listening;
    if (Listening(path_, 500)) return TListenResult::OtherCopy;
    QLocalServer::removeServer(path_);  // left by a copy that ended without closing it
    return server_->listen(path_) ? TListenResult::Listening : TListenResult::Failed;
}

void TProgramMessageServer::Accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() < kHeaderBytes) return;
            const QByteArray header = socket->peek(kHeaderBytes);
            const quint32 code = qFromLittleEndian<quint32>(header.constData());
            const quint32 length = qFromLittleEndian<quint32>(header.constData() + 4);
            if (length > kMaxTextBytes) {
                socket->abort();
                return;
            }
            if (socket->bytesAvailable() < kHeaderBytes + static_cast<qint64>(length)) return;
            socket->skip(kHeaderBytes);
            const QString text = QString::fromUtf8(socket->read(length));
            // The sender waits for the close: acknowledge before the receiver's work, which
            // may open windows or message boxes.
            socket->disconnectFromServer();
            emit MessageReceived(code, text);
        });
    }
}

}  // namespace qdx::app
