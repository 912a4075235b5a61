#pragma once
// The tax office list (Wparams/Doys.txt): pick an office by typing the start
// of its name or code. Accepted ("chosen") with the selected row's name.
#include <QDialog>
#include <string>

class QLineEdit;
class QRadioButton;
class QTableWidget;

namespace kestrana {

class TfiDOYS : public QDialog {
    Q_OBJECT
public:
    // Reads "Wparams/Doys.txt" under `baseDir` (the working folder when empty).
    explicit TfiDOYS(const std::string& baseDir = "", QWidget* parent = nullptr);

    // Description of the selected row (empty when none).
    QString ChosenDescription() const;
    int SortColumn() const;  // 0 description, 1 code

    QTableWidget* Grid() const { return grid_; }        // sgDoys
    QLineEdit* SearchBox() const { return search_; }    // edFastEdit
    QRadioButton* SortChoice(int index) const { return index == 0 ? byName_ : byCode_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Sort(int column);
    void Search(const QString& text);

    QTableWidget* grid_;
    QLineEdit* search_;
    QRadioButton* byName_;
    QRadioButton* byCode_;
};

}  // namespace kestrana
