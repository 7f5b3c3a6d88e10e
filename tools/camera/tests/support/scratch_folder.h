#pragma once
// A fresh folder for one test, removed with everything in it afterwards.

#include <string>
#include <vector>

namespace pdrcam_test {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    const std::string &path() const { return path_; }
    std::string file(const std::string &name) const;
    // Names of the files in the folder, sorted, without pdrcam's download
    // record.
    std::vector<std::string> names() const;

private:
    std::string path_;
};

// Names of the files in `folder`, sorted, without pdrcam's download record.
std::vector<std::string> downloadedNames(const std::string &folder);
std::vector<unsigned char> readAll(const std::string &path);
void writeAll(const std::string &path, const std::vector<unsigned char> &bytes);

}  // namespace pdrcam_test
