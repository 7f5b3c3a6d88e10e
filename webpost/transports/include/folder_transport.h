#pragma once
// Posting into a folder (local, UNC, or from a file: URL). Each file is
// written under a temporary name beside its final one and renamed over it
// when complete, so a failure or a crash never leaves a half-written file
// under its final name; what was posted before stays. The folder and names
// are UTF-8, written through the wide file functions. Files stored from
// memory (the site's memory of the post) are marked hidden.

#include "transport.h"

namespace webpost {

class FolderTransport : public Transport {
public:
    explicit FolderTransport(std::string folder) : folder_(std::move(folder)) {}
    std::optional<Failure> Open() override;
    std::optional<Failure> MakeFolder(const std::string &remote) override;
    std::optional<Failure> PutFile(const std::string &localPath, const std::string &remote,
                                   std::uint64_t size, const ByteCounter &counter) override;
    Fetched FetchFile(const std::string &remote, std::size_t limit) override;
    std::optional<Failure> PutBytes(const std::string &remote, const std::string &bytes) override;

private:
    std::string Target(const std::string &remote) const;
    std::string folder_;
};

}  // namespace webpost
