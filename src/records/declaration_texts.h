#pragma once
// The questions and messages every declaration window shares (E1, fast
// entry, E2), exactly as the user reads them.
namespace kestrana {

// On closing a declaration with unsaved changes (the last word ends with a Latin o).
inline constexpr const char* kCloseQuestion =
    "Έχετε κάνει μεταβολές στη Δήλωση. Να αποθηκευτούν πρίν από την έξοδo;";
inline constexpr const char* kSavedMessage = "Η αποθήκευση ολοκληρώθηκε με επιτυχία";
inline constexpr const char* kOverwriteQuestion =
    "Η δήλωση αυτή υπάρχει ήδη στο αρχείο. Να γίνει επικάλυψη των στοιχείων;";

}  // namespace kestrana
