#pragma once
// The clearance statement window: draws the statement cells of the engine's
// last run, its six breakdown views and the list of declared codes. It never
// computes tax; the opener runs the engine first.
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "statement/statement_cells.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace kestrana {

struct Edition;
struct EngineState;
class UserDialogs;

// The heading labels: from the E1 window all of them, from fast entry the
// tax number and the name only.
struct EkaHeader {
    std::string afm;         // lbAFM
    std::string bigName;     // lbBigName: surname, one blank, first name
    std::string address;     // lbAddress
    std::string doy;         // lbDoy (hidden, for the print)
    std::string spouseAfm;   // lbSyzAfm (hidden)
    std::string spouseName;  // lbSyzBigName (hidden)
};

// One line of the declared-codes list: "301" and "20.000,00" (or "ΝΑΙ").
struct FilledCode {
    std::string code;
    std::string value;
};

class TfiEka : public QDialog {
    Q_OBJECT
public:
    TfiEka(const Edition& edition, const EngineState& state, UserDialogs& dialogs,
           QWidget* parent = nullptr);

    void SetHeader(const EkaHeader& header);
    const EkaHeader& Header() const { return header_; }
    // The taxpayer's (odd) codes fill columns 0-1, the spouse's (even)
    // columns 2-3, each from row 1 down; the grid grows to hold them.
    void SetFilledCodes(const std::vector<FilledCode>& taxpayer, const std::vector<FilledCode>& spouse);

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

    // bt10 (pdf = false) and btPDF (pdf = true). The statement print sets it;
    // until then the window says that printing is not available.
    std::function<void(TfiEka&, bool pdf)> printHandler;

    // Colour of the rows drawn in the grid's own text colour.
    static QColor GridTextColour();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void BuildLayout();
    void ShowView(const StatementView& view);
    void Print(bool pdf);

    const Edition& edition_;
    const EngineState& state_;
    UserDialogs& dialogs_;
    EkaHeader header_;
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

// Creates the window, fills its heading and code list, shows it modally and
// destroys it. `prepare` may adjust the window before it is shown.
void OpenStatement(const Edition& edition, const EngineState& state, UserDialogs& dialogs,
                   const EkaHeader& header, const std::vector<FilledCode>& taxpayerCodes,
                   const std::vector<FilledCode>& spouseCodes, QWidget* parent,
                   const std::function<void(TfiEka&)>& prepare = {});

}  // namespace kestrana
