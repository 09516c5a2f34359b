#pragma once
// The desktop program's start-up and end:
//  1. the start modes of the command line are read;
//  2. the application title is "QDX";
//  3. the main window is created (reading its settings and building its coil, showing the
//     splash when the setting is on), then the tool windows in their order;
//  4. the splash stays until two seconds after it appeared, then goes;
//  5. the main window is shown and the event loop runs; on its first activation the main window
//     opens the data file of the command line.
// When the loop ends the units file is written.

#include <QString>
#include <QStringList>

#include <memory>

namespace qdx::app {

class TAutomationServer;
class TQDXForm;

// The command line of the desktop program. Every argument but the automation switches
// ("-regserver", "-unregserver", "-automation", "-embedding", also with "/" or "--", in any
// case) is part of the data file path; they are joined with single blanks, so a path with a
// blank in it may come unquoted.
struct TDesktopArguments {
    QString path;
    bool regServer = false;
    bool unregServer = false;
    bool automation = false;
    bool embedding = false;
};
TDesktopArguments ParseDesktopArguments(const QStringList& args);

// Core messages ("Error reading file...") become message boxes of the platform layer.
void InstallMessageHandler();

class TDesktopProgram {
public:
    // Steps 2 to 4 for the arguments (without the program name); needs a QApplication.
    explicit TDesktopProgram(const QStringList& args);
    ~TDesktopProgram();
    TDesktopProgram(const TDesktopProgram&) = delete;
    TDesktopProgram& operator=(const TDesktopProgram&) = delete;

    TQDXForm& MainForm() { return *form_; }
    // The automation server on the session bus; null when the bus was not there or another
    // copy of the program serves it.
    TAutomationServer* Automation() const { return automation_.get(); }
    const TDesktopArguments& Arguments() const { return args_; }
    // Shows and activates the main window.
    void Show();

private:
    void StartAutomation();

    TDesktopArguments args_;
    std::unique_ptr<TQDXForm> form_;
    // Goes before the window: its objects act on the window's coil.
    std::unique_ptr<TAutomationServer> automation_;
};

// The whole desktop program: the QApplication, the start-up, the event loop and the end.
// QDX_QUIT_AFTER_SHOW set in the environment ends the program as soon as the main window has
// been painted, without writing settings (the start-up benchmark).
int RunDesktop(int argc, char** argv);

}  // namespace qdx::app
