#include "update/window/tfi_pro.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "editions/edition.h"
#include "platform/file_ops.h"
#include "platform/user_dialogs.h"
#include "update/news_page.h"

namespace kestrana {

namespace {

// The page comes from the network: it may not make the program read local
// files, so pictures and style sheets it names stay out, except pictures
// written into the page itself (data: addresses). An empty answer that is
// not null keeps the document from reading the name as a local file.
class NewsBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int, const QUrl& name) override {
        if (name.scheme().compare("data", Qt::CaseInsensitive) == 0) return {};
        return QByteArray();
    }
};

}  // namespace

TfiPro::TfiPro(const Edition& edition, UserDialogs& dialogs, const std::optional<std::string>& page,
               std::filesystem::path marker, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), marker_(std::move(marker)) {
    setObjectName("fiPro");
    setWindowTitle(QString::fromStdString(edition.caption));

    auto* browser = new NewsBrowser(this);
    browser->setObjectName("wbNews");
    browser->setOpenLinks(false);
    if (page) browser->setHtml(QString::fromStdString(*page));
    else browser->setPlainText(kNewsUnavailable);
    // Links go to the user's browser, and only web addresses.
    connect(browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme() == "https" || url.scheme() == "http")
            dialogs_.OpenDocument(url.toString().toStdString());
    });

    cbDontShow_ = new QCheckBox("Να μην εμφανιστεί ξανά αυτό το μήνυμα", this);
    cbDontShow_->setObjectName("cbDontShow");
    auto* exit = new QPushButton("Έξοδος", this);
    exit->setObjectName("btExit");
    exit->setDefault(true);
    connect(exit, &QPushButton::clicked, this, &TfiPro::Exit);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(cbDontShow_);
    bottom->addStretch();
    bottom->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser, 1);
    layout->addLayout(bottom);
    resize(760, 560);
}

void TfiPro::Exit() {
    if (cbDontShow_->isChecked()) DeleteFile(marker_);  // a marker that stays only shows the news again
    accept();
}

}  // namespace kestrana
