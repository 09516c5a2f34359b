#pragma once
// "Coil Maker": the makers of the catalogue and the tube and fin specifications of the chosen
// one, with the line that best matches the coil selected and the coil's own specification on
// the "Current:" line. Accept copies the chosen maker and specification into the working
// record and ends with OK.

#include <QDialog>

#include "geometry/coil_makers.hpp"
#include "geometry/model_rec.hpp"

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace qdx::app {

class TInkwellForm;

class TCoilMakerForm : public QDialog {
    Q_OBJECT
public:
    explicit TCoilMakerForm(QWidget* parent = nullptr);

    // The working record: the geometry's, and after Accept the chosen specification in it.
    void SetRecord(const TModelRec& rec) { rec_ = rec; }
    const TModelRec& Record() const { return rec_; }
    // Whether "Edit Coil Database" shows and whether the maker may be changed.
    void SetOptions(bool showCatalogueEdit, bool enableMakerList);
    // The program's text editor, which edits the catalogue.
    void SetInkwell(TInkwellForm* inkwell) { inkwell_ = inkwell; }

    // The makers of the catalogue with the record's maker chosen.
    void FillMakers();
    // The maker's specifications, with the best match for the record selected.
    void ChooseMaker(const QString& maker);
    // Takes the selected line; nothing happens without one.
    void AcceptSelection();
    // Opens the catalogue in the text editor and reads it again after the editor's OK.
    void EditCoilDatabase();

    QComboBox* MakerList() const { return makers_; }
    QTreeWidget* CatalogueList() const { return list_; }
    QLabel* CurrentLine() const { return current_; }
    QPushButton* EditDatabaseButton() const { return editDatabase_; }
    QPushButton* AcceptButton() const { return accept_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    TModelRec rec_;
    QString maker_;  // the maker whose specifications are listed
    TMnfRecVec entries_;
    TInkwellForm* inkwell_ = nullptr;
    QComboBox* makers_;
    QTreeWidget* list_;
    QLabel* current_;
    QPushButton* editDatabase_;
    QPushButton* accept_;
};

}  // namespace qdx::app
