#include "app/platform/mail.hpp"

#include <QFileInfo>

#include "app/platform/dialogs.hpp"

namespace qdx::app {

namespace {

QString Encoded(const QString& text) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QString Addresses(const QStringList& list) {
    QStringList out;
    for (const QString& a : list) out << Encoded(a.trimmed());
    return out.join(',');
}

// Mail bodies break lines with CR LF; a lone LF of the text becomes one too.
QString MailLines(QString text) {
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    return text.replace('\n', "\r\n");
}

}  // namespace

TMapiControl::TMapiControl(QObject* parent) : QObject(parent) {
    setObjectName("MapiControl");
}

QStringList TMapiControl::AttachmentNames() const {
    QStringList names;
    for (const QString& f : AttachedFiles) names << QFileInfo(f).fileName();
    return names;
}

QUrl TMapiControl::MessageUrl() const {
    QStringList fields;
    if (!CopyTo.isEmpty()) fields << "cc=" + Addresses(CopyTo);
    if (!BlindCopyTo.isEmpty()) fields << "bcc=" + Addresses(BlindCopyTo);
    if (!Subject.isEmpty()) fields << "subject=" + Encoded(Subject);
    if (!Body.isEmpty()) fields << "body=" + Encoded(MailLines(Body));
    QString text = "mailto:" + Addresses(Recipients);
    if (!fields.isEmpty()) text += "?" + fields.join('&');
    return QUrl(text, QUrl::StrictMode);
}

int TMapiControl::SendMail() {
    if (!Dialogs().OpenUrl(MessageUrl())) {
        Dialogs().ShowMessage(nullptr, "System does not support MAPI mail server");
        return kNoMailSupport;
    }
    emit OnSuccess(this);
    return 0;
}

}  // namespace qdx::app
