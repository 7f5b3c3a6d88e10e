#include "upload_plan.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace webpost {

namespace {

class PlanBuilder {
public:
    PlanBuilder(LocalTree &tree, bool recursive) : tree_(tree), recursive_(recursive) {}

    bool AddFolderContents(const std::string &local, const std::string &remote) {
        std::optional<std::vector<LocalItem>> children = tree_.List(local);
        if (!children)
            return Fail("The folder \"" + local + "\" cannot be read.");
        std::sort(children->begin(), children->end(),
                  [](const LocalItem &a, const LocalItem &b) { return a.name < b.name; });
        // Files of a folder first, then its subfolders: a reader of the site
        // sees the pages of a level complete before the next level starts.
        for (const LocalItem &child : *children) {
            if (!child.folder &&
                !AddFile(tree_.Join(local, child.name), Below(remote, child.name), child.size))
                return false;
        }
        if (!recursive_)
            return true;
        for (const LocalItem &child : *children) {
            if (!child.folder)
                continue;
            const std::string childRemote = Below(remote, child.name);
            if (!AddFolder(childRemote) ||
                !AddFolderContents(tree_.Join(local, child.name), childRemote))
                return false;
        }
        return true;
    }

    bool AddFile(const std::string &local, const std::string &remote, std::uint64_t size) {
        if (!used_.insert(remote).second)
            return Fail("Two of the local files would be posted as \"" + remote + "\".");
        PlanStep step;
        step.localPath = local;
        step.remote = remote;
        step.size = size;
        result_.plan.steps.push_back(step);
        result_.plan.totalBytes += size;
        ++result_.plan.fileCount;
        return true;
    }

    bool AddFolder(const std::string &remote) {
        // The same folder from two local paths is created once and merged.
        if (!folders_.insert(remote).second)
            return true;
        if (used_.count(remote))
            return Fail("A file and a folder would both be posted as \"" + remote + "\".");
        used_.insert(remote);
        PlanStep step;
        step.folder = true;
        step.remote = remote;
        result_.plan.steps.push_back(step);
        return true;
    }

    bool Fail(const std::string &cause) {
        result_.failure.code = result::kPostFiles;
        result_.failure.cause = cause;
        return false;
    }

    PlanResult &Result() { return result_; }

private:
    static std::string Below(const std::string &remote, const std::string &name) {
        return remote.empty() ? name : remote + "/" + name;
    }

    LocalTree &tree_;
    bool recursive_;
    PlanResult result_;
    std::set<std::string> used_;
    std::set<std::string> folders_;
};

std::string Lower(std::string text) {
    for (char &c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::size_t Depth(const std::string &remote) {
    return static_cast<std::size_t>(std::count(remote.begin(), remote.end(), '/'));
}

bool IsIndexPage(const std::string &remote) {
    const auto slash = remote.rfind('/');
    const std::string name = Lower(slash == std::string::npos ? remote : remote.substr(slash + 1));
    return name == "index.html" || name == "index.htm";
}

}  // namespace

bool IsPage(const PlanStep &step) {
    if (step.folder)
        return false;
    const std::string name = Lower(step.remote);
    const auto endsWith = [&name](const std::string &tail) {
        return name.size() > tail.size() &&
               name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
    };
    return endsWith(".html") || endsWith(".htm");
}

void PutPagesLast(UploadPlan &plan) {
    // Pages link to the rest, and to deeper pages more often than to
    // shallower ones: everything else first, then the pages, deepest first,
    // a folder's index page after the other pages of its level, so that a
    // post cut short leaves no page linking to something not yet there.
    std::stable_partition(plan.steps.begin(), plan.steps.end(),
                          [](const PlanStep &step) { return !IsPage(step); });
    const auto pages = std::find_if(plan.steps.begin(), plan.steps.end(), IsPage);
    std::stable_sort(pages, plan.steps.end(), [](const PlanStep &a, const PlanStep &b) {
        const std::size_t depthA = Depth(a.remote);
        const std::size_t depthB = Depth(b.remote);
        if (depthA != depthB)
            return depthA > depthB;
        return !IsIndexPage(a.remote) && IsIndexPage(b.remote);
    });
}

std::string LastComponent(const std::string &path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && (trimmed.back() == '\\' || trimmed.back() == '/'))
        trimmed.pop_back();
    const auto separator = trimmed.find_last_of("\\/");
    return separator == std::string::npos ? trimmed : trimmed.substr(separator + 1);
}

PlanResult BuildUploadPlan(LocalTree &tree, const std::vector<std::string> &localPaths,
                           bool recursive) {
    PlanBuilder builder(tree, recursive);
    if (localPaths.empty()) {
        builder.Fail("No local files or folders were given.");
        return builder.Result();
    }
    for (const std::string &path : localPaths) {
        std::optional<LocalItem> item = tree.Stat(path);
        if (!item) {
            builder.Fail("The local path \"" + path + "\" does not exist.");
            return builder.Result();
        }
        const bool added = item->folder ? builder.AddFolderContents(path, "")
                                        : builder.AddFile(path, LastComponent(path), item->size);
        if (!added)
            return builder.Result();
    }
    PutPagesLast(builder.Result().plan);
    builder.Result().ok = true;
    return builder.Result();
}

}  // namespace webpost
