#pragma once
// The main window of the psychrometric chart program: the chart of the last file loaded, the
// state under the pointer in the status bar, and File > Open, Save Chart As and Exit. Paths
// that other programs send (code 3 on the program's socket) are loaded as they arrive.

#include <QMainWindow>

#include "documents/aerograph_file.hpp"

class QLabel;

namespace qdx::app {
class TProgramMessageServer;
}

namespace qdx::aerograph {

class TChartView;

class TAerographForm : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "QDX Aerograph";

    explicit TAerographForm(QWidget* parent = nullptr);

    // Reads and shows a ".psy" file; a file that does not read is reported and the chart
    // shown stays. True when loaded.
    bool LoadFile(const QString& path);
    QString FileName() const { return fileName_; }
    TChartView* View() const { return view_; }

    // Loads every path that arrives on the server and brings the window to the front.
    void ListenOn(app::TProgramMessageServer& server);

    // File > Open... and File > Save Chart As...
    void OpenFile();
    void SaveChartAs();

private:
    TChartView* view_;
    QLabel* stateLabel_;
    QString fileName_;
};

}  // namespace qdx::aerograph
