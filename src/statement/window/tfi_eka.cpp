#include "statement/window/tfi_eka.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include "editions/edition.h"
#include "engine/engine_state.h"
#include "platform/app_context.h"
#include "platform/modal_runner.h"
#include "printing/print_service.h"
#include "platform/user_dialogs.h"

namespace kestrana {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QColor InkColour(Ink ink) {
    switch (ink) {
    case Ink::GridText: return TfiEka::GridTextColour();
    case Ink::Red: return QColor(255, 0, 0);
    case Ink::Green: return QColor(0, 128, 0);
    case Ink::Black: break;
    }
    return Qt::black;
}

}  // namespace

CellText PlaceCellText(const StatementRow& row, int column, const QRect& cell, const QFont& font,
                       const QString& text) {
    CellText out{font, {}};
    // Right-aligned, 5 (captions) or 20 (amounts) dots from the right edge;
    // an amount too long for its column is set smaller rather than drawn
    // over the caption beside it.
    const int margin = column == 0 ? 5 : 20;
    QFontMetrics fm(out.font);
    while (fm.horizontalAdvance(text) > cell.width() - margin) {
        if (out.font.pixelSize() > 6) out.font.setPixelSize(out.font.pixelSize() - 1);
        else if (out.font.pointSizeF() > 4.5) out.font.setPointSizeF(out.font.pointSizeF() - 0.5);
        else break;
        fm = QFontMetrics(out.font);
    }
    const int w = fm.horizontalAdvance(text);
    int offset = std::max(0, cell.width() - w - margin);
    if (row.centredHorizontally) offset /= 2;
    // The tall rows centre their text; a row drawn low (the breakdown views
    // keep rows 7, 15, 19 and 25 at the plain height) must still hold it.
    int y = cell.top();
    if (row.centredVertically) {
        y = (cell.top() + cell.bottom() + 1 - 5) / 2;
        if (y + fm.height() > cell.bottom() + 1) y = cell.top() + std::max(0, (cell.height() - fm.height()) / 2);
    }
    out.box = QRect(cell.left() + offset, y, w, fm.height());
    return out;
}

namespace {

// Draws a statement cell from the row data of the view shown.
class EkaCellPainter : public QStyledItemDelegate {
public:
    explicit EkaCellPainter(const TfiEka& window) : window_(window) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const StatementView& view = window_.Shown();
        const int row = index.row();
        const int column = index.column();
        const QRect cell = option.rect;
        p->save();
        p->setClipRect(cell);
        if (option.state & QStyle::State_Selected)
            p->fillRect(cell, option.palette.color(QPalette::Highlight).lighter(170));

        // Row 0 (the column headings) follows the same rules as the rest.
        const StatementRow& r = view.rows[row];
        const CellStyle& style = r.style[column];
        QString text = Q(r.Text(column));
        if (text == "0,00") text.clear();  // zero amounts of the breakdowns show blank

        QFont f = option.font;
        f.setBold(style.bold);
        f.setItalic(style.italic);
        const CellText placed = PlaceCellText(r, column, cell, f, text);
        p->setFont(placed.font);
        const QColor ink = InkColour(style.ink);

        if (style.framed) {
            QPen pen(ink, 5);
            pen.setJoinStyle(Qt::MiterJoin);
            p->setPen(pen);
            p->setBrush(Qt::NoBrush);
            p->drawRect(cell.adjusted(2, 2, -3, -3));
        }

        p->setPen(ink);
        p->drawText(QPoint(placed.box.left(), placed.box.top() + QFontMetrics(placed.font).ascent()), text);

        // The line above the hidden row 20 falls on the top edge of the
        // next row shown, between the partial amount and the contributions.
        const bool lineAbove = r.lineAbove || (row > 0 && view.rows[row - 1].height == 0 &&
                                               view.rows[row - 1].lineAbove);
        if (lineAbove || r.lineBelow) {
            p->setPen(QPen(Qt::black, 1));
            if (lineAbove) p->drawLine(cell.left(), cell.top(), cell.right() + 1, cell.top());
            if (r.lineBelow) p->drawLine(cell.left(), cell.bottom(), cell.right() + 1, cell.bottom());
        }
        p->restore();
    }

private:
    const TfiEka& window_;
};

// The code list's cells: narrow columns (24 pixels for a three-digit code),
// so the text gets two pixels of margin and is never cut to an ellipsis.
class CodeCellPainter : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        p->save();
        p->setClipRect(option.rect);
        const QVariant background = index.data(Qt::BackgroundRole);
        if (background.canConvert<QBrush>()) p->fillRect(option.rect, background.value<QBrush>());
        const QVariant font = index.data(Qt::FontRole);
        p->setFont(font.canConvert<QFont>() ? font.value<QFont>() : option.font);
        p->setPen(option.palette.color(QPalette::Text));
        const QVariant align = index.data(Qt::TextAlignmentRole);
        const Qt::Alignment alignment =
            align.isValid() ? Qt::Alignment(align.toInt()) : Qt::AlignLeft | Qt::AlignVCenter;
        // The heading "Κωδ." needs the whole 24 pixels of its column.
        const int margin = index.row() == 0 ? 0 : 2;
        p->drawText(option.rect.adjusted(margin, 0, -margin, 0), alignment, index.data().toString());
        p->restore();
    }
};

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& at,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, bool bold = false) {
    auto* l = new QLabel(text, parent);
    if (name) l->setObjectName(name);
    l->setGeometry(at);
    l->setAlignment(align);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

// The "back" picture of the breakdown views: an arrow in a circle.
QPixmap BackPicture() {
    QPixmap pix(48, 48);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(21, 101, 192));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(2, 2, 44, 44));
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(34, 24), QPointF(14, 24));
    p.drawLine(QPointF(14, 24), QPointF(23, 15));
    p.drawLine(QPointF(14, 24), QPointF(23, 33));
    return pix;
}

QIcon PdfGlyph() {
    QPixmap pix(28, 28);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.drawRect(QRectF(5, 2, 18, 24));
    p.setBrush(QColor(200, 30, 30));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(2, 14, 24, 10));
    p.setPen(Qt::white);
    p.setFont(QFont("Arial", 7, QFont::Bold));
    p.drawText(QRectF(2, 14, 24, 10), Qt::AlignCenter, "PDF");
    return QIcon(pix);
}

}  // namespace

QColor TfiEka::GridTextColour() { return QColor(0, 0, 128); }

TfiEka::TfiEka(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context), edition_(context.edition), state_(context.engine) {
    setObjectName("fiEka");
    setWindowTitle(kEkaCaption);
    setFixedSize(918, 716);
    BuildLayout();

    // FormCreate: headings, the main statement, the code-list heading.
    ShowMainStatement();
    if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfiEka::BuildLayout() {
    QFont base("Arial");
    base.setPixelSize(12);
    setFont(base);

    // Header strip, 65 high.
    MakeLabel(this, nullptr, "Α.Φ.Μ. :", QRect(8, 4, 130, 18), Qt::AlignRight | Qt::AlignVCenter, true);
    MakeLabel(this, nullptr, "ΟΝΟΜΑΤΕΠΩΝΥΜΟ :", QRect(8, 23, 130, 18), Qt::AlignRight | Qt::AlignVCenter, true);
    MakeLabel(this, nullptr, "ΔΙΕΥΘΥΝΣΗ :", QRect(8, 42, 130, 18), Qt::AlignRight | Qt::AlignVCenter, true);
    lbAFM_ = MakeLabel(this, "lbAFM", "", QRect(144, 4, 330, 18));
    lbBigName_ = MakeLabel(this, "lbBigName", "", QRect(144, 23, 330, 18));
    lbAddress_ = MakeLabel(this, "lbAddress", "", QRect(144, 42, 330, 18));
    lbSyzBigName_ = MakeLabel(this, "lbSyzBigName", "", QRect(144, 23, 10, 18));
    lbDoy_ = MakeLabel(this, "lbDoy", "", QRect(144, 42, 10, 18));
    lbSyzAfm_ = MakeLabel(this, "lbSyzAfm", "", QRect(144, 4, 10, 18));
    for (QLabel* hidden : {lbSyzBigName_, lbDoy_, lbSyzAfm_}) hidden->hide();

    lbApodeixeis_ = MakeLabel(this, "lbApodeixeis", kReceiptsCaption, QRect(480, 23, 320, 18),
                              Qt::AlignRight | Qt::AlignVCenter, true);
    edApodeixeis_ = new QLineEdit(this);
    edApodeixeis_->setObjectName("edApodeixeis");
    edApodeixeis_->setGeometry(802, 23, 108, 18);
    edApodeixeis_->setReadOnly(true);
    edApodeixeis_->setFrame(false);
    edApodeixeis_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edApodeixeis_->setStyleSheet("QLineEdit { background: palette(window); color: rgb(255,0,0); font-weight: bold; }");
    lbApodeixeis_->setStyleSheet("color: rgb(255,0,0);");
    lbApodeixeis_->hide();
    edApodeixeis_->hide();

    const int top = 65;
    const int height = 716 - 65 - 45;
    // The grids were laid out for an 8-point face (11 pixels): the longest
    // caption fills column 0 of 235 pixels and a code fits 24.
    QFont gridFont = base;
    gridFont.setPixelSize(11);

    // Declared codes, 232 wide.
    sgCodes_ = new QTableWidget(1, 4, this);
    sgCodes_->setObjectName("sgCodes");
    sgCodes_->setGeometry(4, top, 228, height);
    sgCodes_->horizontalHeader()->hide();
    sgCodes_->verticalHeader()->hide();
    sgCodes_->verticalHeader()->setDefaultSectionSize(18);
    sgCodes_->verticalHeader()->setMinimumSectionSize(0);
    const int codeWidths[4] = {29, 75, 24, 73};
    for (int c = 0; c < 4; ++c) sgCodes_->setColumnWidth(c, codeWidths[c]);
    sgCodes_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgCodes_->setSelectionMode(QAbstractItemView::NoSelection);
    sgCodes_->setFocusPolicy(Qt::NoFocus);
    sgCodes_->setItemDelegate(new CodeCellPainter(sgCodes_));
    sgCodes_->setFont(gridFont);
    const char* codeHeads[4] = {"Κωδ.", "Ποσό", "Κωδ.", "Ποσό"};
    for (int c = 0; c < 4; ++c) {
        auto* item = new QTableWidgetItem(codeHeads[c]);
        item->setFont(gridFont);
        item->setBackground(QColor(230, 230, 230));
        item->setTextAlignment(Qt::AlignCenter);
        sgCodes_->setItem(0, c, item);
    }

    // Statement grid: 26 rows, no fixed rows, widths 235/115/112.
    sgEka_ = new QTableWidget(kEkaRows + 1, 3, this);
    sgEka_->setObjectName("sgEka");
    sgEka_->setGeometry(238, top, 235 + 115 + 112 + 4, height);
    sgEka_->horizontalHeader()->hide();
    sgEka_->verticalHeader()->hide();
    sgEka_->verticalHeader()->setMinimumSectionSize(0);
    sgEka_->verticalHeader()->setDefaultSectionSize(18);
    sgEka_->setColumnWidth(0, 235);
    sgEka_->setColumnWidth(1, 115);
    sgEka_->setColumnWidth(2, 112);
    sgEka_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgEka_->setSelectionMode(QAbstractItemView::SingleSelection);
    sgEka_->setShowGrid(true);
    sgEka_->setGridStyle(Qt::SolidLine);
    sgEka_->setItemDelegate(new EkaCellPainter(*this));
    sgEka_->setFont(gridFont);
    QPalette pal = sgEka_->palette();
    pal.setColor(QPalette::Base, QColor(233, 236, 240));  // inactive-border grey
    pal.setColor(QPalette::Text, GridTextColour());
    sgEka_->setPalette(pal);
    for (int r = 0; r <= kEkaRows; ++r)
        for (int c = 0; c < 3; ++c) sgEka_->setItem(r, c, new QTableWidgetItem);
    sgEka_->item(0, 1)->setText(kTaxpayerHeading);
    sgEka_->item(0, 2)->setText(kSpouseHeading);
    sgEka_->installEventFilter(this);

    // Right column, 177 wide.
    const int right = 918 - 177 - 4;
    auto* title = MakeLabel(this, "lb1", "ΑΝΑΛΥΣΗ ΠΟΣΩΝ", QRect(right, top, 177, 22), Qt::AlignCenter, true);
    title->setStyleSheet("color: blue; text-decoration: underline;");
    imBack_ = new QLabel(this);
    imBack_->setObjectName("imBack");
    imBack_->setPixmap(BackPicture());
    imBack_->setGeometry(right + (177 - 48) / 2, top + 26, 48, 48);
    imBack_->setCursor(Qt::PointingHandCursor);
    imBack_->setToolTip(Q(ViewTitle(EkaView::Main)));
    imBack_->installEventFilter(this);
    imBack_->hide();

    int y = top + 80;
    auto addButton = [&](const char* name, const QString& caption, int tag, int h = 30) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setProperty("tag", tag);
        b->setGeometry(right, y, 177, h);
        b->setAutoDefault(false);
        b->installEventFilter(this);
        y += h + 6;
        return b;
    };
    for (EkaView v : kBreakdownViews) {
        const int tag = static_cast<int>(v);
        QPushButton* b = addButton(QString("bt%1").arg(tag).toLatin1().constData(), Q(ViewTitle(v)), tag);
        connect(b, &QPushButton::clicked, this, [this, v] { ShowBreakdown(v); });
        breakdownButtons_.push_back(b);
    }
    QPushButton* main = addButton("btDisplayTheEKA", Q(ViewTitle(EkaView::Main)), 8);
    QFont bold = main->font();
    bold.setBold(true);
    main->setFont(bold);
    connect(main, &QPushButton::clicked, this, &TfiEka::ShowMainStatement);
    y += 18;
    QPushButton* print = addButton("bt10", "Εκτύπωση", 10);
    connect(print, &QPushButton::clicked, this, [this] { Print(false); });
    QPushButton* pdf = addButton("btPDF", "Εξαγωγή σε αρχείο PDF", 99, 44);
    pdf->setIcon(PdfGlyph());
    pdf->setIconSize(QSize(28, 28));
    connect(pdf, &QPushButton::clicked, this, [this] { Print(true); });
    y += 18;
    QPushButton* exit = addButton("bt9", "Έξοδος", 9);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);

    // Bottom strip, 45 high; edition 2018 offers payment in one instalment.
    if (edition_.statement.oneInstalmentOption) {
        cbOneDosi_ = new QCheckBox(kOneInstalmentCaption, this);
        cbOneDosi_->setObjectName("cbOneDosi");
        cbOneDosi_->setGeometry(238, 716 - 38, 660, 24);
        connect(cbOneDosi_, &QCheckBox::toggled, this, [this] { ShowMainStatement(); });
    }
}

void TfiEka::ShowView(const StatementView& view) {
    shown_ = view;
    view_ = view.view;
    for (int r = 1; r <= kEkaRows; ++r) {
        const StatementRow& row = view.rows[r];
        for (int c = 0; c < 3; ++c) sgEka_->item(r, c)->setText(Q(row.Text(c)));
        sgEka_->setRowHeight(r, row.height);
        sgEka_->setRowHidden(r, row.height == 0);
    }
    sgEka_->item(0, 1)->setText(kTaxpayerHeading);
    sgEka_->item(0, 2)->setText(kSpouseHeading);
    imBack_->setVisible(view.view != EkaView::Main);
    sgEka_->viewport()->update();
}

void TfiEka::ShowMainStatement() {
    EkaOptions options;
    options.oneInstalment = cbOneDosi_ && cbOneDosi_->isChecked();
    cells_ = BuildEkaCells(state_, edition_, options);
    ShowView(cells_);
    if (cells_.receiptsShown) {
        // Once shown, the receipts line stays for the life of the window.
        edApodeixeis_->setText(Q(cells_.receiptsText));
        lbApodeixeis_->show();
        edApodeixeis_->show();
    }
    if (!cells_.breakdownsEnabled)
        for (QPushButton* b : breakdownButtons_) b->setEnabled(false);
}

void TfiEka::ShowBreakdown(EkaView view) {
    if (view == EkaView::Main) {
        ShowMainStatement();
        return;
    }
    ShowView(BuildBreakdownView(view, state_, edition_));
}

void TfiEka::SetHeader(const StatementHeader& header) {
    header_ = header;
    lbAFM_->setText(Q(header.taxNumber));
    lbBigName_->setText(Q(header.names));
    lbAddress_->setText(Q(header.address));
    lbDoy_->setText(Q(header.taxOffice));
    lbSyzAfm_->setText(Q(header.spouseTaxNumber));
    lbSyzBigName_->setText(Q(header.spouseNames));
    SetFilledCodes(header.taxpayerCodes, header.spouseCodes);
}

void TfiEka::SetFilledCodes(const std::vector<FilledCodeLine>& taxpayer, const std::vector<FilledCodeLine>& spouse) {
    const int rows = 1 + static_cast<int>(std::max(taxpayer.size(), spouse.size()));
    sgCodes_->setRowCount(std::max(rows, 1));
    auto put = [this](const std::vector<FilledCodeLine>& lines, int column) {
        for (size_t k = 0; k < lines.size(); ++k) {
            const int row = static_cast<int>(k) + 1;
            auto* code = new QTableWidgetItem(Q(lines[k].code));
            auto* value = new QTableWidgetItem(Q(lines[k].value));
            value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            sgCodes_->setItem(row, column, code);
            sgCodes_->setItem(row, column + 1, value);
        }
    };
    put(taxpayer, 0);
    put(spouse, 2);
}

void TfiEka::Print(bool pdf) {
    if (context_.printing) {
        context_.printing->PrintStatement(*this, pdf);
        return;
    }
    context_.dialogs.ShowMessage(pdf ? "Η εξαγωγή του εκκαθαριστικού σε αρχείο PDF θα είναι διαθέσιμη σε επόμενη έκδοση."
                             : "Η εκτύπωση του εκκαθαριστικού θα είναι διαθέσιμη σε επόμενη έκδοση.");
}

void TfiEka::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    // Enter must not press a button.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) return;
    QDialog::keyPressEvent(e);
}

bool TfiEka::eventFilter(QObject* watched, QEvent* e) {
    if (watched == imBack_ && e->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        ShowMainStatement();
        return true;
    }
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

void EkaStatementOpener::Open(const StatementHeader& header, QWidget* parent) {
    TfiEka eka(context_, parent);
    eka.SetHeader(header);
    context_.modal.Exec(eka);
}

}  // namespace kestrana
