#include "app/platform/dialogs.hpp"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace qdx::app {

namespace {

std::unique_ptr<TDialogs>& Installed() {
    static std::unique_ptr<TDialogs> d;
    return d;
}

QMessageBox::StandardButton ToStandard(TMsgResult r) {
    switch (r) {
        case TMsgResult::Ok: return QMessageBox::Ok;
        case TMsgResult::Cancel: return QMessageBox::Cancel;
        case TMsgResult::Yes: return QMessageBox::Yes;
        case TMsgResult::No: return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

}  // namespace

TDialogs& Dialogs() {
    static TQtDialogs qt;
    auto& d = Installed();
    return d ? *d : static_cast<TDialogs&>(qt);
}

std::unique_ptr<TDialogs> SetDialogs(std::unique_ptr<TDialogs> d) {
    auto old = std::move(Installed());
    Installed() = std::move(d);
    return old;
}

TMsgResult TQtDialogs::Message(QWidget* parent, const QString& text, const QString& caption,
                               TMsgKind kind, TMsgButtons buttons, TMsgResult defaultButton) {
    QMessageBox box(parent);
    box.setWindowTitle(caption.isEmpty() ? QApplication::applicationName() : caption);
    // The program's texts break lines with a lone carriage return, too.
    box.setText(QString(text).replace("\r\n", "\n").replace('\r', '\n'));
    switch (kind) {
        case TMsgKind::Plain: box.setIcon(QMessageBox::NoIcon); break;
        case TMsgKind::Information: box.setIcon(QMessageBox::Information); break;
        case TMsgKind::Warning: box.setIcon(QMessageBox::Warning); break;
        case TMsgKind::Error: box.setIcon(QMessageBox::Critical); break;
        case TMsgKind::Confirmation: box.setIcon(QMessageBox::Question); break;
    }
    QMessageBox::StandardButtons set = QMessageBox::Ok;
    switch (buttons) {
        case TMsgButtons::Ok: set = QMessageBox::Ok; break;
        case TMsgButtons::OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
        case TMsgButtons::YesNo: set = QMessageBox::Yes | QMessageBox::No; break;
        case TMsgButtons::YesNoCancel:
            set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            break;
    }
    box.setStandardButtons(set);
    if (set.testFlag(ToStandard(defaultButton))) box.setDefaultButton(ToStandard(defaultButton));
    switch (box.exec()) {
        case QMessageBox::Ok: return TMsgResult::Ok;
        case QMessageBox::Yes: return TMsgResult::Yes;
        case QMessageBox::No: return TMsgResult::No;
        default:
            return buttons == TMsgButtons::YesNo ? TMsgResult::No
                   : buttons == TMsgButtons::Ok  ? TMsgResult::Ok
                                                 : TMsgResult::Cancel;
    }
}

QString TQtDialogs::OpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString TQtDialogs::SaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) {
    // The windows ask "OK to overwrite ..." themselves.
    return QFileDialog::getSaveFileName(parent, caption, dir, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

std::optional<QFont> TQtDialogs::ChooseFont(QWidget* parent, const QFont& initial) {
    bool ok = false;
    QFont f = QFontDialog::getFont(&ok, initial, parent);
    if (!ok) return std::nullopt;
    return f;
}

std::optional<QColor> TQtDialogs::ChooseColor(QWidget* parent, const QColor& initial) {
    QColor c = QColorDialog::getColor(initial, parent);
    if (!c.isValid()) return std::nullopt;
    return c;
}

bool TQtDialogs::ChoosePrinter(QWidget* parent, QPrinter& printer, bool setup) {
    if (setup) {
        QPageSetupDialog dlg(&printer, parent);
        return dlg.exec() == QDialog::Accepted;
    }
    QPrintDialog dlg(&printer, parent);
    return dlg.exec() == QDialog::Accepted;
}

void TQtDialogs::Beep() { QApplication::beep(); }

void TQtDialogs::SetClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

void TQtDialogs::SetClipboardImage(const QImage& image) {
    QGuiApplication::clipboard()->setImage(image);
}

QString TQtDialogs::ClipboardText() { return QGuiApplication::clipboard()->text(); }

bool TQtDialogs::OpenUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

}  // namespace qdx::app
