// The mail hand-over of the report window through a mailto: URL.
#include <QSignalSpy>
#include <QtTest>

#include "app/platform/mail.hpp"
#include "support/app_test_env.hpp"

using namespace qdx::app;

class MailTest : public QObject {
    Q_OBJECT
private slots:
    void messageBecomesOneMailtoUrl() {
        TMapiControl mail;
        mail.Recipients = {"design@example.com", "site office <site@example.com>"};
        mail.CopyTo = {"boss@example.com"};
        mail.BlindCopyTo = {"archive@example.com"};
        mail.Subject = "QDX Report & notes";
        mail.Body = "Total Duty\t21.7\tkW\r\nLine 2\nLine 3";
        QCOMPARE(mail.MessageUrl().toString(QUrl::FullyEncoded),
                 QString("mailto:design%40example.com,site%20office%20%3Csite%40example.com%3E"
                         "?cc=boss%40example.com&bcc=archive%40example.com"
                         "&subject=QDX%20Report%20%26%20notes"
                         "&body=Total%20Duty%0921.7%09kW%0D%0ALine%202%0D%0ALine%203"));

        TMapiControl empty;
        QCOMPARE(empty.MessageUrl().toString(), QString("mailto:"));
        empty.AttachedFiles = {"/tmp/report one.pdf"};
        QCOMPARE(empty.AttachmentNames(), QStringList{"report one.pdf"});
    }

    void handedOverIsSuccessNoMailProgramIs26() {
        qdx::test::TAppTestEnv env;
        TMapiControl mail;
        mail.Subject = "QDX Report";
        mail.Body = "x";
        QSignalSpy success(&mail, &TMapiControl::OnSuccess);
        QSignalSpy failure(&mail, &TMapiControl::OnMapiError);
        QCOMPARE(mail.SendMail(), 0);
        QCOMPARE(success.count(), 1);
        QCOMPARE(env.Dialogs().urls.size(), 1);
        QCOMPARE(env.Dialogs().urls[0].scheme(), QString("mailto"));
        QVERIFY(env.Dialogs().messages.isEmpty());

        env.Dialogs().urlHandled = false;
        QCOMPARE(mail.SendMail(), 26);
        QCOMPARE(env.Dialogs().LastMessage(), QString("System does not support MAPI mail server"));
        QCOMPARE(success.count(), 1);
        QCOMPARE(failure.count(), 0);
    }
};

QTEST_MAIN(MailTest)
#include "mail_test.moc"
