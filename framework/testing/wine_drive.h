// Test support: real drive letters and scratch folders for tests that touch
// the file system. The letters are made by Wine's mount manager (the same
// thing as a link in the prefix's dosdevices folder), so these helpers only
// work under Wine; elsewhere SharedDriveFolder is empty and no scratch folder
// is Ready.
#pragma once
#include <string>

namespace testsupport {

// The Windows folder that drive letters Q: and R: both lead to; it holds one
// scratch folder per test. Empty when the letters cannot be made. The letters
// stay defined in the prefix, for every test program that runs in it.
std::string SharedDriveFolder();

// What the platform reports a linked drive as (GetDriveType).
enum class DriveKind { Fixed, Removable };

// Links drive `letter` to an existing Windows folder, as a card in a reader
// would appear; true when the letter now leads there. It stays defined in
// the prefix: a test that uses a letter owns it for the whole prefix.
bool LinkDriveLetter(char letter, const std::string &windowsFolder,
                     DriveKind kind = DriveKind::Fixed);

// Creates every missing folder of `path`; true when it is a folder afterwards.
bool MakeFolders(const std::string &path);
// Writes a small file, creating its folders.
bool MakeFile(const std::string &path);
// Deletes a folder with everything in it.
void RemoveTree(const std::string &path);

// A fresh folder on drive Q: for one test, deleted afterwards. Its name is
// unique among the test processes that share the prefix.
class ScratchOnDrive {
public:
    ScratchOnDrive();
    ~ScratchOnDrive();
    ScratchOnDrive(const ScratchOnDrive &) = delete;
    ScratchOnDrive &operator=(const ScratchOnDrive &) = delete;

    bool Ready() const { return !path_.empty(); }
    // "Q:\<unique>" without a trailing separator.
    const std::string &Path() const { return path_; }
    std::string operator/(const std::string &name) const { return path_ + "\\" + name; }

private:
    std::string path_;
    std::string hostPath_;
};

}  // namespace testsupport
