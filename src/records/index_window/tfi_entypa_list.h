#pragma once
// The declarations index window: the stored E1 or E2 declarations with
// surname, first name and tax number, sorted, searched as the user types,
// opened or deleted.
#include <QDialog>
#include <optional>
#include <string>

#include "records/declarations_index.h"

class QButtonGroup;
class QLineEdit;
class QTableView;
class QToolButton;

namespace kestrana {

class UserDialogs;
class IndexGridModel;

class TfiEntypaList : public QDialog {
    Q_OBJECT
public:
    // `baseDir` holds Tables ("" is the working folder).
    explicit TfiEntypaList(UserDialogs& dialogs, QWidget* parent = nullptr, std::string baseDir = "");
    ~TfiEntypaList() override;

    // Scans the folder for the kind (1 = E1, 2 = E2), fills and sorts the grid.
    // Files that could not be read are named in one message; the rest are listed.
    void ShowIndex(int kind);

    // Grid rows, the heading row included (1: nothing stored).
    int RowCount() const;
    // Grid row selected (1 = first data row), 0 when none.
    int SelectedRow() const;
    void SelectRow(int row);
    // Column 2 of the selected row: the tax number that keys the file.
    std::string SelectedAfm() const;
    const TextGrid& Grid() const;

    // rgIndex: 0 sorts by surname, 1 by tax number; empties the search box.
    void ChooseSort(int index);
    // tbDelete: asks, deletes the file and closes with "cancel".
    void DeleteSelected();

    QLineEdit* SearchBox() const { return edFastEdit_; }
    QTableView* GridView() const { return sgEntypa_; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Sort();
    void QuickSearchNow(const QString& text);
    int SearchColumn() const;

    UserDialogs& dialogs_;
    std::string baseDir_;
    int kind_ = 1;
    IndexGridModel* model_ = nullptr;
    QTableView* sgEntypa_ = nullptr;
    QLineEdit* edFastEdit_ = nullptr;
    QButtonGroup* rgIndex_ = nullptr;
};

// The index of the kind, modal; the chosen tax number, or nothing on cancel.
// With nothing stored it says so and shows no window.
std::optional<std::string> ChooseDeclaration(UserDialogs& dialogs, int kind, QWidget* parent,
                                             const std::string& baseDir = "");

// "Δεν υπάρχει καταχωρημένη καμία δήλωση."
extern const char* const kNoDeclarationMessage;

}  // namespace kestrana
