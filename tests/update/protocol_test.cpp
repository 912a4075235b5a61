// The update protocol without network: paths, the version comparison, the
// file list, the installer rule, the counters and the panel texts.
#include <gtest/gtest.h>

#include "editions/edition.h"
#include "update/news_page.h"
#include "update/update_protocol.h"

using namespace kestrana;

TEST(UpdateProtocol, PathsAndTimeOutsPerEdition) {
    EXPECT_EQ(UpdatePath(Edition2019(), UpdateScript::EnableCheck), "/versions/KESTRA2019/enableinternetcheck.php");
    EXPECT_EQ(UpdatePath(Edition2019(), UpdateScript::Version), "/versions/KESTRA2019/getkestraver.php");
    EXPECT_EQ(UpdatePath(Edition2019(), UpdateScript::FileList), "/versions/KESTRA2019/httpfilelist.php?cp=*.txt");
    EXPECT_EQ(UpdatePath(Edition2019(), UpdateScript::Download), "/versions/KESTRA2019/httpdnld.php");
    EXPECT_EQ(UpdatePath(Edition2019(), UpdateScript::BrowserDownload), "/versions/KESTRA2019/dnldnewkestraver.php");
    EXPECT_EQ(UpdatePath(Edition2019(), UpdateScript::News), "/versions/KESTRA2019/editorial.html");
    EXPECT_EQ(UpdatePath(Edition2018(), UpdateScript::Version), "/versions/KESTRA2018/getkestraver.php");

    HttpRequest first = UpdateRequest(Edition2019(), UpdateScript::EnableCheck);
    EXPECT_EQ(first.connectTimeoutMs, 5000);
    EXPECT_EQ(first.readTimeoutMs, 5000);
    for (UpdateScript later : {UpdateScript::Version, UpdateScript::FileList, UpdateScript::Download}) {
        HttpRequest r = UpdateRequest(Edition2019(), later);
        EXPECT_EQ(r.connectTimeoutMs, 5000);
        EXPECT_EQ(r.readTimeoutMs, 10000);
    }
    EXPECT_GE(UpdateRequest(Edition2019(), UpdateScript::Download).maxBodyBytes, size_t{64} << 20);
    EXPECT_TRUE(Edition2019().updateServer.starts_with("https://"));
    EXPECT_TRUE(Edition2018().updateServer.starts_with("https://"));
}

TEST(UpdateProtocol, ServiceTestWantsExactlyOk) {
    EXPECT_TRUE(CheckingEnabled(HttpReply{HttpError::None, 200, "OK", ""}));
    for (const char* body : {"", "ok", "OK\n", " OK", "NO"})
        EXPECT_FALSE(CheckingEnabled(HttpReply{HttpError::None, 200, body, ""})) << body;
    EXPECT_FALSE(CheckingEnabled(HttpReply{HttpError::Timeout, 0, "OK", ""}));
}

TEST(UpdateProtocol, VersionComparedByCharacterCodes) {
    struct Case {
        const char* server;
        const char* own;
        bool newer;
    } cases[] = {
        {"2019 (ver 2.00)", "2019 (ver 2.00)", false}, {"2019 (ver 2.01)", "2019 (ver 2.00)", true},
        {"2020 (ver 1.00)", "2019 (ver 2.00)", true},  {"", "2019 (ver 2.00)", false},
        {"2019 (ver 1.99)", "2019 (ver 2.00)", false}, {"2019 (ver 2.00) ", "2019 (ver 2.00)", true},
        {"2019 (ver 10.0)", "2019 (ver 2.00)", false},  // '1' < '2': characters, not numbers
        {"2019 (VER 3.00)", "2019 (ver 2.00)", false},  // 'V' < 'v'
        {"\xC3\xA9", "2019 (ver 2.00)", true},          // bytes above 127 sort after digits
        {"2018 (ver 6.01)", "2018 (ver 6.00)", true},  {"2018 (ver 6.00)", "2018 (ver 6.00)", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsNewerVersion(c.server, c.own), c.newer) << c.server;
}

TEST(UpdateProtocol, VersionReplyMustBeText) {
    EXPECT_EQ(ReadVersionReply("2019 (ver 2.01)"), "2019 (ver 2.01)");
    EXPECT_EQ(ReadVersionReply("2019 (ver 2.00)\r\n"), "2019 (ver 2.00)");  // equal, not newer
    EXPECT_EQ(ReadVersionReply(""), "");
    for (std::string bad : {std::string("2019\0(ver 2.01)", 15), std::string("2019\t(ver)"), std::string("\x7F"),
                            std::string("2019\n(ver 2.01)")})
        EXPECT_FALSE(ReadVersionReply(bad)) << bad;
}

TEST(UpdateProtocol, FileListTotal) {
    struct Case {
        const char* body;
        std::optional<int64_t> total;
    } cases[] = {
        {"2<br/>a.txt<br/>100<br/>b.txt<br/>250<br/>", 350},
        {"0<br/>", 0},
        {"1<br/>setup.exe<br/>12345678<br/>trailing text", 12345678},
        {" 2 <br/>a.txt<br/> 100\r\n<br/>b.txt<br/>250<br/>", 350},  // blanks around numbers
        {"1<br/><br/>5<br/>", 5},                                    // an empty name
        {"x<br/>a.txt<br/>100<br/>", std::nullopt},                  // count not a number
        {"<br/>", std::nullopt},
        {"2", std::nullopt},                                         // no separator at all
        {"2<br/>a.txt<br/>100<br/>b.txt<br/>2x0<br/>", std::nullopt}, // size not a number
        {"2<br/>a.txt<br/>100<br/>b.txt<br/>250", std::nullopt},     // cut short
        {"3<br/>a.txt<br/>100<br/>b.txt<br/>250<br/>", std::nullopt}, // fewer entries than counted
        {"-1<br/>", std::nullopt},
        {"1<br/>a<br/>-5<br/>", std::nullopt},
        {"1<br/>a<br/>+5<br/>", std::nullopt},
        {"1<br/>a<br/>99999999999999999999<br/>", std::nullopt},   // beyond 64 bits
        {"2<br/>a<br/>9223372036854775807<br/>b<br/>1<br/>", std::nullopt},  // the sum overflows
        {"99999999999<br/>a<br/>1<br/>", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadFileListTotal(c.body), c.total) << c.body;
}

TEST(UpdateProtocol, InstallerNeedsAtLeast1001Bytes) {
    EXPECT_FALSE(ReadInstallerReply(std::string(1000, 'x')));
    EXPECT_FALSE(ReadInstallerReply(""));
    ASSERT_TRUE(ReadInstallerReply(std::string(1001, 'x')));
    EXPECT_EQ(ReadInstallerReply(std::string(1001, 'x'))->size(), 1001u);
}

TEST(UpdateProtocol, ThousandsDots) {
    std::pair<int64_t, const char*> cases[] = {{0, "0"},         {999, "999"},         {1000, "1.000"},
                                               {350, "350"},     {12345, "12.345"},    {1234567, "1.234.567"},
                                               {-1234, "-1.234"}, {INT64_MIN, "-9.223.372.036.854.775.808"}};
    for (auto [n, text] : cases) EXPECT_EQ(ThousandsDots(n), text) << n;
}

TEST(UpdateProtocol, PanelsAndBars) {
    TransferView v = ViewOfTransfer(1234, 5000);
    EXPECT_EQ(v.received, "Παραλήφθησαν 1.234 Bytes");
    EXPECT_EQ(v.total, "από σύνολο 5.000 Bytes");
    EXPECT_EQ(v.percent, 25);  // 24.68

    EXPECT_EQ(ViewOfTransfer(0, 0).received, "Παραλήφθησαν 0 Bytes");
    EXPECT_EQ(ViewOfTransfer(0, 0).percent, std::nullopt);  // no total: bars untouched
    // More than announced: panels cleared, the bars full.
    TransferView over = ViewOfTransfer(400, 350);
    EXPECT_EQ(over.received, "");
    EXPECT_EQ(over.total, "");
    EXPECT_EQ(over.percent, 100);
    EXPECT_EQ(ViewOfTransfer(17, 0).percent, 0);  // before the file list
    // Halves go to the even number.
    EXPECT_EQ(ViewOfTransfer(1, 8).percent, 12);   // 12.5
    EXPECT_EQ(ViewOfTransfer(3, 8).percent, 38);   // 37.5
    EXPECT_EQ(ViewOfTransfer(2, 3).percent, 67);
}

TEST(UpdateProtocol, CountersAddEachTransferOnce) {
    TransferCounters c;
    c.Progress(2);
    c.TransferEnd();  // "OK"
    c.Progress(15);
    c.TransferEnd();  // the version
    EXPECT_EQ(c.DownloadReceived, 17);
    c.DownloadTotal = 5000;
    c.Progress(1000);
    EXPECT_EQ(c.DuringTransfer().received, "Παραλήφθησαν 1.017 Bytes");
    c.Progress(3000);
    TransferView end = c.TransferEnd();
    EXPECT_EQ(c.DownloadReceived, 3017);
    EXPECT_EQ(c.LastWorkCount, 0);
    EXPECT_EQ(end.received, "Παραλήφθησαν 3.017 Bytes");
    EXPECT_EQ(end.total, "από σύνολο 5.000 Bytes");
    EXPECT_EQ(end.percent, 60);
    c.TransferEnd();  // a failed request adds nothing
    EXPECT_EQ(c.DownloadReceived, 3017);
}

TEST(UpdateProtocol, FiveLineMessage) {
    EXPECT_EQ(UpdateFailedMessage(),
              "ΠΡΟΣΟΧΗ !! \r\n"
              " Δημιουργήθηκε κάποιο πρόβλημα με την εγγραφή των δεδομένων και η αναβάθμιση δεν έγινε.\r\n"
              " Προσπαθείστε πάλι εκτελώντας τη συντόμευση ως εξής : \r\n"
              " Κάνετε κλικ με το δεξί πλήκτρο του ποντικιού πάνω στο εικονίδιο και επιλέξτε την διαδικασία \r\n"
              "\"εκτέλεση ώς διαχειριστής\" (run as administrator) ");
}

TEST(NewsPage, Utf8KeptOtherBytesReadAsGreekCodePage) {
    auto ok = [](std::string body) { return HttpReply{HttpError::None, 200, std::move(body), ""}; };
    EXPECT_EQ(ReadNewsPage(ok("<p>Νέα</p>")), "<p>Νέα</p>");
    EXPECT_EQ(ReadNewsPage(ok("\xEF\xBB\xBF<p>Νέα</p>")), "<p>Νέα</p>");
    EXPECT_EQ(ReadNewsPage(ok("<p>\xCD\xDD\xE1</p>")), "<p>Νέα</p>");  // Windows-1253
    EXPECT_EQ(ReadNewsPage(ok("")), std::nullopt);
    EXPECT_EQ(ReadNewsPage(HttpReply{HttpError::Connect, 0, "", ""}), std::nullopt);

    EXPECT_TRUE(IsUtf8("abc Ωω \xF0\x9F\x98\x80"));
    for (const char* bad : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xCE", "\xCE\x41", "\xFF"})
        EXPECT_FALSE(IsUtf8(bad)) << bad;
}
