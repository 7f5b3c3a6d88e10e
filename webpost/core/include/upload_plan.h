#pragma once
// The upload plan: every folder to create and every file to send, in an order
// a server accepts (a folder before what it holds), from the local paths
// handed to WpPostA. A folder given is posted as its contents: its files land
// at the destination's root, its subfolders below it (unless the caller asked
// for no recursion, when only the files directly inside are posted). A file
// given lands at the root under its own name.

#include <cstdint>
#include <string>
#include <vector>

#include "failure.h"
#include "local_tree.h"

namespace webpost {

struct PlanStep {
    bool folder = false;
    std::string localPath;  // empty for folders
    std::string remote;     // relative to the destination, '/'-separated, never empty
    std::uint64_t size = 0;
};

struct UploadPlan {
    std::vector<PlanStep> steps;
    std::uint64_t totalBytes = 0;
    std::size_t fileCount = 0;
};

struct PlanResult {
    bool ok = false;
    UploadPlan plan;
    Failure failure;  // when !ok: kPostFiles naming the path
};

// Children are taken in byte order of their names, so a plan is the same on
// every run; the pages then go last (PutPagesLast). Two local paths bringing
// the same remote name fail the plan.
PlanResult BuildUploadPlan(LocalTree &tree, const std::vector<std::string> &localPaths,
                           bool recursive);

// A file step of an HTML page: its name ends in ".htm" or ".html", in any case.
bool IsPage(const PlanStep &step);

// Moves the pages behind every other step, keeping the others' order; the
// pages deepest first and, on one level, the index pages ("index.html",
// "index.htm") after the others, so the root's index page is the very last.
void PutPagesLast(UploadPlan &plan);

// The last component of a local path ("C:\a\b.txt" -> "b.txt"), either separator.
std::string LastComponent(const std::string &path);

}  // namespace webpost
