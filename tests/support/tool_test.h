// Runs the built kestrana-calc as a program, in a folder of the test's own.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kestrana {

struct ToolRun {
    int status = -1;
    std::string out, err;
};

inline std::string KestranaCalcPath() {
    // ctest sets the program folder; run by hand, it lies beside tests/.
    namespace fs = std::filesystem;
    const char* bin = std::getenv("KESTRANA_BIN_DIR");
    const fs::path dir = bin ? fs::path(bin) : fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "bin";
    return (dir / "kestrana-calc").string();
}

class ToolTest : public ::testing::Test {
protected:
    explicit ToolTest(const std::string& prefix) : prefix_(prefix) {}

    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               (prefix_ + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        ASSERT_TRUE(std::filesystem::exists(KestranaCalcPath())) << KestranaCalcPath();
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // `kestrana-calc verb args`; args are passed to the shell as they stand.
    ToolRun RunTool(const std::string& verb, const std::string& args) {
        const std::filesystem::path err = dir_ / "stderr.txt";
        const std::string cmd = "'" + KestranaCalcPath() + "' " + verb + " " + args + " 2>'" + err.string() + "'";
        ToolRun r;
        FILE* p = ::popen(cmd.c_str(), "r");
        if (!p) return r;
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
        const int raw = ::pclose(p);
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        std::ifstream e(err, std::ios::binary);
        r.err.assign(std::istreambuf_iterator<char>(e), std::istreambuf_iterator<char>());
        return r;
    }

    std::filesystem::path dir_;

private:
    std::string prefix_;
};

}  // namespace kestrana
