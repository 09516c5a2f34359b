#pragma once
// The about box, which is also the start-up splash. TAboutBoxDlg belongs to the main window and
// builds the window TAboutBox each time it is needed:
//  - splash: shown at once (not modal) while the program starts, with "Loading..." and without
//    the check box, when the "SplashScreen" setting is on; it stays until two seconds after it
//    appeared (the 2500 ms display interval cut down to whole seconds);
//  - about: modal, with the check box "Show this form on program bootup" ticked as the setting
//    is; however the box closes, the setting takes the check box's state at once.

#include <QDialog>
#include <QObject>
#include <QString>

#include <memory>

class QCheckBox;
class QLabel;

namespace qdx::app {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    TAboutBox(const QString& productName, const QString& version, const QString& description,
              bool splash, QWidget* parent = nullptr);

    QCheckBox& ShowOnBootup() { return *check_; }
    QLabel& Status() { return *status_; }

private:
    QCheckBox* check_;
    QLabel* status_;
};

class TAboutBoxDlg : public QObject {
    Q_OBJECT
public:
    explicit TAboutBoxDlg(QObject* parent = nullptr);
    ~TAboutBoxDlg() override;

    // Empty: the application title.
    QString ProductName;
    QString Version;
    QString Description;

    static constexpr int kDisplayInterval = 2500;  // ms
    // The splash, when the setting is on; remembers when it may go.
    void ShowSplash();
    // Waits (handling events) until the splash's end time has passed, then frees it. Nothing
    // happens without a splash.
    void EndSplash();
    // The splash while it is shown, else null.
    TAboutBox* Splash() const { return splash_.get(); }
    // The end time of the last splash, in ms since the epoch; 0 when none was shown.
    qint64 SplashEndTime() const { return splashEnd_; }

    // The modal about box.
    void Execute(QWidget* parent);
    // The box Execute shows, while it is shown (tests answer it).
    TAboutBox* Box() const { return box_; }

private:
    QString Product() const;
    std::unique_ptr<TAboutBox> splash_;
    TAboutBox* box_ = nullptr;
    qint64 splashEnd_ = 0;
};

}  // namespace qdx::app
