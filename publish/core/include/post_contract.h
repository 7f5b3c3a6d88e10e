#pragma once
// What one publish run hands to the posting library and how its answer is
// read: the flag word, the in/out text buffers, the result codes told apart,
// and the outcome each leads to. Portable: the Windows side only fills in
// and calls.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zephyne {

// Every text buffer handed to WpPostA holds at least this many bytes, and the
// lengths passed say exactly this, whatever the settings hold.
constexpr uint32_t kPostBufferLength = 260;
// The error text buffer: this many bytes plus a terminating NUL.
constexpr uint32_t kErrorTextLength = 2048;

// Flag words: every wizard page (welcome, source files, destination site,
// provider), or no wizard at all.
constexpr uint32_t kFlagsAllWizardPages = 0x000F0000;
constexpr uint32_t kFlagsNoWizard = 0x00000002;
uint32_t FlagWordFor(int32_t showWizard);

// The user cancelled: ERROR_CANCELLED (1223) as a result code.
constexpr uint32_t kResultCancelled = 0x800704C7;

// A zero-filled buffer holding `text`, at least kPostBufferLength bytes and
// always one NUL beyond the text, so that a library writing up to the length
// it was told still leaves a terminated text behind.
std::vector<char> PostBuffer(const std::string &text);
// The buffer's text up to its first NUL (all of it when it holds none).
std::string BufferText(const std::vector<char> &buffer);

enum class Outcome {
    MissingComponent,  // library, entry or call unusable
    SaveCompleted,     // posted, with a home page to show
    Nothing,           // posted without home page, or cancelled
    ErrorMessage,      // any other result: the library's error text
};
Outcome DecideOutcome(bool componentMissing, uint32_t result, const std::string &homePage);

// The error text from what WpGetErrorStringA left: `buffer` holds
// kErrorTextLength + 1 bytes. When the call succeeded the text ends at the
// length it reported, which is taken as at most kErrorTextLength (a larger
// report would put the NUL past the buffer); otherwise the text ends at its
// first NUL, the last byte being one in any case.
std::string ErrorTextFrom(std::vector<char> &buffer, bool succeeded, uint32_t reportedLength);

}  // namespace zephyne
