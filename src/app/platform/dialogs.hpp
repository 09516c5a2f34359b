#pragma once
// The platform layer of the desktop program: every message box, confirmation, standard dialog,
// the beep, the clipboard and opening a URL go through one interface, so that windows never call
// the toolkit's modal dialogs directly. The program runs on TQtDialogs; tests install a
// TScriptedDialogs (scripted_dialogs.hpp) that answers from a queue and records what was asked.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QUrl>

#include <memory>
#include <optional>

class QPrinter;
class QWidget;

namespace qdx::app {

enum class TMsgKind { Plain, Information, Warning, Error, Confirmation };

// The buttons a box offers; the answer is the button pressed (Escape or closing the box answers
// Cancel, or No when there is no Cancel button).
enum class TMsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class TMsgResult { Ok, Cancel, Yes, No };

class TDialogs {
public:
    virtual ~TDialogs() = default;

    // A message box with a caption (empty: the application title), its text and buttons;
    // defaultButton is the one Enter presses.
    virtual TMsgResult Message(QWidget* parent, const QString& text, const QString& caption,
                               TMsgKind kind, TMsgButtons buttons,
                               TMsgResult defaultButton) = 0;

    // File dialogs; filter is a Qt filter text ("Coil files (*.cqx);;All files (*)"). An empty
    // result means the user cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;

    // Font and colour dialogs: no value when cancelled.
    virtual std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) = 0;
    virtual std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) = 0;

    // The print dialog (setup = the printer setup dialog); true when the user accepted, the
    // printer then holds the choices.
    virtual bool ChoosePrinter(QWidget* parent, QPrinter& printer, bool setup) = 0;

    virtual void Beep() = 0;

    virtual void SetClipboardText(const QString& text) = 0;
    virtual void SetClipboardImage(const QImage& image) = 0;
    virtual QString ClipboardText() = 0;

    // Opens a URL (a web page, a help page as a file URL, a mailto: URL) with the desktop's
    // handler; false when no handler took it.
    virtual bool OpenUrl(const QUrl& url) = 0;

    // Shorthands for the common boxes.
    void ShowMessage(QWidget* parent, const QString& text, TMsgKind kind = TMsgKind::Plain,
                     const QString& caption = {}) {
        Message(parent, text, caption, kind, TMsgButtons::Ok, TMsgResult::Ok);
    }
    bool ConfirmYesNo(QWidget* parent, const QString& text, const QString& caption = {},
                      TMsgResult defaultButton = TMsgResult::Yes) {
        return Message(parent, text, caption, TMsgKind::Confirmation, TMsgButtons::YesNo,
                       defaultButton) == TMsgResult::Yes;
    }
};

// The program's platform layer: TQtDialogs until a test or the program installs another.
TDialogs& Dialogs();
// Installs d as the platform layer and returns the previous one (null for the built-in one).
std::unique_ptr<TDialogs> SetDialogs(std::unique_ptr<TDialogs> d);

// The real dialogs of the toolkit.
class TQtDialogs : public TDialogs {
public:
    TMsgResult Message(QWidget* parent, const QString& text, const QString& caption,
                       TMsgKind kind, TMsgButtons buttons, TMsgResult defaultButton) override;
    QString OpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override;
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override;
    std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) override;
    std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) override;
    bool ChoosePrinter(QWidget* parent, QPrinter& printer, bool setup) override;
    void Beep() override;
    void SetClipboardText(const QString& text) override;
    void SetClipboardImage(const QImage& image) override;
    QString ClipboardText() override;
    bool OpenUrl(const QUrl& url) override;
};

}  // namespace qdx::app
