#include "app/windows/tech_form.hpp"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/platform/dialogs.hpp"
#include "app/platform/save_file.hpp"
#include "app/widgets/entry_grid.hpp"
#include "documents/folders.hpp"
#include "version.hpp"

namespace qdx::app {

namespace {

QString Underscored(QString text) { return text.replace(' ', '_'); }

QString Cell(const QList<QStringList>& rows, int row, int col) {
    const QStringList& r = rows.at(row);
    return col < r.size() ? r.at(col) : QString();
}

}  // namespace

QString GridXmlText(const QList<QStringList>& rows) {
    const QString root = rows.size() > 1 ? Underscored(Cell(rows, 1, 1)) : QString();
    QStringList lines;
    lines << "<?xml version=\"1.0\"?>";
    lines << "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
             "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">";
    lines << "<" + root + ">";
    for (int r = 2; r < rows.size(); ++r) {
        const QString name = Underscored(Cell(rows, r, 0));
        lines << "  <" + name + " Units=\"" + Cell(rows, r, 2) + "\">" + Cell(rows, r, 1) + "</" +
                     name + ">";
    }
    lines << "</" + root + ">";
    return lines.join("\r\n");
}

TTechForm::TTechForm(QWidget* parent)
    : QMainWindow(parent), toolBar_(new QToolBar("Tools")), secondToolBar_(new QToolBar("More tools")),
      windowMenu_(new QMenu(this)), grid_(new TEntryGrid) {
    for (QToolBar* bar : {toolBar_, secondToolBar_}) {
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
    toolBar_->setObjectName("ToolBar1");
    secondToolBar_->setObjectName("ToolBar2");
    addToolBar(Qt::TopToolBarArea, toolBar_);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, secondToolBar_);

    auto make = [this](QToolBar* bar, const char* name, const QString& caption) {
        QAction* a = bar->addAction(caption);
        a->setObjectName(name);
        a->setVisible(false);
        return a;
    };
    OpenAction = make(toolBar_, "OpenAction", "&Open");
    SaveAction = make(toolBar_, "SaveAction", "&Save");
    CopyAction = make(toolBar_, "CopyAction", "&Copy");
    PasteAction = make(toolBar_, "PasteAction", "&Paste");
    SolveAction = make(toolBar_, "SolveAction", "S&olve");
    ViewAction = make(toolBar_, "ViewAction", "&View");
    PrintAction = make(toolBar_, "PrintAction", "&Print");
    AlignAction = make(secondToolBar_, "AlignAction", "&Align");
    ResetAction = make(secondToolBar_, "ResetAction", "&Reset");
    AcceptAction = make(secondToolBar_, "AcceptAction", "&Accept");
    CancelAction = make(secondToolBar_, "CancelAction", "&Cancel");
    AboutAction = make(secondToolBar_, "AboutAction", "A&bout");
    HelpAction = make(secondToolBar_, "HelpAction", "&Help");

    windowMenu_->setObjectName("WindowMenu");
    QAction* xml = windowMenu_->addAction("Copy to XML");
    xml->setObjectName("CopytoXML1");
    connect(xml, &QAction::triggered, this, &TTechForm::CopytoXML1Click);
    QAction* clip = windowMenu_->addAction("Clip screen");
    clip->setObjectName("ClipScreen2");
    connect(clip, &QAction::triggered, this, [this] { ClipScreen(); });

    statusBar()->setObjectName("StatusBar");
    statusBar()->setSizeGripEnabled(false);

    auto* panel = new QWidget;
    panel->setObjectName("GridPanel");
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    grid_->setObjectName("EntryGrid1");
    grid_->setAccessibleName("Properties");
    layout->addWidget(grid_);
    setCentralWidget(panel);
}

QList<QStringList> TTechForm::GridCells() const {
    QList<QStringList> rows;
    for (int r = 0; r < grid_->RowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid_->ColCount(); ++c)
            cells << (r == 0 ? grid_->Cells(c, r) : grid_->DisplayText(c, r));
        rows << cells;
    }
    return rows;
}

void TTechForm::CommitGridEdit() {
    if (grid_->EditorMode()) grid_->SetEditorMode(false);
}

void TTechForm::SetGridMenu(QMenu* menu) {
    gridMenu_ = menu;
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (gridMenu_) gridMenu_->popup(grid_->viewport()->mapToGlobal(pos));
    });
}

void TTechForm::CreatePanels(const std::vector<int>& widths) {
    for (size_t i = 0; i < widths.size(); ++i) {
        auto* label = new QLabel;
        label->setObjectName(QString("StatusPanel%1").arg(i));
        label->setMinimumWidth(widths[i]);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(label, i + 1 == widths.size() ? 1 : 0);
        panels_.push_back(label);
    }
}

void TTechForm::contextMenuEvent(QContextMenuEvent* event) {
    windowMenu_->popup(event->globalPos());
    event->accept();
}

void TTechForm::CopytoXML1Click() { Dialogs().SetClipboardText(GridXmlText(GridCells())); }

QString TTechForm::ClipFileName() {
    return QString::fromStdString(UserDataDir()) + build::kProductName + ".jpg";
}

bool TTechForm::ClipScreen() {
    QWidget* target = QApplication::activeWindow();
    if (target == nullptr) target = window();
    const QImage image = target->grab().toImage();
    Dialogs().SetClipboardImage(image);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "JPG") && SaveWholeFile(ClipFileName(), jpeg);
}

}  // namespace qdx::app
