// Page 5, "Ειδικές Περιπτώσεις": a plain page of labelled questions that the
// window draws itself (no form picture).
#include "e1/model/form_builder.h"

namespace kestrana::formlayout {

static const char* const kGreekYes = "\u039D\u0391\u0399";  // "ΝΑΙ" in Greek letters

void BuildSpecialCases(FormBuilder& b) {
    const int capW = 520, colW = 100;
    const int colT = kMargin + capW + 10, colS = colT + colW + 10;
    auto heads = [&] {
        b.Label({colT, b.y, colW, 14}, "Υπόχρεος", LabelStyle::ColumnHeader);
        b.Label({colS, b.y, colW, 14}, "Σύζυγος", LabelStyle::ColumnHeader);
        b.y += 16;
    };
    auto question = [&](const char* text, Cell t, Cell s) {
        const int h = 2 * kBoxH;  // questions may take two lines
        b.Label({kMargin, b.y, capW, h}, text, LabelStyle::Caption);
        if (t.kind == ControlKind::Check) t.caption = s.caption = kGreekYes;
        // A box without a code number stands where the numbered ones do, in
        // the column, not over the place of the number.
        auto at = [](const Cell& c, int column) { return c.code ? column : column + kCodeW; };
        b.Boxed(t, at(t, colT), b.y + (h - kBoxH) / 2, 60);
        b.Boxed(s, at(s, colS), b.y + (h - kBoxH) / 2, 60);
        b.y += h + 6;
    };
    auto tick = [](const char* name) { return Named(name, ControlKind::Check); };

    b.Heading("Ειδικά πληροφοριακά στοιχεία για τους ανέργους");
    heads();
    question("Είστε μακροχρόνια άνεργος, εγγεγραμμένος στο μητρώο του Ο.Α.Ε.Δ. :", T(777), T(778));
    b.Gap(10);
    b.Heading("Ειδικά πληροφοριακά στοιχεία για τον υπολογισμό του τέλους επιτηδεύματος:");
    heads();
    question("Η επιχείρηση σας (Εταιρική Μορφή) έχει έδρα σε πόλη με πληθυσμό πάνω από 200.000 κατοίκους",
             tick("cbTelos500F"), tick("cbTelos500S"));
    question("Η επιχείρηση σας (Εταιρική Μορφή) έχει έδρα σε τουριστικό τόπο και σε πόλη ή χωριό έως 200.000 κατοίκους",
             tick("cbTelos400F"), tick("cbTelos400S"));
    question("Είστε Ελ. Επαγγελματίας - Επιτηδευματίας ΧΩΡΙΣ εξαρτημένη σχέση εργασίας ( πολλοί εργοδότες )",
             T(887), T(888));
    question("Σε περίπτωση που η επιχείρηση έχει υποκαταστήματα εισάγετε τον αριθμό τους: ", I(931), I(932));
    question("Σε περίπτωση διακοπής του υποκαταστήματος μέσα στη χρήση εισάγετε τους μήνες λειτουργίας του:",
             I(935), I(936));
    question("Σε περίπτωση διακοπής δραστηριότητας μέσα στη χρήση εισάγετε τους μήνες λειτουργίας της επιχείρησης:",
             I(933), I(934));

    // The two large-city ticks travel in the file as these hidden codes.
    Cell c093 = A(93), c095 = A(95);
    c093.name = "edp093";
    c095.name = "edp095";
    b.Hidden(c093);
    b.Hidden(c095);
}

}  // namespace kestrana::formlayout
