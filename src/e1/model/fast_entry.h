#pragma once
// Fast entry as plain code: its tick boxes, what opening a declaration shows,
// what the typed rows and ticks mean for a save and for a clearance, and the
// document the clearance reads, so fast entry reaches the engine through the
// same document and intake as the E1 window.
#include <array>
#include <string>
#include <vector>

#include "e1/model/e1_document.h"
#include "records/e1_record.h"

namespace kestrana {

// A row of the code list, as typed.
struct FastEntryRow {
    std::string code;
    std::string amount;
    bool operator==(const FastEntryRow&) const = default;
};

// The tick boxes of the group "Κωδικοί πρώτης σελίδας", one row each:
// taxpayer's code and spouse's code (0: no spouse box; -1: a spouse box that
// carries no code).
struct FastEntryTickRow {
    int taxpayer;
    int spouse;
};
const std::vector<FastEntryTickRow>& FastEntryFirstPageTicks();
// The group "Κωδικοί πίνακα ιδιοκατοίκησης": per residence, the codes of the
// columns "Μίσθωση", "Παραχώρηση", "Μονοκατοικία" (0: no box).
const std::array<std::array<int, 3>, 3>& FastEntryResidenceTicks();
// Whether fast entry has a tick box for the code.
bool FastEntryHasTick(int code);

// Opening a declaration: its code table sorted in place by code (empty
// entries keep their places), then each entry a tick (when fast entry has a
// box for it and it is not 205's postal code) or a row with the amount text.
struct FastEntryView {
    std::vector<int> ticked;
    std::vector<FastEntryRow> rows;
};
FastEntryView OpenFastEntry(E1Record& record);

// The code entries of what was typed, in the order the file gets them: the
// ticked boxes first, then the rows. `error` is the message that stops the
// save or the clearance.
struct FastEntryCodes {
    std::vector<CodeEntry> entries;
    std::string error;
};
// For a save: rows with a code and an amount; a code reads as an integer
// from 1 to 1000, an amount as a number without its thousands dots; more
// than 150 entries are refused.
FastEntryCodes FastEntryCodesForSave(const std::vector<int>& ticked, const std::vector<FastEntryRow>& rows);
// For the clearance: every row with a code must read (0..1000) and its
// amount, when there is one; 067/068 above 3000 become 3000 and their row
// shows "3000". No limit on the count.
FastEntryCodes FastEntryCodesForClearance(const std::vector<int>& ticked, std::vector<FastEntryRow>& rows);

// The identity fast entry lets the user change.
struct FastEntryIdentity {
    std::string taxNumber;
    std::string surname;
    bool married = false;
};
// The file fast entry writes: the declaration as it was opened with only
// these and the code table replaced.
E1Record FastEntryRecord(const E1Record& opened, const FastEntryIdentity& identity,
                         const std::vector<CodeEntry>& entries);
// The document its clearance reads: the declaration as it was opened (its
// identity, cars, boats and flags) with these codes, the codes without a
// box of the form kept as extra codes.
void FastEntryDocument(const E1Record& opened, const FastEntryIdentity& identity,
                       const std::vector<CodeEntry>& entries, E1Document& document);

}  // namespace kestrana
