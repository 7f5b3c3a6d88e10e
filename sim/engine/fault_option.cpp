#include "fault_option.h"

#include <cctype>

namespace camsim {

namespace {

unsigned long parseNumber(const std::string &digits, const std::string &option, int base = 0) {
    if (digits.empty())
        throw std::invalid_argument("missing number in fault '" + option + "'");
    size_t used = 0;
    unsigned long value = 0;
    try {
        value = std::stoul(digits, &used, base);
    } catch (const std::exception &) {
        used = 0;
    }
    if (used != digits.size() || digits[0] == '-')
        throw std::invalid_argument("bad number '" + digits + "' in fault '" + option + "'");
    return value;
}

std::vector<uint8_t> parseHex(const std::string &digits, const std::string &option) {
    if (digits.size() % 2)
        throw std::invalid_argument("odd number of hex digits in fault '" + option + "'");
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < digits.size(); i += 2) {
        if (!std::isxdigit(static_cast<unsigned char>(digits[i])) ||
            !std::isxdigit(static_cast<unsigned char>(digits[i + 1])))
            throw std::invalid_argument("bad hex payload in fault '" + option + "'");
        bytes.push_back(static_cast<uint8_t>(std::stoul(digits.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

Vanishing parseVanishing(const std::string &which, const std::string &option) {
    if (which == "last")
        return Vanishing::Last;
    if (which == "before")
        return Vanishing::Before;
    if (which == "current")
        return Vanishing::Current;
    if (which == "after")
        return Vanishing::After;
    throw std::invalid_argument("expected last, before, current or after in fault '" + option +
                                "'");
}

}  // namespace

Fault parseFaultOption(FaultKind kind, const std::string &option) {
    Fault fault;
    fault.kind = kind;
    std::string rest = option;

    const size_t colon = rest.find(':');
    std::string arg;
    const bool hasArg = colon != std::string::npos;
    if (hasArg) {
        arg = rest.substr(colon + 1);
        rest.erase(colon);
    }
    const size_t slash = rest.find('/');
    if (slash != std::string::npos) {
        const unsigned long code = parseNumber(rest.substr(0, slash), option);
        if (code > 0xFF)
            throw std::invalid_argument("command code out of range in fault '" + option + "'");
        fault.command = static_cast<uint8_t>(code);
        rest.erase(0, slash + 1);
    } else if (kind == FaultKind::ChangePictures) {
        fault.command = CMD_PICTURE_DATA;
    }
    const size_t star = rest.find('*');
    if (star != std::string::npos) {
        fault.times = static_cast<unsigned>(parseNumber(rest.substr(star + 1), option, 10));
        rest.erase(star);
    }
    fault.ordinal = static_cast<unsigned>(parseNumber(rest, option, 10));
    if (fault.ordinal == 0 || fault.times == 0)
        throw std::invalid_argument("counts start at 1 in fault '" + option + "'");

    switch (kind) {
    case FaultKind::StallPayload:
        if (!hasArg)
            throw std::invalid_argument("stall needs ':BYTES' in fault '" + option + "'");
        fault.stallAfter = parseNumber(arg, option, 10);
        break;
    case FaultKind::Refuse: {
        if (!hasArg)
            throw std::invalid_argument("refuse needs ':STATUS' in fault '" + option + "'");
        const unsigned long status = parseNumber(arg, option);
        if (status < 0x80 || status > 0xFF)
            throw std::invalid_argument("status must be 0x80..0xFF in fault '" + option + "'");
        fault.status = static_cast<uint8_t>(status);
        break;
    }
    case FaultKind::Busy:
        if (hasArg)
            fault.payload = parseHex(arg, option);
        break;
    case FaultKind::ChangePictures:
        if (hasArg)
            fault.vanishes = parseVanishing(arg, option);
        break;
    default:
        if (hasArg)
            throw std::invalid_argument("unexpected ':' argument in fault '" + option + "'");
    }
    return fault;
}

}  // namespace camsim
