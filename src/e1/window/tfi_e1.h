#pragma once
// `TfiE1`: the E1 declaration window. Five pages, four of them the pictures
// of the form pages with the entry boxes laid over them; every box is created
// from the form model, named after it ("edP301", "cbP327", "edBigName") and
// bound to the window's E1 document. The window holds no record, intake or
// code logic of its own: saving, loading, the clearance and the calculators
// are pure functions over the document; the window shows it and says when.
#include <QWidget>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "e1/model/e1_document.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QTabWidget;

namespace kestrana {

struct AppContext;
struct FormControl;
class E1Record;
class TEditInt;
class TEditReal;

extern const char* const kE1Caption;
extern const char* const kCloseQuestion;         // on closing with changes
extern const char* const kEscapeQuestion;        // Esc with changes
extern const char* const kNoTaxNumberWarning;
extern const char* const kSavedMessage;
extern const char* const kOverwriteQuestion;
extern const char* const kTooManyCodesMessage;

class TfiE1 : public QWidget {
    Q_OBJECT
public:
    // Clears the shared E1 record. Declarations are read and written through
    // the context's store, whose base folder also holds WParams.
    explicit TfiE1(AppContext& context, QWidget* parent = nullptr);
    ~TfiE1() override;

    AppContext& Context() const { return context_; }
    // The declaration the boxes show and edit.
    E1Document& Document() { return document_; }
    const E1Document& Document() const { return document_; }

    // ---- controls ----
    // By component name, letter case ignored; nullptr when the form has none.
    QWidget* Control(std::string_view name) const;
    QLineEdit* Edit(std::string_view name) const;
    QCheckBox* Check(std::string_view name) const;
    TEditReal* Real(std::string_view name) const;
    TEditInt* Int(std::string_view name) const;
    // The box of a code: amount or whole-number box, or the tick box.
    QWidget* CodeBox(int code, bool tickBox = false) const;
    QTabWidget* Pages() const { return pages_; }
    // Scroll area of form page 1..4 (nullptr for the special-cases page).
    QScrollArea* PageScroll(int page) const;
    QAction* Action(std::string_view name) const;  // miEka2003, miSave, ...
    QLabel* ReductionLegend() const { return legend_; }
    // Shows the page of the box, scrolls it into view and gives it the focus.
    void GoToControl(const FormControl& control);
    // The find box of the main window: the box of the typed code, if any.
    bool FindCode(std::string_view typed);

    // ---- state ----
    bool Modified() const { return modified_; }
    void SetModified(bool on);

    // ---- the record path ----
    // Document to record. False (and the error shown) when a value does not
    // fit its field; the record is then left as it was.
    bool FillRecordFromWindow(E1Record& record);
    void FillWindowFromRecord(const E1Record& record);
    bool SaveE1();    // "Αποθήκευση"; true when the file was written
    bool SaveE1As();  // the same with registration number 0
    // Reads the declaration of `taxNumber` into the record and the window and
    // clears the modified flag; a file error is shown and gives false.
    bool OpenDeclaration(const std::string& taxNumber);

    // ---- the clearance ----
    void RunClearance();  // "Εκκαθάριση"

    // ---- calculators and lookups, as the box events run them ----
    void Calculate(Calculator calculator);
    void SelectEidosEisod(int amountCode);
    void ChooseTaxOffice();     // sbDOY
    void ShowHorsepowerTable(); // Button1

    // ---- printing, through the context's printing service ----
    // miPrint: the window is taken into the record, then the print settings.
    void Print();
    // btPrintAuto: the cars attachment of the record taken from the window.
    void PrintCars();

    // Closes the window (its MDI frame when it has one), asking first when
    // there are changes; what Esc does.
    void RequestClose();

signals:
    void modifiedChanged(bool modified);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void BuildPages();
    QWidget* CreateControl(const FormControl& def, QWidget* canvas, double scale);
    void BindControl(size_t index, QWidget* widget);
    void ShowValue(size_t index);
    void OnDocumentChanged(size_t index);
    void CreateActions();
    void HookEvents();
    void Leave(size_t index);
    bool HandleKey(QKeyEvent* key);
    void MoveFocus(bool forward);
    void GoToPage(int index);
    void ScrollPage(int page, int delta);
    bool SaveDeclaration(bool zeroRegistration);
    bool WriteDeclaration();  // the file part of a save, from the record

    AppContext& context_;
    E1Document document_;
    std::vector<QWidget*> widgets_;                 // by the document's control index
    std::unordered_map<const QObject*, size_t> indexOf_;
    size_t pushing_ = SIZE_MAX;  // the control whose widget is writing into the document
    QTabWidget* pages_ = nullptr;
    QScrollArea* scrolls_[4] = {};
    QLabel* legend_ = nullptr;
    bool modified_ = false;
    bool shownOnce_ = false;
    bool closing_ = false;
    int wheelRest_ = 0;  // wheel turn not yet making a whole notch
};

}  // namespace kestrana
