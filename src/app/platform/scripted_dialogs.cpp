#include "app/platform/scripted_dialogs.hpp"

namespace qdx::app {

TMsgResult TScriptedDialogs::Message(QWidget*, const QString& text, const QString& caption,
                                     TMsgKind kind, TMsgButtons buttons,
                                     TMsgResult defaultButton) {
    messages.append({text, caption, kind, buttons, defaultButton});
    if (messageAnswers.empty()) return defaultButton;
    TMsgResult r = messageAnswers.front();
    messageAnswers.pop_front();
    return r;
}

QString TScriptedDialogs::NextFile(const QString& caption, const QString& dir,
                                   const QString& filter) {
    fileCaptions.append(caption);
    fileDirs.append(dir);
    fileFilters.append(filter);
    if (fileAnswers.empty()) return {};
    QString r = fileAnswers.front();
    fileAnswers.pop_front();
    return r;
}

QString TScriptedDialogs::OpenFileName(QWidget*, const QString& caption, const QString& dir,
                                       const QString& filter) {
    return NextFile(caption, dir, filter);
}

QString TScriptedDialogs::SaveFileName(QWidget*, const QString& caption, const QString& dir,
                                       const QString& filter) {
    return NextFile(caption, dir, filter);
}

std::optional<QFont> TScriptedDialogs::ChooseFont(QWidget*, const QFont&) {
    ++fontDialogs;
    if (fontAnswers.empty()) return std::nullopt;
    QFont f = fontAnswers.front();
    fontAnswers.pop_front();
    return f;
}

std::optional<QColor> TScriptedDialogs::ChooseColor(QWidget*, const QColor&) {
    ++colorDialogs;
    if (colorAnswers.empty()) return std::nullopt;
    QColor c = colorAnswers.front();
    colorAnswers.pop_front();
    return c;
}

bool TScriptedDialogs::ChoosePrinter(QWidget*, QPrinter&, bool) {
    ++printerDialogs;
    if (printerAnswers.empty()) return false;
    bool r = printerAnswers.front();
    printerAnswers.pop_front();
    return r;
}

void TScriptedDialogs::SetClipboardText(const QString& text) {
    clipboardText = text;
    ++clipboardWrites;
}

void TScriptedDialogs::SetClipboardImage(const QImage& image) {
    clipboardImage = image;
    ++clipboardWrites;
}

bool TScriptedDialogs::OpenUrl(const QUrl& url) {
    urls.append(url);
    return urlHandled;
}

TScriptedDialogsGuard::TScriptedDialogsGuard() {
    auto d = std::make_unique<TScriptedDialogs>();
    dialogs_ = d.get();
    previous_ = SetDialogs(std::move(d));
}

TScriptedDialogsGuard::~TScriptedDialogsGuard() { SetDialogs(std::move(previous_)); }

}  // namespace qdx::app
