// Whether the host's picture numbers still name the pictures they named when
// the host listed them. A re-sync request (status 137) makes the library read
// the directory again; the table from before is kept until a read has
// replaced it and compared, and a table that differs makes the numbers stale
// until the host lists the pictures again.
#pragma once

#include <cstdint>
#include <vector>

namespace peltrix {

struct CamPicture {
    std::int32_t group;
    std::int32_t number;
    std::int32_t size;
};

// Whether the first `count` entries of `table` hold `picture` (group, number
// and size alike).
bool camTableHolds(const CamPicture *table, int count, const CamPicture &picture);

class PictureNumbering {
public:
    // The camera asked for a re-read; `count` -1 means the host holds no
    // table to compare with. A second request before a read keeps the first
    // table: that is the one the host numbered.
    void resyncRequested(const CamPicture *table, int count);
    // A read replaced the table (count -1: it failed; the comparison waits
    // for the next read).
    void tableRead(const CamPicture *table, int count);
    // The host listed the pictures: its numbers are those of the next read.
    void listedAfresh();

    bool stale() const { return stale_; }

private:
    std::vector<CamPicture> before_;
    bool comparing_ = false;
    bool stale_ = false;
};

}  // namespace peltrix
