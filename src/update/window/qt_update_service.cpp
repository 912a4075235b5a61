#include "update/window/qt_update_service.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <memory>

#include "editions/edition.h"
#include "platform/app_context.h"
#include "platform/file_ops.h"
#include "platform/modal_runner.h"
#include "platform/paths.h"
#include "records/declarations_store.h"
#include "update/check_new_version.h"
#include "update/http_client.h"
#include "update/news_page.h"
#include "update/window/tfi_pro.h"
#include "update/window/update_windows.h"

namespace fs = std::filesystem;

namespace kestrana {

namespace {

// Repaints while a request blocks. Clicks and keys wait: a second check or a
// closed window in the middle of a transfer would pull the ground from under it.
void Repaint() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

// The check's windows: the version-check window (shown or not) and the
// notice that lives for one check.
class WindowUpdateView : public UpdateView {
public:
    WindowUpdateView(AppContext& context, TfiNewVer& newVer, QWidget* parent)
        : context_(context), newVer_(newVer), parent_(parent) {}
    ~WindowUpdateView() override { CloseNotice(); }

    void ShowNotice() override {
        notice_ = std::make_unique<TfiNoConnection>(context_.edition, parent_);
        Repaint();
        notice_->show();
        Repaint();
    }
    void SetDetails(const std::string& text) override {
        if (notice_) notice_->SetDetails(QString::fromStdString(text));
        Repaint();
    }
    void ShowTransfer(const TransferView& view, bool transferEnded) override {
        // Bytes arrive in many small pieces; a few pictures a second are enough.
        if (!transferEnded && painted_.isValid() && painted_.elapsed() < 40) return;
        painted_.start();
        newVer_.Panels().Show(view);
        if (notice_) notice_->Panels().Show(view);
        Repaint();
    }
    InstallChoice AskInstallChoice() override {
        TfiDnld choice(notice_ ? static_cast<QWidget*>(notice_.get()) : parent_);
        if (context_.modal.Exec(choice) != QDialog::Accepted) return InstallChoice::None;
        return choice.Choice();
    }
    void CloseNotice() override {
        if (!notice_) return;
        notice_->close();
        notice_.reset();
    }

private:
    AppContext& context_;
    TfiNewVer& newVer_;
    QWidget* parent_;
    std::unique_ptr<TfiNoConnection> notice_;
    QElapsedTimer painted_;
};

// "Upgrade/Setup.exe" of the program's folder ("upgrade" found as it is spelt).
class FolderInstaller : public InstallerFiles {
public:
    explicit FolderInstaller(const fs::path& programFolder)
        : folder_(ResolveCaseInsensitive(programFolder, kUpdateFolder)),
          installer_(ResolveCaseInsensitive(programFolder, kInstallerPath)) {}
    void PrepareFolder() override { CreateFolder(folder_); }
    void RemoveInstaller() override { DeleteFile(installer_); }
    bool WriteInstaller(std::string_view bytes) override {
        return FolderExists(folder_) && WriteWholeFile(installer_, bytes);
    }
    std::string InstallerPath() const override { return installer_.string(); }

private:
    fs::path folder_, installer_;
};

}  // namespace

QtUpdateService::QtUpdateService(AppContext& context) : context_(context) {}

fs::path QtUpdateService::ProgramFolder() const {
    const std::string& base = context_.store.BaseDir();
    return base.empty() ? fs::current_path() : fs::path(base);
}

bool QtUpdateService::CheckNewVersion(bool manual, QWidget* parent) {
    if (!context_.http) return true;  // a program without network
    TfiNewVer window(parent);
    FolderInstaller files(ProgramFolder());
    auto run = [&](bool manualCheck, QWidget* noticeParent) {
        WindowUpdateView view(context_, window, noticeParent);
        UpdateSeams seams{context_.edition, *context_.http, context_.dialogs, view, files, counters_};
        return kestrana::CheckNewVersion(manualCheck, seams) == CheckOutcome::HandedOver;
    };
    // At start-up the window is never shown; its panels follow the check all the same.
    if (!manual) return !run(false, parent);

    bool handedOver = false;
    QObject::connect(window.CheckButton(), &QPushButton::clicked, &window, [&] {
        window.CheckButton()->setEnabled(false);
        handedOver = run(true, &window);
        window.CheckButton()->setEnabled(true);
        if (handedOver) window.accept();
    });
    context_.modal.Exec(window);
    return !handedOver;
}

void QtUpdateService::ShowNews(QWidget* parent) {
    std::optional<std::string> page;
    if (context_.http) page = ReadNewsPage(context_.http->Get(UpdateRequest(context_.edition, UpdateScript::News), nullptr));
    TfiPro window(context_.edition, context_.dialogs, page, ProgramFolder() / context_.edition.newsMarker, parent);
    context_.modal.Exec(window);
}

}  // namespace kestrana
