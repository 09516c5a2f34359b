#pragma once
// The one way core code tells the user something (a file it cannot read, a name it does not
// know). The core has no windows: the desktop program answers with a message box, the command
// line with standard error. Used from the user-interface thread only.

#include <functional>
#include <string>

namespace qdx {

using MessageHandler = std::function<void(const std::string& text)>;

// Shows text to the user through the installed handler.
void ShowMessage(const std::string& text);

// Installs the handler for ShowMessage and returns the one it replaces. An empty handler
// restores the default, which writes the text and a line end to standard error.
MessageHandler SetMessageHandler(MessageHandler handler);

}  // namespace qdx
