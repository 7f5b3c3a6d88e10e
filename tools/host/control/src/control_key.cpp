#include "control_key.h"

#include <cstdio>

#include "standin_protocol.h"

namespace standin {

namespace {

// Lines are named 000000, 000001, ...: a reader finds them by name, in order.
std::string LogLineName(unsigned long index) {
    char name[16];
    std::snprintf(name, sizeof name, "%06lu", index);
    return name;
}

}  // namespace

Answers ReadAnswers(const platform::RegistryKey &control) {
    Answers answers;
    // Numbers are stored as their 32-bit patterns; the cast gives a short
    // answer of -1 back from 0xFFFFFFFF.
    auto number = [&control](const char *name, auto fallback) {
        std::optional<uint32_t> value = control.ReadDword(name);
        return value ? static_cast<decltype(fallback)>(*value) : fallback;
    };
    answers.openTask = number(kOpenTaskAnswer, answers.openTask);
    answers.openTaskEx = number(kOpenTaskExAnswer, answers.openTaskEx);
    answers.endTask = number(kEndTaskAnswer, uint32_t{1}) != 0;
    answers.setNotifyWindow = number(kSetNotifyWindowAnswer, uint32_t{1}) != 0;
    answers.resultType = number(kResultTypeAnswer, answers.resultType);
    answers.exceptionMethod = number(kExceptionMethod, answers.exceptionMethod);
    answers.exceptionSource = control.ReadString(kExceptionSource, answers.exceptionSource);
    answers.exceptionDescription =
        control.ReadString(kExceptionDescription, answers.exceptionDescription);
    answers.exceptionScode = number(kExceptionScode, answers.exceptionScode);
    answers.exceptionCode = number(kExceptionCode, answers.exceptionCode);
    // The tests always write this value; a server that no test scripts (a
    // person's own run, the demo) works as a host does.
    answers.cameraWork = number(kCameraWorkAnswer, uint32_t{1}) != 0;
    return answers;
}

void WriteAnswers(const platform::RegistryKey &control, const Answers &answers) {
    control.WriteDword(kOpenTaskAnswer, static_cast<uint32_t>(static_cast<long>(answers.openTask)));
    control.WriteDword(kOpenTaskExAnswer,
                       static_cast<uint32_t>(static_cast<long>(answers.openTaskEx)));
    control.WriteDword(kEndTaskAnswer, answers.endTask ? 1 : 0);
    control.WriteDword(kSetNotifyWindowAnswer, answers.setNotifyWindow ? 1 : 0);
    control.WriteDword(kResultTypeAnswer, answers.resultType);
    control.WriteDword(kExceptionMethod, static_cast<uint32_t>(answers.exceptionMethod));
    control.WriteString(kExceptionSource, answers.exceptionSource);
    control.WriteString(kExceptionDescription, answers.exceptionDescription);
    control.WriteDword(kExceptionScode, static_cast<uint32_t>(answers.exceptionScode));
    control.WriteDword(kExceptionCode, answers.exceptionCode);
    control.WriteDword(kCameraWorkAnswer, answers.cameraWork ? 1 : 0);
}

std::vector<std::string> ReadLogLines(const platform::RegistryKey &control) {
    std::vector<std::string> lines;
    const platform::RegistryKey log = platform::RegistryKey::Open(control.Get(), kLogSubkey);
    for (unsigned long index = 0; log; ++index) {
        std::optional<std::string> line = log.ReadString(LogLineName(index));
        if (!line)
            break;
        lines.push_back(*line);
    }
    return lines;
}

bool AppendLogLine(const platform::RegistryKey &control, const std::string &line) {
    const platform::RegistryKey log = platform::RegistryKey::Create(control.Get(), kLogSubkey);
    return log && log.WriteString(LogLineName(log.ValueCount()), line);
}

}  // namespace standin
