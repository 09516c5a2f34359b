#include "app/windows/coil_maker_form.hpp"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/windows/inkwell_form.hpp"

namespace qdx::app {

namespace {

constexpr int kColumns = 12;

// The columns of a specification line; a name holding ", " keeps its parts together.
QStringList Columns(const TMnfRec& rec) {
    QStringList parts = QString::fromStdString(FormatSpecification(rec)).split(", ");
    while (parts.size() > kColumns) parts[0] += ", " + parts.takeAt(1);
    return parts;
}

}  // namespace

TCoilMakerForm::TCoilMakerForm(QWidget* parent) : QDialog(parent) {
    setObjectName("CoilMakerForm");
    setWindowTitle("Coil Maker");
    resize(820, 320);

    auto* makerLabel = new QLabel("Manufacturer", this);
    makers_ = new QComboBox(this);
    makers_->setObjectName("MakerList");
    makers_->setAccessibleName("Manufacturer");
    makers_->setMinimumWidth(180);
    makerLabel->setBuddy(makers_);
    auto* top = new QHBoxLayout;
    top->addWidget(makerLabel);
    top->addWidget(makers_);
    top->addStretch();

    list_ = new QTreeWidget(this);
    list_->setObjectName("CatalogueList");
    list_->setAccessibleName("Specifications");
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->setHeaderLabels({"Model", "ID,mm", "OD,mm", "Sx,mm", "Sy,mm", "tFin,mm",
                            "Tube pattern", "Mtube", "Mfin", "AFin", "ATube", "CB"});
    list_->header()->setStretchLastSection(false);

    current_ = new QLabel(this);
    current_->setObjectName("CurrentLine");
    current_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    editDatabase_ = new QPushButton("Edit Coil Database", this);
    editDatabase_->setObjectName("EditDatabaseButton");
    editDatabase_->setVisible(false);
    accept_ = new QPushButton("&Accept", this);
    accept_->setObjectName("AcceptButton");
    accept_->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("CancelButton");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(editDatabase_);
    buttons->addStretch();
    buttons->addWidget(accept_);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list_, 1);
    layout->addWidget(current_);
    layout->addLayout(buttons);

    connect(makers_, &QComboBox::activated, this,
            [this](int index) { ChooseMaker(makers_->itemText(index)); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &TCoilMakerForm::AcceptSelection);
    connect(accept_, &QPushButton::clicked, this, &TCoilMakerForm::AcceptSelection);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(editDatabase_, &QPushButton::clicked, this, &TCoilMakerForm::EditCoilDatabase);
}

void TCoilMakerForm::SetOptions(bool showCatalogueEdit, bool enableMakerList) {
    editDatabase_->setVisible(showCatalogueEdit);
    makers_->setEnabled(enableMakerList);
}

void TCoilMakerForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FillMakers();
}

void TCoilMakerForm::FillMakers() {
    makers_->clear();
    for (const std::string& name : MakerNames()) makers_->addItem(QString::fromStdString(name));
    const QString maker = QString::fromStdString(rec_.Mnf);
    int index = makers_->findText(maker, Qt::MatchFixedString);
    if (index < 0 && makers_->count() > 0) index = 0;
    makers_->setCurrentIndex(index);
    current_->setText("Current: " + QString::fromStdString(CurrentSpecificationLine(rec_)));
    ChooseMaker(index >= 0 ? makers_->itemText(index) : maker);
}

void TCoilMakerForm::ChooseMaker(const QString& maker) {
    maker_ = maker;
    const int index = makers_->findText(maker, Qt::MatchFixedString);
    if (index >= 0) makers_->setCurrentIndex(index);
    LoadMaker(maker.toStdString());
    entries_ = MakerCache().Entries;
    list_->clear();
    for (const TMnfRec& e : entries_) new QTreeWidgetItem(list_, Columns(e));
    for (int c = 0; c < kColumns; ++c) {
        list_->resizeColumnToContents(c);
        list_->setColumnWidth(c, list_->columnWidth(c) + 12);
    }
    // Every column in view: the window grows to the list's width when it is narrower.
    int needed = 2 * list_->frameWidth() + list_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < kColumns; ++c) needed += list_->columnWidth(c);
    if (needed > list_->width()) resize(width() + needed - list_->width(), height());
    const int best = BestListedMatch(entries_, rec_);
    if (best >= 0) list_->setCurrentItem(list_->topLevelItem(best));
}

void TCoilMakerForm::AcceptSelection() {
    QTreeWidgetItem* item = list_->currentItem();
    if (!item) return;
    const int row = list_->indexOfTopLevelItem(item);
    if (row < 0 || row >= static_cast<int>(entries_.size())) return;
    ApplyMnf(entries_[row], rec_);
    rec_.Mnf = maker_.toStdString();
    accept();
}

void TCoilMakerForm::EditCoilDatabase() {
    if (!inkwell_) return;
    inkwell_->SetEditFileName(QString::fromStdString(CatalogFileName()));
    inkwell_->LoadTextFile();
    if (inkwell_->exec() != QDialog::Accepted) return;
    ClearMakerCache();
    FillMakers();
}

}  // namespace qdx::app
