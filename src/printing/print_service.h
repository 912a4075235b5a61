#pragma once
// The seam through which the windows print: the print settings window for a
// declaration, the cars attachment and the statement print. The windows
// store their declaration into the shared record of its kind first.
#include "records/declaration_kind.h"

class QWidget;

namespace kestrana {

class TfiEka;

class PrintService {
public:
    virtual ~PrintService() = default;
    // "Εκτύπωση" of a declaration window: the print settings for the kind.
    virtual void PrintDeclaration(DeclarationKind kind, QWidget* parent) = 0;
    // btPrintAuto of the E1 window: the cars of the shared E1 record.
    virtual void PrintCars(QWidget* parent) = 0;
    // bt10 (pdf false) and btPDF (pdf true) of the statement window.
    virtual void PrintStatement(TfiEka& statement, bool pdf) = 0;
};

}  // namespace kestrana
