#include "records/e2_record.h"

#include "editions/edition.h"

namespace kestrana {

namespace {

using K = FieldKind;

std::vector<RecordField> BuildE2Fields() {
    std::vector<RecordField> v;
    FieldTableBuilder b(v);
    b.Single("SerialNumber", 0, K::Int32);
    b.Single("edAFM", 4, K::String, 12);
    b.Single("edBigName", 17, K::String, 40);
    b.Single("edName", 58, K::String, 40);
    b.Single("edFatherName", 153, K::String, 15);
    b.Rows("table1", 251, 162, 1, 16,
           {{"edTopos", 0, K::String, 30},
            {"edPlace", 31, K::String, 4},
            {"edInUse", 36, K::String, 4},
            {"edSurfa", 41, K::String, 5},
            {"edEName", 47, K::String, 23},
            {"edAFM", 71, K::String, 12},
            {"edDate1", 84, K::String, 10},
            {"edDate2", 95, K::String, 10},
            {"edMonths", 106, K::Real48},
            {"edEnoikio", 112, K::Real48},
            {"edSinid", 118, K::String, 8},
            {"edKat", 127, K::Real48},
            {"edGr", 133, K::Real48},
            {"edGi", 139, K::Real48},
            {"edLi", 145, K::Real48},
            {"ColumnMarks", 157, K::Bytes, 5}});
    b.Rows("table2", 2843, 137, 1, 9,
           {{"edPin2Topos", 0, K::String, 30},
            {"edPin2Place", 31, K::String, 4},
            {"edPin2InUse", 36, K::String, 4},
            {"edPin2Surfa", 41, K::String, 4},
            {"edPin2SName", 46, K::String, 30},
            {"edPin2SAFM", 77, K::String, 12},
            {"edPin2Addre", 90, K::String, 34},
            {"edPin2Sinid", 125, K::String, 5},
            {"edPin2Misto", 131, K::Real48}});
    b.Rows("table3", 4076, 82, 1, 4,
           {{"edPin3Topos", 0, K::String, 30},
            {"edPin3Place", 31, K::String, 4},
            {"edPin3InUse", 36, K::String, 4},
            {"edPin3Surfa", 41, K::String, 4},
            {"edPin3Title", 46, K::String, 35}});
    b.Single("sbCalcOff", 4404, K::Byte);
    b.Rows("totals", 4405, 6, 1, 4, {{"edTotal", 0, K::Real48}});
    b.Rows("rows", 4436, 1, 1, 29, {{"edXrisiID", 0, K::Byte}});
    b.Rows("rows", 4465, 1, 1, 29, {{"edThesiID", 0, K::Byte}});
    b.Rows("rows", 4660, 16, 1, 29, {{"edParoxesDEH", 0, K::String, 15}});
    b.Rows("rows", 5460, 51, 1, 25, {{"edEidosMist", 0, K::String, 50}});
    b.Rows("rows", 6990, 21, 1, 16, {{"edArMist", 0, K::String, 20}});
    return v;
}

const char* const kUsePicker[] = {
    "ΧΩΡΙΣ ΧΡΗΣΗ", "Οικία", "Μονοκατοικία", "Επαγγελματική Στέγη", "Οικόπεδο",
    "Αποθήκη", "Θέση Στάθμευσης", "Σταθμοί Αυτοκινήτων Δ.Χ.", "Βιομηχανικό Κτίριο",
    "Ξενοδοχεία - Νοσηλευτήρια", "Εκπαιδευτήρια", "Αθλητικές Εγκαταστάσεις", "Άλλα Κτίρια",
    "Αγροτεμάχια", "Άλλη Χρήση",
};
// "Μονοκατοκία" is the window's own spelling.
const char* const kUseDisplay[] = {
    "", "Οικία", "Μονοκατοκία", "Επαγγ. Στέγη", "Οικόπεδο", "Αποθήκη", "Θέση Σταθμ.",
    "Σταθμ.Αυτ.Δ.Χ.", "Βιομ/κό Κτίριο", "Ξενοδ. Νοσηλ.", "Εκπαιδευτήρια", "Αθλητ. Εγκατ.",
    "Άλλα Κτίρια", "Αγροτεμάχια", "Άλλη Χρήση",
};
const char* const kUseShort[] = {
    "", "Οικία", "Μον/κία", "Επ.Στέγη", "Οικόπεδο", "Αποθήκη", "Θ. Σταθμ.", "Στ.Αυτ.ΔΧ",
    "Βιομηχ/κό", "Ξεν.Νοσηλ", "Εκπ/τήρια", "Αθλ.Εγκ.", "Άλλα Κτ.", "Αγρός", "Άλλη Χρ.",
};

std::string UseText(const char* const* table, int code) {
    return code >= 0 && code <= kLastUseCode ? table[code] : "";
}

// Picker of income year 2018 (edition 2019), entries 0..63.
const std::vector<std::string>& LeasePicker2019() {
    static const std::vector<std::string> texts = {
        "ΧΩΡΙΣ ΕΙΔΟΣ ΜΙΣΘΩΣΗΣ",
        "1.εκμίσθωση ξενοδοχείων κωδικός Ε1 (105)",
        "2.εκμίσθωση κλινικών κωδικός Ε1 (105)",
        "3.εκμίσθωση εκπαιδευτικών ιδρυμάτων κωδικός Ε1 (105)",
        "4.εκμίσθωση αιθουσών θεαμάτων κωδικός Ε1 (105)",
        "5.εκμίσθωση καταστημάτων κωδικός Ε1 (105)",
        "6.εκμίσθωση γραφείων κωδικός Ε1 (105)",
        "7.εκμίσθωση αποθηκών κ.τ.λ κωδικός Ε1 (105)",
        "8.εκμίσθωση γαιών κωδικός Ε1 (101)",
        "9.εκμίσθωση εγκαταστάσεων ή κατασκευών κωδικός Ε1 (101)",
        "10.εκμίσθωση κατοικιών κωδικός Ε1 (103)",
        "11.εκμίσθωση βιομηχανοστασίων με ΦΠΑ κωδικός Ε1 (109)",
        "12.εκμίσθωση εμπ. κέντρων με ΦΠΑ κωδικός Ε1 (109)",
        "13.δωρεάν παραχώρηση κατοικιών κωδικός Ε1 (129)",
        "14.δωρεάν παραχώρηση ξενοδοχείων κωδικός Ε1 (143)",
        "15.δωρεάν παραχώρηση κλινικών κωδικός Ε1 (143)",
        "16.δωρεάν παραχώρηση εκπαιδευτικών ιδρυμάτων κωδικός Ε1 (143)",
        "17.δωρεάν παραχώρηση αιθουσών θεαμάτων κωδικός Ε1 (143)",
        "18.δωρεάν παραχώρηση καταστημάτων κωδικός Ε1 (143)",
        "19.δωρεάν παραχώρηση γραφείων κωδικός Ε1 (143)",
        "20.δωρεάν παραχώρηση αποθηκών κ.τ.λ κωδικός Ε1 (143)",
        "21.δωρεάν παραχώρηση γαιών κωδικός Ε1 (141)",
        "22.δωρεάν παραχώρηση εγκαταστάσεων ή κατασκευών κωδικός Ε1 (141)",
        "23.εκμίσθωση χώρων τοποθέτησης επιγραφών κωδικός Ε1 (107)",
        "24.υπεκμίσθωση ακίνητης περιουσίας κωδικός Ε1 (111)",
        "25.εκμίσθωση κοινόχρηστων χώρων (εκτός κατοικιών) κωδικός Ε1 (131)",
        "26.δωρεάν παραχώρηση χώρων τοποθέτησης επιγραφών κωδικός Ε1 (147)",
        "27.ιδιοχρησιμοποίηση ξενοδοχείων κωδικός Ε1 (145)",
        "28.ιδιοχρησιμοποίηση κλινικών κωδικός Ε1 (145)",
        "29.ιδιοχρησιμοποίηση σχολείων κωδικός Ε1 (145)",
        "30.ιδιοχρησιμοποίηση αιθουσών κιν/φου ή θεάτρων κωδικός Ε1 (145)",
        "31.ιδιοχρησιμοποίηση καταστημάτων κωδικός Ε1 (145)",
        "32.ιδιοχρησιμοποίηση γραφείων κωδικός Ε1 (145)",
        "33.ιδιοχρησιμοποίηση αποθηκών κ.τ.λ. κωδικός Ε1 (145)",
        "34.ιδιοχρησιμοποίηση γαιών κωδικός Ε1 (149)",
        "35.ιδιοχρησιμοποίηση εγκαταστάσεων ή κατασκευών κωδικός Ε1 (149)",
        "36.ιδιοχρησιμοποίηση χώρων τοποθέτησης επιγραφών κωδικός Ε1 (145)",
        "37.εκμίσθωση κοινόχρηστων χώρων (κατοικίες) κωδικός Ε1 (133)",
        "38.δωρεάν παραχώρηση-ιδ/ποίηση κοινόχρηστων χώρων κωδικός Ε1 (133)",
        "39.ΚΕΝΟ",
        "40.-----------------Εκχώρηση στο Δημόσιο (καταργήθηκε το 2016)-----------------",
        "41.Ανείπσπρακτα εισοδήματα από εκμίσθωση ακινήτων Ε1 (125)",
        "42.Yπεκμίσθωση γαιών - γης Ε1 (115)",
        "43.Εισπραχθέντα εισοδήματα πρ. έτους από εκμίσθωση ξενοδοχείων Ε1 (105)",
        "44.Εισπραχθέντα εισοδήματα πρ. έτους από εκμίσθωση κλινικών Ε1 (105)",
        "45.Εισπραχθέντα εισοδήματα πρ. έτους από εκμίσθωση εκπ/κών ιδρυμάτων Ε1 (105",
        "46.Εισπραχθέντα εισοδήματα πρ. έτους από εκμίσθωση αιθουσών θεαμάτων Ε1 (105)",
        "47.Εισπραχθέντα εισοδήματα πρ. έτους από εκμίσθωση καταστημάτων Ε1 (105)",
        "48.Εισπραχθέντα εισοδήματα πρ. έτους από εκμίσθωση γραφείων Ε1 (105)",
        "49.Εισπραχθέντα εισοδήματα πρ. έτους από εκμίσθωση αποθηκών κ.τ.λ Ε1 (105)",
        "50.Εισπραχθέντα εισοδήματα πρ. έτους από εκμίσθωση γαιών-γης Ε1 (101)",
        "51.Εισπραχθέντα εισοδήματα πρ. έτους από εκμίσθωση εγκ/σεων ή κατασκευών Ε1 (101)",
        "52.Εισπραχθέντα εισοδήματα πρ. έτους από εκμίσθωση κατοικιών Ε1 (103)",
        "53.Εισπραχθέντα εισοδήματα πρ. έτους από εκμίσθωση βιομ/σίων με Φ.Π.Α. Ε1 (109)",
        "54.Εισπραχθέντα εισοδήματα πρ. έτους από εκμίσθωση εμπ. κέντρων με Φ.Π.Α Ε1 (109)",
        "55.Εισπραχθέντα εισοδήματα πρ. έτους από εκμίσθωση χώρων τοπ. επιγραφών  Ε1 (107)",
        "56.Εισπραχθέντα εισοδήματα πρ. έτους από υπεκμίσθωση ακίνητης περιουσίας Ε1 (111)",
        "57.Εισπραχθέντα εισοδήματα πρ. έτους από υπεκμίσθωση γαιών - γης Ε1 (115)",
        "58.Εισπραχθέντα εισοδήματα πρ. έτους από εκμίσθωση κοιν. χώρων (εκτός κατοικιών) Ε1 (131)",
        "59.Εισπραχθέντα εισοδήματα πρ. έτους από εκμίσθωση κοιν. χώρων (κατοικίες) Ε1 (133)",
        "60.Βραχυχρόνια εκμίσθωση ακινήτων άρθρου 39Α του ν 4172/2013 Ε1 (103)",
        "61.Βραχυχρόνια υπεκμίσθωση ακινήτων άρθρου 39Α του ν 4172/2013 Ε1 (111)",
        "62.Εκμίσθωση κατοικίας που υπεκμισθώνεται  Ε1 (105)",
        "63.Εκμίσθωση κατοικίας που υπεκμισθώνεται για βραχυχρόνια μίσθωση μέσω ψηφ. πλατφ.  Ε1 (105)",
    };
    return texts;
}

const std::vector<std::string>& LeasePicker2018() {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> t(LeasePicker2019().begin(), LeasePicker2019().begin() + 60);
        t.push_back("60.Βραχυχρόνια εκμίσθωση ακινήτων άρθρου 39Α του ν 4172/2013");
        t.push_back("61.Βραχυχρόνια υπεκμίσθωση ακινήτων άρθρου 39Α του ν 4172/2013");
        t.push_back("62.Εκμίσθωση κατοικίας που υπεκμισθώνεται");
        return t;
    }();
    return texts;
}

}  // namespace

const std::vector<RecordField>& E2Fields() {
    static const std::vector<RecordField> fields = BuildE2Fields();
    return fields;
}

int32_t E2Record::SerialNumber() const { return static_cast<int32_t>(GetInt(E2Fields()[0])); }
void E2Record::SetSerialNumber(int32_t n) { SetInt(E2Fields()[0], n); }
std::string E2Record::TaxNumber() const { return GetText(E2Fields()[1]); }

std::array<uint8_t, 5> E2Record::ColumnMarks(int row) const {
    if (row < 1 || row > kTable1Rows) throw std::out_of_range("table-1 row " + std::to_string(row));
    std::array<uint8_t, 5> m{};
    const uint8_t* p = bytes_.data() + 251 + 162 * static_cast<size_t>(row - 1) + 157;
    for (size_t i = 0; i < 5; ++i) m[i] = p[i];
    return m;
}

void E2Record::SetColumnMarks(int row, const std::array<uint8_t, 5>& marks) {
    if (row < 1 || row > kTable1Rows) throw std::out_of_range("table-1 row " + std::to_string(row));
    uint8_t* p = bytes_.data() + 251 + 162 * static_cast<size_t>(row - 1) + 157;
    for (size_t i = 0; i < 5; ++i) p[i] = marks[i];
}

std::array<uint8_t, 5> LeaseColumnMarks(int t, const Edition& edition) {
    std::array<uint8_t, 5> m{};
    bool late = edition.e2LeaseTypesFrom41Marked;
    if ((t >= 1 && t <= 12) || (t >= 23 && t <= 25) || t == 37 || (late && t >= 42 && t <= 63))
        m[0] = 1;
    else if ((t >= 13 && t <= 22) || t == 26 || t == 38)
        m[1] = 1;
    else if (t >= 27 && t <= 36)
        m[2] = 1;
    else if (late && t == 41)
        m[3] = 1;
    return m;
}

std::string UsePickerText(int code) { return UseText(kUsePicker, code); }
std::string UseDisplayText(int code) { return UseText(kUseDisplay, code); }
std::string UseShortText(int code) { return UseText(kUseShort, code); }

std::string PositionText(int code) {
    if (code == 1) return "Υπ.";
    if (code >= 2 && code <= kLastPositionCode) return std::to_string(code - 2);
    return "";
}

std::string PositionPickerText(int code) {
    if (code == 0) return "ΧΩΡΙΣ ΘΕΣΗ";
    if (code == 1) return "Υπ.";
    if (code == 2) return "Ισογ.";
    if (code >= 3 && code <= kLastPositionCode) return std::to_string(code - 2);
    return "";
}

const std::vector<std::string>& LeasePickerTexts(const Edition& edition) {
    return edition.e2LastLeaseType >= 63 ? LeasePicker2019() : LeasePicker2018();
}

}  // namespace kestrana
