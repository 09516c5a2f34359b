#include "app/windows/search_dialog.hpp"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qdx::app {

TSearchDialog::TSearchDialog(TKind kind, QWidget* parent) : QDialog(parent), kind_(kind) {
    const bool replacing = kind == TKind::Replace;
    setObjectName(replacing ? "ReplaceDialog" : "FindDialog");
    setWindowTitle(replacing ? "Replace" : "Find");
    setModal(false);

    auto* fields = new QGridLayout;
    auto* findLabel = new QLabel("Fi&nd what:", this);
    findEdit_ = new QLineEdit(this);
    findEdit_->setObjectName("FindText");
    findLabel->setBuddy(findEdit_);
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(findEdit_, 0, 1);
    if (replacing) {
        auto* replaceLabel = new QLabel("Re&place with:", this);
        replaceEdit_ = new QLineEdit(this);
        replaceEdit_->setObjectName("ReplaceText");
        replaceLabel->setBuddy(replaceEdit_);
        fields->addWidget(replaceLabel, 1, 0);
        fields->addWidget(replaceEdit_, 1, 1);
    }

    wholeWord_ = new QCheckBox("Match &whole word only", this);
    wholeWord_->setObjectName("WholeWord");
    matchCase_ = new QCheckBox("Match &case", this);
    matchCase_->setObjectName("MatchCase");
    auto* options = new QVBoxLayout;
    options->addWidget(wholeWord_);
    options->addWidget(matchCase_);
    auto* optionRow = new QHBoxLayout;
    optionRow->addLayout(options);
    if (!replacing) {
        auto* direction = new QGroupBox("Direction", this);
        direction->setObjectName("Direction");
        up_ = new QRadioButton("&Up", direction);
        up_->setObjectName("Up");
        down_ = new QRadioButton("&Down", direction);
        down_->setObjectName("Down");
        down_->setChecked(true);
        auto* d = new QHBoxLayout(direction);
        d->addWidget(up_);
        d->addWidget(down_);
        optionRow->addWidget(direction);
    }

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(optionRow);
    left->addStretch();

    auto* buttons = new QVBoxLayout;
    findNext_ = new QPushButton("&Find Next", this);
    findNext_->setObjectName("FindNext");
    findNext_->setDefault(true);
    buttons->addWidget(findNext_);
    connect(findNext_, &QPushButton::clicked, this, &TSearchDialog::FindNext);
    if (replacing) {
        replace_ = new QPushButton("&Replace", this);
        replace_->setObjectName("Replace");
        replaceAll_ = new QPushButton("Replace &All", this);
        replaceAll_->setObjectName("ReplaceAll");
        buttons->addWidget(replace_);
        buttons->addWidget(replaceAll_);
        connect(replace_, &QPushButton::clicked, this, &TSearchDialog::Replace);
        connect(replaceAll_, &QPushButton::clicked, this, &TSearchDialog::ReplaceAll);
    }
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("Cancel");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
}

QString TSearchDialog::FindText() const { return findEdit_->text(); }

void TSearchDialog::SetFindText(const QString& text) { findEdit_->setText(text); }

QString TSearchDialog::ReplaceText() const { return replaceEdit_ ? replaceEdit_->text() : QString(); }

bool TSearchDialog::MatchCase() const { return matchCase_->isChecked(); }

bool TSearchDialog::WholeWord() const { return wholeWord_->isChecked(); }

bool TSearchDialog::Down() const { return !up_ || !up_->isChecked(); }

}  // namespace qdx::app
