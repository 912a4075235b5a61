// Page 1: identity of taxpayer, spouse and representative, the information
// tick boxes, income from salaried work and pensions.
#include "e1/model/form_builder.h"
#include "editions/edition.h"

namespace kestrana::formlayout {

static Cell Text(const char* name, int maxLength) { return Named(name, ControlKind::Text, maxLength); }
static Cell Afm(const char* name) { return Named(name, ControlKind::AFM, 12); }

static void Identity(FormBuilder& b) {
    const Edition& e = b.edition();
    b.Title("ΔΗΛΩΣΗ ΦΟΡΟΛΟΓΙΑΣ ΕΙΣΟΔΗΜΑΤΟΣ ΦΥΣΙΚΩΝ ΠΡΟΣΩΠΩΝ  (Ε1)   ΦΟΡΟΛΟΓΙΚΟ ΕΤΟΣ " + e.incomeYearText,
            e.formEditionText);

    Cell doy = Text("edDoy", 30);
    Cell doyButton = Named("sbDOY", ControlKind::Button);
    doyButton.hint = "Κατάλογος Δ.Ο.Υ.";
    Cell regNo = Named("edAACode", ControlKind::Int, 0, 80);
    regNo.readOnly = true;
    regNo.enabled = false;
    Cell married = Named("cbMarried", ControlKind::Check, 0, 96);
    married.caption = "Έγγαμος/ΜΣΣ";
    // The button sits right after the tax office box.
    b.Label({kMargin, b.y, 44, kBoxH}, "Δ.Ο.Υ.", LabelStyle::Caption);
    FormRect doyRect = b.Boxed(doy, kMargin + 44, b.y, 180);
    b.Add(doyButton, {doyRect.Right() + 2, b.y, kTickW, kBoxH});
    b.FieldLine({{"Κωδ. Δ.Ο.Υ.", 66, Text("edDOYTK", 6), 50},
                 {"Αριθμός καταχώρισης", 112, regNo, 80},
                 {"", 0, married, 96}},
                doyRect.Right() + 30);
    b.FieldLine({{"Εκπρόθεσμη υποβολή, μήνες καθυστέρησης", 216, Named("edEkprot", ControlKind::Int, 0, 40), 40}});
    b.Gap(2);

    b.Heading("ΣΤΟΙΧΕΙΑ ΦΟΡΟΛΟΓΟΥΜΕΝΟΥ");
    b.FieldLine({{"Α.Φ.Μ.", 44, Afm("edAFM"), 96},
                 {"Επώνυμο ή επωνυμία", 108, Text("edBigName", 40), 250},
                 {"Όνομα", 40, Text("edName", 40), 170}});
    b.FieldLine({{"Όνομα πατέρα", 76, Text("edFatherName", 15), 110},
                 {"Αρ. ταυτότητας", 84, Text("edTaytNum", 10), 86},
                 {"Α.Μ.Κ.Α.", 52, Text("edAMKA", 15), 110},
                 {"Τηλέφωνο", 56, Text("edPhone", 10), 92}});
    b.FieldLine({{"Διεύθυνση κατοικίας (οδός, αριθμός, Τ.Κ., πόλη)", 252, Text("edAdress", 50), 440}});
    b.Gap(2);

    b.Heading("ΣΤΟΙΧΕΙΑ ΣΥΖΥΓΟΥ / ΜΕΡΟΥΣ ΣΥΜΦΩΝΟΥ ΣΥΜΒΙΩΣΗΣ");
    b.FieldLine({{"Α.Φ.Μ.", 44, Afm("edSyzAFM"), 96},
                 {"Επώνυμο", 108, Text("edSyzBigName", 25), 250},
                 {"Όνομα", 40, Text("edSyzName", 15), 170}});
    b.FieldLine({{"Όνομα πατέρα", 76, Text("edSyzFatherName", 15), 110},
                 {"Αρ. ταυτότητας", 84, Text("edSyzTaytNum", 10), 86},
                 {"Α.Μ.Κ.Α.", 52, Text("edSyzAMKA", 15), 110},
                 {"Τηλέφωνο", 56, Text("edSyzPhone", 15), 92}});
    b.FieldLine({{"Διεύθυνση εργασίας (οδός, αριθμός, Τ.Κ., πόλη)", 252, Text("edSyzJobAdr", 50), 440}});
    b.Gap(2);

    b.Heading("ΣΤΟΙΧΕΙΑ ΕΚΠΡΟΣΩΠΟΥ");
    b.FieldLine({{"Α.Φ.Μ.", 44, Afm("edEkprosAFM"), 96},
                 {"Ονοματεπώνυμο ή επωνυμία", 138, Text("edEkprosopos", 80), 420}});
    b.Gap(2);
}

static void Ticks(FormBuilder& b) {
    const FormRules& form = b.edition().form;
    b.Heading("ΜΕΤΑΒΟΛΕΣ ΚΑΙ ΕΙΔΙΚΑ ΣΤΟΙΧΕΙΑ");
    std::vector<Row> rows;
    if (form.spouseSeparateDeclarationTick)
        rows.push_back(TickPair("Υποβολή χωριστής δήλωσης από τους συζύγους", 25));
    else
        rows.push_back(Pair("Υποβολή χωριστής δήλωσης από τους συζύγους", T(25), None()));
    rows.push_back(TickPair("Δήλωση με εισόδημα από επιχ. δραστηριότητα για πρώτη φορά", 327));
    rows.push_back(TickPair("Φορολογικός κάτοικος εξωτερικού με υποχρέωση δήλωσης", 319));
    rows.push_back(TickPair("Ανήκει στην κατηγορία της παρ. 4 του άρθ. 30 Κ.Φ.Ε.", 15));
    rows.push_back(TickPair("Απαλλάσσεται από την προσκόμιση αποδείξεων", 23));
    rows.push_back(Pair("Δήλωση από κηδεμόνα, εκκαθαριστή, σύνδικο κ.λπ.", T(329), None()));
    rows.push_back(Pair("Δήλωση από επίτροπο ή δικαστικό συμπαραστάτη", T(330), None()));
    rows.push_back(Pair("Δήλωση από κληρονόμο αποβιώσαντος", T(331), None()));
    rows.push_back(TickPair("Συνταξιούχος γεννηθείς έως 31-12-1953", 13));
    rows.push_back(TickPair("Έναρξη επιχ. δραστηριότητας για πρώτη φορά από 1/1/2016", 17));
    Cell c889 = T(889, "NAI"), c890 = T(890, "NAI");
    c889.printedCode = 19;
    c890.printedCode = 20;
    rows.push_back(Pair("Επιχ. δραστηριότητα της περ. στ΄ παρ. 2 άρθ. 12 Κ.Φ.Ε.", c889, c890));
    Cell exF = Named("cbExairesiF", ControlKind::Check), exS = Named("cbExairesiS", ControlKind::Check);
    exF.caption = exS.caption = "NAI";
    exF.printedCode = 27;
    exS.printedCode = 28;
    rows.push_back(Pair("Επιχ. δραστηριότητα εμπόρου, γεννηθείς έως 31-12-1956", exF, exS));
    rows.push_back(TickPair("Επιχ. δραστηριότητα με ασφάλιση στον Ο.Γ.Α.", 21, "NAI"));
    rows.push_back(TickPair("Κατ' επάγγελμα αγρότης", 37, "NAI"));
    rows.push_back(TickPair("Κάτοικος άλλου κράτους Ε.Ε./Ε.Ο.Χ. με 90% εισοδήματος στην Ελλάδα", 385));
    rows.push_back(TickPair("Ακίνητη περιουσία στην αλλοδαπή", 29));
    rows.push_back(TickPair("Τυφλός ή βαριά κινητικά ανάπηρος με αναπηρία 80% και άνω", 905));
    rows.push_back(TickPair("Ανάπηρος με ποσοστό αναπηρίας 80% και άνω", 913));
    rows.push_back(TickPair("Ανήκει στην κατηγορία της παρ. 5 άρθ. 8 ν. 3023/2002", 11));
    rows.push_back(TickPair("Φιλοξενεί πρόσωπα που δεν είναι εξαρτώμενα μέλη", 7));
    rows.push_back(TickPair("Μείωση φόρου 200 ευρώ για αναπηρία 67% και άνω", 1));
    rows.push_back(Pair("Αριθμός εξαρτώμενων μελών με αναπηρία 67% και άνω", I(5), I(6)));
    rows.push_back(TickPair("Μείωση φόρου 200 ευρώ κατά το άρθ. 17 Κ.Φ.Ε.", 9));
    if (form.otherSpecialCaseTicks) {
        rows.push_back(TickPair("Λοιπές ειδικές περιπτώσεις (κωδ. 033/034)", 33));
        rows.push_back(TickPair("Λοιπές ειδικές περιπτώσεις (κωδ. 035/036)", 35));
    }
    b.Rows(rows, 2, kCodeW + 40, kRow, "ΥΠΟΧΡ.", "ΣΥΖ.");
    b.Gap(2);
}

static void Salaries(FormBuilder& b) {
    const bool old = b.edition().form.salaryCodes313And345;
    b.Heading("ΕΙΣΟΔΗΜΑΤΑ ΑΠΟ ΜΙΣΘΩΤΗ ΕΡΓΑΣΙΑ ΚΑΙ ΣΥΝΤΑΞΕΙΣ");
    std::vector<Row> rows;
    rows.push_back(AmountPair("Καθαρό ποσό μισθωτών υπηρεσιών", 301));
    rows.push_back(AmountPair("Καθαρό ποσό συντάξεων", 303));
    rows.push_back(AmountPair("Εισόδημα από μισθωτές υπηρεσίες που αποκτήθηκε στην αλλοδαπή", 307));
    rows.push_back(AmountPair("Αμοιβές από μισθωτές υπηρεσίες με πρόσθετη παρακράτηση", 309));
    rows.push_back(AmountPair("Λοιπές αμοιβές μισθωτών υπηρεσιών", 311));
    if (old) rows.push_back(AmountPair("Ποσά μισθωτών υπηρεσιών (κωδ. 313/314)", 313));
    rows.push_back(AmountPair("Φόρος που παρακρατήθηκε", 315));
    rows.push_back(AmountPair("Αναδρομικά μισθών και συντάξεων", 321));
    rows.push_back(AmountPair("Εισόδημα από συντάξεις αλλοδαπής", 325));
    rows.push_back(AmountPair("Εισφορά αλληλεγγύης που παρακρατήθηκε", 333));
    rows.push_back(AmountPair("Αμοιβές μελών Δ.Σ. και λοιπές μισθωτές αμοιβές", 343));
    if (old) rows.push_back(AmountPair("Ποσά μισθωτών υπηρεσιών (κωδ. 345/346)", 345));
    rows.push_back(AmountPair("Φόρος που παρακρατήθηκε για τις αμοιβές αυτές", 347));
    rows.push_back(AmountPair("Εισφορά αλληλεγγύης που παρακρατήθηκε για αυτές", 349));
    rows.push_back(Pair("Ποσά απαλλασσόμενα ή αυτοτελώς φορολογούμενα (είδος)", A(351, 799), A(352, 800)));
    rows.push_back(AmountPair("Μισθοί αλλοδαπής", 389));
    rows.push_back(AmountPair("Συντάξεις αλλοδαπής", 391));
    rows.push_back(AmountPair("Λοιπά εισοδήματα μισθωτών υπηρεσιών αλλοδαπής", 393));
    Row lump = AmountPair("Αποζημιώσεις από ασφαλιστήρια συμβόλαια", 395);
    lump.taxpayer.hint = lump.spouse.hint =
        "Το ποσό του κωδικού αυτού αν δεν έχει επιλεγεί κανένα από τα παραπάνω υπολογίζεται ως  εφάπαξ καταβαλλόμενο";
    rows.push_back(lump);
    rows.push_back(TickPair("Το ποσό καταβάλλεται περιοδικά", 971, "Πριοδικά καταβαλλόμενο"));
    rows.push_back(TickPair("Το ποσό αφορά πρόωρη εξαγορά", 973, "Πρόωρη εξαγορά "));
    rows.push_back(AmountPair("Φόρος που παρακρατήθηκε στις αποζημιώσεις", 651));
    b.Rows(rows, 1, kCodeW + 130);

    // Category of the amount of 351 / 352, chosen in a dialog.
    b.Hidden(A(799));
    b.Hidden(A(800));
}

void BuildPage1(FormBuilder& b) {
    Identity(b);
    Ticks(b);
    Salaries(b);
}

}  // namespace kestrana::formlayout
