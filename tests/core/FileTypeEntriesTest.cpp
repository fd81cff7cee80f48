#include "core/app/FileTypeEntries.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace welkor;

TEST(FileTypeEntries, ExecArgumentsAreQuotedOnlyWhenTheyMustBe)
{
    EXPECT_EQ(QuoteExecArgument("/usr/bin/welkor-lumo"), "/usr/bin/welkor-lumo");
    EXPECT_EQ(QuoteExecArgument("/opt/Łódź/welkor-lumo"), "/opt/Łódź/welkor-lumo"); // letters are not reserved
    EXPECT_EQ(QuoteExecArgument("/opt/Welkor Lumo/welkor-lumo"), "\"/opt/Welkor Lumo/welkor-lumo\"");
    EXPECT_EQ(QuoteExecArgument("/a/it's"), "\"/a/it's\"");
    EXPECT_EQ(QuoteExecArgument("/a/$HOME`x`/\"q\"\\b"), "\"/a/\\$HOME\\`x\\`/\\\"q\\\"\\\\b\"");
    EXPECT_EQ(QuoteExecArgument("/a/100%/b"), "/a/100%%/b"); // never a field code
    EXPECT_EQ(QuoteExecArgument("/a/(x)"), "\"/a/(x)\"");
    EXPECT_FALSE(ExecProgramPathAllowed("/opt/a=b/welkor-lumo"));
    EXPECT_TRUE(ExecProgramPathAllowed("/opt/a b/welkor-lumo"));
}

TEST(FileTypeEntries, DesktopEntryEscapesTheQuotedExecOnceMore)
{
    DesktopEntryFields fields{"Welkor Lumo 1", "Raporty", "/home/ewa/Moje programy/a\\b/welkor-lumo", "welkor-lumo",
                              "application/x-welkor-rap"};
    const std::string text = DesktopEntryText(fields);
    // Quoting doubles the backslash, the string escape doubles it again.
    EXPECT_NE(text.find("\nExec=\"/home/ewa/Moje programy/a\\\\\\\\b/welkor-lumo\" %f\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nMimeType=application/x-welkor-rap;\n"), std::string::npos) << text;
    EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u);
}

namespace {

const std::string kType = "application/x-welkor-rap";
const std::string kId = "welkor-lumo.desktop";

} // namespace

TEST(FileTypeEntries, MergeAddsOneLineAndKeepsEveryOtherAssociation)
{
    const std::string user = "[Added Associations]\n"
                             "text/plain=gedit.desktop;\n"
                             "\n"
                             "[Default Applications]\n"
                             "image/png=viewer.desktop\n"
                             "\n"
                             "[Removed Associations]\n"
                             "text/html=foo.desktop;\n";
    EXPECT_EQ(MergeDefaultApplication(user, kType, kId),
              "[Added Associations]\n"
              "text/plain=gedit.desktop;\n"
              "\n"
              "[Default Applications]\n"
              "image/png=viewer.desktop\n"
              "application/x-welkor-rap=welkor-lumo.desktop;\n"
              "\n"
              "[Removed Associations]\n"
              "text/html=foo.desktop;\n");

    EXPECT_EQ(MergeDefaultApplication("", kType, kId),
              "[Default Applications]\napplication/x-welkor-rap=welkor-lumo.desktop;\n");
    EXPECT_EQ(MergeDefaultApplication("[Added Associations]\nimage/png=a.desktop;", kType, kId),
              "[Added Associations]\nimage/png=a.desktop;\n\n[Default Applications]\n"
              "application/x-welkor-rap=welkor-lumo.desktop;\n");
}

TEST(FileTypeEntries, MergePutsUsFirstOnAnExistingLineAndIsStableOnceMerged)
{
    const std::string list = "[Default Applications]\r\n"
                             "application/x-welkor-rap = other.desktop;welkor-lumo.desktop\r\n"
                             "image/png=viewer.desktop\r\n";
    const std::string merged = MergeDefaultApplication(list, kType, kId);
    EXPECT_EQ(merged, "[Default Applications]\r\n"
                      "application/x-welkor-rap=welkor-lumo.desktop;other.desktop;\n"
                      "image/png=viewer.desktop\r\n");
    EXPECT_EQ(MergeDefaultApplication(merged, kType, kId), merged);
    // Another type whose name starts like ours is a different line.
    const std::string longer = "[Default Applications]\napplication/x-welkor-rapx=x.desktop;\n";
    EXPECT_EQ(MergeDefaultApplication(longer, kType, kId),
              longer + "application/x-welkor-rap=welkor-lumo.desktop;\n");
}

TEST(FileTypeEntries, InstalledDesktopFilesAreWhatRegistrationWrites)
{
    auto read = [](const char* name) {
        std::ifstream in(std::string(WELKOR_SOURCE_DIR) + "/data/desktop/" + name, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    };
    DesktopEntryFields fields{"Welkor Lumo 1", "Raporty pomiarów mikropłytek (.rap)", "welkor-lumo", "welkor-lumo",
                              "application/x-welkor-rap"};
    EXPECT_EQ(read("welkor-lumo.desktop"), DesktopEntryText(fields));
    EXPECT_EQ(read("welkor-lumo.xml"), MimePackageXml(kType, "Plik raportu Welkor", "*.rap", "welkor-lumo"));
}
