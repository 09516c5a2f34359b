#pragma once
// "Select Location": browses the location database of the maker's common folder (databases,
// their regions, the places of a region) and shows the chosen place's position and climatic
// design figures. Accepted (button or a double-click on a place), the caller reads
// LocationText and the current record. Database, Region and Place are kept in the program
// settings (section = objectName), with the window's position.

#include <QDialog>

#include "documents/location_database.hpp"

class QComboBox;
class QLabel;
class QListWidget;
class QTableWidget;
class QToolBar;

namespace qdx::app {

class TSelectLocationForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectLocationForm(QWidget* parent = nullptr);
    ~TSelectLocationForm() override;

    TLocationBrowser& Browser() { return browser_; }
    const TLocationRecord& Current() const { return browser_.Current(); }
    QString LocationText() const { return QString::fromStdString(browser_.LocationText()); }
    // Opens on the place of a LocationText ("place, region").
    void SelectLocation(const QString& text) { browser_.SelectLocation(text.toStdString()); }

    QComboBox* DatabaseList() const { return databases_; }
    QComboBox* RegionList() const { return regions_; }
    QListWidget* PlaceList() const { return places_; }
    QTableWidget* Grid() const { return grid_; }
    QLabel* StatusPanel(int i) const { return i == 0 ? recordPanel_ : locationPanel_; }

    // Modal results 1 (OK) and 2 (Cancel); closing the window is Cancel.
    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    // Runs a step of the browser, reporting a failed read of the database file.
    template <typename F>
    void Guarded(F step);
    // The lists, the grid and the status panels from the browser.
    void ShowBrowser();
    void SizeGridColumns();

    TLocationBrowser browser_;
    QToolBar* toolBar_;
    QComboBox* databases_;
    QComboBox* regions_;
    QListWidget* places_;
    QTableWidget* grid_;
    QLabel* recordPanel_;
    QLabel* locationPanel_;
    bool filling_ = false;
};

}  // namespace qdx::app
