#include "activities/RegisterImage.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sys/wait.h>

using namespace register_image;

namespace {

struct ToolRun {
    int status;
    std::string out;
};

ToolRun tool(std::string const& args)
{
    std::string const command = std::string("'") + SPROUT_REGISTER_TOOL + "' " + args + " 2>/dev/null";
    FILE* p = ::popen(command.c_str(), "r");
    ToolRun run { -1, {} };
    if (!p)
        return run;
    std::array<char, 4096> chunk;
    while (std::size_t n = std::fread(chunk.data(), 1, chunk.size(), p))
        run.out.append(chunk.data(), n);
    int status = ::pclose(p);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}

TEST(RegisterTool, ListWithCountersGivesEveryEntryThatCounted)
{
    TempFolder t;
    std::string anna = counted(added(2, "anna"), 4, 1, 3);
    anna = counted(anna, 4, 5, -1);
    t.write("students.dat", anna + record(1, "zara") + added(3, "\xe9mile"));
    std::string const folder = "'" + t.path() + "'";

    ToolRun plain = tool("list " + folder);
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out, "2\tanna\t\t\n1\tzara\t\t\n3\t\xc3\xa9mile\t\t\n");

    ToolRun full = tool("list --counters " + folder);
    EXPECT_EQ(full.status, 0);
    // The last counter given for an entry is its own: -1 is shown as it is.
    EXPECT_EQ(full.out,
        "2\tanna\t\t\t4:3,0,0,0,-1\t11:1,0,0,0,0\n"
        "1\tzara\t\t\n"
        "3\t\xc3\xa9mile\t\t\t11:1,0,0,0,0\n");

    EXPECT_EQ(tool("list --count " + folder).status, 2);
    EXPECT_EQ(tool("list " + folder + " --counters").status, 2);
    t.write("students.dat", anna.substr(0, 400));
    EXPECT_EQ(tool("list --counters " + folder).status, 1);
}
