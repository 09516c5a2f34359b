#include "app/aerograph/aerograph_form.hpp"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

#include "app/aerograph/chart_export.hpp"
#include "app/aerograph/chart_view.hpp"
#include "app/platform/dialogs.hpp"
#include "app/platform/send_to_program.hpp"

namespace qdx::aerograph {

using app::Dialogs;
using app::TMsgKind;

TAerographForm::TAerographForm(QWidget* parent)
    : QMainWindow(parent), view_(new TChartView(this)), stateLabel_(new QLabel(this)) {
    setObjectName("TAerographForm");
    setWindowTitle(kCaption);
    setCentralWidget(view_);
    stateLabel_->setObjectName("stateLabel");
    statusBar()->addWidget(stateLabel_, 1);
    connect(view_, &TChartView::StateTextChanged, stateLabel_, &QLabel::setText);

    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("fileMenu");
    QAction* open = file->addAction("&Open...", this, &TAerographForm::OpenFile);
    open->setObjectName("openAction");
    open->setShortcut(QKeySequence::Open);
    QAction* save = file->addAction("&Save Chart As...", this, &TAerographForm::SaveChartAs);
    save->setObjectName("saveChartAction");
    save->setShortcut(QKeySequence::Save);
    save->setEnabled(false);
    file->addSeparator();
    QAction* exit = file->addAction("E&xit", this, &QWidget::close);
    exit->setObjectName("exitAction");
    exit->setShortcut(QKeySequence::Quit);
}

bool TAerographForm::LoadFile(const QString& path) {
    TAerographFile data;
    std::string error;
    if (!ReadAerographFile(path.toStdString(), data, error)) {
        Dialogs().ShowMessage(this,
                              "Error reading Aerograph file..\n" + path + "\n" +
                                  QString::fromStdString(error),
                              TMsgKind::Error);
        return false;
    }
    view_->SetChart(std::make_unique<TPsychrometricChart>(std::move(data)));
    fileName_ = QFileInfo(path).absoluteFilePath();
    setWindowTitle(QString(kCaption) + " - " + QFileInfo(path).fileName());
    findChild<QAction*>("saveChartAction")->setEnabled(true);
    return true;
}

void TAerographForm::ListenOn(app::TProgramMessageServer& server) {
    connect(&server, &app::TProgramMessageServer::MessageReceived, this,
            [this](quint32 code, const QString& text) {
                if (code != app::kProgramTextCode || text.isEmpty()) return;
                if (isMinimized()) showNormal();
                raise();
                activateWindow();
                LoadFile(text);
            });
}

void TAerographForm::OpenFile() {
    const QString path =
        Dialogs().OpenFileName(this, "Open", QFileInfo(fileName_).absolutePath(),
                               "Aerograph files (*.psy);;All files (*)");
    if (!path.isEmpty()) LoadFile(path);
}

void TAerographForm::SaveChartAs() {
    const TPsychrometricChart* chart = view_->Chart();
    if (!chart) return;
    const QFileInfo source(fileName_);
    QString path = Dialogs().SaveFileName(
        this, "Save Chart As", source.absolutePath() + "/" + source.completeBaseName() + ".png",
        "PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)");
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += ".png";
    QString error;
    if (!SaveChart(*chart, path, kDefaultExportSize, error))
        Dialogs().ShowMessage(this, "Error saving file...\n" + path + "\n" + error,
                              TMsgKind::Error);
}

}  // namespace qdx::aerograph
