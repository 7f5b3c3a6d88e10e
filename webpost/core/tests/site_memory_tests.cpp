// What a re-publish sends, from the site's memory and the local files'
// digests: unchanged files stay, changed and new ones go, folders are made
// when not remembered or on the way to a file that goes, and the old
// memory's entries of everything about to be sent are dropped until sent.
#include <gtest/gtest.h>

#include <sstream>

#include "site_memory.h"

namespace webpost_test {
namespace {

using namespace webpost;

const std::string kOld(64, '1');
const std::string kNew(64, '2');

// index.html (10), pics/ (folder), pics/a.jpg (20), pics/deep/ (folder),
// pics/deep/b.txt (30), empty/ (folder).
UploadPlan FullPlan() {
    UploadPlan plan;
    plan.steps = {{false, "L\\index.html", "index.html", 10},
                  {true, "", "pics", 0},
                  {false, "L\\pics\\a.jpg", "pics/a.jpg", 20},
                  {true, "", "pics/deep", 0},
                  {false, "L\\pics\\deep\\b.txt", "pics/deep/b.txt", 30},
                  {true, "", "empty", 0}};
    plan.totalBytes = 60;
    plan.fileCount = 3;
    return plan;
}

// Every step named as in the plan, every file with the digest kOld.
std::vector<StepFacts> FactsAllOld() {
    std::vector<StepFacts> facts;
    for (const PlanStep &step : FullPlan().steps) {
        StepFacts fact;
        fact.path = step.remote;
        if (!step.folder)
            fact.sha256 = kOld;
        facts.push_back(fact);
    }
    return facts;
}

// The memory of the whole plan posted with kOld digests.
Manifest MemoryOfAll() {
    Manifest m;
    m.folders = {"pics", "pics/deep", "empty"};
    m.files = {
        {"index.html", {10, kOld}}, {"pics/a.jpg", {20, kOld}}, {"pics/deep/b.txt", {30, kOld}}};
    return m;
}

std::string Steps(const Selection &s) {
    std::ostringstream out;
    for (std::size_t i = 0; i < s.plan.steps.size(); ++i) {
        out << (s.plan.steps[i].folder ? "D " : "F ") << s.plan.steps[i].remote;
        if (!s.records[i].recorded)
            out << " (unrecorded)";
        out << "\n";
    }
    return out.str();
}

std::string Entries(const Manifest &m) {
    std::ostringstream out;
    for (const std::string &f : m.folders)
        out << "D " << f << "\n";
    for (const auto &[path, file] : m.files)
        out << "F " << path << " " << file.size << " " << file.sha256.substr(0, 1) << "\n";
    return out.str();
}

struct SelectCase {
    const char *name;
    std::optional<Manifest> old;
    std::vector<StepFacts> facts;
    bool sendAll;
    std::string steps;
    std::string kept;
    std::uint64_t totalBytes;
    std::size_t files;
};

std::vector<SelectCase> Cases() {
    std::vector<SelectCase> cases;
    const std::string allSteps =
        "F index.html\nD pics\nF pics/a.jpg\nD pics/deep\nF pics/deep/b.txt\nD empty\n";
    cases.push_back(
        {"no memory: everything", std::nullopt, FactsAllOld(), false,
         "F index.html\nD pics\nF pics/a.jpg\nD pics/deep\nF pics/deep/b.txt\nD empty\n", "", 60,
         3});
    cases.push_back({"memory of everything as it is: nothing", MemoryOfAll(), FactsAllOld(), false,
                     "",
                     "D empty\nD pics\nD pics/deep\nF index.html 10 1\nF pics/a.jpg 20 1\n"
                     "F pics/deep/b.txt 30 1\n",
                     0, 0});
    {
        std::vector<StepFacts> facts = FactsAllOld();
        facts[4].sha256 = kNew;
        cases.push_back({"one digest differs: that file and the folders on its way", MemoryOfAll(),
                         facts, false, "D pics\nD pics/deep\nF pics/deep/b.txt\n",
                         "D empty\nD pics\nD pics/deep\nF index.html 10 1\nF pics/a.jpg 20 1\n", 30,
                         1});
    }
    {
        Manifest old = MemoryOfAll();
        old.files["index.html"].size = 11;
        cases.push_back(
            {"one size differs", old, FactsAllOld(), false, "F index.html\n",
             "D empty\nD pics\nD pics/deep\nF pics/a.jpg 20 1\nF pics/deep/b.txt 30 1\n", 10, 1});
    }
    {
        Manifest old = MemoryOfAll();
        old.files.erase("pics/a.jpg");
        old.folders.erase("empty");
        old.files["gone.txt"] = {5, kOld};
        cases.push_back({"a new file and a new folder; entries of files no longer local stay", old,
                         FactsAllOld(), false, "D pics\nF pics/a.jpg\nD empty\n",
                         "D pics\nD pics/deep\nF gone.txt 5 1\nF index.html 10 1\n"
                         "F pics/deep/b.txt 30 1\n",
                         20, 1});
    }
    cases.push_back({"send all: every step, the plan's entries dropped", MemoryOfAll(),
                     FactsAllOld(), true, allSteps, "D empty\nD pics\nD pics/deep\n", 60, 3});
    {
        std::vector<StepFacts> facts = FactsAllOld();
        facts[0].path.reset();
        facts[2].sha256.reset();
        cases.push_back(
            {"a path that cannot be written and a file that cannot be read go, "
             "unrecorded",
             MemoryOfAll(), facts, false,
             "F index.html (unrecorded)\nD pics\nF pics/a.jpg (unrecorded)\n",
             "D empty\nD pics\nD pics/deep\nF index.html 10 1\nF pics/deep/b.txt 30 1\n", 30, 2});
    }
    {
        Manifest old = MemoryOfAll();
        old.folders.erase("pics/deep");
        old.files.erase("pics/deep/b.txt");
        old.files["pics/deep"] = {1, kOld};
        cases.push_back({"a remembered file where a folder now is", old, FactsAllOld(), false,
                         "D pics\nD pics/deep\nF pics/deep/b.txt\n",
                         "D empty\nD pics\nF index.html 10 1\nF pics/a.jpg 20 1\n", 30, 1});
    }
    return cases;
}

TEST(SiteMemoryTest, SendsWhatDiffersFromTheMemory) {
    for (const SelectCase &c : Cases()) {
        SCOPED_TRACE(c.name);
        const Selection s = SelectSteps(FullPlan(), c.facts, c.old, c.sendAll);
        EXPECT_EQ(Steps(s), c.steps);
        EXPECT_EQ(Entries(s.kept), c.kept);
        EXPECT_EQ(s.plan.totalBytes, c.totalBytes);
        EXPECT_EQ(s.plan.fileCount, c.files);
        ASSERT_EQ(s.records.size(), s.plan.steps.size());
    }
}

TEST(SiteMemoryTest, RecordsWhatEachStepLeaves) {
    std::vector<StepFacts> facts = FactsAllOld();
    facts[2].sha256 = kNew;
    const Selection s = SelectSteps(FullPlan(), facts, std::nullopt, false);
    ASSERT_EQ(s.records.size(), 6u);
    EXPECT_EQ(s.records[1].path, "pics");
    EXPECT_EQ(s.records[2].path, "pics/a.jpg");
    EXPECT_EQ(s.records[2].file, (ManifestFile{20, kNew}));
    EXPECT_EQ(s.records[4].file, (ManifestFile{30, kOld}));
}

struct NameCase {
    const char *remote;
    bool uses;
};

TEST(SiteMemoryTest, APlanOnTheManifestsOwnNameIsRecognised) {
    const NameCase cases[] = {
        {".webpost-manifest", true},           {".WebPost-Manifest", true},
        {".webpost-manifest/inner.txt", true}, {"sub/.webpost-manifest", false},
        {".webpost-manifest.txt", false},      {"webpost-manifest", false},
    };
    for (const NameCase &c : cases) {
        SCOPED_TRACE(c.remote);
        UploadPlan plan = FullPlan();
        plan.steps.push_back({false, "L\\x", c.remote, 1});
        EXPECT_EQ(PlanUsesManifestName(plan), c.uses);
    }
    EXPECT_FALSE(PlanUsesManifestName(FullPlan()));
}

}  // namespace
}  // namespace webpost_test
