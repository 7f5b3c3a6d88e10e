#include "call_log_line.h"

#include <cstdio>
#include <cstdlib>

namespace standin {

namespace {

constexpr char kAbsent[] = "~";

std::string Escape(const std::string &text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
            break;
        }
    }
    return out;
}

// Splits at unescaped tabs and undoes the escapes; a field that is exactly
// the absent marker is reported through `absent`.
struct Field {
    std::string text;
    bool absent = false;
};

std::optional<std::vector<Field>> Split(const std::string &line) {
    std::vector<Field> fields(1);
    std::string raw;
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == '\t') {
            fields.back().absent = raw == kAbsent;
            fields.emplace_back();
            raw.clear();
            continue;
        }
        raw += c;
        if (c != '\\') {
            fields.back().text += c;
            continue;
        }
        if (++i == line.size())
            return std::nullopt;
        char next = line[i];
        raw += next;
        switch (next) {
        case '\\':
            fields.back().text += '\\';
            break;
        case 't':
            fields.back().text += '\t';
            break;
        case 'n':
            fields.back().text += '\n';
            break;
        case '~':
            fields.back().text += '~';
            break;
        default:
            return std::nullopt;
        }
    }
    fields.back().absent = raw == kAbsent;
    return fields;
}

bool ParseLong(const std::string &text, long &value) {
    if (text.empty())
        return false;
    char *end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return *end == '\0';
}

// Eight hex digits: a status code's 32 bits.
bool ParseStatus(const std::string &text, int32_t &value) {
    if (text.size() != 8)
        return false;
    char *end = nullptr;
    unsigned long bits = std::strtoul(text.c_str(), &end, 16);
    if (*end != '\0')
        return false;
    value = static_cast<int32_t>(static_cast<uint32_t>(bits));
    return true;
}

std::string Number(std::optional<long> value) {
    return value ? std::to_string(*value) : kAbsent;
}

std::string Text(const std::optional<std::string> &value) {
    if (!value)
        return kAbsent;
    return *value == kAbsent ? "\\~" : Escape(*value);
}

std::optional<long> NumberField(const Field &field, bool &ok) {
    if (field.absent)
        return std::nullopt;
    long value = 0;
    ok = ok && ParseLong(field.text, value);
    return value;
}

}  // namespace

std::string EncodeCallLine(const CallRecord &call) {
    char status[16];
    std::snprintf(status, sizeof status, "%08lX",
                  static_cast<unsigned long>(static_cast<uint32_t>(call.status)));
    std::string line = std::to_string(call.dispid) + '\t' + Escape(call.method) + '\t' + status +
                       '\t' + std::to_string(call.process);
    if (call.sideChannel) {
        line += "\tS\t" + Number(call.sideChannel->fromVesko) + '\t' +
                Number(call.sideChannel->veskoLaunchApp) + '\t' +
                Text(call.sideChannel->pcCardDrive);
    } else {
        line += "\t-";
    }
    for (const std::string &arg : call.args)
        line += '\t' + Escape(arg);
    return line;
}

std::optional<CallRecord> DecodeCallLine(const std::string &line) {
    std::optional<std::vector<Field>> fields = Split(line);
    if (!fields || fields->size() < 5)
        return std::nullopt;
    const std::vector<Field> &f = *fields;
    CallRecord call;
    long process = 0;
    if (!ParseLong(f[0].text, call.dispid) || !ParseStatus(f[2].text, call.status) ||
        !ParseLong(f[3].text, process) || process < 0)
        return std::nullopt;
    call.method = f[1].text;
    call.process = static_cast<unsigned long>(process);
    size_t next = 5;
    if (f[4].text == "S") {
        if (f.size() < 8)
            return std::nullopt;
        bool ok = true;
        SideChannel side;
        side.fromVesko = NumberField(f[5], ok);
        side.veskoLaunchApp = NumberField(f[6], ok);
        if (!f[7].absent)
            side.pcCardDrive = f[7].text;
        if (!ok)
            return std::nullopt;
        call.sideChannel = side;
        next = 8;
    } else if (f[4].text != "-") {
        return std::nullopt;
    }
    for (size_t i = next; i < f.size(); ++i)
        call.args.push_back(f[i].text);
    return call;
}

std::string DescribeCall(const CallRecord &call) {
    std::string text = call.method + "(";
    for (size_t i = 0; i < call.args.size(); ++i)
        text += (i ? ", " : "") + call.args[i];
    char status[16];
    std::snprintf(status, sizeof status, "0x%08lX",
                  static_cast<unsigned long>(static_cast<uint32_t>(call.status)));
    text += std::string(") = ") + status;
    if (call.sideChannel) {
        auto number = [](std::optional<long> value) {
            return value ? std::to_string(*value) : std::string("absent");
        };
        text += " [FromVesko=" + number(call.sideChannel->fromVesko) +
                " VeskoLaunchApp=" + number(call.sideChannel->veskoLaunchApp) + " PCCardDrive=" +
                (call.sideChannel->pcCardDrive ? "\"" + *call.sideChannel->pcCardDrive + "\""
                                               : std::string("absent")) +
                "]";
    }
    return text;
}

}  // namespace standin
