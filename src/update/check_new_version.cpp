#include "update/check_new_version.h"

#include <exception>

#include "editions/edition.h"
#include "platform/user_dialogs.h"

namespace kestrana {

namespace {

// Feeds the client's notices into the counters and the windows.
class CountingObserver : public HttpObserver {
public:
    CountingObserver(TransferCounters& counters, UpdateView& view) : counters_(counters), view_(view) {}
    void OnProgress(int64_t received) override {
        counters_.Progress(received);
        view_.ShowTransfer(counters_.DuringTransfer(), false);
    }
    void OnTransferEnd() override { view_.ShowTransfer(counters_.TransferEnd(), true); }

private:
    TransferCounters& counters_;
    UpdateView& view_;
};

class Check {
public:
    Check(bool manual, const UpdateSeams& s) : manual_(manual), s_(s), observer_(s.counters, s.view) {}

    CheckOutcome Run() {
        try {
            // Before and during the service test every failure is silent.
            if (!CheckingEnabled(Get(UpdateScript::EnableCheck))) return CheckOutcome::KeepRunning;
        } catch (const std::exception&) {
            return CheckOutcome::KeepRunning;
        }
        try {
            return AfterServiceTest();
        } catch (const std::exception&) {  // out of memory for a large reply, a file system error
            return Failed();
        }
    }

private:
    HttpReply Get(UpdateScript script) { return s_.http.Get(UpdateRequest(s_.edition, script), &observer_); }

    CheckOutcome Failed() {
        s_.dialogs.ShowError(UpdateFailedMessage());
        return CheckOutcome::KeepRunning;
    }

    CheckOutcome AfterServiceTest() {
        HttpReply reply = Get(UpdateScript::Version);
        if (!reply.Ok()) return Failed();
        auto version = ReadVersionReply(reply.body);
        if (!version) return Failed();
        if (!IsNewerVersion(*version, s_.edition.versionString)) {
            if (manual_) s_.dialogs.ShowMessage(kNoNewerVersion);
            return CheckOutcome::KeepRunning;
        }
        if (!s_.dialogs.AskYesNo(kNewVersionQuestion)) return CheckOutcome::KeepRunning;
        s_.files.RemoveInstaller();
        switch (s_.view.AskInstallChoice()) {
            case InstallChoice::Direct: return InstallDirectly();
            case InstallChoice::Browser:
                // Only an opened browser ends the program; otherwise nothing happened.
                if (!s_.dialogs.OpenDocument(s_.http.AddressOf(UpdatePath(s_.edition, UpdateScript::BrowserDownload))))
                    return Failed();
                return CheckOutcome::HandedOver;
            case InstallChoice::None: break;
        }
        return CheckOutcome::KeepRunning;
    }

    CheckOutcome InstallDirectly() {
        HttpReply list = Get(UpdateScript::FileList);
        if (!list.Ok()) return Failed();
        auto total = ReadFileListTotal(list.body);
        if (!total) return Failed();
        s_.counters.DownloadTotal = *total;
        s_.view.SetDetails(kDownloadingDetails);
        HttpReply download = Get(UpdateScript::Download);
        if (!download.Ok()) return Failed();
        auto installer = ReadInstallerReply(download.body);
        if (!installer) return CheckOutcome::KeepRunning;  // an error page: silently nothing
        s_.view.SetDetails(kWritingDetails);
        if (!s_.files.WriteInstaller(*installer)) return Failed();
        // The program ends only when the installer really runs.
        if (!s_.dialogs.StartProgram(s_.files.InstallerPath())) return Failed();
        return CheckOutcome::HandedOver;
    }

    bool manual_;
    const UpdateSeams& s_;
    CountingObserver observer_;
};

}  // namespace

CheckOutcome CheckNewVersion(bool manual, const UpdateSeams& seams) {
    seams.files.PrepareFolder();
    seams.view.ShowNotice();
    CheckOutcome outcome = Check(manual, seams).Run();
    seams.view.CloseNotice();
    return outcome;
}

}  // namespace kestrana
