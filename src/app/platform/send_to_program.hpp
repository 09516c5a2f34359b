#pragma once
// Handing a text to another program: a running copy gets it as a message on its local socket;
// otherwise the program is started with the text as its argument.
//
// A program listens on a local socket named after its file name without extension, in the
// user's runtime folder. A message is a 4-byte little-endian code, a 4-byte little-endian
// length and that many bytes of UTF-8 text; code 3 carries a text to act on (for the chart
// program, the path of a file to load). The receiver closes the connection once it has
// handled the message, which tells the sender that it was delivered.

#include <QObject>
#include <QString>

#include <cstdint>

class QLocalServer;
class QWidget;

namespace qdx::app {

inline constexpr std::uint32_t kProgramTextCode = 3;

// The socket path of the program at programPath (or of a bare program name).
QString ProgramSocketPath(const QString& programPath);

// The bytes of one message.
QByteArray ProgramMessage(std::uint32_t code, const QString& text);

// Sends text to the program at programPath. Shows programPath, a line break and "Program not
// executable..." when the path is not an executable file, or programPath, a carriage return
// and "not found..." when there is none. A running copy gets the text with code 3; otherwise
// the program is started with text as its argument and the call waits, at most
// startTimeoutMs, until the new program listens. False when nothing was delivered (an
// unusable path, or a started program that ended or did not listen in time).
bool SendToProgram(const QString& programPath, const QString& text, QWidget* parent = nullptr,
                   int startTimeoutMs = 15000);

// Sends text with code 3 to a copy of the program that listens; false when none does or the
// message did not go through.
bool SendToRunningCopy(const QString& programPath, const QString& text);

enum class TListenResult { Listening, OtherCopy, Failed };

// The receiving side: listens on the socket of a program name and reports every complete
// message. Incomplete or oversized messages are dropped with their connection.
class TProgramMessageServer : public QObject {
    Q_OBJECT
public:
    explicit TProgramMessageServer(const QString& programName, QObject* parent = nullptr);
    ~TProgramMessageServer() override;

    // Starts listening. A socket left behind by a copy that ended is replaced; another copy
    // that listens already is left alone.
    TListenResult Listen();
    QString SocketPath() const { return path_; }

    // The longest text taken.
    static constexpr std::uint32_t kMaxTextBytes = 1 << 20;

signals:
    void MessageReceived(quint32 code, const QString& text);

private:
    void Accept();

    QString path_;
    QLocalServer* server_;
};

}  // namespace qdx::app
