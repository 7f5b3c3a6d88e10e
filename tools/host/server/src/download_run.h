#pragma once
// A download: every picture of a source into the album folder, one after the
// other. Each file is written under a hidden working name and takes its final
// name only when complete; a copy that stops or fails leaves no working file
// and no file under a final name. A name the album already holds is kept and
// the picture takes the next free alternative (PIC00001-2.JPG).

#include <functional>
#include <string>
#include <vector>

#include "picture_source.h"
#include "task_plan.h"

namespace standin {

struct DownloadHooks {
    std::function<void(const std::string &)> activity;  // what is being done now
    std::function<void(int)> progress;                  // percent of all bytes
    std::function<bool()> keepGoing;                    // looks at the window; false: cancelled
};

TaskResult DownloadPictures(PictureSource &source, const std::vector<SourcePicture> &pictures,
                            const std::string &album, const DownloadHooks &hooks);

}  // namespace standin
