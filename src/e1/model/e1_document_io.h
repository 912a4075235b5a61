#pragma once
// What an E1 document means to the rest of the program, as pure functions:
// the record it is saved as and read from, the engine's intake, the
// statement's heading and list of filled codes.
#include <string>
#include <vector>

#include "e1/model/e1_document.h"
#include "engine/intake.h"
#include "records/e1_record.h"
#include "statement/statement_opener.h"

namespace kestrana {

extern const char* const kTooManyCodesMessage;

struct RecordOutcome {
    bool ok = true;             // false: a value did not fit its field; the record is unchanged
    std::string error;          // the range or overflow error to show
    bool tooManyCodes = false;  // more than 150 filled code boxes: the first 150 were kept
};

// The record of the document (the window's save and print): every field at
// its place, the two large-city ticks as codes 093 and 095, then one entry
// per filled code box in component order (a box showing 0,00 too, an empty
// one not), at most 150. `target` keeps its registration number and gets
// everything else from the document, or stays as it was on an error.
RecordOutcome DocumentToRecord(const E1Document& document, E1Record& target);

// The document of a record, as the window shows it after loading: fields
// at their boxes (table numbers only when positive), each code entry in the
// first box of its code (its tick box, else its amount box, else its
// whole-number box; a 205 entry that is not 0 or 1 is the postal code),
// then the large-city ticks following codes 093/095. Codes without a box
// are dropped, or kept as extra codes when `keepExtraCodes`.
void DocumentFromRecord(const E1Record& record, E1Document& document, bool keepExtraCodes = false);

// One stored code entry into the document, by the rule above.
void LoadCodeEntry(E1Document& document, const CodeEntry& entry, bool keepExtraCodes);
// cbTelos500F/S follow the hidden boxes 093/095: ticked at 1, unticked at 0,
// left as they are at any other value.
void FollowLargeCityCodes(E1Document& document);

// What the engine takes from the document (every code box by its code and
// kind, the extra codes after them, fee flags, cars and boats, married,
// late months).
E1Intake IntakeOf(const E1Document& document);

// The statement's code list: every code from 001 to 999 ticked ("ΝΑΙ") or
// with a value above 0, odd codes on the taxpayer's side, even on the spouse's.
struct FilledCodes {
    std::vector<FilledCodeLine> taxpayer;
    std::vector<FilledCodeLine> spouse;
};
FilledCodes ListFilledCodes(const E1Document& document);

// The statement's heading texts and code list.
StatementHeader StatementHeaderOf(const E1Document& document);

}  // namespace kestrana
