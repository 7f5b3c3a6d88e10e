#pragma once
// One destination kind's way of doing the plan's steps. Adapters: the folder
// copier, WebDAV over WinHTTP, FTP over WinINet (the transports); tests use a fake.
// Each call either succeeds (nullopt) or says why not.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "failure.h"

namespace webpost {

// Told of the bytes of a file as they go, so that the progress bar moves
// within a large file.
// Who the post logs in as, on the kinds that ask.
struct Credentials {
    std::string user;
    std::string password;
};

using ByteCounter = std::function<void(std::uint64_t bytesSoFar)>;

// A small file read whole from the destination (the site's memory).
enum class FetchState { Found, Missing, Unreadable };
struct Fetched {
    FetchState state = FetchState::Missing;
    std::string bytes;  // when Found
};

class Transport {
public:
    virtual ~Transport() = default;
    // Reaches the destination (connects, logs in, checks the root exists or
    // creates it). Called once, before any step.
    virtual std::optional<Failure> Open() = 0;
    // `remote` is the step's relative name ('/'-separated).
    virtual std::optional<Failure> MakeFolder(const std::string &remote) = 0;
    virtual std::optional<Failure> PutFile(const std::string &localPath, const std::string &remote,
                                           std::uint64_t size, const ByteCounter &counter) = 0;
    // Reads the file `remote` whole: Missing when the destination has no
    // such file, Unreadable when it cannot be read or is larger than `limit`.
    virtual Fetched FetchFile(const std::string &remote, std::size_t limit) = 0;
    // Stores `bytes` as the file `remote`, as PutFile stores a local file.
    virtual std::optional<Failure> PutBytes(const std::string &remote,
                                            const std::string &bytes) = 0;
};

}  // namespace webpost
