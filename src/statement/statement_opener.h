#pragma once
// What a declaration window hands to the clearance statement after a
// computation: the heading texts and the list of filled codes; and the seam
// through which it asks for the statement to be shown.
#include <string>
#include <vector>

class QWidget;

namespace kestrana {

// One line of the statement's code list: "301" and "20.000,00" (or "ΝΑΙ").
struct FilledCodeLine {
    std::string code;
    std::string value;
    bool operator==(const FilledCodeLine&) const = default;
};

// The heading labels: from the E1 window all of them, from fast entry the
// tax number and the name only.
struct StatementHeader {
    std::string taxNumber;        // lbAFM
    std::string taxOffice;        // lbDoy (hidden, for the print)
    std::string spouseTaxNumber;  // lbSyzAfm (hidden)
    std::string names;            // lbBigName: surname and first name joined by a blank
    std::string spouseNames;      // lbSyzBigName (hidden)
    std::string address;          // lbAddress
    // Filled codes in ascending order: odd codes on the taxpayer's side
    // (grid columns 0, 1), even codes on the spouse's (columns 2, 3); line k
    // of a side goes to grid row k + 1, below the heading row.
    std::vector<FilledCodeLine> taxpayerCodes;
    std::vector<FilledCodeLine> spouseCodes;
};

// Shows the statement of the engine's last run modally over `parent`.
class StatementOpener {
public:
    virtual ~StatementOpener() = default;
    virtual void Open(const StatementHeader& header, QWidget* parent) = 0;
};

}  // namespace kestrana
