// Page 4: rent paid, dependants, tax reductions, separately taxed and exempt
// amounts, the bank account for a refund.
#include <string>

#include "e1/model/form_builder.h"
#include "editions/edition.h"

namespace kestrana::formlayout {

static constexpr int kSlot = kCodeW + 92;
static const char* const kGreekYes = "\u039D\u0391\u0399";  // "ΝΑΙ" in Greek letters

static Cell Text(std::string name, int maxLength) { return Named(std::move(name), ControlKind::Text, maxLength); }
static Cell Afm(std::string name) { return Named(std::move(name), ControlKind::AFM, 10); }
static std::string N(const char* base, int i) { return base + std::to_string(i); }
static Cell Tagged(Cell c, int tag) { c.tag = tag; return c; }

static void Rents(FormBuilder& b) {
    b.Heading("ΕΝΟΙΚΙΟ ΚΥΡΙΑΣ ΚΑΤΟΙΚΙΑΣ ΚΑΙ ΚΑΤΟΙΚΙΑΣ ΤΕΚΝΩΝ ΠΟΥ ΣΠΟΥΔΑΖΟΥΝ");
    auto xs = b.GridHeader({{"α/α", 16},
                            {"Ονοματεπώνυμο εκμισθωτή", 160},
                            {"Α.Φ.Μ. εκμισθωτή", 92},
                            {"Φιλοξενία", kCodeW + 24},
                            {"Επιφάνεια (τ.μ.)", 64},
                            {"Μήνες", kCodeW + 40},
                            {"Ενοίκιο υπόχρεου", kCodeW + 98},
                            {"Ενοίκιο συζύγου", kCodeW + 98},
                            {"", 34}},
                           26);
    for (int i = 1; i <= 7; ++i) {
        const int y = b.y + (i - 1) * kRow;
        b.Label({xs[0], y, 14, kBoxH}, std::to_string(i), LabelStyle::ColumnHeader);
        Cell name = Text(N("edEnoikioName", i), 30);
        Cell afm = Text(N("ed80", i), 10);
        name.tag = afm.tag = i;
        b.Boxed(name, xs[1], y, 158);
        b.Boxed(afm, xs[2], y, 90);
        if (i <= 3) {
            b.Boxed(T(90 + 2 * i), xs[3], y, kTickW);  // 092, 094, 096: hosted free of charge
            Cell area = Named(N("edEnoikioEpif", i), ControlKind::Real);
            area.tag = i;
            b.Boxed(area, xs[4], y, 62);
            b.Boxed(I(96 + i), xs[5], y, 38);              // 097-099: months
            b.Boxed(A(809 + 2 * i, i), xs[6], y, 96);      // 811, 813, 815
            b.Boxed(A(810 + 2 * i, i), xs[7], y, 96);      // 812, 814, 816
        } else {
            b.Boxed(A(817 + 2 * (i - 4), i), xs[6], y, 96);  // 817, 819, 821, 823: children's housing
        }
    }
    b.Label({xs[1], b.y + 7 * kRow, 400, 12},
            "Σειρές 1-3: κύρια κατοικία. Σειρές 4-7: κατοικία τέκνων που σπουδάζουν στην ημεδαπή.", LabelStyle::Note);
    b.y += 7 * kRow + 14;

    b.Heading("ΕΝΟΙΚΙΟ ΛΟΙΠΩΝ ΑΚΙΝΗΤΩΝ");
    xs = b.GridHeader({{"", 16},
                       {"Ονοματεπώνυμο εκμισθωτή", 160},
                       {"Α.Φ.Μ. εκμισθωτή", 92},
                       {"", kCodeW + 24},
                       {"Επιφάνεια (τ.μ.)", 64},
                       {"", kCodeW + 40},
                       {"Ενοίκιο υπόχρεου", kCodeW + 98},
                       {"Ενοίκιο συζύγου", kCodeW + 98}},
                      26);
    b.Boxed(Text("edCompName9", 25), xs[1], b.y, 158);
    b.Boxed(Text("edCompAFM9", 10), xs[2], b.y, 90);
    b.Boxed(Named("edCompEpifania9", ControlKind::Real), xs[4], b.y, 62);
    b.Boxed(A(419), xs[6], b.y, 96);
    b.Boxed(A(420), xs[7], b.y, 96);
    b.y += kRow + 2;
}

static void Dependants(FormBuilder& b) {
    b.Heading("ΕΞΑΡΤΩΜΕΝΑ ΤΕΚΝΑ");
    auto xs = b.GridHeader({{"α/α", 16},
                            {"Όνομα", 116},
                            {"Έτος γέννησης", 48},
                            {"Σχολή ή σχολείο", 116},
                            {"Α.Φ.Μ.", 96},
                            {"Α.Μ.Κ.Α.", 126},
                            {"Ανήλικο με υποχρέωση δήλωσης", kCodeW + 70}},
                           26);
    const char* childAfm[] = {"edCompany8AFM1", "edCompany8AFM2", "edCompany8AFM3", "edCompany12cAFM"};
    for (int i = 1; i <= 4; ++i) {
        const int y = b.y + (i - 1) * kRow;
        b.Label({xs[0], y, 14, kBoxH}, std::to_string(i), LabelStyle::ColumnHeader);
        b.Boxed(Tagged(Text(N("edP2Name", i), 15), i), xs[1], y, 114);
        b.Boxed(Tagged(Text(N("edP2Year", i), 4), i), xs[2], y, 46);
        b.Boxed(Tagged(Text(N("edP2School", i), 15), i), xs[3], y, 114);
        b.Boxed(Tagged(Afm(childAfm[i - 1]), i), xs[4], y, 94);
        b.Boxed(Tagged(Text(N("edP2BigName", i), 20), i), xs[5], y, 124);
        b.Boxed(T(845 + i, kGreekYes), xs[6], y, 60);  // 846-849
    }
    b.y += 4 * kRow;
    b.FieldLine({{"Αριθμός εξαρτώμενων τέκνων", 226, I(3), 48}, {"", 0, I(4), 48}});
    b.Gap(2);

    b.Heading("ΛΟΙΠΑ ΕΞΑΡΤΩΜΕΝΑ ΜΕΛΗ");
    xs = b.GridHeader({{"α/α", 16},
                       {"Α.Φ.Μ.", 96},
                       {"Α.Μ.Κ.Α.", 126},
                       {"Συγγένεια με τον υπόχρεο", 116},
                       {"Συγγένεια με τη σύζυγο", 116}},
                      26);
    const char* amka[] = {"edCompany8aName", "edCompany8aDiax", "edCompany8aDOY", "edCompany8bName"};
    for (int i = 1; i <= 4; ++i) {
        const int y = b.y + (i - 1) * kRow;
        b.Label({xs[0], y, 14, kBoxH}, std::to_string(i), LabelStyle::ColumnHeader);
        b.Boxed(Tagged(Afm(N("edP2AFM", i)), i), xs[1], y, 94);
        b.Boxed(Tagged(Text(amka[i - 1], 20), i), xs[2], y, 124);
        b.Boxed(Tagged(Text(N("edP2Ypox", i), 10), i), xs[3], y, 114);
        b.Boxed(Tagged(Text(N("edP2Syz", i), 10), i), xs[4], y, 114);
    }
    b.y += 4 * kRow + 2;
}

static void Reductions(FormBuilder& b) {
    const bool old = !b.edition().form.code435Shown;
    b.Heading("ΔΑΠΑΝΕΣ ΠΟΥ ΑΦΑΙΡΟΥΝΤΑΙ ΚΑΙ ΜΕΙΩΝΟΥΝ ΤΟ ΦΟΡΟ");
    b.Rows({AmountPair("Ποσά διατροφής που καταβάλλονται", 31),
            AmountPair("Ιατρικές και νοσοκομειακές δαπάνες", 49),
            AmountPair("Χρηματικές δωρεές σε κοινωφελή ιδρύματα", 55),
            AmountPair("Δαπάνες για πολιτικά κόμματα", 57),
            AmountPair("Δαπάνες για ενεργειακή αναβάθμιση", 59),
            AmountPair("Δωρεές που αφαιρούνται από το εισόδημα", 61),
            AmountPair("Ασφάλιστρα ζωής και υγείας", 75),
            AmountPair("Δαπάνες που μειώνουν τον φόρο (λοιπές)", 77),
            AmountPair("Φόρος που καταβλήθηκε σε άλλες χώρες", 901),
            AmountPair("Λοιπά αφορολόγητα ή αυτοτελώς φορολογούμενα ποσά", 995)},
           2, kSlot, 24);

    b.Heading("ΠΟΣΑ ΑΠΑΛΛΑΣΣΟΜΕΝΑ Ή ΑΥΤΟΤΕΛΩΣ ΦΟΡΟΛΟΓΟΥΜΕΝΑ");
    std::vector<Row> rows = {
        AmountPair("Αποδοχές που απαλλάσσονται από τον φόρο", 305),
        AmountPair("Επιδόματα και λοιπές απαλλασσόμενες παροχές", 335),
        AmountPair("Μισθώματα που υπόκεινται σε χαρτόσημο", 421),
        AmountPair("Κέρδη από μετοχές εισηγμένες στο χρηματιστήριο", 429),
        AmountPair("Απαλλασσόμενα ποσά επιχειρηματικής δραστηριότητας", 431),
        AmountPair("Κέρδη από τυχερά παίγνια", 433),
    };
    if (!old) rows.push_back(AmountPair("Λοιπά απαλλασσόμενα ποσά", 435));
    rows.push_back(AmountPair("Ποσά που φορολογούνται αυτοτελώς", 613));
    rows.push_back(Pair("Απαλλασσόμενα ποσά από λοιπές πηγές (είδος)", A(617, 599), A(618, 600)));
    rows.push_back(Pair("Αυτοτελώς φορολογούμενα ποσά (είδος)", A(619, 399), A(620, 400)));
    rows.push_back(Pair("Απαλλασσόμενα ποσά από ειδικές διατάξεις (είδος)", A(657, 499), A(658, 500)));
    rows.push_back(Pair("Ποσά που φορολογήθηκαν με ειδικό τρόπο (είδος)", A(659, 299), A(660, 300)));
    rows.push_back(AmountPair("Απαλλασσόμενες αποζημιώσεις που καλύπτουν δαπάνες", 661));
    rows.push_back(AmountPair("Εισφορές σε ασφαλιστικά ταμεία", 663));
    rows.push_back(AmountPair("Ποσά από δάνεια που λήφθηκαν", 781));
    rows.push_back(AmountPair("Ποσά από πώληση περιουσιακών στοιχείων", 783));
    rows.push_back(AmountPair("Ποσά από ανάληψη καταθέσεων", 787));
    b.Rows(rows, 2, kSlot, 24);
}

static void Bank(FormBuilder& b) {
    b.Heading("ΣΤΟΙΧΕΙΑ ΤΡΑΠΕΖΙΚΟΥ ΛΟΓΑΡΙΑΣΜΟΥ ΓΙΑ ΤΗΝ ΕΠΙΣΤΡΟΦΗ ΦΟΡΟΥ");
    b.FieldLine({{"Τράπεζα", 50, Text("edTrapezaName", 20), 160},
                 {"Κωδικός τράπεζας", 96, Text("edTrapezaCode", 3), 40},
                 {"IBAN  GR", 54, Text("edIBAN", 25), 260}});
}

void BuildPage4(FormBuilder& b) {
    b.Title("ΣΤΟΙΧΕΙΑ ΓΙΑ ΤΗ ΔΑΠΑΝΗ ΕΝΟΙΚΙΟΥ, ΤΑ ΕΞΑΡΤΩΜΕΝΑ ΜΕΛΗ ΚΑΙ ΤΙΣ ΜΕΙΩΣΕΙΣ ΤΟΥ ΦΟΡΟΥ", "");
    Rents(b);
    Dependants(b);
    Reductions(b);
    Bank(b);
    // Categories chosen in a dialog for 659/660, 619/620, 657/658, 617/618;
    // 806 and 998 are filled by the program.
    for (int code : {299, 300, 399, 400, 499, 500, 599, 600, 806, 998}) b.Hidden(A(code));
}

}  // namespace kestrana::formlayout
