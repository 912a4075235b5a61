#include "e1/window/tfi_doys.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "e1/calc/tax_offices.h"
#include "platform/paths.h"
#include "controls/key_filter.h"
#include "records/declarations_index.h"

namespace kestrana {

static constexpr const char* kTaxOfficeFile = "Wparams/Doys.txt";

TfiDOYS::TfiDOYS(const std::string& baseDir, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fiDOYS"));
    setWindowTitle(QStringLiteral("Κατάλογος Δ.Ο.Υ."));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Γρήγορη Αναζήτηση"), this);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("edFastEdit"));
    label->setBuddy(search_);
    auto* sortBox = new QGroupBox(QStringLiteral("Ταξινόμιση"), this);
    sortBox->setObjectName(QStringLiteral("rgIndexSelect"));
    auto* sortLayout = new QHBoxLayout(sortBox);
    byName_ = new QRadioButton(QStringLiteral("Περιγραφή"), sortBox);
    byCode_ = new QRadioButton(QStringLiteral("Κωδικός"), sortBox);
    byName_->setChecked(true);
    sortLayout->addWidget(byName_);
    sortLayout->addWidget(byCode_);
    top->addWidget(label);
    top->addWidget(search_, 1);
    top->addWidget(sortBox);
    layout->addLayout(top);

    const std::filesystem::path folder = baseDir.empty() ? std::filesystem::path(".") : std::filesystem::path(baseDir);
    std::vector<TaxOfficeRow> rows;
    if (auto path = FindCaseInsensitive(folder, kTaxOfficeFile)) rows = ReadTaxOfficeFile(path->string());

    grid_ = new QTableWidget(static_cast<int>(rows.size()), 2, this);
    grid_->setObjectName(QStringLiteral("sgDoys"));
    grid_->setHorizontalHeaderLabels({QStringLiteral("Περιγραφή"), QStringLiteral("Κωδικός")});
    grid_->verticalHeader()->hide();
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    grid_->setColumnWidth(1, 110);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        grid_->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(rows[r].description)));
        grid_->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(rows[r].code)));
    }
    if (!rows.empty()) grid_->selectRow(0);
    grid_->installEventFilter(this);
    layout->addWidget(grid_, 1);

    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { accept(); });
    connect(byName_, &QRadioButton::clicked, this, [this] { Sort(0); });
    connect(byCode_, &QRadioButton::clicked, this, [this] { Sort(1); });
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (!t.isEmpty()) Search(t);
    });
    resize(520, 600);
    grid_->setFocus();
}

int TfiDOYS::SortColumn() const { return byCode_->isChecked() ? 1 : 0; }

QString TfiDOYS::ChosenDescription() const {
    const int row = grid_->currentRow();
    if (row < 0) return {};
    const QTableWidgetItem* item = grid_->item(row, 0);
    return item ? item->text() : QString();
}

// The grid as rows of texts for the shared sort and search of the index; a
// third cell marks every row, so rows without a name or code sort too.
static TextGrid GridRows(const QTableWidget& grid) {
    TextGrid rows(grid.rowCount());
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < 2; ++c) {
            const QTableWidgetItem* item = grid.item(r, c);
            rows[r].push_back(item ? item->text().toStdString() : std::string());
        }
        rows[r].push_back("*");
    }
    return rows;
}

void TfiDOYS::Sort(int column) {
    search_->clear();
    TextGrid rows = GridRows(*grid_);
    SortGrid(rows, 0, column, kSortText, 2, true);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < 2; ++c) grid_->item(r, c)->setText(QString::fromStdString(rows[r][c]));
    if (grid_->rowCount() > 0) grid_->selectRow(0);
}

void TfiDOYS::Search(const QString& text) {
    const int row = QuickSearch(GridRows(*grid_), SortColumn(), text.toStdString(), 0);
    if (row >= 0) grid_->selectRow(row);
}

bool TfiDOYS::eventFilter(QObject* watched, QEvent* event) {
    if (watched != grid_ || event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & Qt::ControlModifier) return false;
    switch (ClassifySearchGridKey(key)) {
        case SearchGridKey::Choose: accept(); return true;
        case SearchGridKey::Cancel: reject(); return true;
        case SearchGridKey::Moves:
            search_->clear();
            return false;  // the grid still moves
        case SearchGridKey::Other: break;
    }
    if (key->key() == Qt::Key_Insert) return true;
    const QString typed = key->text();
    if (typed.size() != 1 || !typed.at(0).isPrint()) return false;
    // Printable keys never reach the grid: its own type-ahead would move the
    // selection away from what the search box found.
    const char32_t converted = TaxOfficeSearchKey(typed.at(0).unicode());
    if (IsTaxOfficeSearchCharacter(converted)) search_->setText(search_->text() + QString::fromUcs4(&converted, 1));
    return true;
}

}  // namespace kestrana
