#include "shell/index_window/tfi_entypa_list.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/app_context.h"
#include "platform/file_ops.h"
#include "platform/modal_runner.h"
#include "platform/user_dialogs.h"
#include "controls/key_filter.h"
#include "records/cp1253.h"
#include "records/declarations_store.h"
#include "records/record_files.h"

namespace kestrana {

const char* const kNoDeclarationMessage = "Δεν υπάρχει καταχωρημένη καμία δήλωση.";

// Every data row carries this hidden cell past the three shown ones, so that
// the sort counts all rows: a declaration without a surname (or without a tax
// number) would otherwise end the counted block early and leave the rows
// below it unsorted.
constexpr int kAlwaysFilledColumn = 3;

// The grid's rows without the heading row, which the view's header shows.
class IndexGridModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    TextGrid grid{{"Επώνυμο/ία", "Όνομα", "Α.Φ.Μ."}};

    void Reset(TextGrid g) {
        beginResetModel();
        grid = std::move(g);
        endResetModel();
    }
    void Changed() {
        if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, 2));
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(grid.size()) - 1;
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole) return {};
        const auto& row = grid[index.row() + 1];
        return index.column() < static_cast<int>(row.size())
                   ? QString::fromStdString(row[index.column()])
                   : QString();
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (o != Qt::Horizontal || role != Qt::DisplayRole) return {};
        return QString::fromStdString(grid[0][section]);
    }
};

namespace {

// Characters that typing in the grid hands to the search box: space, ".",
// digits and every character of code 65 to 249 in the Greek code page.
bool GoesToSearch(const QString& text) {
    if (text.size() != 1) return false;
    const QChar c = text[0];
    if (c == ' ' || c == '.' || (c >= '0' && c <= '9')) return true;
    const std::string bytes = Utf8ToCp1253(text.toStdString());
    if (bytes.size() != 1) return false;
    const auto code = static_cast<unsigned char>(bytes[0]);
    return code >= 65 && code <= 249 && bytes != "?";
}

}  // namespace

TfiEntypaList::TfiEntypaList(AppContext& context, QWidget* parent) : QDialog(parent), context_(context) {
    setObjectName("fiEntypaList");
    setWindowTitle("Κατάλογος Δηλώσεων");

    auto* layout = new QVBoxLayout(this);
    auto* tools = new QToolBar(this);
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* open = tools->addAction(style()->standardIcon(QStyle::SP_DialogOpenButton), "Επιλογή Δήλωσης");
    open->setObjectName("tbOpen");
    connect(open, &QAction::triggered, this, &QDialog::accept);
    QAction* remove = tools->addAction(style()->standardIcon(QStyle::SP_TrashIcon), "Διαγραφή Δήλωσης");
    remove->setObjectName("tbDelete");
    connect(remove, &QAction::triggered, this, &TfiEntypaList::DeleteSelected);
    QAction* printSelected = tools->addAction("Εκτύπωση Επιλεγμένων");
    printSelected->setObjectName("tbPrint");
    printSelected->setEnabled(false);
    printSelected->setVisible(false);
    layout->addWidget(tools);

    auto* controls = new QHBoxLayout;
    auto* sortBox = new QGroupBox("Ταξινόμιση", this);
    sortBox->setObjectName("rgIndex");
    auto* sortLayout = new QHBoxLayout(sortBox);
    rgIndex_ = new QButtonGroup(this);
    const char* sorts[2] = {"Επωνυμία", "Α.Φ.Μ."};
    for (int i = 0; i < 2; ++i) {
        auto* b = new QRadioButton(sorts[i], sortBox);
        b->setObjectName(i == 0 ? "rbSurname" : "rbAfm");
        rgIndex_->addButton(b, i);
        sortLayout->addWidget(b);
    }
    rgIndex_->button(0)->setChecked(true);
    connect(rgIndex_, &QButtonGroup::idClicked, this, &TfiEntypaList::ChooseSort);
    controls->addWidget(sortBox);
    auto* searchBox = new QGroupBox("Αναζήτηση", this);
    auto* searchLayout = new QHBoxLayout(searchBox);
    edFastEdit_ = new QLineEdit(searchBox);
    edFastEdit_->setObjectName("edFastEdit");
    searchLayout->addWidget(edFastEdit_);
    connect(edFastEdit_, &QLineEdit::textChanged, this, &TfiEntypaList::QuickSearchNow);
    // Enter after typing straight into the box opens the row found, as in the grid.
    connect(edFastEdit_, &QLineEdit::returnPressed, this, &QDialog::accept);
    controls->addWidget(searchBox, 1);
    layout->addLayout(controls);

    model_ = new IndexGridModel(this);
    sgEntypa_ = new QTableView(this);
    sgEntypa_->setObjectName("sgEntypa");
    sgEntypa_->setModel(model_);
    sgEntypa_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgEntypa_->setSelectionMode(QAbstractItemView::SingleSelection);
    sgEntypa_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgEntypa_->setAlternatingRowColors(true);
    sgEntypa_->verticalHeader()->hide();
    sgEntypa_->verticalHeader()->setDefaultSectionSize(20);
    sgEntypa_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sgEntypa_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sgEntypa_->setColumnWidth(0, 252);
    sgEntypa_->setColumnWidth(1, 221);
    sgEntypa_->setColumnWidth(2, 99);
    sgEntypa_->installEventFilter(this);
    connect(sgEntypa_, &QTableView::doubleClicked, this, &QDialog::accept);
    layout->addWidget(sgEntypa_, 1);
    resize(252 + 221 + 99 + 50, 520);
}

TfiEntypaList::~TfiEntypaList() = default;

void TfiEntypaList::ShowIndex(DeclarationKind kind) {
    kind_ = kind;
    const IndexScan scan = context_.store.List(kind);
    TextGrid grid = IndexGrid(scan.lines);
    for (size_t r = 1; r < grid.size(); ++r) grid[r].push_back("*");
    model_->Reset(std::move(grid));
    rgIndex_->button(0)->setChecked(true);
    Sort();
    // Typing goes to the grid, which hands letters and digits to the search box.
    sgEntypa_->setFocus(Qt::OtherFocusReason);
    if (!scan.unreadable.empty()) {
        std::string text = "Σφάλμα εισόδου/εξόδου: τα παρακάτω αρχεία δεν διαβάστηκαν και δεν "
                           "εμφανίζονται στον κατάλογο.";
        const size_t shown = std::min<size_t>(scan.unreadable.size(), 20);
        for (size_t i = 0; i < shown; ++i) text += "\n" + scan.unreadable[i];
        if (scan.unreadable.size() > shown)
            text += "\n... (" + std::to_string(scan.unreadable.size() - shown) + " ακόμη)";
        context_.dialogs.ShowError(text);
    }
}

int TfiEntypaList::RowCount() const { return static_cast<int>(model_->grid.size()); }

const TextGrid& TfiEntypaList::Grid() const { return model_->grid; }

int TfiEntypaList::SelectedRow() const {
    const QModelIndex current = sgEntypa_->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void TfiEntypaList::SelectRow(int row) {
    if (row < 1 || row >= RowCount()) return;
    const QModelIndex index = model_->index(row - 1, 0);
    sgEntypa_->setCurrentIndex(index);
    sgEntypa_->selectRow(row - 1);
    sgEntypa_->scrollTo(index);
}

std::string TfiEntypaList::SelectedAfm() const {
    const int row = SelectedRow();
    if (row < 1) return {};
    const auto& cells = model_->grid[row];
    return cells.size() > 2 ? cells[2] : std::string();
}

int TfiEntypaList::SearchColumn() const { return rgIndex_->checkedId() == 1 ? 2 : 0; }

void TfiEntypaList::Sort() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    SortGrid(model_->grid, 1, SearchColumn(), kSortText, kAlwaysFilledColumn, true);
    model_->Changed();
    QApplication::restoreOverrideCursor();
    SelectRow(1);
}

void TfiEntypaList::ChooseSort(int index) {
    rgIndex_->button(index == 1 ? 1 : 0)->setChecked(true);
    edFastEdit_->clear();
    Sort();
}

void TfiEntypaList::QuickSearchNow(const QString& text) {
    if (text.isEmpty()) return;
    const int row = QuickSearch(model_->grid, SearchColumn(), text.toStdString());
    if (row >= 1) SelectRow(row);
}

void TfiEntypaList::DeleteSelected() {
    const int row = SelectedRow();
    if (row < 1) return;
    const auto& cells = model_->grid[row];
    const std::string surname = cells.size() > 0 ? cells[0] : "";
    const std::string afm = cells.size() > 2 ? cells[2] : "";
    if (!context_.dialogs.AskYesNo("Προσοχή !!. Να γίνει η διαγραφή της Δήλωσης του " + surname + " με ΑΦΜ " + afm))
        return;
    // A listed tax number that would lead out of Tables is never a path:
    // the store refuses it.
    if (!context_.store.Exists(kind_, afm)) return;
    context_.store.Delete(kind_, afm);
    reject();
}

bool TfiEntypaList::eventFilter(QObject* watched, QEvent* e) {
    if (watched != sgEntypa_ || e->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, e);
    auto* key = static_cast<QKeyEvent*>(e);
    if (key->modifiers() & Qt::AltModifier) return false;
    switch (ClassifySearchGridKey(key)) {
    case SearchGridKey::Choose: accept(); return true;
    case SearchGridKey::Cancel: reject(); return true;
    case SearchGridKey::Moves:
        edFastEdit_->clear();
        return false;  // the grid still moves
    case SearchGridKey::Other: break;
    }
    if (key->key() == Qt::Key_Insert && (key->modifiers() & Qt::ShiftModifier)) return true;
    if (GoesToSearch(key->text()) && !(key->modifiers() & Qt::ControlModifier)) {
        edFastEdit_->setText(edFastEdit_->text() + key->text());
        return true;
    }
    return false;
}

std::optional<std::string> ChooseDeclaration(AppContext& context, DeclarationKind kind, QWidget* parent) {
    TfiEntypaList index(context, parent);
    index.ShowIndex(kind);
    if (index.RowCount() < 2) {
        context.dialogs.ShowMessage(kNoDeclarationMessage);
        return std::nullopt;
    }
    if (context.modal.Exec(index) != QDialog::Accepted || index.SelectedRow() < 1) return std::nullopt;
    return index.SelectedAfm();
}

}  // namespace kestrana
