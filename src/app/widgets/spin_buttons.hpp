#pragma once
// A pair of small up and down arrow buttons beside an edit, as the tool windows use for
// stepping a value; they never take the focus from the edit. Their accessible names are
// "Increase " and "Decrease " followed by the quantity.

#include <QWidget>

class QToolButton;

namespace qdx::app {

class TSpinButtons : public QWidget {
    Q_OBJECT
public:
    TSpinButtons(const QString& quantity, QWidget* parent = nullptr);

    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

signals:
    void Up();
    void Down();

private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace qdx::app
