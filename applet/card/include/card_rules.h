#pragma once
// The text rules of the card watch, free of the platform: which drive a
// volume-arrival mask names, which folders mark a camera card on that drive,
// and what a card arrival writes into ConnectVia.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace applet {

// "A:" for bit 0 up to "Z:" for bit 25: the lowest set bit only. Empty for a
// mask of 0 (and for one whose lowest bit lies past Z).
std::string LowestDriveOfUnitMask(uint32_t unitMask);

// The folders to look for on `drive` ("E:"), one per piece of the
// ';'-separated `folderList`: pieces are trimmed and blank ones skipped; a
// piece on the same drive letter (either case) stands as it is, every other
// one is joined to the drive, so a piece of another drive gives a path that
// is never a folder.
std::vector<std::string> CardFolderCandidates(const std::string &drive,
                                              const std::string &folderList);

// The card-file pattern to look for: "-" means none (empty).
std::string CardFilePattern(const std::string &setting);

// The ConnectVia value a card arrival writes for the connection kind read at
// start, or nothing when it is already 1 (memory card) or 3.
std::optional<int32_t> ConnectViaForCardArrival(int32_t connectionKind, bool toshibaMode);

}  // namespace applet
