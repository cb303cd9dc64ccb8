// layering_test.cpp - includes point down only: every quoted include of the sources is
// checked against the table of allowed directions, which the README map repeats.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// What the files of each folder may include besides their own folder's files: folders
// (ending in "/") or single headers. "*" lets test code reach everything.
const std::map<std::string, std::vector<std::string>> ALLOWED = {
    {"base/", {}},
    {"engine/", {"base/"}},
    {"analysis/", {"engine/", "base/"}},
    {"commands/", {"engine/", "base/"}},
    {"present/", {"commands/", "engine/", "base/"}},
    {"app/", {"commands/", "engine/engine.h", "present/answercmd.h", "present/longwork.h"}},
    {"cli/", {"app/qevinit.h", "engine/engine.h", "present/answer.h", "base/"}},
    {"tests/", {"*"}},
    {"fuzz/", {"*"}},
    {"bench/", {"*"}},
};

struct include {
    std::string file;  // relative to the source folder
    int line;
    std::string target;
};

// The folder part of a relative path ("engine/driver.cpp" -> "engine/"), "" at the top.
std::string folderof(const std::string &path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

// Every quoted include of the C++ files under 'root' but the build and hidden folders.
std::vector<include> includes(const fs::path &root)
{
    static const std::regex quoted(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<include> all;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        std::string name = it->path().filename().string();
        if (it->is_directory() && (name[0] == '.' || name.rfind("build", 0) == 0)) {
            it.disable_recursion_pending();
            continue;
        }
        std::string ext = it->path().extension().string();
        if (!it->is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
        std::string rel = fs::relative(it->path(), root).generic_string();
        std::ifstream in(it->path());
        std::string text;
        int n = 0;
        std::smatch m;
        while (std::getline(in, text)) {
            n++;
            if (std::regex_search(text, m, quoted)) all.push_back({rel, n, m[1]});
        }
    }
    return all;
}

// Why 'target', included by a file of 'folder', breaks the layering; empty when it does not.
std::string violation(const std::string &folder, const std::string &target)
{
    auto row = ALLOWED.find(folder);
    if (row == ALLOWED.end()) return "the folder " + folder + " has no row in the table of include directions";
    if (target.find('/') == std::string::npos || folderof(target) == folder) return "";
    for (const std::string &a : row->second)
        if (a == "*" || a == target || (a.back() == '/' && target.rfind(a, 0) == 0)) return "";
    return "includes point down only: " + folder + " may not include " + target;
}

// The README's table of include directions: folder -> what it may include.
std::map<std::string, std::vector<std::string>> readmetable(const fs::path &readme)
{
    std::ifstream in(readme);
    std::string line;
    std::map<std::string, std::vector<std::string>> table;
    bool inside = false;
    static const std::regex row(R"(^\|\s*`([^`]+)`\s*\|([^|]*)\|)"), item("`([^`]+)`");
    while (std::getline(in, line)) {
        if (line.find("Allowed include directions") != std::string::npos) inside = true;
        else if (inside && line.rfind("#", 0) == 0) break;
        std::smatch m;
        if (!inside || !std::regex_search(line, m, row)) continue;
        std::vector<std::string> &to = table[m[1]];
        std::string rest = m[2];
        for (std::sregex_iterator i(rest.begin(), rest.end(), item), end; i != end; ++i) to.push_back((*i)[1]);
    }
    return table;
}

}  // namespace

TEST(layering, includesPointDown)
{
    std::vector<include> all = includes(QEV_SOURCE);
    ASSERT_GT(all.size(), 100u);
    for (const include &i : all) {
        std::string why = violation(folderof(i.file), i.target);
        EXPECT_EQ(why, "") << i.file << ":" << i.line << ": #include \"" << i.target << "\"";
    }
}

TEST(layering, tableCatchesUpwardIncludes)
{
    EXPECT_NE(violation("engine/", "commands/frame.h"), "");
    EXPECT_NE(violation("base/", "engine/node.h"), "");
    EXPECT_NE(violation("cli/", "engine/library.h"), "");
    EXPECT_NE(violation("presentation/", "base/output.h"), "");
    EXPECT_EQ(violation("engine/", "engine/node.h"), "");
    EXPECT_EQ(violation("cli/", "userlib.h"), "");
}

TEST(layering, readmeMapAgrees)
{
    auto table = readmetable(fs::path(QEV_SOURCE) / "README.md");
    for (const auto &row : ALLOWED) {
        if (row.second.size() == 1 && row.second[0] == "*") continue;
        auto r = table.find(row.first);
        ASSERT_NE(r, table.end()) << row.first << " is missing in the README's include directions";
        std::vector<std::string> a = row.second, b = r->second;
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        EXPECT_EQ(a, b) << row.first;
    }
    for (const auto &row : table) EXPECT_TRUE(ALLOWED.count(row.first)) << row.first << " is only in the README";
}
