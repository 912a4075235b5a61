#include "e1/fastentry/tfi_fast_dil.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "e1/model/e1_document_io.h"
#include "e1/model/form_model.h"
#include "editions/edition.h"
#include "engine/intake.h"
#include "engine/engine_state.h"
#include "platform/app_context.h"
#include "platform/modal_runner.h"
#include "platform/user_dialogs.h"
#include "records/amount_text.h"
#include "controls/edit_afm.h"
#include "records/e1_record.h"
#include "records/errors.h"
#include "shell/index_window/tfi_entypa_list.h"
#include "records/declarations_store.h"
#include "records/record_files.h"
#include "statement/window/tfi_eka.h"

namespace kestrana {

namespace {

constexpr int kCodeColumn = 0;
constexpr int kAmountColumn = 1;

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string Str(const QString& s) { return s.toStdString(); }

QString ThreeDigits(int code) { return Q(CodeDigits(code)); }
QString TickName(int code) { return Q(CodeBoxName(code, true)); }

// Which characters a cell of the code list takes while it is typed.
bool AcceptsKey(int column, const QString& current, const QKeyEvent& e) {
    if (e.key() == Qt::Key_Backspace) return true;
    const QString t = e.text();
    if (t.size() != 1) return true;  // movement and editing keys
    const QChar c = t[0];
    if (!c.isPrint()) return true;
    if (c == '-' || (c >= '0' && c <= '9')) return true;
    return column == kAmountColumn && c == ',' && !current.contains(',');
}

// Cell editor of the code list: filters the keys and turns Enter into the
// list's movement.
class CodeCellEditor : public QLineEdit {
public:
    CodeCellEditor(int column, QWidget* parent) : QLineEdit(parent), column_(column) {
        setFrame(false);
        if (column == kAmountColumn) setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            if (onEnter) onEnter();
            return;
        }
        // Tab and the arrows keep their list meaning.
        if (!AcceptsKey(column_, text(), *e)) return;
        QLineEdit::keyPressEvent(e);
    }

public:
    std::function<void()> onEnter;

private:
    int column_;
};

class CodeListDelegate : public QStyledItemDelegate {
public:
    CodeListDelegate(QTableWidget* list, std::function<void(int row, int column)> onEnter)
        : QStyledItemDelegate(list), list_(list), onEnter_(std::move(onEnter)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        const int row = index.row();
        const int column = index.column();
        auto* editor = new CodeCellEditor(column, parent);
        auto* self = const_cast<CodeListDelegate*>(this);
        // Enter commits the text first, then moves.
        editor->onEnter = [self, editor, row, column] {
            emit self->commitData(editor);
            emit self->closeEditor(editor, QAbstractItemDelegate::NoHint);
            QTimer::singleShot(0, self->list_, [self, row, column] { self->onEnter_(row, column); });
        };
        return editor;
    }

protected:
    // Enter belongs to the editor, which commits and moves on its own; the
    // delegate's own handling would close the editor a second time.
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) return false;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    QTableWidget* list_;
    std::function<void(int, int)> onEnter_;
};

// Keys of the surname box: Enter and Down go to the next control, Up back.
class NameBox : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Down:
            focusNextChild();
            return;
        case Qt::Key_Up:
            focusPreviousChild();
            return;
        default:
            QLineEdit::keyPressEvent(e);
        }
    }
};

// The code of a "cbP" box (any letter case), or nullopt.
std::optional<int> TickCode(const QCheckBox* box) {
    const int code = CodeOfBoxName(Str(box->objectName()));
    return code > 0 ? std::optional<int>(code) : std::nullopt;
}

}  // namespace

TfiFastDil::TfiFastDil(AppContext& context, QWidget* parent) : QDialog(parent), context_(context) {
    setObjectName("fiFastDil");
    setWindowTitle("Σύντομη δήλωση με κωδικούς");
    context_.e1.Clear();
    BuildLayout();
}

QCheckBox* TfiFastDil::AddTick(QGridLayout* grid, int row, int column, const QString& name) {
    auto* box = new QCheckBox("NAI", this);
    box->setObjectName(name);
    grid->addWidget(box, row, column, Qt::AlignCenter);
    ticks_.push_back(box);
    return box;
}

void TfiFastDil::BuildLayout() {
    auto* outer = new QHBoxLayout(this);

    // Left: identity and the code list.
    auto* left = new QVBoxLayout;
    auto* identity = new QGridLayout;
    identity->addWidget(new QLabel("Α.Φ.Μ.", this), 0, 0);
    edAFM_ = new TEditAFM(this);
    edAFM_->setObjectName("edAFM");
    edAFM_->setMaxLength(12);
    identity->addWidget(edAFM_, 0, 1);
    identity->addWidget(new QLabel("ΕΠΩΝΥΜΟ", this), 1, 0);
    edBigName_ = new NameBox(this);
    edBigName_->setObjectName("edBigName");
    edBigName_->setMaxLength(40);
    identity->addWidget(edBigName_, 1, 1);
    cbMarried_ = new QCheckBox("Έγγαμος", this);
    cbMarried_->setObjectName("cbMarried");
    identity->addWidget(cbMarried_, 2, 1);
    left->addLayout(identity);

    veCodes_ = new QTableWidget(1, 2, this);
    veCodes_->setObjectName("veCodes");
    veCodes_->setHorizontalHeaderLabels({"Κωδικός", "Ποσό"});
    veCodes_->verticalHeader()->hide();
    veCodes_->verticalHeader()->setDefaultSectionSize(20);
    veCodes_->setColumnWidth(kCodeColumn, 80);
    veCodes_->horizontalHeader()->setStretchLastSection(true);
    veCodes_->setSelectionMode(QAbstractItemView::SingleSelection);
    veCodes_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                              QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    veCodes_->setItemDelegate(
        new CodeListDelegate(veCodes_, [this](int row, int column) { MoveOnEnter(row, column); }));
    veCodes_->setMinimumWidth(260);
    veCodes_->installEventFilter(this);
    connect(veCodes_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        // Codes are keys: a code typed a second time is refused.
        if (item->column() != kCodeColumn || item->text().isEmpty()) return;
        for (int r = 0; r < veCodes_->rowCount(); ++r) {
            const QTableWidgetItem* other = veCodes_->item(r, kCodeColumn);
            if (r != item->row() && other && other->text() == item->text()) {
                context_.dialogs.ShowMessage("Ο κωδικός " + Str(item->text()) + " υπάρχει ήδη στη λίστα.");
                QSignalBlocker block(veCodes_);
                item->setText(QString());
                return;
            }
        }
    });
    left->addWidget(veCodes_, 1);
    auto* hint = new QLabel("Enter: επόμενο πεδίο · Ctrl+Del: διαγραφή γραμμής", this);
    hint->setStyleSheet("color: gray;");
    left->addWidget(hint);
    outer->addLayout(left, 1);

    // Right: the two groups of tick boxes and the buttons.
    auto* right = new QVBoxLayout;
    auto* page1 = new QGroupBox("Κωδικοί πρώτης σελίδας", this);
    auto* g1 = new QGridLayout(page1);
    g1->setVerticalSpacing(2);
    g1->addWidget(new QLabel("Κωδικός", page1), 0, 0);
    g1->addWidget(new QLabel("Υπόχρεος", page1), 0, 1, Qt::AlignCenter);
    g1->addWidget(new QLabel("Σύζυγος", page1), 0, 2, Qt::AlignCenter);
    int row = 1;
    for (const FastEntryTickRow& p : FastEntryFirstPageTicks()) {
        QString label = ThreeDigits(p.taxpayer);
        if (p.spouse > 0) label += " / " + ThreeDigits(p.spouse);
        g1->addWidget(new QLabel(label, page1), row, 0);
        AddTick(g1, row, 1, TickName(p.taxpayer));
        if (p.spouse > 0) AddTick(g1, row, 2, TickName(p.spouse));
        if (p.spouse < 0) AddTick(g1, row, 2, "cb029Spouse");
        ++row;
    }
    right->addWidget(page1);

    auto* home = new QGroupBox("Κωδικοί πίνακα ιδιοκατοίκησης", this);
    auto* g2 = new QGridLayout(home);
    g2->addWidget(new QLabel("Μίσθωση", home), 0, 1, Qt::AlignCenter);
    g2->addWidget(new QLabel("Παραχώρηση", home), 0, 2, Qt::AlignCenter);
    g2->addWidget(new QLabel("Μονοκατοικία", home), 0, 3, Qt::AlignCenter);
    static const char* homeNames[3] = {"1η Κατοικία", "2η Κατοικία", "3η Κατοικία"};
    for (int r = 0; r < 3; ++r) {
        g2->addWidget(new QLabel(homeNames[r], home), r + 1, 0);
        for (int c = 0; c < 3; ++c)
            if (const int code = FastEntryResidenceTicks()[r][c]) AddTick(g2, r + 1, c + 1, TickName(code));
    }
    right->addWidget(home);
    right->addStretch();

    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    connect(button("btOpen", "Άνοιγμα"), &QPushButton::clicked, this, [this] {
        if (auto afm = ChooseDeclaration(context_, DeclarationKind::E1, this)) OpenDeclaration(*afm);
    });
    connect(button("btSave", "Αποθήκευση"), &QPushButton::clicked, this, [this] { Save(); });
    connect(button("btEka", "Εκκαθάριση Φόρου"), &QPushButton::clicked, this, [this] { Compute(); });
    connect(button("btClose", "Έξοδος"), &QPushButton::clicked, this, &QDialog::reject);
    right->addLayout(buttons);
    outer->addLayout(right);
    setTabOrder(edAFM_, edBigName_);
    setTabOrder(edBigName_, cbMarried_);
    setTabOrder(cbMarried_, veCodes_);
    resize(820, 720);
}

void TfiFastDil::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

bool TfiFastDil::eventFilter(QObject* watched, QEvent* e) {
    if (watched == veCodes_ && e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        const int row = veCodes_->currentRow();
        if (key->key() == Qt::Key_Delete && (key->modifiers() & Qt::ControlModifier) && row >= 0) {
            veCodes_->removeRow(row);
            if (veCodes_->rowCount() == 0) SetRows({});
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && row >= 0) {
            MoveOnEnter(row, veCodes_->currentColumn());
            return true;
        }
        if (key->key() == Qt::Key_Down && row == veCodes_->rowCount() - 1) {
            const QTableWidgetItem* code = veCodes_->item(row, kCodeColumn);
            if (code && !code->text().isEmpty()) {
                veCodes_->insertRow(row + 1);
                veCodes_->setCurrentCell(row + 1, kCodeColumn);
            }
            return true;
        }
        // Keys the cells would refuse do not start an edit either.
        // (While a cell is edited its editor has the keys, not the list.)
        if (!key->text().isEmpty() &&
            key->text()[0].isPrint() && !AcceptsKey(veCodes_->currentColumn(), QString(), *key))
            return true;
    }
    return QDialog::eventFilter(watched, e);
}

void TfiFastDil::MoveOnEnter(int row, int column) {
    if (column == kCodeColumn) {
        veCodes_->setCurrentCell(row, kAmountColumn);
        return;
    }
    const QTableWidgetItem* code = veCodes_->item(row, kCodeColumn);
    if (!code || code->text().isEmpty()) {
        veCodes_->setCurrentCell(row, kCodeColumn);
        return;
    }
    if (row == veCodes_->rowCount() - 1) {
        veCodes_->insertRow(row + 1);
        veCodes_->setItem(row + 1, kCodeColumn, new QTableWidgetItem);
        auto* amount = new QTableWidgetItem;
        amount->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        veCodes_->setItem(row + 1, kAmountColumn, amount);
    }
    veCodes_->setCurrentCell(row + 1, kCodeColumn);
}

std::vector<FastEntryRow> TfiFastDil::Rows() const {
    std::vector<FastEntryRow> rows;
    for (int r = 0; r < veCodes_->rowCount(); ++r) {
        const QTableWidgetItem* code = veCodes_->item(r, kCodeColumn);
        const QTableWidgetItem* amount = veCodes_->item(r, kAmountColumn);
        rows.push_back({code ? Str(code->text()) : "", amount ? Str(amount->text()) : ""});
    }
    return rows;
}

void TfiFastDil::SetRows(const std::vector<FastEntryRow>& rows) {
    QSignalBlocker block(veCodes_);
    veCodes_->setRowCount(std::max<int>(1, static_cast<int>(rows.size())));
    for (int r = 0; r < veCodes_->rowCount(); ++r) {
        const FastEntryRow row = r < static_cast<int>(rows.size()) ? rows[r] : FastEntryRow{};
        veCodes_->setItem(r, kCodeColumn, new QTableWidgetItem(Q(row.code)));
        auto* amount = new QTableWidgetItem(Q(row.amount));
        amount->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        veCodes_->setItem(r, kAmountColumn, amount);
    }
}

std::vector<int> TfiFastDil::TickedCodes() const {
    std::vector<int> codes;
    for (QCheckBox* box : ticks_)
        if (box->isChecked())
            if (auto code = TickCode(box)) codes.push_back(*code);
    return codes;
}

QCheckBox* TfiFastDil::TickBox(int code) const {
    for (QCheckBox* box : ticks_)
        if (TickCode(box) == code) return box;
    return nullptr;
}

void TfiFastDil::ClearEntries() {
    SetRows({});
    for (QCheckBox* box : ticks_) box->setChecked(false);
}

void TfiFastDil::OpenDeclaration(const std::string& afm) {
    ClearEntries();
    E1Record& record = context_.e1;
    ReadResult read = ReadResult::NotFound;
    try {
        read = context_.store.Read(afm, record);
    } catch (const IoError& e) {
        context_.dialogs.ShowError(e.what());
    }
    if (read != ReadResult::Read) {
        // Nothing of the previous declaration may stay behind: a save now
        // would write it again under the name still shown, over its codes.
        record.Clear();
        edAFM_->clear();
        edBigName_->clear();
        cbMarried_->setChecked(false);
        return;
    }
    cbMarried_->setChecked(record.GetBool("cbMarried"));
    edBigName_->setText(Q(record.GetText("edBigName")));
    edAFM_->setText(Q(record.GetText("edAFM")));
    const FastEntryView view = OpenFastEntry(record);
    for (int code : view.ticked)
        if (QCheckBox* box = TickBox(code)) box->setChecked(true);
    SetRows(view.rows);
}

FastEntryIdentity TfiFastDil::Identity() const {
    return {Str(edAFM_->text()), Str(edBigName_->text()), cbMarried_->isChecked()};
}

bool TfiFastDil::Save() {
    E1Record& record = context_.e1;
    const FastEntryIdentity identity = Identity();
    // Everything is read before the record changes: a bad row writes nothing.
    const FastEntryCodes codes = FastEntryCodesForSave(TickedCodes(), Rows());
    if (!codes.error.empty()) {
        context_.dialogs.ShowError(codes.error);
        return false;
    }
    if (!TaxNumberIsSafeForFileName(identity.taxNumber)) {
        context_.dialogs.ShowError(kUnsafeTaxNumberMessage);
        return false;
    }
    if (context_.store.Exists(DeclarationKind::E1, identity.taxNumber) &&
        !context_.dialogs.AskYesNo("Η δήλωση αυτή υπάρχει ήδη στο αρχείο. Να γίνει επικάλυψη των στοιχείων;"))
        return false;
    // The file holds the declaration as it was opened; only these change.
    const E1Record updated = FastEntryRecord(record, identity, codes.entries);
    try {
        context_.store.Write(updated);
    } catch (const std::exception& e) {
        context_.dialogs.ShowError(e.what());
        return false;
    }
    record = updated;
    context_.dialogs.ShowMessage("Η αποθήκευση ολοκληρώθηκε με επιτυχία");
    return true;
}

bool TfiFastDil::Compute() {
    std::vector<FastEntryRow> rows = Rows();
    const FastEntryCodes codes = FastEntryCodesForClearance(TickedCodes(), rows);
    // The clearance may have capped a row (067/068 at 3000); show what it took.
    {
        QSignalBlocker block(veCodes_);
        for (int r = 0; r < static_cast<int>(rows.size()) && r < veCodes_->rowCount(); ++r)
            if (QTableWidgetItem* amount = veCodes_->item(r, kAmountColumn))
                if (Str(amount->text()) != rows[r].amount) amount->setText(Q(rows[r].amount));
    }
    if (!codes.error.empty()) {
        context_.dialogs.ShowError(codes.error);
        return false;
    }
    // The declaration as opened with these codes, through the same intake as
    // the E1 window; fast entry has no late-filing box, so no late months.
    const FastEntryIdentity identity = Identity();
    E1Document document(E1FormModel(context_.edition));
    FastEntryDocument(context_.e1, identity, codes.entries, document);
    E1Intake intake = IntakeOf(document);
    intake.lateMonths = 0;
    PrepareFromE1(context_.engine, intake, context_.edition);
    ComputeClearance(context_.engine, context_.edition);
    // The statement stays over this window, not behind it.
    if (context_.statements) {
        StatementHeader header;
        header.taxNumber = identity.taxNumber;
        header.names = identity.surname;
        context_.statements->Open(header, this);
    }
    return true;
}

void ShowFastEntry(AppContext& context, QWidget* parent) {
    TfiFastDil window(context, parent);
    context.modal.Exec(window);
}

}  // namespace kestrana
