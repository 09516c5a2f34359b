#pragma once
// A platform layer for tests: every box and dialog is answered from a queue the test filled,
// and everything that was asked is recorded, so a test can check the texts the user would have
// seen, the answers that drove the window, the beeps and the clipboard.

#include <QList>
#include <QStringList>

#include <deque>

#include "app/platform/dialogs.hpp"

namespace qdx::app {

class TScriptedDialogs : public TDialogs {
public:
    struct TAsked {
        QString text;
        QString caption;
        TMsgKind kind;
        TMsgButtons buttons;
        TMsgResult defaultButton;
    };

    // Answers, taken in order. A message box with no queued answer takes its default button;
    // a file dialog with none is cancelled; a font, colour or printer dialog with none is
    // cancelled.
    std::deque<TMsgResult> messageAnswers;
    std::deque<QString> fileAnswers;
    std::deque<QFont> fontAnswers;
    std::deque<QColor> colorAnswers;
    std::deque<bool> printerAnswers;
    // What OpenUrl answers.
    bool urlHandled = true;

    // What was asked.
    QList<TAsked> messages;
    QStringList fileCaptions;  // caption of every file dialog, in order
    QStringList fileDirs;      // its start folder
    QStringList fileFilters;   // its filter
    int fontDialogs = 0;
    int colorDialogs = 0;
    int printerDialogs = 0;
    int beeps = 0;
    QList<QUrl> urls;
    QString clipboardText;
    QImage clipboardImage;
    int clipboardWrites = 0;

    QString LastMessage() const { return messages.isEmpty() ? QString() : messages.last().text; }

    TMsgResult Message(QWidget* parent, const QString& text, const QString& caption,
                       TMsgKind kind, TMsgButtons buttons, TMsgResult defaultButton) override;
    QString OpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override;
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override;
    std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) override;
    std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) override;
    bool ChoosePrinter(QWidget* parent, QPrinter& printer, bool setup) override;
    void Beep() override { ++beeps; }
    void SetClipboardText(const QString& text) override;
    void SetClipboardImage(const QImage& image) override;
    QString ClipboardText() override { return clipboardText; }
    bool OpenUrl(const QUrl& url) override;

private:
    QString NextFile(const QString& caption, const QString& dir, const QString& filter);
};

// Installs a TScriptedDialogs for the lifetime of the guard and puts the previous layer back.
class TScriptedDialogsGuard {
public:
    TScriptedDialogsGuard();
    ~TScriptedDialogsGuard();
    TScriptedDialogsGuard(const TScriptedDialogsGuard&) = delete;
    TScriptedDialogsGuard& operator=(const TScriptedDialogsGuard&) = delete;
    TScriptedDialogs& operator*() const { return *dialogs_; }
    TScriptedDialogs* operator->() const { return dialogs_; }

private:
    TScriptedDialogs* dialogs_;
    std::unique_ptr<TDialogs> previous_;
};

}  // namespace qdx::app
