// Handing a text to another program: the wire format, a running copy reached through its
// socket, a copy started with the text, and the two messages for unusable paths.
#include <QtTest>

#include <QFile>
#include <QLocalSocket>
#include <QThread>

#include "app/platform/send_to_program.hpp"
#include "support/app_test_env.hpp"

using namespace qdx::app;

namespace {

QString WriteProgram(const QString& path, const QByteArray& body, bool executable = true) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(body);
    f.close();
    QFile::Permissions p = QFile::ReadOwner | QFile::WriteOwner;
    if (executable) p |= QFile::ExeOwner;
    f.setPermissions(p);
    return path;
}

// A stand-in for the chart program: records its arguments, listens on its socket and ends
// after the first connection (the sender's readiness probe). The test's folder goes with the
// socket in it.
QByteArray ListeningProgram(const QString& argsFile) {
    return "#!/usr/bin/python3\n"
           "import os, socket, sys\n"
           "open('" + argsFile.toUtf8() + "', 'w').write('\\n'.join(sys.argv[1:]))\n"
           "path = os.path.join(os.environ['XDG_RUNTIME_DIR'], os.path.basename(sys.argv[0]))\n"
           "s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)\n"
           "s.bind(path)\n"
           "s.listen(1)\n"
           "s.settimeout(30)\n"
           "c, _ = s.accept()\n"
           "c.close()\n";
}

}  // namespace

class SendToProgramTest : public QObject {
    Q_OBJECT
private slots:
    void messageIsCodeLengthAndUtf8() {
        const QByteArray m = ProgramMessage(3, QString::fromUtf8("/home/b\u00fcro/a.psy"));
        QCOMPARE(m, QByteArray("\x03\x00\x00\x00\x11\x00\x00\x00/home/b\xc3\xbcro/a.psy", 25));
    }

    void runningCopyGetsTheTextWithCode3() {
        qdx::test::TAppTestEnv env;
        const QString program = WriteProgram(env.Root() + "/chart-prog", "#!/bin/sh\n");
        // The running copy answers from a thread of its own: the sender blocks until the
        // message has been handled.
        QThread thread;
        auto* server = new TProgramMessageServer("chart-prog");
        server->moveToThread(&thread);
        QList<QPair<quint32, QString>> received;
        connect(server, &TProgramMessageServer::MessageReceived, server,
                [&received](quint32 code, const QString& text) { received.append({code, text}); },
                Qt::DirectConnection);
        connect(&thread, &QThread::finished, server, &QObject::deleteLater);
        thread.start();
        TListenResult listening = TListenResult::Failed;
        QMetaObject::invokeMethod(server, [&] { listening = server->Listen(); },
                                  Qt::BlockingQueuedConnection);
        QCOMPARE(listening, TListenResult::Listening);
        QCOMPARE(server->SocketPath(), env.RuntimeDir() + "/chart-prog");

        const QString path = QString::fromUtf8("/data/b\u00fcro plan.psy");
        QVERIFY(SendToProgram(program, path));
        QVERIFY(SendToProgram(program, "second"));
        thread.quit();
        thread.wait();
        QCOMPARE(received.size(), 2);
        QCOMPARE(received[0].first, 3u);
        QCOMPARE(received[0].second, path);
        QCOMPARE(received[1].second, QString("second"));
        QVERIFY(env.Dialogs().messages.isEmpty());
    }

    void serverTakesSplitMessagesAndDropsOversizedOnes() {
        qdx::test::TAppTestEnv env;
        TProgramMessageServer server("chart-prog");
        QCOMPARE(server.Listen(), TListenResult::Listening);
        TProgramMessageServer second("chart-prog");
        QCOMPARE(second.Listen(), TListenResult::OtherCopy);  // one copy listens
        QStringList texts;
        connect(&server, &TProgramMessageServer::MessageReceived,
                [&texts](quint32, const QString& t) { texts << t; });

        QLocalSocket split;
        split.connectToServer(server.SocketPath());
        QVERIFY(split.waitForConnected(1000));
        const QByteArray m = ProgramMessage(3, "abc");
        split.write(m.left(5));
        split.flush();
        QTest::qWait(50);
        QVERIFY(texts.isEmpty());
        split.write(m.mid(5));
        QTRY_COMPARE(texts, QStringList{"abc"});
        QTRY_COMPARE(split.state(), QLocalSocket::UnconnectedState);  // handled: closed

        QLocalSocket huge;
        huge.connectToServer(server.SocketPath());
        QVERIFY(huge.waitForConnected(1000));
        QByteArray header = ProgramMessage(3, "");
        qToLittleEndian<quint32>(TProgramMessageServer::kMaxTextBytes + 1, header.data() + 4);
        huge.write(header + "x");
        QTRY_COMPARE(huge.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(texts.size(), 1);
    }

    void staleSocketIsReplacedAndAFailureSaid() {
        qdx::test::TAppTestEnv env;
        WriteProgram(env.RuntimeDir() + "/chart-prog", "");  // left by a copy that ended
        TProgramMessageServer server("chart-prog");
        QCOMPARE(server.Listen(), TListenResult::Listening);
        // A folder where the socket should be.
        QDir(env.RuntimeDir()).mkpath("other-prog");
        TProgramMessageServer blocked("other-prog");
        QCOMPARE(blocked.Listen(), TListenResult::Failed);
    }

    void programThatDoesNotRunIsStartedWithTheText() {
        qdx::test::TAppTestEnv env;
        const QString args = env.Root() + "/args.txt";
        const QString program = WriteProgram(env.Root() + "/chart-prog", ListeningProgram(args));
        const QString path = env.Root() + "/plan a.psy";
        QVERIFY(SendToProgram(program, path));
        // It returned once the program listened, which it does after writing its arguments.
        QFile f(args);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()), path);
        QVERIFY(env.Dialogs().messages.isEmpty());
    }

    void startedProgramThatEndsIsNotWaitedFor() {
        qdx::test::TAppTestEnv env;
        const QString program = WriteProgram(env.Root() + "/chart-prog", "#!/bin/sh\nexit 0\n");
        QVERIFY(!SendToProgram(program, "x"));
        QVERIFY(env.Dialogs().messages.isEmpty());
    }

    void unusablePathsGiveTheirMessages() {
        qdx::test::TAppTestEnv env;
        const QString missing = env.Root() + "/bin/qdx-aerograph";
        QVERIFY(!SendToProgram(missing, "x"));
        QCOMPARE(env.Dialogs().LastMessage(), missing + "\rnot found...");

        const QString plain = WriteProgram(env.Root() + "/chart.txt", "text", false);
        QVERIFY(!SendToProgram(plain, "x"));
        QCOMPARE(env.Dialogs().LastMessage(), plain + "\nProgram not executable...");

        QVERIFY(!SendToProgram(env.Root(), "x"));  // a folder
        QCOMPARE(env.Dialogs().LastMessage(), env.Root() + "\nProgram not executable...");
        QCOMPARE(env.Dialogs().messages.size(), 3);
    }
};

QTEST_MAIN(SendToProgramTest)
#include "send_to_program_test.moc"
