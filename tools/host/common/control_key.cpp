#include "control_key.h"

#include <cstdio>

#include "standin_protocol.h"

namespace standin {

platform::RegistryKey OpenKey(HKEY parent, const std::string &path, bool create) {
    HKEY key = nullptr;
    LONG status = create
                      ? ::RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                          KEY_READ | KEY_WRITE, nullptr, &key, nullptr)
                      : ::RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ | KEY_WRITE, &key);
    return status == ERROR_SUCCESS ? platform::RegistryKey(key) : platform::RegistryKey();
}

std::optional<DWORD> ReadDword(HKEY key, const char *name) {
    DWORD type = 0, value = 0, size = sizeof value;
    if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE *>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return std::nullopt;
    return value;
}

std::optional<std::string> ReadString(HKEY key, const char *name) {
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    std::string text(size + 1, '\0');
    if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE *>(&text[0]), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    text.resize(text.find('\0'));
    return text;
}

bool WriteDword(HKEY key, const char *name, DWORD value) {
    return ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value),
                            sizeof value) == ERROR_SUCCESS;
}

bool WriteString(HKEY key, const char *name, const std::string &text) {
    return ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                            static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

Answers ReadAnswers(HKEY control) {
    Answers answers;
    auto number = [control](const char *name, auto fallback) {
        std::optional<DWORD> value = ReadDword(control, name);
        return value ? static_cast<decltype(fallback)>(*value) : fallback;
    };
    answers.openTask = number(kOpenTaskAnswer, answers.openTask);
    answers.openTaskEx = number(kOpenTaskExAnswer, answers.openTaskEx);
    answers.endTask = number(kEndTaskAnswer, DWORD{1}) != 0;
    answers.setNotifyWindow = number(kSetNotifyWindowAnswer, DWORD{1}) != 0;
    answers.resultType = number(kResultTypeAnswer, answers.resultType);
    answers.exceptionMethod = number(kExceptionMethod, answers.exceptionMethod);
    answers.exceptionSource =
        ReadString(control, kExceptionSource).value_or(answers.exceptionSource);
    answers.exceptionDescription =
        ReadString(control, kExceptionDescription).value_or(answers.exceptionDescription);
    answers.exceptionScode = number(kExceptionScode, answers.exceptionScode);
    answers.exceptionCode = number(kExceptionCode, answers.exceptionCode);
    return answers;
}

void WriteAnswers(HKEY control, const Answers &answers) {
    // Numbers are stored as their 32-bit patterns: a short -1 is 0xFFFFFFFF.
    WriteDword(control, kOpenTaskAnswer, static_cast<DWORD>(static_cast<long>(answers.openTask)));
    WriteDword(control, kOpenTaskExAnswer,
               static_cast<DWORD>(static_cast<long>(answers.openTaskEx)));
    WriteDword(control, kEndTaskAnswer, answers.endTask ? 1 : 0);
    WriteDword(control, kSetNotifyWindowAnswer, answers.setNotifyWindow ? 1 : 0);
    WriteDword(control, kResultTypeAnswer, answers.resultType);
    WriteDword(control, kExceptionMethod, static_cast<DWORD>(answers.exceptionMethod));
    WriteString(control, kExceptionSource, answers.exceptionSource);
    WriteString(control, kExceptionDescription, answers.exceptionDescription);
    WriteDword(control, kExceptionScode, static_cast<DWORD>(answers.exceptionScode));
    WriteDword(control, kExceptionCode, answers.exceptionCode);
}

std::vector<std::string> ReadLogLines(HKEY control) {
    std::vector<std::string> lines;
    platform::RegistryKey log = OpenKey(control, kLogSubkey, false);
    if (!log)
        return lines;
    // Lines are named 000000, 000001, ...: read them by name, in order.
    for (unsigned index = 0;; ++index) {
        char name[16];
        std::snprintf(name, sizeof name, "%06u", index);
        std::optional<std::string> line = ReadString(log.Get(), name);
        if (!line)
            break;
        lines.push_back(*line);
    }
    return lines;
}

bool AppendLogLine(HKEY control, const std::string &line) {
    platform::RegistryKey log = OpenKey(control, kLogSubkey, true);
    if (!log)
        return false;
    DWORD count = 0;
    bool stored = false;
    if (::RegQueryInfoKeyA(log.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                           nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        char name[16];
        std::snprintf(name, sizeof name, "%06lu", static_cast<unsigned long>(count));
        stored = WriteString(log.Get(), name, line);
    }
    return stored;
}

}  // namespace standin
