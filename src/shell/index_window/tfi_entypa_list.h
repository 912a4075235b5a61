#pragma once
// The declarations index window: the stored E1 or E2 declarations with
// surname, first name and tax number, sorted, searched as the user types,
// opened or deleted.
#include <QDialog>
#include <optional>
#include <string>

#include "records/declaration_kind.h"
#include "records/declarations_index.h"

class QButtonGroup;
class QLineEdit;
class QTableView;
class QToolButton;

namespace kestrana {

struct AppContext;
class IndexGridModel;

class TfiEntypaList : public QDialog {
    Q_OBJECT
public:
    // Lists the declarations of the context's store.
    explicit TfiEntypaList(AppContext& context, QWidget* parent = nullptr);
    ~TfiEntypaList() override;

    // Scans the store for the kind, fills and sorts the grid. Files that
    // could not be read are named in one message; the rest are listed.
    void ShowIndex(DeclarationKind kind);

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

    AppContext& context_;
    DeclarationKind kind_ = DeclarationKind::E1;
    IndexGridModel* model_ = nullptr;
    QTableView* sgEntypa_ = nullptr;
    QLineEdit* edFastEdit_ = nullptr;
    QButtonGroup* rgIndex_ = nullptr;
};

// The index of the kind, modal; the chosen tax number, or nothing on cancel.
// With nothing stored it says so and shows no window.
std::optional<std::string> ChooseDeclaration(AppContext& context, DeclarationKind kind, QWidget* parent);

// "Δεν υπάρχει καταχωρημένη καμία δήλωση."
extern const char* const kNoDeclarationMessage;

}  // namespace kestrana
