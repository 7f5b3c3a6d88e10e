#pragma once
// The tests' side of the stand-in WEBPOST.DLL (fake_webpost_script.h): its
// script and record keys emptied when a test begins and ends, script values
// planted, record values read. Under HKEY_CURRENT_USER as the calling
// process sees it (a registry sandbox's stand-in when one is in place).
#include <windows.h>

#include <optional>
#include <string>

namespace testsupport {

class FakeScript {
public:
    FakeScript();
    ~FakeScript();
    FakeScript(const FakeScript &) = delete;
    FakeScript &operator=(const FakeScript &) = delete;

    void Number(const char *name, DWORD value) const;
    void Text(const char *name, const std::string &text) const;

    std::optional<DWORD> RecordedNumber(const char *name) const;
    std::optional<std::string> RecordedText(const char *name) const;
    // The entries called, in order, each followed by ";".
    std::string Calls() const { return RecordedText("Calls").value_or(""); }

private:
    static void Clear();
};

// Tests plant the host's settings through the store, under the product key
// named by the test program's own string 1 (Zephyne's string table is
// linked into every test program).
void UseZephyneProductKey();

}  // namespace testsupport
