// The camera's pictures as the host sees them: numbered groups holding
// numbered pictures, each with its file bytes and its thumbnail answer.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace camsim {

struct StoredPicture {
    uint16_t group = 0;
    uint16_t number = 0;
    std::string name;                     // file name on the card, at most 12 characters
    std::vector<uint8_t> data;            // the picture file
    std::vector<uint8_t> thumbnail;       // the thumbnail answer, at most 14336 bytes
    std::vector<uint8_t> thumbnailStill;  // the JPEG inside the thumbnail answer
};

class PictureStore {
public:
    PictureStore() = default;
    // `emptyGroups`: folders on the card that hold no picture (yet).
    explicit PictureStore(std::vector<StoredPicture> pictures,
                          std::vector<uint16_t> emptyGroups = {})
        : pictures_(std::move(pictures)), emptyGroups_(std::move(emptyGroups)) {}

    // Group numbers in the order their first picture appears, then the empty
    // folders. A group whose last picture was erased is gone from the list.
    std::vector<uint16_t> groups() const;
    std::vector<uint16_t> picturesOf(uint16_t group) const;
    size_t countIn(uint16_t group) const;

    const StoredPicture *find(uint16_t group, uint16_t number) const;
    bool erase(uint16_t group, uint16_t number);

    const std::vector<StoredPicture> &all() const { return pictures_; }
    const std::vector<uint16_t> &emptyGroups() const { return emptyGroups_; }
    size_t size() const { return pictures_.size(); }
    bool empty() const { return pictures_.empty(); }
    uint64_t totalBytes() const;

private:
    std::vector<StoredPicture> pictures_;
    std::vector<uint16_t> emptyGroups_;
};

}  // namespace camsim
