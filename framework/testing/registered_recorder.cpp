#include "registered_recorder.h"

#include <objbase.h>

#include <cstdio>

#include "platform/code_page.h"
#include "platform/com_registration.h"

namespace testsupport {

namespace {

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

}  // namespace

RegisteredRecorder::RegisteredRecorder() {
    if (Register())
        LoadControls();
}

RegisteredRecorder::~RegisteredRecorder() {
    RemoveRegistration();
    if (module_)
        ::FreeLibrary(module_);
}

bool RegisteredRecorder::Register() {
    GUID guid;
    if (::CoCreateGuid(&guid) != S_OK) {
        problem_ = "no class identifier could be made";
        return false;
    }
    wchar_t wideClsid[64];
    const int length = ::StringFromGUID2(guid, wideClsid, 64);
    clsid_ = platform::WideToCodePage({wideClsid, length > 0 ? static_cast<size_t>(length - 1) : 0});
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%08lX", static_cast<unsigned long>(guid.Data1));
    progId_ = std::string("FwTest.Recorder") + suffix;

    const std::string dllPath = ProgramFolder() + "\\" + recorder::kDllName;
    platform::ComClassRegistration entry;
    entry.progId = progId_;
    entry.clsid = clsid_;
    entry.description = progId_;
    entry.serverKind = "InprocServer32";
    entry.server = dllPath;
    entry.threadingModel = "Apartment";
    if (!platform::RegisterComClass(entry)) {
        problem_ = "registration of " + progId_ + " failed";
        return false;
    }
    // The same module that COM loads: one instance per process.
    module_ = ::LoadLibraryA(dllPath.c_str());
    if (!module_) {
        problem_ = "cannot load " + dllPath;
        return false;
    }
    return true;
}

void RegisteredRecorder::RemoveRegistration() const {
    if (progId_.empty())
        return;
    platform::UnregisterComClass(progId_, clsid_);
}

bool RegisteredRecorder::LoadControls() {
    // Through a generic function pointer: FARPROC has a signature of its own.
    auto find = [this](const char *name) {
        return reinterpret_cast<void (*)()>(::GetProcAddress(module_, name));
    };
    callLog_ = reinterpret_cast<recorder::CallLogFn>(find(recorder::kCallLogExport));
    clear_ = reinterpret_cast<recorder::ClearFn>(find(recorder::kClearExport));
    failWithException_ =
        reinterpret_cast<recorder::FailWithExceptionFn>(find(recorder::kFailWithExceptionExport));
    failWithStatus_ =
        reinterpret_cast<recorder::FailWithStatusFn>(find(recorder::kFailWithStatusExport));
    liveObjects_ = reinterpret_cast<recorder::LiveObjectsFn>(find(recorder::kLiveObjectsExport));
    setAnswer_ = reinterpret_cast<recorder::SetAnswerFn>(find(recorder::kSetAnswerExport));
    failOn_ = reinterpret_cast<recorder::FailOnFn>(find(recorder::kFailOnExport));
    if (!callLog_ || !clear_ || !failWithException_ || !failWithStatus_ || !liveObjects_ ||
        !setAnswer_ || !failOn_) {
        problem_ = "the server lacks a control export";
        return false;
    }
    return true;
}

std::vector<std::string> RegisteredRecorder::Calls() const {
    int length = callLog_(nullptr, 0);
    std::string text(length + 1, '\0');
    callLog_(&text[0], length + 1);
    text.resize(length);
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

void RegisteredRecorder::FailWithException(const char *source, const char *description, long scode,
                                           unsigned short wCode, bool deferred) const {
    failWithException_(source, description, scode, wCode, deferred ? 1 : 0);
}

}  // namespace testsupport
