#pragma once
// The modeless Find and Replace dialogs of the text editor: the text to look for, match case,
// whole word, the direction (Find only; Replace always searches down) and, for Replace, the
// replacement text. The dialog only asks; the editor that shows it searches.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qdx::app {

class TSearchDialog : public QDialog {
    Q_OBJECT
public:
    enum class TKind { Find, Replace };
    explicit TSearchDialog(TKind kind, QWidget* parent = nullptr);

    TKind Kind() const { return kind_; }
    QString FindText() const;
    void SetFindText(const QString& text);
    QString ReplaceText() const;
    bool MatchCase() const;
    bool WholeWord() const;
    // False when searching up.
    bool Down() const;

    QLineEdit* FindEdit() const { return findEdit_; }
    QLineEdit* ReplaceEdit() const { return replaceEdit_; }
    QPushButton* FindNextButton() const { return findNext_; }
    QPushButton* ReplaceButton() const { return replace_; }
    QPushButton* ReplaceAllButton() const { return replaceAll_; }
    QCheckBox* MatchCaseBox() const { return matchCase_; }
    QCheckBox* WholeWordBox() const { return wholeWord_; }
    QRadioButton* UpButton() const { return up_; }

signals:
    void FindNext();
    void Replace();
    void ReplaceAll();

private:
    TKind kind_;
    QLineEdit* findEdit_;
    QLineEdit* replaceEdit_ = nullptr;
    QCheckBox* matchCase_;
    QCheckBox* wholeWord_;
    QRadioButton* up_ = nullptr;
    QRadioButton* down_ = nullptr;
    QPushButton* findNext_;
    QPushButton* replace_ = nullptr;
    QPushButton* replaceAll_ = nullptr;
};

}  // namespace qdx::app
