// qz end to end on files a shell cannot type: UTF-16 text and NUL bytes.
#include <cstdio>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

namespace {

struct QzRun {
    int status = -1;
    std::string out;
};

/// qz with these arguments; standard output and error together.
QzRun runQz(const std::string& args) {
    QzRun r;
    const std::string command = std::string("\"") + QZ_PATH + "\" " + args + " 2>&1";
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        std::size_t n = 0;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
        const int status = pclose(p);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return r;
}

std::string writeFile(const std::string& name, const std::string& bytes) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(QzFiles, Utf16TextIsReadAsUtf8) {
    std::string utf16 = "\xFF\xFE";
    for (const char c : std::string("Dip direction\tDip\n120\t30\n")) {
        utf16 += c;
        utf16 += '\0';
    }
    const QzRun r = runQz("info --strict \"" + writeFile("qz_utf16.txt", utf16) + "\"");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("UTF-16 text, read as UTF-8"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Planes: 1\n"), std::string::npos) << r.out;
}

TEST(QzFiles, RowsWithNulBytesAreReportedNotCut) {
    const QzRun r = runQz("info --strict --columns Strike,Dip \"" +
                        writeFile("qz_nul.txt", std::string("045\t4\0 0\n\0" "46\t31\n047\t32\n", 23)) + "\"");
    EXPECT_EQ(r.status, 3) << r.out;
    EXPECT_NE(r.out.find("Planes: 1\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("045\t4\\0 0\n%<Line 1> Error on input value\nNUL character in line"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("%<Line 2> Error on input value\nNUL character in line"), std::string::npos) << r.out;
}

}  // namespace
