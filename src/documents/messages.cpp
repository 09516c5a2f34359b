#include "documents/messages.hpp"

#include <iostream>
#include <utility>

namespace qdx {

namespace {

void WriteToStderr(const std::string& text) { std::cerr << text << '\n' << std::flush; }

MessageHandler& CurrentHandler() {
    thread_local MessageHandler handler = WriteToStderr;
    return handler;
}

}  // namespace

void ShowMessage(const std::string& text) {
    // Copy first: a handler may install another one while it runs.
    MessageHandler handler = CurrentHandler();
    handler(text);
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    MessageHandler previous = std::move(CurrentHandler());
    CurrentHandler() = handler ? std::move(handler) : MessageHandler(WriteToStderr);
    return previous;
}

}  // namespace qdx
