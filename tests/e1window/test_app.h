#pragma once
// One QApplication for every test of the binary.
#include <QApplication>

namespace kestrana {
inline void App() {
    static int argc = 1;
    static char arg0[] = "test_e1window";
    static char* argv[] = {arg0, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}
}  // namespace kestrana
