#include "app/windows/set_units_form.hpp"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

#include "app/platform/placement.hpp"
#include "app/widgets/entry_grid.hpp"
#include "documents/settings_stores.hpp"
#include "documents/unit_prefs_store.hpp"
#include "units/errors.hpp"
#include "units/format.hpp"

namespace qdx::app {

namespace {

constexpr const char* kColWidth0 = "ColWidth 0";
constexpr const char* kColWidth1 = "ColWidth 1";

// Every category but the empty one and the energy per volume, in their order.
bool Shown(TUnitsType t) { return t != utNone && t != utEnergyPerVol; }

}  // namespace

QString TSetUnitsForm::ConversionText(TUnitsType unitsType, int chosen) {
    std::string format, symbol;
    double offset = 0, factor = 1;
    try {
        GetUnitsConversion(unitsType, chosen, 0, format, offset, factor, symbol);
        std::string pattern = "From %S to %S  X " + format;
        if (offset != 0) {
            pattern += " + %0.4g";
            return QString::fromStdString(
                Format(pattern, UnitSymbol(unitsType, 0), symbol, factor, offset));
        }
        return QString::fromStdString(Format(pattern, UnitSymbol(unitsType, 0), symbol, factor));
    } catch (const std::exception&) {
        return {};  // a unit the category does not have
    }
}

TSetUnitsForm::TSetUnitsForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SetUnitsForm"));
    setWindowTitle(QStringLiteral("Customise Units"));

    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("ToolBar"));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto addAction = [this](const char* caption, const char* name) {
        QAction* a = toolBar_->addAction(QString::fromUtf8(caption));
        a->setObjectName(QLatin1String(name));
        a->setShortcut(QKeySequence::mnemonic(a->text()));
        return a;
    };
    metric_ = addAction("&Metric", "MetricAction");
    imperial_ = addAction("&Imperial", "ImperialAction");
    accept_ = addAction("&Accept", "AcceptAction");
    cancel_ = addAction("&Cancel", "CancelAction");
    connect(metric_, &QAction::triggered, this, &TSetUnitsForm::SetMetric);
    connect(imperial_, &QAction::triggered, this, &TSetUnitsForm::SetImperial);
    connect(accept_, &QAction::triggered, this, [this] {
        ReadTable();
        accept();
    });
    connect(cancel_, &QAction::triggered, this, &TSetUnitsForm::reject);

    grid_ = new TEntryGrid(this);
    grid_->setObjectName(QStringLiteral("Grid"));
    grid_->SetColCount(2);
    grid_->SetDefaultRowHeight(16);
    grid_->SetScrollBars(true, true);

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar"));
    statusBar_->setSizeGripEnabled(false);
    status_ = new QLabel(statusBar_);
    status_->setObjectName(QStringLiteral("StatusPanel"));
    statusBar_->addWidget(status_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar_);
    layout->addWidget(grid_, 1);
    layout->addWidget(statusBar_);

    // One pick-list row per shown category, its units as the choices.
    QStringList lines = {QStringLiteral("Property; Units")};
    for (int t = 0; t < kUnitsTypeCount; ++t) {
        const auto type = static_cast<TUnitsType>(t);
        if (!Shown(type)) continue;
        rowTypes_.push_back(type);
        lines << QString::fromStdString(UnitsCaption(type)) + QStringLiteral("; enum;;");
    }
    grid_->SetLines(lines);
    int captionWidth = 0, symbolWidth = 0;
    const QFontMetrics fm = grid_->fontMetrics();
    for (size_t i = 0; i < rowTypes_.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        QStringList symbols;
        for (int u = 0; u < UnitsCount(rowTypes_[i]); ++u) {
            symbols << QString::fromStdString(UnitSymbol(rowTypes_[i], u));
            symbolWidth = std::max(symbolWidth, fm.horizontalAdvance(symbols.last()));
        }
        grid_->SetRowEnumStrings(row, symbols);
        captionWidth = std::max(captionWidth, fm.horizontalAdvance(grid_->Cells(0, row)));
    }
    // Wide enough for every caption, and for every symbol beside the pull-down button.
    grid_->SetColWidths(0, std::max(captionWidth + 10, 90));
    grid_->SetColWidths(1, std::max(symbolWidth + 25 + grid_->DefaultRowHeight(), 60));
    resize(grid_->ColWidths(0) + grid_->ColWidths(1) + grid_->verticalScrollBar()->sizeHint().width() +
               2 * grid_->frameWidth(),
           420);

    connect(grid_, &TEntryGrid::OnSelectCell, this, [this](int col, int row) {
        if (col == 1) UpdateStatus(row);
    });
    connect(grid_, &TEntryGrid::OnDoSetData, this, [this](int, int row) { UpdateStatus(row); });

    // The SI defaults, then what the settings hold.
    TUnitChoiceTable& table = UnitPrefs().CreateUnitChoices();
    table = TUnitChoiceTable{};
    ReadSettings();
    ShowTable();
}

TSetUnitsForm::~TSetUnitsForm() { WriteSettings(); }

TUnitChoiceTable& TSetUnitsForm::Table() const { return UnitPrefs().CreateUnitChoices(); }

void TSetUnitsForm::ReadSettings() {
    RestoreCommonPlacement(*this);
    const auto store = OpenCommonSettings();
    const char* section = TUnitChoiceTable::kSettingsSection;
    grid_->SetColWidths(0, store->ReadInteger(section, kColWidth0, grid_->ColWidths(0)));
    grid_->SetColWidths(1, store->ReadInteger(section, kColWidth1, grid_->ColWidths(1)));
    ReadUnitChoiceTable(*store, Table());
}

void TSetUnitsForm::WriteSettings() const {
    SaveCommonPlacement(*this);
    const auto store = OpenCommonSettings();
    const char* section = TUnitChoiceTable::kSettingsSection;
    store->WriteInteger(section, kColWidth0, grid_->ColWidths(0));
    store->WriteInteger(section, kColWidth1, grid_->ColWidths(1));
    WriteUnitChoiceTable(Table(), *store);
}

TUnitsType TSetUnitsForm::RowCategory(int row) const {
    if (row < 1 || row > static_cast<int>(rowTypes_.size())) return utNone;
    return rowTypes_[row - 1];
}

int TSetUnitsForm::CategoryRow(TUnitsType unitsType) const {
    const auto it = std::find(rowTypes_.begin(), rowTypes_.end(), unitsType);
    return it == rowTypes_.end() ? 0 : static_cast<int>(it - rowTypes_.begin()) + 1;
}

void TSetUnitsForm::ShowTable() {
    const TUnitChoiceTable& table = Table();
    for (size_t i = 0; i < rowTypes_.size(); ++i)
        grid_->SetValue(1, static_cast<int>(i) + 1, table.Get(rowTypes_[i]));
    if (grid_->Col() == 1) UpdateStatus(grid_->Row());
}

void TSetUnitsForm::ReadTable() {
    grid_->SetEditorMode(false);
    TUnitChoiceTable& table = Table();
    for (size_t i = 0; i < rowTypes_.size(); ++i) {
        const int chosen = grid_->GetValue(1, static_cast<int>(i) + 1).toInt();
        if (chosen >= 0) table.Set(rowTypes_[i], chosen);
    }
}

void TSetUnitsForm::SetMetric() {
    Table().SetMetric();
    ShowTable();
}

void TSetUnitsForm::SetImperial() {
    Table().SetImperial();
    ShowTable();
}

void TSetUnitsForm::UpdateStatus(int row) {
    const TUnitsType type = RowCategory(row);
    if (type == utNone) return;
    status_->setText(ConversionText(type, grid_->GetValue(1, row).toInt()));
}

void TSetUnitsForm::reject() {
    Table().Units = snapshot_;
    QDialog::reject();
}

void TSetUnitsForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    snapshot_ = Table().Units;
    ShowTable();
}

}  // namespace qdx::app
