// Upload plans from local paths: what is posted, under which name, in which
// order (pages last, deepest first), with and without recursion; paths that
// cannot be posted.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "fake_tree.h"
#include "upload_plan.h"

namespace webpost_test {
namespace {

using namespace webpost;

FakeTree SiteTree() {
    return FakeTree({
        {"C:\\site\\", 0},
        {"C:\\site\\index.html", 100},
        {"C:\\site\\b.css", 20},
        {"C:\\site\\img\\", 0},
        {"C:\\site\\img\\a.jpg", 3000},
        {"C:\\site\\img\\thumbs\\", 0},
        {"C:\\site\\img\\thumbs\\a.jpg", 300},
        {"C:\\site\\empty\\", 0},
        {"C:\\other\\", 0},
        {"C:\\other\\index.html", 7},
        {"C:\\notes.txt", 5},
    });
}

// "D name" for a folder step, "F name <- local (size)" for a file step.
std::string Describe(const UploadPlan &plan) {
    std::ostringstream out;
    for (const PlanStep &s : plan.steps) {
        if (s.folder)
            out << "D " << s.remote << "\n";
        else
            out << "F " << s.remote << " <- " << s.localPath << " (" << s.size << ")\n";
    }
    return out.str();
}

struct PlanCase {
    const char *name;
    std::vector<std::string> paths;
    bool recursive;
    const char *steps;
    std::uint64_t totalBytes;
    std::size_t files;
};

const PlanCase kPlans[] = {
    {"folder with subfolders",
     {"C:\\site"},
     true,
     "F b.css <- C:\\site\\b.css (20)\n"
     "D empty\n"
     "D img\n"
     "F img/a.jpg <- C:\\site\\img\\a.jpg (3000)\n"
     "D img/thumbs\n"
     "F img/thumbs/a.jpg <- C:\\site\\img\\thumbs\\a.jpg (300)\n"
     "F index.html <- C:\\site\\index.html (100)\n",
     3420,
     4},
    {"folder without recursion",
     {"C:\\site"},
     false,
     "F b.css <- C:\\site\\b.css (20)\n"
     "F index.html <- C:\\site\\index.html (100)\n",
     120,
     2},
    {"a file and a folder's contents side by side",
     {"C:\\notes.txt", "C:\\site\\img\\thumbs"},
     true,
     "F notes.txt <- C:\\notes.txt (5)\n"
     "F a.jpg <- C:\\site\\img\\thumbs\\a.jpg (300)\n",
     305,
     2},
    {"an empty folder posts nothing", {"C:\\site\\empty"}, true, "", 0, 0},
};

TEST(UploadPlanTest, PlansEachFolderBeforeWhatItHoldsAndPagesLast) {
    for (const PlanCase &c : kPlans) {
        SCOPED_TRACE(c.name);
        FakeTree tree = SiteTree();
        PlanResult result = BuildUploadPlan(tree, c.paths, c.recursive);
        ASSERT_TRUE(result.ok) << result.failure.cause;
        EXPECT_EQ(Describe(result.plan), c.steps);
        EXPECT_EQ(result.plan.totalBytes, c.totalBytes);
        EXPECT_EQ(result.plan.fileCount, c.files);
    }
}

// Only the remote names of the file steps, in order.
std::string FileOrder(const UploadPlan &plan) {
    std::string out;
    for (const PlanStep &s : plan.steps) {
        if (!s.folder)
            out += s.remote + " ";
    }
    return out;
}

struct OrderCase {
    const char *name;
    FakeTree tree;
    const char *files;
};

TEST(UploadPlanTest, PagesGoLastDeepestFirstAndTheRootIndexLastOfAll) {
    OrderCase cases[] = {
        {"pages after pictures, any case of the extension",
         FakeTree({{"C:\\s\\", 0},
                   {"C:\\s\\index.html", 1},
                   {"C:\\s\\about.HTM", 1},
                   {"C:\\s\\z.jpg", 1},
                   {"C:\\s\\a.css", 1},
                   {"C:\\s\\htmlnotes.txt", 1},
                   {"C:\\s\\x.html.bak", 1}}),
         "a.css htmlnotes.txt x.html.bak z.jpg about.HTM index.html "},
        {"deepest pages first, a level's index page after its other pages",
         FakeTree({{"C:\\s\\", 0},
                   {"C:\\s\\index.htm", 1},
                   {"C:\\s\\news.html", 1},
                   {"C:\\s\\a\\", 0},
                   {"C:\\s\\a\\Index.HTML", 1},
                   {"C:\\s\\a\\b.png", 1},
                   {"C:\\s\\a\\x.html", 1},
                   {"C:\\s\\a\\deep\\", 0},
                   {"C:\\s\\a\\deep\\index.html", 1},
                   {"C:\\s\\b\\", 0},
                   {"C:\\s\\b\\index.html", 1},
                   {"C:\\s\\b\\c.gif", 1}}),
         "a/b.png b/c.gif a/deep/index.html a/x.html a/Index.HTML b/index.html news.html "
         "index.htm "},
        {"a page-like folder name is no page",
         FakeTree({{"C:\\s\\", 0},
                   {"C:\\s\\old.html\\", 0},
                   {"C:\\s\\old.html\\pic.jpg", 1},
                   {"C:\\s\\.html", 1}}),
         ".html old.html/pic.jpg "},
    };
    for (OrderCase &c : cases) {
        SCOPED_TRACE(c.name);
        PlanResult result = BuildUploadPlan(c.tree, {"C:\\s"}, true);
        ASSERT_TRUE(result.ok) << result.failure.cause;
        EXPECT_EQ(FileOrder(result.plan), c.files);
        // Every folder still comes before what it holds.
        std::set<std::string> made;
        for (const PlanStep &step : result.plan.steps) {
            const auto slash = step.remote.rfind('/');
            if (slash != std::string::npos) {
                EXPECT_TRUE(made.count(step.remote.substr(0, slash))) << step.remote;
            }
            if (step.folder)
                made.insert(step.remote);
        }
    }
}

struct RefusedCase {
    const char *name;
    std::vector<std::string> paths;
    const char *causeMentions;
};

const RefusedCase kRefused[] = {
    {"no paths", {}, "No local files"},
    {"missing path", {"C:\\site", "C:\\gone"}, "C:\\gone"},
    {"two files of one name", {"C:\\site", "C:\\other"}, "index.html"},
    {"unreadable folder", {"C:\\site"}, "C:\\site\\img"},
};

TEST(UploadPlanTest, RefusesPathsThatCannotBePosted) {
    for (const RefusedCase &c : kRefused) {
        SCOPED_TRACE(c.name);
        FakeTree tree({{"C:\\site\\", 0},
                       {"C:\\site\\index.html", 1},
                       {"C:\\site\\img\\", 0},
                       {"C:\\other\\", 0},
                       {"C:\\other\\index.html", 1}},
                      {std::string(c.name) == "unreadable folder" ? "C:\\site\\img" : ""});
        PlanResult result = BuildUploadPlan(tree, c.paths, true);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.failure.code, result::kPostFiles);
        EXPECT_NE(result.failure.cause.find(c.causeMentions), std::string::npos)
            << result.failure.cause;
    }
}

TEST(UploadPlanTest, LastComponentTakesEitherSeparator) {
    EXPECT_EQ(LastComponent("C:\\a\\b.txt"), "b.txt");
    EXPECT_EQ(LastComponent("C:/a/b.txt"), "b.txt");
    EXPECT_EQ(LastComponent("C:\\a\\dir\\"), "dir");
    EXPECT_EQ(LastComponent("b.txt"), "b.txt");
}

}  // namespace
}  // namespace webpost_test
