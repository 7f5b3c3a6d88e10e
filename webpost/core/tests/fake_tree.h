#pragma once
// A local tree from a table of paths ('\'-separated, as on Windows): a path
// ending in '\' is a folder, any other a file of the given size. A folder
// listed in `unreadable` cannot be listed.

#include <map>
#include <set>

#include "local_tree.h"

namespace webpost_test {

class FakeTree : public webpost::LocalTree {
public:
    struct Entry {
        const char *path;
        std::uint64_t size;
    };
    FakeTree(std::initializer_list<Entry> entries, std::set<std::string> unreadable = {})
        : unreadable_(std::move(unreadable)) {
        for (const Entry &e : entries) {
            std::string path = e.path;
            const bool folder = path.back() == '\\';
            if (folder)
                path.pop_back();
            items_[path] = webpost::LocalItem{Last(path), folder, e.size};
        }
    }

    std::optional<webpost::LocalItem> Stat(const std::string &path) override {
        auto it = items_.find(path);
        if (it == items_.end())
            return std::nullopt;
        return it->second;
    }

    std::optional<std::vector<webpost::LocalItem>> List(const std::string &folder) override {
        if (unreadable_.count(folder))
            return std::nullopt;
        std::vector<webpost::LocalItem> children;
        // Reverse order, so a plan that keeps the listing's order shows.
        for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
            const std::string &path = it->first;
            if (path.size() > folder.size() + 1 && path.compare(0, folder.size(), folder) == 0 &&
                path[folder.size()] == '\\' &&
                path.find('\\', folder.size() + 1) == std::string::npos)
                children.push_back(it->second);
        }
        return children;
    }

    std::string Join(const std::string &folder, const std::string &child) override {
        return folder + "\\" + child;
    }

private:
    static std::string Last(const std::string &path) {
        const auto slash = path.rfind('\\');
        return slash == std::string::npos ? path : path.substr(slash + 1);
    }

    std::map<std::string, webpost::LocalItem> items_;
    std::set<std::string> unreadable_;
};

}  // namespace webpost_test
