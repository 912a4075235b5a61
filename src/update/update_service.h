#pragma once
// The seam through which the main window reaches the online update: the
// version check (at start-up and on request) and the news window.
class QWidget;

namespace kestrana {

class UpdateService {
public:
    virtual ~UpdateService() = default;
    // manual = false is the silent start-up check. False when the program
    // has handed over to an installer or to the browser and must end.
    virtual bool CheckNewVersion(bool manual, QWidget* parent) = 0;
    // The news window, shown at the first activation while its marker exists.
    virtual void ShowNews(QWidget* parent) = 0;
};

}  // namespace kestrana
