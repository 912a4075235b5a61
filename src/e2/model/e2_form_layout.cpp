// The two E2 pages. Page 1: the declarant, the calculation mode button,
// table 1 (16 rows) and its totals. Page 2: table 2 (9 rows) and table 3
// (4 rows). The hidden use and position codes of the 29 shared rows come last.
#include "e2/model/e2_form_layout.h"

#include "editions/edition.h"
#include "records/e2_record.h"

namespace kestrana::e2layout {

namespace {

using K = E2ControlKind;

constexpr int kLeft = 14;      // left edge of every table
constexpr int kPitch = 25;     // row pitch of the tables (26 pixels in the window)
constexpr int kBoxH = 19;      // entry box height
constexpr int kBoxTop = 3;     // box top below its row's top
constexpr int kButtonW = 13;   // picker button at the left of its box
constexpr int kHiddenW = 36;

// One cell of a table row: the box it holds, and the head of its column.
struct Col {
    std::string head;
    int width = 0;
    std::string column;          // box name without the row number; "" for the row number
    K kind = K::Text;
    int maxLength = 0;
    E2Picker picker = E2Picker::None;  // the cell also holds the picker button
    bool readOnly = false;
    bool white = false;
    bool sharedSuffix = false;   // named after the shared row (edParoxesDEH17, edEidosMist17)
    std::string hint;
};

// A head spanning columns first..last above their own heads.
struct Group {
    size_t first, last;
    std::string head;
};

struct Table {
    int number = 1;
    int rows = 0;
    int firstShared = 1;   // shared row of the table's row 1
    std::string rowLabel;  // name of the row number controls
    int headTop = 0;
    int headHeight = 0;    // the column heads
    int groupHeight = 0;   // the group heads, within headHeight
    std::vector<Col> cols;
    std::vector<Group> groups;
    int RowsTop() const { return headTop + headHeight; }
    int Width() const {
        int w = 0;
        for (const Col& c : cols) w += c.width;
        return w;
    }
};

const char* const kPickedHint = "Επιλογή από τον κατάλογο: κουμπί αριστερά ή πλήκτρο διαστήματος";
const char* const kDateHint = "Ημέρα/μήνας, π.χ. 01/03";

Col Cell(std::string head, int width, std::string column, K kind) {
    Col c;
    c.head = std::move(head);
    c.width = width;
    c.column = std::move(column);
    c.kind = kind;
    return c;
}
Col RowNumber() { return Cell("Α/Α", 20, "", K::Text); }
Col Text(std::string head, int width, std::string column, int maxLength, std::string hint = "") {
    Col c = Cell(std::move(head), width, std::move(column), K::Text);
    c.maxLength = maxLength;
    c.hint = std::move(hint);
    return c;
}
Col Picked(std::string head, int width, std::string column, int maxLength, E2Picker picker, bool shared = false) {
    Col c = Text(std::move(head), width, std::move(column), maxLength, kPickedHint);
    c.picker = picker;
    c.readOnly = true;
    c.sharedSuffix = shared;
    return c;
}
Col Shared(std::string head, int width, std::string column, int maxLength) {
    Col c = Text(std::move(head), width, std::move(column), maxLength);
    c.sharedSuffix = true;
    return c;
}
Col Amount(std::string head, int width, std::string column, bool white = false) {
    Col c = Cell(std::move(head), width, std::move(column), K::Real);
    c.white = white;
    return c;
}

// Characters the record keeps of a text field, 0 when it is not one.
int StoredOf(const std::string& name) {
    const RecordField* f = FindField(E2Fields(), name);
    return f && f->kind == FieldKind::String ? static_cast<int>(f->capacity) : 0;
}

const char* PickerButtonName(E2Picker p) {
    switch (p) {
        case E2Picker::Position: return "sbGetThesi";
        case E2Picker::Use: return "sbGetXrisi";
        case E2Picker::LeaseType: return "sbGetEidosMist";
        case E2Picker::None: break;
    }
    return "";
}

const char* PickerHint(E2Picker p) {
    switch (p) {
        case E2Picker::Position: return "Επιλογή Ορόφου";
        case E2Picker::Use: return "Επιλογή Χρήσης";
        case E2Picker::LeaseType: return "Επιλογή Είδους Μίσθωσης";
        case E2Picker::None: break;
    }
    return "";
}

class Builder {
public:
    explicit Builder(const Edition& edition) : edition_(edition) {}
    const Edition& edition() const { return edition_; }

    void BeginPage(int page) { page_ = page; }

    E2Control& Add(E2Control c) {
        c.page = page_;
        if (c.column.empty()) c.column = c.name;
        if (c.stored == 0 && c.IsEntry()) c.stored = StoredOf(c.name);
        controls_.push_back(std::move(c));
        return controls_.back();
    }
    void Label(E2Rect r, std::string text, E2LabelStyle style) {
        labels_.push_back(E2Label{page_, r, std::move(text), style});
    }
    void Line(int x1, int y1, int x2, int y2, bool heavy = false) {
        lines_.push_back(E2Line{page_, x1, y1, x2, y2, heavy});
    }
    void Frame(E2Rect r) {
        Line(r.x, r.y, r.Right(), r.y, true);
        Line(r.x, r.Bottom(), r.Right(), r.Bottom(), true);
        Line(r.x, r.y, r.x, r.Bottom(), true);
        Line(r.Right(), r.y, r.Right(), r.Bottom(), true);
    }

    // A caption and its box on one line of the header.
    void Field(int x, int y, int captionWidth, const std::string& caption, E2Control box, int width) {
        Label({x, y, captionWidth - 4, kBoxH}, caption, E2LabelStyle::Caption);
        box.rect = {x + captionWidth, y, width, kBoxH};
        Add(std::move(box));
    }

    // Heads, rows of boxes and grid of one table; returns the left x of each column.
    std::vector<int> LayTable(const Table& t) {
        std::vector<int> xs;
        int x = kLeft;
        for (const Col& c : t.cols) {
            xs.push_back(x);
            x += c.width;
        }
        const int right = x;
        const int headBottom = t.RowsTop();
        const int bottom = headBottom + t.rows * kPitch;

        // Heads: a grouped column has its own head below the group's.
        std::vector<bool> grouped(t.cols.size(), false);
        for (const Group& g : t.groups) {
            const int gx = xs[g.first];
            const int gw = xs[g.last] + t.cols[g.last].width - gx;
            Label({gx + 1, t.headTop + 1, gw - 2, t.groupHeight - 2}, g.head, E2LabelStyle::ColumnHeader);
            Line(gx, t.headTop + t.groupHeight, gx + gw, t.headTop + t.groupHeight);
            for (size_t i = g.first; i <= g.last; ++i) grouped[i] = true;
        }
        for (size_t i = 0; i < t.cols.size(); ++i) {
            const int top = grouped[i] ? t.headTop + t.groupHeight : t.headTop;
            Label({xs[i] + 1, top + 1, t.cols[i].width - 2, headBottom - top - 2}, t.cols[i].head,
                  E2LabelStyle::ColumnHeader);
        }

        // Grid: frame, column borders (a group head spans its columns), row borders.
        Frame({kLeft, t.headTop, right - kLeft, bottom - t.headTop});
        for (size_t i = 1; i < t.cols.size(); ++i) {
            bool insideGroup = false;
            for (const Group& g : t.groups)
                if (i > g.first && i <= g.last) insideGroup = true;
            Line(xs[i], insideGroup ? t.headTop + t.groupHeight : t.headTop, xs[i], bottom);
        }
        Line(kLeft, headBottom, right, headBottom, true);
        for (int r = 1; r < t.rows; ++r) Line(kLeft, headBottom + r * kPitch, right, headBottom + r * kPitch);

        // Boxes, row by row in tab order.
        for (int r = 1; r <= t.rows; ++r) {
            const int top = headBottom + (r - 1) * kPitch;
            const int shared = t.firstShared + r - 1;
            for (size_t i = 0; i < t.cols.size(); ++i) {
                const Col& col = t.cols[i];
                const int cx = xs[i];
                E2Control c;
                c.table = t.number;
                c.row = r;
                c.sharedRow = shared;
                if (col.column.empty()) {
                    c.name = t.rowLabel + std::to_string(r);
                    c.column = t.rowLabel;
                    c.kind = K::RowNumber;
                    c.caption = std::to_string(r);
                    c.tag = r;
                    c.tabStop = false;
                    c.rect = {cx + 1, top + kBoxTop, col.width - 2, kBoxH};
                    Add(std::move(c));
                    continue;
                }
                int boxX = cx + 2;
                int boxW = col.width - 4;
                if (col.picker != E2Picker::None) {
                    E2Control b = c;
                    b.column = PickerButtonName(col.picker);
                    b.name = b.column + std::to_string(shared);
                    b.kind = K::Picker;
                    b.picker = col.picker;
                    b.tag = shared;
                    b.tabStop = false;
                    b.hint = PickerHint(col.picker);
                    b.rect = {cx + 1, top + kBoxTop, kButtonW, kBoxH};
                    Add(std::move(b));
                    boxX = cx + 1 + kButtonW + 1;
                    boxW = col.width - kButtonW - 3;
                }
                const int suffix = col.sharedSuffix ? shared : r;
                c.column = col.column;
                c.name = col.column + std::to_string(suffix);
                c.kind = col.kind;
                c.maxLength = col.maxLength;
                c.picker = col.picker;
                c.readOnly = col.readOnly;
                c.hint = col.hint;
                c.tag = suffix;
                if (col.white) {
                    // The automatic calculation owns these; CalcE2 unlocks single boxes.
                    c.colour = E2Colour::White;
                    c.enabled = false;
                    c.readOnly = true;
                    c.tabStop = false;
                }
                c.rect = {boxX, top + kBoxTop, boxW, kBoxH};
                Add(std::move(c));
            }
        }
        return xs;
    }

    // Hidden whole-number boxes, parked in a strip below the content.
    void Hidden(const std::string& column, int k, int y) {
        E2Control c;
        c.name = column + std::to_string(k);
        c.column = column;
        c.kind = K::Int;
        c.tag = k;
        c.sharedRow = k;
        c.visible = false;
        c.tabStop = false;
        c.rect = {kLeft + (k - 1) * (kHiddenW + 1), y, kHiddenW, kBoxH};
        Add(std::move(c));
    }

    E2Form Take() { return E2Form(std::move(controls_), std::move(labels_), std::move(lines_)); }

private:
    const Edition& edition_;
    int page_ = 1;
    std::vector<E2Control> controls_;
    std::vector<E2Label> labels_;
    std::vector<E2Line> lines_;
};

std::string FormTitle(const Edition& e) {
    return "ΑΝΑΛΥΤΙΚΗ ΚΑΤΑΣΤΑΣΗ ΜΙΣΘΩΜΑΤΩΝ ΑΚΙΝΗΤΩΝ (Ε2)      ΦΟΡΟΛΟΓΙΚΟ ΕΤΟΣ " + e.incomeYearText;
}

void Page1(Builder& b) {
    const Edition& e = b.edition();
    b.Label({kLeft, 10, 1090, 24}, FormTitle(e), E2LabelStyle::Title);
    b.Label({kLeft, 36, 640, 14},
            "Κατάσταση των ακινήτων που εκμισθώνονται, παραχωρούνται δωρεάν ή ιδιοχρησιμοποιούνται",
            E2LabelStyle::Note);
    b.Label({904, 36, 200, 14}, e.formEditionText, E2LabelStyle::Note);

    // The declarant.
    b.Label({kLeft, 54, 894, 18}, "ΣΤΟΙΧΕΙΑ ΦΟΡΟΛΟΓΟΥΜΕΝΟΥ", E2LabelStyle::Heading);
    auto text = [](const char* name, int maxLength) {
        E2Control c;
        c.name = name;
        c.kind = K::Text;
        c.maxLength = maxLength;
        return c;
    };
    b.Field(kLeft, 77, 112, "Επώνυμο ή επωνυμία", text("edBigName", 40), 296);
    b.Field(432, 77, 46, "Όνομα", text("edName", 40), 222);
    b.Field(710, 77, 84, "Όνομα πατέρα", text("edFatherName", 15), 114);
    E2Control afm;
    afm.name = "edAFM";
    afm.kind = K::AFM;
    afm.maxLength = 12;
    b.Field(kLeft, 101, 112, "Α.Φ.Μ.", std::move(afm), 110);

    b.Label({920, 54, 184, 18}, "Υπολογισμός ποσών", E2LabelStyle::Heading);
    E2Control mode;
    mode.name = "sbCalcOff";
    mode.kind = K::Toggle;
    mode.caption = "ΑΥΤΟΜΑΤΟΣ ΥΠΟΛΟΓΙΣΜΟΣ";
    mode.hint = "Αυτόματος υπολογισμός των μηνών, των ποσών και των συνόλων";
    mode.tabStop = false;
    mode.rect = {920, 80, 184, 38};
    b.Add(std::move(mode));

    // Table 1.
    b.Label({kLeft, 128, 1090, 18},
            "Ι. ΑΚΙΝΗΤΗ ΠΕΡΙΟΥΣΙΑ ΠΟΥ ΕΚΜΙΣΘΩΝΕΤΑΙ, ΠΑΡΑΧΩΡΕΙΤΑΙ ΔΩΡΕΑΝ Ή ΙΔΙΟΧΡΗΣΙΜΟΠΟΙΕΙΤΑΙ ΤΟ " +
                e.incomeYearText,
            E2LabelStyle::Heading);
    Table t;
    t.number = 1;
    t.rows = kE2Table1Rows;
    t.firstShared = 1;
    t.rowLabel = "lbRow";
    t.headTop = 148;
    t.headHeight = 92;  // rows start at 240
    t.groupHeight = 24;
    t.cols = {
        RowNumber(),
        Text("Θέση ακινήτου (οδός, αριθμός, δήμος ή κοινότητα)", 130, "edTopos", 30),
        Picked("Όροφος", 40, "edPlace", 4, E2Picker::Position),
        Picked("Χρήση ακινήτου", 84, "edInUse", 20, E2Picker::Use),
        Text("Επιφάνεια (τ.μ.)", 40, "edSurfa", 5),
        Picked("Είδος μίσθω- σης", 36, "edEidosMist", 30, E2Picker::LeaseType, true),
        Shared("Αριθμός παροχής ρεύματος", 60, "edParoxesDEH", 9),
        Text("Ονοματεπώνυμο ή επωνυμία μισθωτή ή δικαιούχου", 104, "edEName", 23),
        Text("Α.Φ.Μ. μισθωτή", 68, "edAFM", 12),
        Text("Αριθμός μισθωτηρίου", 58, "edArMist", 30),
        Text("Από", 36, "edDate1", 5, kDateHint),
        Text("Έως", 36, "edDate2", 5, kDateHint),
        Amount("Μήνες", 32, "edMonths"),
        Amount("Μηνιαίο μίσθωμα", 62, "edEnoikio"),
        Text("Ποσοστό συνιδιο- κτησίας %", 36, "edSinid", 0, "Ποσοστό (π.χ. 50) ή κλάσμα (π.χ. 1/2)"),
        Amount("Ακαθάριστο εισόδημα από εκμίσθωση", 62, "edKat", true),
        Amount("Εισόδημα από δωρεάν παραχώρηση", 62, "edGr", true),
        Amount("Εισόδημα από ιδιοχρησιμο- ποίηση", 62, "edGi", true),
        Amount("Ανείσπρακτα εισοδήματα", 62, "edLi", true),
    };
    t.groups = {{10, 11, "Διάστημα μίσθωσης"}, {15, 18, "ΕΤΗΣΙΟ ΕΙΣΟΔΗΜΑ ΓΙΑ ΤΟ ΠΟΣΟΣΤΟ ΤΟΥ ΙΔΙΟΚΤΗΤΗ"}};
    const std::vector<int> xs = b.LayTable(t);

    // Totals under the four amount columns.
    const int totalsTop = t.RowsTop() + t.rows * kPitch + 2;
    const int firstAmount = xs[15];
    const int right = xs.back() + t.cols.back().width;
    b.Label({xs[12] + 2, totalsTop + kBoxTop, firstAmount - xs[12] - 6, kBoxH}, "ΣΥΝΟΛΑ", E2LabelStyle::Heading);
    b.Frame({firstAmount, totalsTop, right - firstAmount, kPitch});
    for (int i = 1; i <= 4; ++i) {
        const int cx = xs[14 + static_cast<size_t>(i)];
        if (i > 1) b.Line(cx, totalsTop, cx, totalsTop + kPitch);
        E2Control c;
        c.name = "edTotal" + std::to_string(i);
        c.column = "edTotal";
        c.kind = K::Real;
        c.colour = E2Colour::White;
        c.tag = i;
        c.enabled = false;
        c.readOnly = true;
        c.tabStop = false;
        c.rect = {cx + 2, totalsTop + kBoxTop, t.cols[14 + static_cast<size_t>(i)].width - 4, kBoxH};
        b.Add(std::move(c));
    }

    b.Label({kLeft, totalsTop + kPitch + 8, 1090, 26},
            "Οι μήνες και τα ποσά υπολογίζονται από το διάστημα μίσθωσης, το μηνιαίο μίσθωμα και το ποσοστό "
            "συνιδιοκτησίας, στη στήλη που ορίζει το είδος μίσθωσης. Τα σύνολα μεταφέρονται στους κωδικούς "
            "του Ε1 που αναφέρει κάθε είδος μίσθωσης.",
            E2LabelStyle::Note);
    b.Label({904, 770, 200, 12}, "Σελίδα 1 από 2", E2LabelStyle::Note);
}

void Page2(Builder& b) {
    const Edition& e = b.edition();
    b.Label({kLeft, 10, 1090, 24}, FormTitle(e) + "  (συνέχεια)", E2LabelStyle::Title);

    Table t2;
    t2.number = 2;
    t2.rows = kE2Table2Rows;
    t2.firstShared = kE2FirstTable2Row;
    t2.rowLabel = "lbPin2Row";
    t2.headTop = 62;
    t2.headHeight = 60;
    t2.cols = {
        RowNumber(),
        Text("Θέση ακινήτου (οδός, αριθμός, δήμος ή κοινότητα)", 164, "edPin2Topos", 30),
        Picked("Όροφος", 40, "edPin2Place", 4, E2Picker::Position),
        Picked("Χρήση ακινήτου", 84, "edPin2InUse", 20, E2Picker::Use),
        Text("Επιφάνεια (τ.μ.)", 40, "edPin2Surfa", 4),
        Picked("Είδος μίσθω- σης", 36, "edEidosMist", 4, E2Picker::LeaseType, true),
        Shared("Αριθμός παροχής ρεύματος", 62, "edParoxesDEH", 9),
        Text("Ονοματεπώνυμο ή επωνυμία αντισυμβαλλομένου", 180, "edPin2SName", 30),
        Text("Α.Φ.Μ.", 72, "edPin2SAFM", 12),
        Text("Διεύθυνση κατοικίας ή έδρας", 210, "edPin2Addre", 34),
        Text("Ποσοστό %", 44, "edPin2Sinid", 5),
        Amount("Μίσθωμα", 86, "edPin2Misto"),
    };
    b.Label({kLeft, 42, t2.Width(), 18},
            "Ι.Α. ΑΝΤΙΣΥΜΒΑΛΛΟΜΕΝΟΙ ΓΙΑ ΑΚΙΝΗΤΑ ΤΟΥ ΠΙΝΑΚΑ Ι (ΕΚΜΙΣΘΩΤΕΣ ΑΚΙΝΗΤΩΝ ΠΟΥ ΥΠΕΚΜΙΣΘΩΝΟΝΤΑΙ, "
            "ΣΥΝΙΔΙΟΚΤΗΤΕΣ)",
            E2LabelStyle::Heading);
    b.LayTable(t2);

    const int t3Top = t2.RowsTop() + t2.rows * kPitch + 16;
    Table t3;
    t3.number = 3;
    t3.rows = kE2Table3Rows;
    t3.firstShared = kE2FirstTable3Row;
    t3.rowLabel = "lbPin3Row";
    t3.headTop = t3Top + 20;
    t3.headHeight = 48;
    t3.cols = {
        RowNumber(),
        Text("Θέση ακινήτου (οδός, αριθμός, δήμος ή κοινότητα)", 294, "edPin3Topos", 30),
        Picked("Όροφος", 40, "edPin3Place", 4, E2Picker::Position),
        Picked("Χρήση ακινήτου", 84, "edPin3InUse", 20, E2Picker::Use),
        Text("Επιφάνεια (τ.μ.)", 40, "edPin3Surfa", 4),
        Shared("Αριθμός παροχής ρεύματος", 62, "edParoxesDEH", 9),
        Text("Τίτλος κτήσης ή μεταβίβασης (αγορά, κληρονομιά, δωρεά, γονική παροχή, ημιτελές κτλ)", 498,
             "edPin3Title", 35),
    };
    b.Label({kLeft, t3Top, t3.Width(), 18},
            "ΙΙ. ΑΚΙΝΗΤΗ ΠΕΡΙΟΥΣΙΑ ΠΟΥ ΤΟ " + e.incomeYearText +
                " ΕΙΝΑΙ ΗΜΙΤΕΛΗΣ Ή ΜΕΤΑΒΙΒΑΣΤΗΚΕ Ή ΑΠΟΚΤΗΘΗΚΕ ΑΠΟ ΑΓΟΡΑ - ΚΛΗΡΟΝΟΜΙΑ -  ΔΩΡΕΑ - ΓΟΝΙΚΗ "
                "ΠΑΡΟΧΗ ΚΤΛ",
            E2LabelStyle::Heading);
    b.LayTable(t3);

    const int below = t3.RowsTop() + t3.rows * kPitch + 24;
    b.Label({kLeft, below, 700, 16},
            "Βεβαιώνω ότι τα στοιχεία της κατάστασης αυτής είναι αληθινά και ακριβή.", E2LabelStyle::Caption);
    b.Label({760, below + 24, 300, 16}, "Ημερομηνία ......../......../................", E2LabelStyle::Note);
    b.Label({760, below + 48, 300, 16}, "Ο/Η ΔΗΛΩΝ/ΟΥΣΑ", E2LabelStyle::Note);
    b.Label({kLeft, 770, 200, 12}, e.formEditionText, E2LabelStyle::Note);
    b.Label({904, 770, 200, 12}, "Σελίδα 2 από 2", E2LabelStyle::Note);
}

}  // namespace

E2Form BuildE2Form(const Edition& edition) {
    Builder b(edition);
    b.BeginPage(1);
    Page1(b);
    b.BeginPage(2);
    Page2(b);
    // The codes the use and position pickers give, for all 29 rows; on page 1
    // as the window has always kept them, below the visible content.
    b.BeginPage(1);
    for (int k = 1; k <= kE2SharedRows; ++k) b.Hidden("edXrisiID", k, 736);
    for (int k = 1; k <= kE2SharedRows; ++k) b.Hidden("edThesiID", k, 758);
    return b.Take();
}

}  // namespace kestrana::e2layout
