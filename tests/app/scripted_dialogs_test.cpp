// The scripted platform layer answers from its queues, records what was asked and is removed
// again by its guard.
#include <QtTest>

#include "app/platform/scripted_dialogs.hpp"

using namespace qdx::app;

class ScriptedDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void answersInOrderThenDefaults() {
        TScriptedDialogsGuard d;
        d->messageAnswers = {TMsgResult::No, TMsgResult::Cancel};
        QCOMPARE(Dialogs().Message(nullptr, "a", "", TMsgKind::Confirmation,
                                   TMsgButtons::YesNoCancel, TMsgResult::Yes),
                 TMsgResult::No);
        QVERIFY(!Dialogs().ConfirmYesNo(nullptr, "b"));  // the queued Cancel is not Yes
        QVERIFY(Dialogs().ConfirmYesNo(nullptr, "c"));   // empty queue: the default, Yes
        QCOMPARE(d->messages.size(), 3);
        QCOMPARE(d->messages[0].buttons, TMsgButtons::YesNoCancel);
        QCOMPARE(d->LastMessage(), QString("c"));

        d->fileAnswers = {"/tmp/x.cqx"};
        QCOMPARE(Dialogs().OpenFileName(nullptr, "Open", "/tmp", "*.cqx"), QString("/tmp/x.cqx"));
        QVERIFY(Dialogs().SaveFileName(nullptr, "Save", "/tmp", "*.cqx").isEmpty());
        QCOMPARE(d->fileCaptions, QStringList({"Open", "Save"}));
        QVERIFY(!Dialogs().ChooseFont(nullptr, QFont()).has_value());

        Dialogs().Beep();
        Dialogs().Beep();
        QCOMPARE(d->beeps, 2);
        Dialogs().SetClipboardText("x");
        QCOMPARE(Dialogs().ClipboardText(), QString("x"));
    }

    void guardRestoresThePreviousLayer() {
        TDialogs* before = &Dialogs();
        {
            TScriptedDialogsGuard d;
            QCOMPARE(&Dialogs(), static_cast<TDialogs*>(&*d));
        }
        QCOMPARE(&Dialogs(), before);
    }
};

QTEST_MAIN(ScriptedDialogsTest)
#include "scripted_dialogs_test.moc"
