#include "app/windows/air_state_box.hpp"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/platform/dialogs.hpp"
#include "app/platform/help_pages.hpp"
#include "app/widgets/dialog_bars.hpp"
#include "app/widgets/entry_grid.hpp"
#include "app/windows/air_state_dlg.hpp"
#include "documents/folders.hpp"

namespace qdx::app {

namespace {

// Row declarations: caption; format; units; plain entry; range in the stored unit.
const QStringList kLines = {
    "Property;Value;Units",
    "Name;%S",
    "Pressure;%0.3f; kPa;;60;130",
    "Dry Bulb;%0.1f; °C;;-60;150",
    "Wet Bulb;%0.1f; °C;;-60;150",
    "Enthalpy;%0.1f; kJ/kg;;-60.35;3867.599",
    "Abs Humidity;%0.1f; g/kg;;1E-7;1.42031",
    "Rel Humidity;%0.1f; %;;0;1",
    "Dew Point;%0.1f; °C;;-60;150",
    "Vap Pressure;%0.1f; kPa;;0.00108;70.182",
    "Sat Pressure;%0.1f; kPa;;0.00108;70.182",
    "Density;%0.1f; kg/m³;;0.5;2",
    "Specific Heat;%0.1f; kJ/kg·K;;0;0",
};

// Unit category and stored unit of rows 2..12.
struct RowUnits {
    TUnitsType type;
    int stored;
};
constexpr RowUnits kRowUnits[kAirStateValueRows] = {
    {utPressureBar, 0}, {utTemperature, 0}, {utTemperature, 0}, {utEnthalpy, 0},
    {utHumidity, 0},    {utProportion, 0},  {utTemperature, 0}, {utPressure, 0},
    {utPressure, 0},    {utDensity, 0},     {utSpecificHeat, 0},
};

// Small line drawings for the commands the style has no picture of.
enum class Picture { Copy, Paste, Table, Help };

QIcon Drawn(Picture picture, const QColor& ink) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(ink, 1));
    switch (picture) {
        case Picture::Copy:
            p.drawRect(2, 2, 8, 9);
            p.fillRect(6, 5, 8, 9, Qt::white);
            p.drawRect(6, 5, 8, 9);
            break;
        case Picture::Paste:
            p.drawRect(3, 3, 10, 11);
            p.fillRect(6, 1, 4, 3, ink);
            p.drawLine(5, 7, 11, 7);
            p.drawLine(5, 10, 11, 10);
            break;
        case Picture::Table:
            p.drawRect(1, 2, 13, 11);
            for (int y : {5, 8, 11}) p.drawLine(1, y, 14, y);
            p.drawLine(6, 2, 6, 13);
            break;
        case Picture::Help: {
            QFont f = p.font();
            f.setBold(true);
            f.setPixelSize(14);
            p.setFont(f);
            p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, "?");
            break;
        }
    }
    return QIcon(pixmap);
}

constexpr int kNameRow = 1, kPressureRow = 2, kDensityRow = 11, kSpecificHeatRow = 12;
constexpr const char* kFilter = "Moist Air State (*.psx)";

}  // namespace

TAirStateBox::TAirStateBox(TAirStateDlg& dlg, QWidget* parent)
    : QDialog(parent), dlg_(dlg), editor_(dlg.Point()) {
    setObjectName("AirStateBox");
    setWindowTitle(dlg.Caption());
    setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName("ToolBar");
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    layout->addWidget(toolBar_);

    struct Command {
        const char* name;
        const char* text;
        const char* hint;
        QIcon icon;
        void (TAirStateBox::*slot)();
    };
    const QColor ink = palette().color(QPalette::WindowText);
    const Command commands[] = {
        {"OpenAction", "Open", "Load air state", style()->standardIcon(QStyle::SP_DialogOpenButton),
         &TAirStateBox::OpenFile},
        {"SaveAction", "Save", "Save air state", style()->standardIcon(QStyle::SP_DialogSaveButton),
         &TAirStateBox::SaveFile},
        {"CopyAction", "Copy", "Copy db/wb to clipboard", Drawn(Picture::Copy, ink), &TAirStateBox::CopyDbWb},
        {"PasteAction", "Paste", "Paste db/wb from clipboard", Drawn(Picture::Paste, ink),
         &TAirStateBox::PasteState},
        {"ViewAction", "View", "Copy table to clipboard", Drawn(Picture::Table, ink), &TAirStateBox::ViewTable},
        {"HelpAction", "Help", "Help", Drawn(Picture::Help, ink), &TAirStateBox::ShowHelp},
        {"AcceptAction", "Accept", "Accept", style()->standardIcon(QStyle::SP_DialogApplyButton),
         &TAirStateBox::AcceptState},
        {"CancelAction", "Cancel", "Cancel", style()->standardIcon(QStyle::SP_DialogCancelButton),
         &TAirStateBox::CancelState},
    };
    for (const Command& c : commands) {
        QAction* a = toolBar_->addAction(c.icon, tr(c.text));
        a->setObjectName(c.name);
        a->setToolTip(tr(c.hint));
        connect(a, &QAction::triggered, this, c.slot);
    }
    Action("CancelAction")->setVisible(dlg.Modal());
    auto* copyXml = new QAction(tr("Copy to XML"), this);
    copyXml->setObjectName("CopyToXmlAction");
    connect(copyXml, &QAction::triggered, this, &TAirStateBox::CopyToXml);
    addAction(copyXml);

    grid_ = new TEntryGrid(this);
    grid_->setObjectName("Grid");
    layout->addWidget(grid_, 1);
    grid_->SetLines(kLines);
    const TAirStateDlgModel& model = dlg.Model();
    for (int row = kPressureRow; row <= kSpecificHeatRow; ++row) {
        const RowUnits& u = kRowUnits[row - kPressureRow];
        grid_->SetRowUnits(row, u.type, 0, 1, ft_Fixed, model.RowUnits[row], u.stored);
    }
    grid_->SetRowSigDigs(kPressureRow, 6);
    grid_->Field(kNameRow)->Editable = model.EditItemName;
    grid_->Field(kPressureRow)->Editable = model.EditPressure;
    grid_->Field(kDensityRow)->Editable = false;
    grid_->Field(kSpecificHeatRow)->Editable = false;
    grid_->OnCellTextColor = [this](int col, int row) {
        if (col == 1 && RowEditable(row) && editor_.IsInput(row)) return palette().color(QPalette::Link);
        return QColor();
    };
    connect(grid_, &TEntryGrid::OnDoSetData, this, [this](int col, int row) {
        if (col == 1) SetData(row);
    });
    connect(grid_, &TEntryGrid::OnAfterRightClick, &dlg_, &TAirStateDlg::AfterRightClick);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionResized, &dlg_,
            &TAirStateDlg::ColWidthsChanged);

    QStatusBar* bar = MakeStatusBar(this);
    status_ = AddStatusPanel(bar, "StatusPanel");
    layout->addWidget(bar);

    editor_.OnEdit = [this] { emit dlg_.EditAirconItem(&dlg_.Point()); };

    resize(model.Width, model.Height);
    for (int col = 0; col < 3; ++col) grid_->SetColWidths(col, model.ColWidths[col]);
    RefreshGrid();
}

TAirStateBox::~TAirStateBox() = default;

QAction* TAirStateBox::Action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

bool TAirStateBox::RowEditable(int row) const {
    const TField* field = grid_->Field(row);
    return field && field->Editable && grid_->RowEnabled(row);
}

void TAirStateBox::RefreshGrid() {
    const TPsyPoint& point = editor_.Point();
    grid_->SetValue(1, kNameRow, QString::fromStdString(point.ItemName));
    const TAirStateRowValues values = editor_.RowValues();
    for (int row = kPressureRow; row <= kSpecificHeatRow; ++row)
        grid_->SetValue(1, row, values[row - kPressureRow]);
    grid_->viewport()->update();
    ShowStatus();
}

void TAirStateBox::ShowStatus() { status_->setText(QString::fromStdString(editor_.Status)); }

void TAirStateBox::SetData(int row) {
    if (row == kNameRow) {
        editor_.SetItemName(grid_->GetValue(1, kNameRow).toString().toStdString());
        return;
    }
    if (row < kPressureRow || row > kSpecificHeatRow) return;
    TAirStateRowValues values{};
    for (int r = kPressureRow; r <= kSpecificHeatRow; ++r)
        values[r - kPressureRow] = grid_->GetValue(1, r).toDouble();
    editor_.Commit(row, values);
    RefreshGrid();
}

void TAirStateBox::ActivateBox() {
    grid_->SetValue(1, kNameRow, QString::fromStdString(editor_.Point().ItemName));
    editor_.Activate();
    RefreshGrid();
}

void TAirStateBox::DeactivateBox() {
    if (editor_.Deactivate()) RefreshGrid();
}

bool TAirStateBox::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) ActivateBox();
    if (e->type() == QEvent::WindowDeactivate && !closing_) DeactivateBox();
    return QDialog::event(e);
}

void TAirStateBox::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    ActivateBox();
}

void TAirStateBox::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    emit dlg_.Resized();
}

QString TAirStateBox::FileFolder() const {
    if (!editor_.FileName.empty())
        return QFileInfo(QString::fromStdString(editor_.FileName)).absolutePath();
    return QString::fromStdString(UserDataDir());
}

void TAirStateBox::OpenFile() {
    const QString path = Dialogs().OpenFileName(this, tr("Load air state"), FileFolder(), kFilter);
    if (path.isEmpty()) return;
    std::string message;
    if (!editor_.Open(path.toStdString(), message)) {
        Dialogs().ShowMessage(this, QString::fromStdString(message), TMsgKind::Error);
        return;
    }
    RefreshGrid();
}

void TAirStateBox::SaveFile() {
    if (!editor_.CanSave()) {
        ShowStatus();
        return;
    }
    QString path = Dialogs().SaveFileName(this, tr("Save air state"), FileFolder(), kFilter);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += ".psx";
    std::string message;
    if (!editor_.Save(path.toStdString(), message))
        Dialogs().ShowMessage(this, QString::fromStdString(message), TMsgKind::Error);
    ShowStatus();
}

void TAirStateBox::CopyDbWb() { Dialogs().SetClipboardText(QString::fromStdString(editor_.CopyText())); }

void TAirStateBox::PasteState() {
    editor_.Paste(Dialogs().ClipboardText().toStdString());
    RefreshGrid();
}

QString TAirStateBox::TableText() const {
    std::vector<std::vector<std::string>> rows;
    for (int row = 0; row < grid_->RowCount(); ++row) {
        std::vector<std::string> cells;
        for (int col = 0; col < grid_->ColCount(); ++col)
            cells.push_back((row == 0 ? grid_->Cells(col, row) : grid_->DisplayText(col, row)).toStdString());
        rows.push_back(std::move(cells));
    }
    return QString::fromStdString(TableCommaText(rows));
}

QString TAirStateBox::XmlText() const {
    std::array<TAirStateCells, kAirStateValueRows> cells;
    for (int row = kPressureRow; row <= kSpecificHeatRow; ++row)
        cells[row - kPressureRow] = {grid_->Cells(2, row).toStdString(),
                                     grid_->DisplayText(1, row).toStdString()};
    return QString::fromStdString(AirStateXmlText(grid_->DisplayText(1, kNameRow).toStdString(), cells));
}

void TAirStateBox::ViewTable() { Dialogs().SetClipboardText(TableText()); }

void TAirStateBox::CopyToXml() { Dialogs().SetClipboardText(XmlText()); }

void TAirStateBox::ShowHelp() { ShowHelpPage(this, "airstatedlg.htm"); }

void TAirStateBox::AcceptState() {
    if (grid_->EditorMode()) grid_->SetEditorMode(false);
    done(editor_.Ready() ? 1 : 2);
}

void TAirStateBox::CancelState() { done(2); }

void TAirStateBox::reject() { done(2); }

void TAirStateBox::done(int result) {
    closing_ = true;
    DeactivateBox();
    TAirStateDlgModel& model = dlg_.Model();
    model.Point.Left = pos().x();
    model.Point.Top = pos().y();
    model.Width = width();
    model.Height = height();
    for (int col = 0; col < 3; ++col) model.ColWidths[col] = grid_->ColWidths(col);
    for (int row = kPressureRow; row <= kSpecificHeatRow; ++row)
        model.RowUnits[row] = grid_->RowUnitsValue(row);
    QDialog::done(result);
    closing_ = false;
}

}  // namespace qdx::app
