// The clearance statement window drawn offscreen: row-25 caption and frame
// colours, receipts line, nothing declared, views, code list, Esc.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <vector>

#include "editions/edition.h"
#include "engine/engine_state.h"
#include "platform/app_context.h"
#include "platform/scripted_dialogs.h"
#include "printing/print_service.h"
#include "records/declarations_store.h"
#include "records/e1_record.h"
#include "records/e2_record.h"
#include "statement/window/tfi_eka.h"

using namespace kestrana;

namespace {

QColor PixelAt(QTableWidget* grid, int row, int column, int dx) {
    const QImage image = grid->viewport()->grab().toImage();
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    return image.pixelColor(cell.left() + dx, cell.center().y());
}

// Results set by hand, completed as the engine's last step completes them.
EngineState& Completed(EngineState& state) {
    ComputeStatementFigures(state);
    return state;
}

struct Window {
    explicit Window(EngineState& state, const Edition& edition = Edition2019())
        : context{edition, dialogs, dialogs, store, e1, e2, Completed(state)}, eka(context) {
        eka.show();
        QApplication::processEvents();
    }
    QString Text(int row, int column) { return eka.StatementGrid()->item(row, column)->text(); }
    ScriptedDialogs dialogs;
    DeclarationsStore store;
    E1Record e1;
    E2Record e2;
    AppContext context;
    TfiEka eka;
};

// Counts the statement prints asked of the printing service.
class CountingPrint : public PrintService {
public:
    void PrintDeclaration(DeclarationKind, QWidget*) override {}
    void PrintCars(QWidget*) override {}
    void PrintStatement(TfiEka&, bool pdf) override { printed += pdf ? 10 : 1; }
    int printed = 0;
};

TEST(StatementWindow, RefundAndPaymentCaptionAndFrames) {
    EngineState state;
    state.MainTaxCredit[T] = 500;  // taxpayer gets money back
    state.MainTaxGross[S] = 300;   // spouse pays
    Window w(state);
    EXPECT_EQ(w.eka.windowTitle(), QString("Εκκαθαριστικό Σημείωμα Φόρου Εισοδήματος"));
    EXPECT_EQ(w.eka.size(), QSize(918, 716));
    EXPECT_EQ(w.Text(25, 0), QString(" ΤΕΛΙΚΗ ΕΠΙΣΤΡΟΦΗ (Υ) / ΠΛΗΡΩΜΗ (Σ) "));
    EXPECT_EQ(w.Text(25, 1), QString("-500,00"));
    EXPECT_EQ(w.Text(25, 2), QString("300,00"));
    QTableWidget* grid = w.eka.StatementGrid();
    EXPECT_EQ(PixelAt(grid, 25, 1, 2), QColor(0, 128, 0));
    EXPECT_EQ(PixelAt(grid, 25, 2, 2), QColor(255, 0, 0));
    EXPECT_EQ(PixelAt(grid, 19, 1, 2), QColor(0, 128, 0));
    EXPECT_EQ(grid->rowHeight(25), 36);
    EXPECT_TRUE(grid->isRowHidden(20));
    EXPECT_FALSE(w.eka.findChild<QLineEdit*>("edApodeixeis")->isVisible());
}

TEST(StatementWindow, BothFinalAmountsZeroGiveEmptyCaptionAndRedFrames) {
    EngineState state;
    state.Married = true;  // declared, but nothing to pay
    Window w(state);
    EXPECT_EQ(w.Text(25, 0), QString());
    EXPECT_EQ(w.Text(25, 1), QString());
    EXPECT_EQ(PixelAt(w.eka.StatementGrid(), 25, 1, 2), QColor(255, 0, 0));
    EXPECT_EQ(PixelAt(w.eka.StatementGrid(), 25, 2, 2), QColor(255, 0, 0));
}

TEST(StatementWindow, ReceiptsShortfallShowsTheRequiredAmount) {
    EngineState state;
    state.ReceiptsDifference[T] = -220;
    state.ReceiptsDeclared = 5000;
    Window w(state);
    EXPECT_EQ(w.Text(9, 1), QString("220,00"));
    EXPECT_EQ(w.Text(10, 1), QString());
    auto* amount = w.eka.findChild<QLineEdit*>("edApodeixeis");
    EXPECT_TRUE(amount->isVisible());
    EXPECT_TRUE(w.eka.findChild<QLabel*>("lbApodeixeis")->isVisible());
    EXPECT_EQ(amount->text(), QString("6.000,00"));
    // It stays while the views change.
    w.eka.findChild<QPushButton*>("bt5")->click();
    w.eka.findChild<QPushButton*>("btDisplayTheEKA")->click();
    EXPECT_TRUE(amount->isVisible());
}

TEST(StatementWindow, NothingDeclaredBlanksAndDisablesTheBreakdowns) {
    EngineState state;
    state.NothingDeclared = true;
    state.MainTaxGross[T] = 100;  // ignored
    Window w(state);
    for (int r = 1; r <= 25; ++r) {
        EXPECT_EQ(w.Text(r, 1), QString()) << r;
        EXPECT_EQ(w.Text(r, 2), QString()) << r;
    }
    EXPECT_EQ(w.Text(1, 0), QString("ΔΗΛΩΘΕΝ ΕΙΣΟΔΗΜΑ"));
    EXPECT_EQ(w.Text(25, 0), QString());
    for (const char* name : {"bt1", "bt3", "bt4", "bt5", "bt6", "bt7"})
        EXPECT_FALSE(w.eka.findChild<QPushButton*>(name)->isEnabled()) << name;
    EXPECT_TRUE(w.eka.findChild<QPushButton*>("bt10")->isEnabled());
    EXPECT_TRUE(w.eka.findChild<QPushButton*>("btPDF")->isEnabled());
}

TEST(StatementWindow, BreakdownAndBackRebuildTheMainStatement) {
    EngineState state;
    state.SalaryTaxWithheld[T] = 3000;
    state.MainTaxGross[T] = 100;
    Window w(state);
    QLabel* back = w.eka.findChild<QLabel*>("imBack");
    EXPECT_FALSE(back->isVisible());
    w.eka.findChild<QPushButton*>("bt5")->click();
    EXPECT_EQ(w.eka.CurrentView(), EkaView::Withholdings);
    EXPECT_TRUE(back->isVisible());
    EXPECT_EQ(w.Text(1, 0), QString("ΠΑΡΑΚΡΑΤΗΣΗ ΜΙΣΘΩΤΩΝ"));
    EXPECT_EQ(w.Text(1, 1), QString("3.000,00"));
    EXPECT_EQ(w.eka.StatementGrid()->rowHeight(25), 18);
    EXPECT_TRUE(w.eka.StatementGrid()->isRowHidden(20));

    state.MainTaxGross[T] = 250;  // not cached: the main view reads the engine again
    Completed(state);
    QTest::mouseRelease(back, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(w.eka.CurrentView(), EkaView::Main);
    EXPECT_FALSE(back->isVisible());
    EXPECT_EQ(w.Text(14, 1), QString("250,00"));
}

TEST(StatementWindow, CodeListAndHeader) {
    EngineState state;
    Window w(state);
    StatementHeader header;
    header.taxNumber = "123456789";
    header.names = "ΠΑΠΑΔΟΠΟΥΛΟΣ ΓΙΩΡΓΟΣ";
    header.address = "ΟΔΟΣ 1";
    header.taxOffice = "Α' ΑΘΗΝΩΝ";
    header.spouseTaxNumber = "987654321";
    header.spouseNames = "Χ Υ";
    header.taxpayerCodes = {{"301", "20.000,00"}, {"327", "ΝΑΙ"}, {"049", "2.500,00"}};
    header.spouseCodes = {{"302", "1.000,00"}};
    w.eka.SetHeader(header);
    QTableWidget* codes = w.eka.CodeGrid();
    EXPECT_EQ(codes->rowCount(), 4);
    EXPECT_EQ(codes->item(0, 0)->text(), QString("Κωδ."));
    EXPECT_EQ(codes->item(0, 1)->text(), QString("Ποσό"));
    EXPECT_EQ(codes->item(3, 1)->text(), QString("2.500,00"));
    EXPECT_EQ(codes->item(1, 2)->text(), QString("302"));
    EXPECT_EQ(codes->item(2, 2), nullptr);
    EXPECT_EQ(w.eka.findChild<QLabel*>("lbAFM")->text(), QString("123456789"));
    EXPECT_EQ(w.eka.findChild<QLabel*>("lbDoy")->text(), QString("Α' ΑΘΗΝΩΝ"));
    EXPECT_FALSE(w.eka.findChild<QLabel*>("lbDoy")->isVisible());
}

TEST(StatementWindow, PrintWithoutHandlerSaysSoAndEscCloses) {
    EngineState state;
    Window w(state);
    w.eka.findChild<QPushButton*>("bt10")->click();
    EXPECT_EQ(w.dialogs.TextsOf(DialogKind::Message).size(), 1u);
    CountingPrint printing;
    w.context.printing = &printing;
    w.eka.findChild<QPushButton*>("btPDF")->click();
    EXPECT_EQ(printing.printed, 10);
    QTest::keyClick(w.eka.findChild<QPushButton*>("bt3"), Qt::Key_Escape);
    EXPECT_FALSE(w.eka.isVisible());
    EXPECT_EQ(w.eka.result(), QDialog::Rejected);
}

// Dark pixels of a cell: more for bold text, none for an empty cell.
int InkIn(QTableWidget* grid, int row, int column) {
    const QImage image = grid->viewport()->grab().toImage();
    const QRect cell = grid->visualRect(grid->model()->index(row, column)).adjusted(1, 1, -1, -1);
    int n = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (image.pixelColor(x, y).lightness() < 100) ++n;
    return n;
}

TEST(StatementWindow, HeadingsBoldOnlyInTheMainStatement) {
    EngineState state;
    state.MainTaxGross[T] = 100;
    Window w(state);
    QTableWidget* grid = w.eka.StatementGrid();
    const int mainInk = InkIn(grid, 0, 1);
    w.eka.findChild<QPushButton*>("bt4")->click();
    const int breakdownInk = InkIn(grid, 0, 1);
    EXPECT_EQ(w.Text(0, 1), QString("ΤΟΥ ΥΠΟΧΡΕΟΥ"));
    EXPECT_GT(breakdownInk, 0);
    EXPECT_GT(mainInk, breakdownInk + breakdownInk / 5);
}

// Row 20 is hidden; its line still separates the partial amount from the
// contributions, on the top edge of row 21.
TEST(StatementWindow, LineOfTheHiddenRowFallsOnRow21) {
    EngineState state;
    Window w(state);
    QTableWidget* grid = w.eka.StatementGrid();
    const auto topEdge = [grid](int row) {
        const QImage image = grid->viewport()->grab().toImage();
        const QRect cell = grid->visualRect(grid->model()->index(row, 0));
        return image.pixelColor(cell.left() + 10, cell.top());
    };
    EXPECT_EQ(topEdge(21), QColor(Qt::black));
    EXPECT_EQ(topEdge(8), QColor(Qt::black));
    EXPECT_NE(topEdge(22), QColor(Qt::black));
    w.eka.findChild<QPushButton*>("bt1")->click();
    EXPECT_NE(topEdge(21), QColor(Qt::black));  // lines belong to the main statement
}

// Every caption of every view, in the grid's own font, fits column 0 with
// its margin of 5, so none starts left of the cell.
TEST(StatementWindow, CaptionsFitTheirColumn) {
    EngineState state;
    state.MainTaxCredit[T] = 500;
    state.MainTaxGross[S] = 300;  // the longest row-25 caption
    for (const Edition* edition : {&Edition2019(), &Edition2018()}) {
        Window w(state, *edition);
        QTableWidget* grid = w.eka.StatementGrid();
        std::vector<StatementView> views = {w.eka.Cells()};
        for (EkaView v : kBreakdownViews) views.push_back(BuildBreakdownView(v, state, *edition));
        for (const StatementView& view : views)
            for (int r = 1; r <= 25; ++r) {
                QFont f = grid->font();
                f.setBold(view.rows[r].style[0].bold);
                f.setItalic(view.rows[r].style[0].italic);
                const int width = QFontMetrics(f).horizontalAdvance(QString::fromStdString(view.rows[r].caption));
                EXPECT_LE(width + 5, grid->columnWidth(0)) << view.rows[r].caption;
            }
        // The narrow code column shows a whole code, not an ellipsis.
        EXPECT_LE(QFontMetrics(grid->font()).horizontalAdvance("302") + 4, w.eka.CodeGrid()->columnWidth(2));
    }
}

TEST(StatementWindow, Edition2018OffersOneInstalment) {
    EngineState state;
    Window w2019(state);
    EXPECT_EQ(w2019.eka.findChild<QCheckBox*>("cbOneDosi"), nullptr);
    state.MainTaxGross[T] = 1000;
    Window w(state, Edition2018());
    auto* box = w.eka.findChild<QCheckBox*>("cbOneDosi");
    ASSERT_NE(box, nullptr);
    const QString before = w.Text(19, 1);
    box->setChecked(true);
    EXPECT_NE(w.Text(19, 1), before);
    EXPECT_EQ(w.Text(19, 1), QString::fromStdString(w.eka.Cells().Cell(19, T)));
    // No coloured frames in this edition.
    EXPECT_NE(PixelAt(w.eka.StatementGrid(), 19, 1, 2), QColor(255, 0, 0));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
