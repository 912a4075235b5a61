#pragma once
// What the E1 window hands to the clearance statement after a computation:
// the declaration's heading texts and its list of filled codes. The statement
// window itself is opened by whoever builds the E1 window.
#include <functional>
#include <string>
#include <vector>

namespace kestrana {

struct AppContext;

// One line of the statement's code list: "301" and "20.000,00" (or "ΝΑΙ").
struct FilledCodeLine {
    std::string code;
    std::string value;
    bool operator==(const FilledCodeLine&) const = default;
};

struct StatementHeader {
    std::string taxNumber;        // lbAFM
    std::string taxOffice;        // lbDoy
    std::string spouseTaxNumber;  // lbSyzAfm
    std::string names;            // lbBigName: surname and first name joined by a blank
    std::string spouseNames;      // lbSyzBigName
    std::string address;          // lbAddress
    // Filled codes in ascending order: odd codes on the taxpayer's side
    // (grid columns 0, 1), even codes on the spouse's (columns 2, 3); line k
    // of a side goes to grid row k + 1, below the heading row.
    std::vector<FilledCodeLine> taxpayerCodes;
    std::vector<FilledCodeLine> spouseCodes;
};

// Shows the statement modally; the default E1 window opener does nothing.
using StatementOpener = std::function<void(AppContext&, const StatementHeader&)>;

}  // namespace kestrana
