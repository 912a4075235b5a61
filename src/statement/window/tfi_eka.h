#pragma once
// The clearance statement window: draws the statement cells of the engine's
// last run, its six breakdown views and the list of declared codes. It never
// computes tax; the opener runs the engine first.
#include <QDialog>
#include <QFont>
#include <QRect>
#include <functional>
#include <string>
#include <vector>

#include "statement/statement_cells.h"
#include "statement/statement_opener.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace kestrana {

struct AppContext;
struct Edition;
struct EngineState;

class TfiEka : public QDialog {
    Q_OBJECT
public:
    // Reads the results of the context's engine state.
    explicit TfiEka(AppContext& context, QWidget* parent = nullptr);

    // The heading labels and the code list: the taxpayer's (odd) codes fill
    // columns 0-1, the spouse's (even) columns 2-3, each from row 1 down; the
    // grid grows to hold them.
    void SetHeader(const StatementHeader& header);
    const StatementHeader& Header() const { return header_; }

    // btDisplayTheEKAClick: rebuilds the main statement from the engine.
    void ShowMainStatement();
    // bt1Click, bt3Click ... bt7Click.
    void ShowBreakdown(EkaView view);

    EkaView CurrentView() const { return view_; }
    // What the grid shows now (the main statement or a breakdown).
    const StatementView& Shown() const { return shown_; }
    // The main statement cells, read by the print.
    const EkaCells& Cells() const { return cells_; }
    const Edition& EditionShown() const { return edition_; }
    const EngineState& State() const { return state_; }
    QTableWidget* StatementGrid() const { return sgEka_; }
    QTableWidget* CodeGrid() const { return sgCodes_; }

    // Colour of the rows drawn in the grid's own text colour.
    static QColor GridTextColour();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void BuildLayout();
    void ShowView(const StatementView& view);
    void SetFilledCodes(const std::vector<FilledCodeLine>& taxpayer, const std::vector<FilledCodeLine>& spouse);
    // bt10 (pdf = false) and btPDF (pdf = true), through the printing service.
    void Print(bool pdf);

    AppContext& context_;
    const Edition& edition_;
    const EngineState& state_;
    StatementHeader header_;
    EkaView view_ = EkaView::Main;
    EkaCells cells_;
    StatementView shown_;
    QTableWidget* sgEka_ = nullptr;
    QTableWidget* sgCodes_ = nullptr;
    QLabel* lbAFM_ = nullptr;
    QLabel* lbBigName_ = nullptr;
    QLabel* lbAddress_ = nullptr;
    QLabel* lbSyzBigName_ = nullptr;
    QLabel* lbDoy_ = nullptr;
    QLabel* lbSyzAfm_ = nullptr;
    QLabel* lbApodeixeis_ = nullptr;
    QLineEdit* edApodeixeis_ = nullptr;
    QLabel* imBack_ = nullptr;
    QCheckBox* cbOneDosi_ = nullptr;
    std::vector<QPushButton*> breakdownButtons_;
};

// Where a statement cell's text is drawn: the font (set smaller when the
// text is wider than its column) and the text's box, always inside `cell`.
struct CellText {
    QFont font;
    QRect box;
};
CellText PlaceCellText(const StatementRow& row, int column, const QRect& cell, const QFont& font,
                       const QString& text);

// The program's statement opener: creates the window over the context's
// engine state, fills its heading and code list, runs it through the
// context's modal runner and destroys it.
class EkaStatementOpener : public StatementOpener {
public:
    explicit EkaStatementOpener(AppContext& context) : context_(context) {}
    void Open(const StatementHeader& header, QWidget* parent) override;

private:
    AppContext& context_;
};

}  // namespace kestrana
