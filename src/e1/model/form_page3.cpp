// Page 3: the rest of the real-estate codes, the assets tables of the
// presumed living expenses (residences, cars, boats, aircraft, pools) and
// the presumption and capital-gain codes.
#include <string>

#include "e1/model/form_builder.h"
#include "editions/edition.h"

namespace kestrana::formlayout {

static constexpr int kSlot = kCodeW + 92;

static Cell Text(std::string name, int maxLength) { return Named(std::move(name), ControlKind::Text, maxLength); }
static Cell Int(std::string name) { return Named(std::move(name), ControlKind::Int); }
static Cell Real(std::string name) { return Named(std::move(name), ControlKind::Real); }
static Cell Tagged(Cell c, int tag) { c.tag = tag; return c; }
static std::string N(const char* base, int i) { return base + std::to_string(i); }

static void EstateContinued(FormBuilder& b) {
    const bool old = b.edition().form.code145OnPage3;
    b.Heading("ΕΙΣΟΔΗΜΑ ΑΠΟ ΑΚΙΝΗΤΗ ΠΕΡΙΟΥΣΙΑ (συνέχεια)");
    std::vector<Row> rows = {
        AmountPair("Εισόδημα από εκμίσθωση ακινήτων σε ιδιώτες", 121),
        AmountPair("Δαπάνες επισκευής και συντήρησης ακινήτων", 125),
        AmountPair("Εισόδημα από εκμίσθωση ακινήτων σε επιχειρήσεις", 131),
        AmountPair("Εισόδημα από εκμίσθωση ακινήτων σε φορείς", 133),
    };
    if (old) rows.push_back(AmountPair("Εισόδημα από ακίνητα με έκπτωση 5%", 145));
    rows.push_back(AmountPair("Εισόδημα από ακίνητα χωρίς έκπτωση", 149));
    rows.push_back(AmountPair("Μισθώματα που δεν εισπράχθηκαν", 159));
    rows.push_back(AmountPair("Μισθώματα προηγούμενων ετών που εισπράχθηκαν", 163));
    rows.push_back(AmountPair("Μισθώματα που συμψηφίστηκαν", 165));
    rows.push_back(AmountPair("Εισόδημα από ακίνητα στην αλλοδαπή", 171));
    rows.push_back(AmountPair("Φόρος ακινήτων που καταβλήθηκε στην αλλοδαπή", 175));
    b.Rows(rows, 2, kSlot, 22);
}

// Main residence and two secondary residences, one column each.
static void Residences(FormBuilder& b) {
    b.Heading("ΚΑΤΟΙΚΙΕΣ (ΚΥΡΙΑ ΚΑΙ ΔΕΥΤΕΡΕΥΟΥΣΕΣ)");
    const int capW = 166, colW = 198, half = 97;
    auto xs = b.GridHeader({{"", capW},
                            {"Κύρια κατοικία", colW},
                            {"Δευτερεύουσα κατοικία 1", colW},
                            {"Δευτερεύουσα κατοικία 2", colW}},
                           14);
    const char* captions[] = {
        "Διεύθυνση (οδός, αριθμός, περιμετρικοί δρόμοι)",
        "Τ.Κ. / Αριθμός παροχής ηλεκτρικού ρεύματος",
        "Μίσθωση ή δωρεάν παραχώρηση / Παραχώρηση",
        "Μονοκατοικία (+20%) / Θέση ορόφου",
        "Επιφάνεια κύριων / βοηθητικών χώρων (τ.μ.)",
        "Επιφάνεια ν. 4178/13 (τ.μ.) / Τιμή ζώνης",
        "Ποσοστό συνιδιοκτησίας υπόχρεου / συζύγου",
        "Μήνες ιδιοκατοίκησης",
        "Τεκμήριο διαβίωσης υπόχρεου / συζύγου",
    };
    const int top = b.y;
    const int rows = static_cast<int>(std::size(captions));
    for (int r = 0; r < rows; ++r)
        b.Label({xs[0], top + r * kRow, capW - 4, kBoxH}, captions[r], LabelStyle::Caption);

    const int postal[] = {208, 205, 206};
    const char* supply[] = {"edParoxi", "edScafosCountry", "edScafosCountry2"};
    const int rented[] = {203, 207, 209};
    const char* rentedCaption[] = {"NAI", "Μίσθωση", "Μίσθωση"};
    const int granted[] = {0, 204, 205};
    const std::string halfHint =
        "Η επιφάνεια που συμπληρώνεται σε αυτόν τον κωδικό πρέπει να συμπεριλαμβάνεται και στον αντίστοιχο "
        "κωδικό επιφάνειας κύριων χώρων";
    for (int r = 0; r < 3; ++r) {
        const int x = xs[r + 1];
        const int first = 211 + 7 * r;  // 211, 218, 225: main area, then auxiliary, shares, months, zone
        auto at = [&](int row) { return top + row * kRow; };
        b.Boxed(Tagged(Text(N("edPlace", r + 1), 255), r + 1), x, at(0), colW - 4);
        b.Boxed(I(postal[r]), x, at(1), 52);
        Cell sup = Text(supply[r], 15);
        b.Boxed(sup, x + kCodeW + 56, at(1), colW - kCodeW - 60);
        b.Boxed(T(rented[r], rentedCaption[r]), x, at(2), half - kCodeW - 3);
        if (granted[r]) b.Boxed(T(granted[r], "Παραχ."), x + half, at(2), half - kCodeW - 3);
        b.Boxed(T(240 + r), x, at(3), kTickW);
        b.Boxed(Tagged(Text(N("edThesi", r + 1), 5), r + 1), x + half + kCodeW, at(3), 48);
        b.Boxed(I(first), x, at(4), half - kCodeW - 3);
        b.Boxed(I(first + 1), x + half, at(4), half - kCodeW - 3);
        Cell halfArea = I(231 + r);
        halfArea.hint = halfHint;
        b.Boxed(halfArea, x, at(5), half - kCodeW - 3);
        b.Boxed(A(first + 5), x + half, at(5), half - kCodeW - 3);
        b.Boxed(I(first + 2), x, at(6), half - kCodeW - 3);
        b.Boxed(I(first + 3), x + half, at(6), half - kCodeW - 3);
        b.Boxed(I(first + 4), x, at(7), half - kCodeW - 3);
        b.Boxed(A(115 + 2 * r), x, at(8), half - kCodeW - 3);
        b.Boxed(A(116 + 2 * r), x + half, at(8), half - kCodeW - 3);
    }
    b.y = top + rows * kRow + 2;
}

static void Cars(FormBuilder& b) {
    b.Heading("ΕΠΙΒΑΤΙΚΑ ΑΥΤΟΚΙΝΗΤΑ ΙΔΙΩΤΙΚΗΣ ΧΡΗΣΗΣ");
    const int top = b.y;
    auto xs = b.GridHeader({{"α/α", 16},
                            {"Α.Φ.Μ. ιδιοκτήτη ή κατόχου", 86},
                            {"Μείω- ση", 26},
                            {"Αριθμός κυκλοφορίας", 72},
                            {"Κυβικά εκατοστά", 46},
                            {"Μήνες", 32},
                            {"Ποσοστό %", 40},
                            {"Έτος 1ης άδειας", 42},
                            {"Τεκμήριο υπόχρεου", kCodeW + 98},
                            {"Σύζ.", 22},
                            {"Τεκμήριο συζύγου", kCodeW + 98}},
                           26);
    for (int i = 1; i <= 7; ++i) {
        const int y = b.y + (i - 1) * kRow;
        b.Label({xs[0], y, 14, kBoxH}, std::to_string(i), LabelStyle::ColumnHeader);
        b.Boxed(Tagged(Named(N("edCarName", i), ControlKind::AFM, 10), i), xs[1], y, 84);
        b.Boxed(Tagged(Text(N("edCarMeiwsi", i), 1), i), xs[2], y, 22);
        b.Boxed(Tagged(Text(N("edCarNumber", i), 10), i), xs[3], y, 70);
        b.Boxed(Tagged(Int(N("edCarIppoi", i)), i), xs[4], y, 44);
        b.Boxed(Tagged(Int(N("edCarMonths", i)), i), xs[5], y, 30);
        b.Boxed(Tagged(Int(N("edCarPosost", i)), i), xs[6], y, 38);
        b.Boxed(Tagged(Int(N("edCarYear", i)), i), xs[7], y, 40);
        b.Boxed(A(849 + 2 * i, i), xs[8], y, 96);
        b.Boxed(Tagged(Named(N("cbCarWhich", i), ControlKind::Check), i), xs[9] + 1, y, kTickW);
        b.Boxed(A(850 + 2 * i, i), xs[10], y, 96);
    }
    b.y += 7 * kRow;
    // Buttons and the reduction-mark legend to the right of the table.
    const int sideX = xs[10] + kCodeW + 100;
    const int sideW = kMargin + kContentWidth - sideX;
    Cell print = Named("btPrintAuto", ControlKind::Button);
    print.caption = "Εκτύπωση Κατάστασης";
    b.Add(print, {sideX, top, sideW, 20});
    Cell table = Named("Button1", ControlKind::Button);
    table.caption = "Πίνακας Ίππων - K.E.";
    b.Add(table, {sideX, top + 22, sideW, 20});
    Cell legend = Named("imAutoType", ControlKind::Picture);
    legend.visible = false;
    b.Add(legend, {sideX, top + 46, sideW, b.y - top - 46});
    b.y += 2;
}

static void Boats(FormBuilder& b) {
    b.Heading("ΣΚΑΦΗ ΑΝΑΨΥΧΗΣ");
    auto xs = b.GridHeader({{"α/α", 16},
                            {"Α.Φ.Μ. ιδιοκτήτη ή κατόχου", 92},
                            {"Αρ. νηολογίου και λιμάνι", 102},
                            {"Ιστιοφ. παραδ.", 40},
                            {"Ενδιαί- τηση", 40},
                            {"% υπόχρ.", 32},
                            {"% συζ.", 32},
                            {"Έτος 1ης άδειας", kCodeW + 44},
                            {"Μήνες", 32},
                            {"Μήκος (μ.)", 34},
                            {"Τεκμήριο υπόχρεου", kCodeW + 94},
                            {"Τεκμήριο συζύγου", kCodeW + 94}},
                           26);
    struct Boat {
        const char *name, *port, *sail, *cabin, *shareT, *shareS;
        int year;
        const char *months, *length;
        int result;
    } boats[] = {
        {"edScafosName", "edScafosLimani", "cbBoatType1", "cbBoatType0", "edScafosPososto1", "edScafosPososto2",
         961, "edScafosMonths", "edScafosLen", 711},
        {"edScafosName2", "edScafosLimani2", "cbBoatType3", "cbBoatType2", "edScafosPososto3", "edScafosPososto4",
         963, "edScafosMonths2", "edScafosLen2", 713},
    };
    for (int i = 0; i < 2; ++i) {
        const Boat& s = boats[i];
        const int y = b.y + i * kRow;
        b.Label({xs[0], y, 14, kBoxH}, std::to_string(i + 1), LabelStyle::ColumnHeader);
        b.Boxed(Text(s.name, 40), xs[1], y, 90);
        b.Boxed(Text(s.port, 40), xs[2], y, 100);
        b.Boxed(Named(s.sail, ControlKind::Check), xs[3] + (40 - kTickW) / 2, y, kTickW);
        b.Boxed(Named(s.cabin, ControlKind::Check), xs[4] + (40 - kTickW) / 2, y, kTickW);
        b.Boxed(Int(s.shareT), xs[5], y, 30);
        b.Boxed(Int(s.shareS), xs[6], y, 30);
        b.Boxed(I(s.year), xs[7], y, 42);
        b.Boxed(Int(s.months), xs[8], y, 30);
        b.Boxed(Int(s.length), xs[9], y, 32);
        b.Boxed(A(s.result), xs[10], y, 92);
        b.Boxed(A(s.result + 1), xs[11], y, 92);
    }
    b.y += 2 * kRow + 2;
}

static void Aircraft(FormBuilder& b) {
    b.Heading("ΑΕΡΟΣΚΑΦΗ");
    auto xs = b.GridHeader({{"Εθνικότητα και στοιχεία νηολόγησης", 102},
                            {"Τύπος", 80},
                            {"Αριθμός σειράς κατασκευαστή", 96},
                            {"Αεροδρόμιο στάθμευσης", 82},
                            {"Μήνες", 34},
                            {"Ίπποι ή λίβρες", 52},
                            {"Έτος 1ης άδειας", kCodeW + 44},
                            {"Τεκμήριο υπόχρεου", kCodeW + 94},
                            {"Τεκμήριο συζύγου", kCodeW + 94}},
                           26);
    const int y = b.y;
    b.Boxed(Text("edAeroPlaneName", 40), xs[0], y, 100);
    b.Boxed(Text("edAeroPlaneTipos", 20), xs[1], y, 78);
    b.Boxed(Text("edAeroPlaneNum", 40), xs[2], y, 94);
    b.Boxed(Text("edAeroPlaneLimani", 20), xs[3], y, 80);
    b.Boxed(Int("edAeroPlaneMonths"), xs[4], y, 32);
    b.Boxed(Int("edAeroPlaneKoroi"), xs[5], y, 50);
    b.Boxed(I(962), xs[6], y, 42);
    b.Boxed(A(715), xs[7], y, 92);
    b.Boxed(A(716), xs[8], y, 92);
    b.y += kRow + 2;
}

static void Pools(FormBuilder& b) {
    b.Heading("ΠΙΣΙΝΕΣ");
    auto xs = b.GridHeader({{"", 110},
                            {"Επιφάνεια (τ.μ.)", 72},
                            {"% υπόχρεου", 62},
                            {"% συζύγου", 62},
                            {"Μήνες", kCodeW + 44},
                            {"", 60},
                            {"Τεκμήριο υπόχρεου", kCodeW + 94},
                            {"Τεκμήριο συζύγου", kCodeW + 94}},
                           14);
    struct Pool { const char *caption, *area, *shareT, *shareS; int months; } pools[] = {
        {"Υπαίθρια πισίνα", "edDexamOutMetr", "edDexamPosOut", "edDexamSPosOut", 740},
        {"Εσωτερική πισίνα", "edDexamInMetr", "edDexamPosIn", "edDexamSPosIn", 749},
    };
    for (int i = 0; i < 2; ++i) {
        const Pool& p = pools[i];
        const int y = b.y + i * kRow;
        b.Label({xs[0], y, 106, kBoxH}, p.caption, LabelStyle::Caption);
        b.Boxed(Real(p.area), xs[1], y, 70);
        b.Boxed(Real(p.shareT), xs[2], y, 60);
        b.Boxed(Real(p.shareS), xs[3], y, 60);
        b.Boxed(I(p.months), xs[4], y, 42);
        if (i == 0) {
            b.Boxed(A(765), xs[6], y, 92);
            b.Boxed(A(766), xs[7], y, 92);
        }
    }
    b.y += 2 * kRow + 2;
}

static void Presumptions(FormBuilder& b) {
    b.Heading("ΔΑΠΑΝΕΣ ΔΙΑΒΙΩΣΗΣ, ΑΠΟΚΤΗΣΗΣ ΠΕΡΙΟΥΣΙΑΚΩΝ ΣΤΟΙΧΕΙΩΝ ΚΑΙ ΥΠΕΡΑΞΗ");
    b.Rows({AmountPair("Λοιπά τεκμήρια διαβίωσης", 707),
            AmountPair("Δαπάνες για οικιακούς βοηθούς, οδηγούς, δασκάλους", 719),
            AmountPair("Δαπάνες για αγορά αυτοκινήτων, σκαφών, αεροσκαφών", 721),
            AmountPair("Δαπάνες για αγορά κινητών αντικειμένων άνω των 10.000 ευρώ", 723),
            AmountPair("Δαπάνες για ανέγερση ή αγορά ακινήτων", 725),
            AmountPair("Δαπάνες για αγορά επιχειρήσεων ή μεριδίων", 727),
            AmountPair("Λοιπές δαπάνες διαβίωσης", 731),
            AmountPair("Ποσά αποπληρωμής δανείων και πιστώσεων", 735),
            AmountPair("Μισθώματα που δεν υπόκεινται σε χαρτόσημο", 741),
            AmountPair("Ποσά που καλύπτουν τη διαφορά τεκμηρίων", 743),
            AmountPair("Χρηματικά ποσά από πώληση περιουσιακών στοιχείων", 759),
            AmountPair("Κοινή δαπάνη διαβίωσης των συζύγων", 769),
            Pair("Έτη κατοχής και λοιπά στοιχεία (κωδ. 965/966)", I(965), I(966)),
            AmountPair("Φόρος που παρακρατήθηκε σε λοιπά ποσά", 655),
            AmountPair("Υπεραξία από μεταβίβαση κεφαλαίου", 829),
            AmountPair("Υπεραξία από μεταβίβαση τίτλων", 865),
            AmountPair("Φόρος υπεραξίας που καταβλήθηκε", 867),
            AmountPair("Ζημιά από μεταβίβαση τίτλων", 871)},
           2, kSlot, 22);
}

void BuildPage3(FormBuilder& b) {
    b.Title("ΣΤΟΙΧΕΙΑ ΓΙΑ ΤΟΝ ΥΠΟΛΟΓΙΣΜΟ ΤΗΣ ΕΤΗΣΙΑΣ ΑΝΤΙΚΕΙΜΕΝΙΚΗΣ ΔΑΠΑΝΗΣ", "");
    EstateContinued(b);
    Residences(b);
    Cars(b);
    Boats(b);
    Aircraft(b);
    Pools(b);
    Presumptions(b);

    // Filled by the program: 234-236 beside the residences, the calculator
    // switches 992-994, the area of rent rows 4-7 (no visible box).
    for (int code : {234, 235, 236}) b.Hidden(I(code));
    for (int code : {992, 993, 994}) b.Hidden(A(code));
    for (int i = 4; i <= 7; ++i) b.Hidden(Tagged(Real(N("edEnoikioEpif", i)), i));
}

}  // namespace kestrana::formlayout
