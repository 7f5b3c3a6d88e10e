#include "post_contract.h"

#include <algorithm>

namespace zephyne {

uint32_t FlagWordFor(int32_t showWizard) {
    return showWizard != 0 ? kFlagsAllWizardPages : kFlagsNoWizard;
}

std::vector<char> PostBuffer(const std::string &text) {
    std::vector<char> buffer(std::max<size_t>(kPostBufferLength, text.size()) + 1, '\0');
    std::copy(text.begin(), text.end(), buffer.begin());
    return buffer;
}

std::string BufferText(const std::vector<char> &buffer) {
    auto end = std::find(buffer.begin(), buffer.end(), '\0');
    return std::string(buffer.begin(), end);
}

Outcome DecideOutcome(bool componentMissing, uint32_t result, const std::string &homePage) {
    if (componentMissing)
        return Outcome::MissingComponent;
    if (result == 0)
        return homePage.empty() ? Outcome::Nothing : Outcome::SaveCompleted;
    if (result == kResultCancelled)
        return Outcome::Nothing;
    return Outcome::ErrorMessage;
}

std::string ErrorTextFrom(std::vector<char> &buffer, bool succeeded, uint32_t reportedLength) {
    buffer.resize(kErrorTextLength + 1);
    buffer[kErrorTextLength] = '\0';
    if (succeeded)
        buffer[std::min(reportedLength, kErrorTextLength)] = '\0';
    return BufferText(buffer);
}

}  // namespace zephyne
