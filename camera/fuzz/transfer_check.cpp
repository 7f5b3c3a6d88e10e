#include "transfer_check.h"

#include "fuzz_failure.h"
#include "protocol.h"

#include <algorithm>

namespace peltrix {
namespace fuzz {

TransferCheck::Call::Call(TransferCheck &check, std::uint8_t request, int picture)
    : check(check) {
    check.request = request;
    check.written = 0;
    const int count = check.core->pictureCount();
    check.expectedKnown = picture >= 1 && picture <= count;
    if (check.expectedKnown)
        check.expected = check.core->picture(picture - 1);
}

std::int32_t TransferCheck::sizeOf(std::int32_t group, std::int32_t number) const {
    // A camera may list one picture twice: the largest of its sizes bounds it.
    std::int32_t size = -1;
    for (int i = 0; i < core->pictureCount(); ++i)
        if (core->picture(i).group == group && core->picture(i).number == number)
            size = std::max(size, core->picture(i).size);
    return size;
}

bool TransferCheck::append(int handle, const void *bytes, int count) {
    if (request == 0)
        fuzzFailure("%d bytes written into a host file outside a transfer", count);
    const std::uint8_t *command = line.lastCommand();
    if (command[0] != request)
        fuzzFailure("%d bytes written by a 0x%02x transfer after a 0x%02x request", count, request,
                    command[0]);
    const std::int32_t group = camLoad16(command + 4);
    const std::int32_t number = camLoad16(command + 6);
    if (written == 0 && !expectedKnown) {
        expected = CamPicture{group, number, sizeOf(group, number)};
        expectedKnown = true;
    }
    if (group != expected.group || number != expected.number)
        fuzzFailure("a 0x%02x transfer of picture %d/%d wrote %d bytes answering a request for "
                    "%d/%d",
                    request, expected.group, expected.number, count, group, number);
    if (request == CMD_PICTURE_DATA) {
        // The header and then at least the bytes written came since the request.
        if (line.deliveredSinceCommand() < CAM_HEADER_SIZE + count)
            fuzzFailure("%d bytes of picture %d/%d written, %ld came since the request", count,
                        group, number, line.deliveredSinceCommand() - CAM_HEADER_SIZE);
        if (written + count > expected.size)
            fuzzFailure("the file of picture %d/%d grows to %ld bytes, past its size %d", group,
                        number, written + count, expected.size);
    }
    written += count;
    return files.append(handle, bytes, count);
}

}  // namespace fuzz
}  // namespace peltrix
