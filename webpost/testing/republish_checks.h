#pragma once
// The checks of a re-publish that every destination kind shares: the folder
// tests, the WebDAV and the FTP tests each hand in how to get a fresh
// destination and where its files land, and the same cases run against it.
//
// The server's own files are the witness: after a first post each file on
// the server is overwritten with a marker, directly in the served folder.
// A file the next post sends loses its marker; one it leaves alone keeps it.

#include <functional>
#include <string>

#include "stored_sites.h"
#include "temp_tree.h"
#include "webpost_library.h"

namespace testsupport {

// A destination of its own for one case: the URL to post to (credentials
// in it where needed) and the served folder its files land in.
struct Destination {
    std::string url;
    std::string served;
};
using DestinationMaker = std::function<Destination(const std::string &tag)>;

// Unchanged, one file changed, the site's memory deleted or garbled on the
// server, and a stored site with FullPost: each case posts the sample site
// twice and checks which files the second post sent, and what the memory
// lists afterwards. `source` holds the sample site; `kind` is the stored
// site's kind ("folder", "webdav", "ftp").
void ExpectOnlyChangesResent(const WebPostLibrary &library, const StoredSites &sites,
                             const TempTree &source, const std::string &kind,
                             const DestinationMaker &fresh);

// A post that fails half-way (a new picture that cannot be read, held open
// by the test) over a site posted before: the changed pages stay old on the
// server, the files before the failure are new, the site's memory lists
// what was done; once the picture can be read, the next post completes it.
void ExpectPagesLastAfterAFailure(const WebPostLibrary &library, const TempTree &source,
                                  const DestinationMaker &fresh);

// Overwrites every file below `served` (the site's memory left out) with a
// marker naming it.
void MarkServedFiles(const std::string &served);
std::string Marker(const std::string &path);

}  // namespace testsupport
