#include "site_memory.h"

#include <cctype>

namespace webpost {

namespace {

bool SameNameIgnoringCase(const std::string &a, const std::string &b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

bool PlanUsesManifestName(const UploadPlan &plan) {
    // Folders on Windows and many servers ignore case: ".WebPost-Manifest"
    // would be the same file.
    for (const PlanStep &step : plan.steps) {
        const std::string top = step.remote.substr(0, step.remote.find('/'));
        if (SameNameIgnoringCase(top, kManifestName))
            return true;
    }
    return false;
}

Selection SelectSteps(const UploadPlan &full, const std::vector<StepFacts> &facts,
                      const std::optional<Manifest> &old, bool sendAll) {
    Selection selection;
    if (old)
        selection.kept = *old;
    std::vector<bool> chosen(full.steps.size(), false);
    // Files first: whether a folder is made depends on the files below it.
    std::vector<const PlanStep *> sentFiles;
    for (std::size_t i = 0; i < full.steps.size(); ++i) {
        const PlanStep &step = full.steps[i];
        const StepFacts &fact = facts[i];
        if (step.folder)
            continue;
        bool same = false;
        if (!sendAll && old && fact.path && fact.sha256) {
            const auto entry = old->files.find(*fact.path);
            same = entry != old->files.end() && entry->second.size == step.size &&
                   entry->second.sha256 == *fact.sha256;
        }
        if (same)
            continue;
        chosen[i] = true;
        sentFiles.push_back(&step);
        if (fact.path) {
            selection.kept.files.erase(*fact.path);
            selection.kept.folders.erase(*fact.path);
        }
    }
    for (std::size_t i = 0; i < full.steps.size(); ++i) {
        const PlanStep &step = full.steps[i];
        const StepFacts &fact = facts[i];
        if (!step.folder)
            continue;
        bool listed = !sendAll && old && fact.path && old->folders.count(*fact.path);
        if (listed) {
            // Made before; made again only on the way to a file that goes,
            // which costs little and mends a folder removed on the server.
            const std::string prefix = step.remote + "/";
            for (const PlanStep *file : sentFiles) {
                if (file->remote.compare(0, prefix.size(), prefix) == 0) {
                    listed = false;
                    break;
                }
            }
        }
        if (listed)
            continue;
        chosen[i] = true;
        if (fact.path)
            selection.kept.files.erase(*fact.path);
    }
    for (std::size_t i = 0; i < full.steps.size(); ++i) {
        if (!chosen[i])
            continue;
        const PlanStep &step = full.steps[i];
        const StepFacts &fact = facts[i];
        selection.plan.steps.push_back(step);
        StepRecord record;
        record.step = i;
        record.recorded = fact.path && (step.folder || fact.sha256);
        if (record.recorded) {
            record.path = *fact.path;
            record.file.size = step.size;
            record.file.sha256 = step.folder ? "" : *fact.sha256;
        }
        selection.records.push_back(record);
        if (!step.folder) {
            selection.plan.totalBytes += step.size;
            ++selection.plan.fileCount;
        }
    }
    return selection;
}

}  // namespace webpost
