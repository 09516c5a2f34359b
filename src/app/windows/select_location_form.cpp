#include "app/windows/select_location_form.hpp"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/platform/dialogs.hpp"
#include "app/platform/placement.hpp"
#include "app/widgets/dialog_bars.hpp"
#include "documents/folders.hpp"
#include "documents/settings_stores.hpp"

namespace qdx::app {

namespace {

constexpr int kGridRows = 10;

QStringList ToQt(const std::vector<std::string>& list) {
    QStringList out;
    for (const std::string& s : list) out << QString::fromStdString(s);
    return out;
}

}  // namespace

TSelectLocationForm::TSelectLocationForm(QWidget* parent) : QDialog(parent) {
    setObjectName("SelectLocationForm");
    setWindowTitle(tr("Select Location"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const TAcceptCancelBar bars = MakeAcceptCancelBar(this);
    toolBar_ = bars.bar;
    connect(bars.accept, &QAction::triggered, this, [this] { done(1); });
    layout->addWidget(toolBar_);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(4, 4, 4, 4);
    auto* lists = new QVBoxLayout;
    databases_ = new QComboBox(this);
    databases_->setObjectName("DatabaseList");
    databases_->setAccessibleName(tr("Database"));
    regions_ = new QComboBox(this);
    regions_->setObjectName("RegionList");
    regions_->setAccessibleName(tr("Region"));
    places_ = new QListWidget(this);
    places_->setObjectName("PlaceList");
    places_->setAccessibleName(tr("Place"));
    lists->addWidget(databases_);
    lists->addWidget(regions_);
    lists->addWidget(places_, 1);
    body->addLayout(lists, 1);

    grid_ = new QTableWidget(kGridRows, 2, this);
    grid_->setObjectName("Grid");
    grid_->setAccessibleName(tr("Location data"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setMinimumWidth(230);
    grid_->setFixedHeight(kGridRows * grid_->verticalHeader()->defaultSectionSize() + 2 * grid_->frameWidth());
    for (int r = 0; r < kGridRows; ++r)
        for (int c = 0; c < 2; ++c) grid_->setItem(r, c, new QTableWidgetItem);
    auto* right = new QVBoxLayout;
    right->addWidget(grid_);
    right->addStretch(1);
    body->addLayout(right, 1);
    layout->addLayout(body, 1);

    QStatusBar* bar = MakeStatusBar(this);
    recordPanel_ = AddStatusPanel(bar, "RecordPanel", 0);
    recordPanel_->setMinimumWidth(110);
    locationPanel_ = AddStatusPanel(bar, "LocationPanel");
    locationPanel_->setMinimumWidth(200);
    layout->addWidget(bar);

    browser_.OnMessage = [this](const std::string& text) {
        Dialogs().ShowMessage(this, QString::fromStdString(text));
    };
    connect(databases_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!filling_) Guarded([&] { browser_.ChangeDatabase(index); });
    });
    connect(regions_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!filling_) Guarded([&] { browser_.ChangeRegion(index); });
    });
    connect(places_, &QListWidget::currentRowChanged, this, [this](int index) {
        if (!filling_) Guarded([&] { browser_.ShowPlace(index); });
    });
    connect(places_, &QListWidget::itemDoubleClicked, this, [this] { done(1); });

    resize(520, 300);
    {
        auto settings = OpenProgramSettings();
        const std::string section = objectName().toStdString();
        browser_.Database = settings->ReadString(section, "Database", "");
        browser_.Region = settings->ReadString(section, "Region", "");
        browser_.Place = settings->ReadString(section, "Place", "");
    }
    RestorePlacement(*this, false, false);
    SizeGridColumns();
}

TSelectLocationForm::~TSelectLocationForm() = default;

template <typename F>
void TSelectLocationForm::Guarded(F step) {
    try {
        step();
    } catch (const TLocationFileError& e) {
        Dialogs().ShowMessage(this, QString::fromUtf8(e.what()), TMsgKind::Error);
    }
    ShowBrowser();
}

void TSelectLocationForm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    EnsureLocationDatabase();
    Guarded([this] { browser_.Activate(MakerCommonDir()); });
}

void TSelectLocationForm::ShowBrowser() {
    filling_ = true;
    auto fill = [](QComboBox* box, const QStringList& items, int index) {
        QStringList now;
        for (int i = 0; i < box->count(); ++i) now << box->itemText(i);
        if (now != items) {
            box->clear();
            box->addItems(items);
        }
        box->setCurrentIndex(index);
    };
    fill(databases_, ToQt(browser_.Databases()), browser_.DatabaseIndex());
    fill(regions_, ToQt(browser_.Regions()), browser_.RegionIndex());
    QStringList names;
    for (const auto& p : browser_.Places()) names << QString::fromStdString(p.Name);
    QStringList shown;
    for (int i = 0; i < places_->count(); ++i) shown << places_->item(i)->text();
    if (shown != names) {
        places_->clear();
        places_->addItems(names);
    }
    places_->setCurrentRow(browser_.PlaceIndex());
    const auto& rows = browser_.Rows();
    for (int r = 0; r < kGridRows; ++r)
        for (int c = 0; c < 2; ++c) {
            const bool has = r < static_cast<int>(rows.size()) && c < static_cast<int>(rows[r].size());
            grid_->item(r, c)->setText(has ? QString::fromStdString(rows[r][c]) : QString());
        }
    recordPanel_->setText(QString::fromStdString(browser_.RecordStatus()));
    locationPanel_->setText(LocationText());
    filling_ = false;
}

void TSelectLocationForm::SizeGridColumns() {
    grid_->setColumnWidth(0, 100);
    grid_->setColumnWidth(1, std::max(0, grid_->width() - 104));
}

void TSelectLocationForm::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    SizeGridColumns();
}

void TSelectLocationForm::reject() { done(2); }

void TSelectLocationForm::done(int result) {
    browser_.Close();
    {
        auto settings = OpenProgramSettings();
        const std::string section = objectName().toStdString();
        settings->WriteString(section, "Database", browser_.Database);
        settings->WriteString(section, "Region", browser_.Region);
        settings->WriteString(section, "Place", browser_.Place);
    }
    SavePlacement(*this);
    QDialog::done(result);
}

}  // namespace qdx::app
