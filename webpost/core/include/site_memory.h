#pragma once
// Which steps of an upload plan a re-publish carries out, from the site's
// memory (the manifest found at the destination) and the local files'
// sizes and SHA-256 digests: a file goes when the memory has no entry for it
// or one of another size or digest; a folder is made when the memory does
// not list it or a file below it goes. Also what of the old memory stays
// true while the chosen steps run: every entry except those of the paths
// about to be sent, whose state on the server is unknown until their step
// is done.

#include <optional>
#include <string>
#include <vector>

#include "manifest.h"
#include "upload_plan.h"

namespace webpost {

// What a post knows of one step of the full plan before sending anything.
struct StepFacts {
    // The step's path as the manifest spells it; nullopt when it cannot be
    // written there (then the step is always carried out and never recorded).
    std::optional<std::string> path;
    // A file's digest; nullopt when the local file cannot be read (then it
    // is sent, and its step reports why not).
    std::optional<std::string> sha256;
};

// One chosen step and what the memory records once it is done.
struct StepRecord {
    std::size_t step = 0;   // its index in the full plan
    bool recorded = false;  // false: the step leaves no entry
    std::string path;
    ManifestFile file;  // for a file step
};

struct Selection {
    UploadPlan plan;                  // the chosen steps, in the full plan's order
    std::vector<StepRecord> records;  // one for each step of `plan`
    Manifest kept;                    // the old memory's entries that stay true
};

// `facts` has one entry for each step of `full`. `old` is the memory found
// (nullopt: none, or none that can be read: everything goes); `sendAll`
// sends every step whatever the memory says.
Selection SelectSteps(const UploadPlan &full, const std::vector<StepFacts> &facts,
                      const std::optional<Manifest> &old, bool sendAll);

// Whether a step of the plan would land on the manifest's own name.
bool PlanUsesManifestName(const UploadPlan &plan);

}  // namespace webpost
