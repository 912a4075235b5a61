#pragma once
// The online update of the running program: the version check through its
// windows and the news window, over the application's HTTP client.
#include <filesystem>

#include "update/update_protocol.h"
#include "update/update_service.h"

namespace kestrana {

struct AppContext;

class QtUpdateService : public UpdateService {
public:
    // Uses the context's edition, dialogs, modal runner and HTTP client; files
    // go to the folder of the context's store (the working folder when none).
    explicit QtUpdateService(AppContext& context);

    bool CheckNewVersion(bool manual, QWidget* parent) override;
    void ShowNews(QWidget* parent) override;

    const TransferCounters& Counters() const { return counters_; }

private:
    std::filesystem::path ProgramFolder() const;

    AppContext& context_;
    TransferCounters counters_;  // for the whole run
};

}  // namespace kestrana
