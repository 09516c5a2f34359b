#pragma once
// The mail component of the report window: a message with subject, plain-text body and
// recipients handed to the user's mail program for the user to check and send. Here the hand-over
// is a mailto: URL opened through the platform layer: SendMail gives 0 when a mail program took
// the message and 26 ("System does not support MAPI mail server") when none is registered.
// The events tell the outcomes apart as the callers expect: 0 raises OnSuccess, 1 (cancelled)
// OnUserAbort, any other code after the hand-over OnMapiError.
//
// A mailto: URL carries no attachments and no sender: a mail program fills in its own account,
// and AttachedFiles, kept for the callers, are not handed over.

#include <QObject>
#include <QStringList>
#include <QUrl>

namespace qdx::app {

class TMapiControl : public QObject {
    Q_OBJECT
public:
    explicit TMapiControl(QObject* parent = nullptr);

    QString Subject;
    QString Body;
    QString FromName;
    QString FromAdress;
    QStringList Recipients;
    QStringList CopyTo;
    QStringList BlindCopyTo;
    QStringList AttachedFiles;
    // The display name of every attachment: its file name.
    QStringList AttachmentNames() const;
    // Whether the mail program shows its compose window; a mailto: hand-over always does.
    bool ShowDialog = false;

    // Hands the message over; the result code (0 handed over, 26 no mail program).
    int SendMail();

    // The mailto: URL of the current message.
    QUrl MessageUrl() const;

    static constexpr int kNoMailSupport = 26;

signals:
    void OnSuccess(QObject* sender);
    void OnUserAbort(QObject* sender);
    void OnMapiError(QObject* sender, int code);
};

}  // namespace qdx::app
