#pragma once
// Fast entry of an E1 declaration as a list of code/amount rows and a few
// tick boxes: open a stored declaration, change its codes, save it back and
// compute the clearance without the E1 window.
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "e1/model/fast_entry.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace kestrana {

struct AppContext;
class TEditAFM;

class TfiFastDil : public QDialog {
    Q_OBJECT
public:
    // Clears the shared E1 record.
    explicit TfiFastDil(AppContext& context, QWidget* parent = nullptr);

    // btOpen: the declaration of the tax number (chosen in the index).
    void OpenDeclaration(const std::string& afm);
    // btSave; true when the file was written.
    bool Save();
    // btEka; false when the intake stopped with a message.
    bool Compute();

    // The rows as typed (code, amount), empty trailing rows included.
    std::vector<FastEntryRow> Rows() const;
    void SetRows(const std::vector<FastEntryRow>& rows);
    // Codes of the ticked "cbP" boxes.
    std::vector<int> TickedCodes() const;
    QCheckBox* TickBox(int code) const;
    QTableWidget* CodeList() const { return veCodes_; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    // Esc does not close the window: only "Έξοδος" (or the window's close
    // box) does, so a stray key never throws the typed codes away.
    void keyPressEvent(QKeyEvent* e) override;

private:
    FastEntryIdentity Identity() const;
    void BuildLayout();
    void MoveOnEnter(int row, int column);
    void ClearEntries();
    QCheckBox* AddTick(QGridLayout* grid, int row, int column, const QString& name);

    AppContext& context_;
    TEditAFM* edAFM_ = nullptr;
    QLineEdit* edBigName_ = nullptr;
    QCheckBox* cbMarried_ = nullptr;
    QTableWidget* veCodes_ = nullptr;
    std::vector<QCheckBox*> ticks_;
};

// Shows fast entry modally and destroys it.
void ShowFastEntry(AppContext& context, QWidget* parent);

}  // namespace kestrana
