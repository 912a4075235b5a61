#include "update/window/update_windows.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "editions/edition.h"

namespace kestrana {

namespace {

QLabel* Picture(QWidget* owner, const char* name) {
    auto* picture = new QLabel(owner);
    picture->setObjectName(name);
    picture->setPixmap(UpdatePicture(64));
    picture->setAlignment(Qt::AlignTop);
    return picture;
}

QLabel* Text(QWidget* owner, const QString& text, const char* name = nullptr) {
    auto* label = new QLabel(text, owner);
    if (name) label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

// The window's picture on the left, a column for its texts on the right.
QVBoxLayout* PictureAndTexts(QVBoxLayout* layout, QWidget* owner, const char* pictureName) {
    auto* body = new QHBoxLayout;
    body->setContentsMargins(16, 16, 16, 8);
    body->setSpacing(16);
    body->addWidget(Picture(owner, pictureName));
    auto* texts = new QVBoxLayout;
    body->addLayout(texts, 1);
    layout->addLayout(body, 1);
    return texts;
}

// The progress bar across the window, the status panels under it.
void AddTransferRows(QVBoxLayout* layout, TransferPanels& panels) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(16, 4, 16, 4);
    row->addWidget(panels.Progress());
    layout->addLayout(row);
    layout->addWidget(panels.Bar());
}

}  // namespace

TfiNewVer::TfiNewVer(QWidget* parent) : QDialog(parent), panels_(this) {
    setObjectName("fiNewVer");
    setWindowTitle("Έλεγχος για νέα έκδοση της εφαρμογής");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QVBoxLayout* texts = PictureAndTexts(layout, this, "imNewVer");
    QLabel* main = Text(this,
                        "Για να μπορέσετε να ενημερωθείτε με τη νέα έκδοση της εφαρμογής πρέπει απαραιτήτως "
                        "να συνδεθείτε στο internet",
                        "lbInfo");
    main->setFont(QFont("Arial", 11, QFont::Bold));
    texts->addWidget(main);
    texts->addWidget(Text(this,
                          "Αν ο υπολογιστής σας έχει τείχος προστασίας (firewall), επιτρέψτε στην εφαρμογή "
                          "να συνδεθεί στο internet, αλλιώς ο έλεγχος δεν μπορεί να γίνει.",
                          "lbFirewall"));
    texts->addStretch();

    btCheck_ = new QPushButton("Έλεγχος", this);
    btCheck_->setObjectName("btCheck");
    btCheck_->setDefault(true);
    auto* exit = new QPushButton("Έξοδος", this);
    exit->setObjectName("btExit");
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 0, 16, 8);
    buttons->addStretch();
    buttons->addWidget(btCheck_);
    buttons->addWidget(exit);

    layout->addLayout(buttons);
    AddTransferRows(layout, panels_);
    resize(560, 210);
}

TfiNoConnection::TfiNoConnection(const Edition& edition, QWidget* parent) : QDialog(parent), panels_(this) {
    setObjectName("fiNoConnection");
    setWindowTitle("Ελεγχος νέων εκδόσεων ");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QVBoxLayout* texts = PictureAndTexts(layout, this, "imNoConnection");
    QLabel* title = Text(this, QString::fromStdString(edition.title), "lbTitle");
    title->setFont(QFont("Arial", 14, QFont::Bold));
    texts->addWidget(title);
    texts->addWidget(Text(this, "Παρακαλώ περιμένετε ...", "lbWait"));
    lbDetails_ = Text(this, " ", "lbDetails");
    texts->addWidget(lbDetails_);
    texts->addStretch();
    AddTransferRows(layout, panels_);
    resize(480, 190);
}

void TfiNoConnection::SetDetails(const QString& text) { lbDetails_->setText(text); }

TfiDnld::TfiDnld(QWidget* parent) : QDialog(parent) {
    setObjectName("fiDnld");
    setWindowTitle("Ενημέρωση με τη νέα έκδοση");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(10);
    layout->addWidget(Text(this,
                           "Η νέα έκδοση της εφαρμογής μπορεί να εγκατασταθεί αμέσως: το πρόγραμμα εγκατάστασης "
                           "κατεβαίνει και ξεκινά, και η εφαρμογή κλείνει. Μπορείτε επίσης να την κατεβάσετε "
                           "μέσω του Web Browser σας και να την εγκαταστήσετε μόνοι σας.",
                           "lbExplain"));
    struct Button {
        const char* name;
        const char* caption;
        InstallChoice choice;
    };
    for (const Button& b : {Button{"btDirect", "Άμεση εγκατάσταση", InstallChoice::Direct},
                            Button{"btBrowser", "Εγκατάσταση μέσω του Web Browser", InstallChoice::Browser},
                            Button{"btNone", "Να μήν γίνει εγκατάσταση", InstallChoice::None}}) {
        auto* button = new QPushButton(b.caption, this);
        button->setObjectName(b.name);
        button->setMinimumHeight(34);
        const InstallChoice choice = b.choice;
        connect(button, &QPushButton::clicked, this, [this, choice] {
            choice_ = choice;
            accept();
        });
        layout->addWidget(button);
    }
    setFixedWidth(440);
}

}  // namespace kestrana
