// Figures of the running applet, not a test: how long Vesko.exe takes from
// its start until its tray icon is added and it waits for input, what private
// memory it holds when idle, and how much processor time it uses in an idle
// minute (it has no timer and polls nothing, so none is expected).
//
//   vesko_figures [--idle-seconds N] [--runs N]
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string ProgramFolder() {
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

double Seconds(const FILETIME &time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return value.QuadPart / 1e7;
}

double CpuSeconds(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user))
        return -1;
    return Seconds(kernel) + Seconds(user);
}

// The applet's hidden main dialog, owned by its top window: the tray icon is
// added while it is set up.
HWND MainDialog() {
    HWND marker = ::FindWindowA("MirelleAppletClass", nullptr);
    for (HWND hwnd = ::GetTopWindow(nullptr); marker && hwnd; hwnd = ::GetWindow(hwnd, GW_HWNDNEXT))
        if (::GetWindow(hwnd, GW_OWNER) == marker)
            return hwnd;
    return nullptr;
}

}  // namespace

int main(int argc, char **argv) {
    int idleSeconds = 60, runs = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--idle-seconds") == 0)
            idleSeconds = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::atoi(argv[i + 1]);
    }
    if (::FindWindowA("MirelleAppletClass", nullptr)) {
        std::fprintf(stderr, "vesko_figures: an applet is running already\n");
        return 2;
    }
    const std::string exe = ProgramFolder() + "\\Vesko.exe";
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> startMs;
    for (int run = 0; run < runs; ++run) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        std::string commandLine = "\"" + exe + "\"";
        LARGE_INTEGER before, after;
        ::QueryPerformanceCounter(&before);
        if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &info)) {
            std::fprintf(stderr, "vesko_figures: cannot start %s\n", exe.c_str());
            return 1;
        }
        // Idle for input: start-up is through and the main dialog's loop waits.
        ::WaitForInputIdle(info.hProcess, 20000);
        while (!MainDialog())
            ::Sleep(1);
        ::QueryPerformanceCounter(&after);
        startMs.push_back(1000.0 * (after.QuadPart - before.QuadPart) / frequency.QuadPart);

        const bool last = run == runs - 1;
        if (last) {
            ::Sleep(2000);  // settled
            PROCESS_MEMORY_COUNTERS_EX memory = {};
            memory.cb = sizeof memory;
            ::GetProcessMemoryInfo(
                info.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS *>(&memory), sizeof memory);
            // The Unix side may read the process now (run-figures does).
            std::printf("idle for %d s\n", idleSeconds);
            std::fflush(stdout);
            const double cpuBefore = CpuSeconds(info.hProcess);
            ::Sleep(idleSeconds * 1000);
            const double cpuAfter = CpuSeconds(info.hProcess);
            std::printf("private memory idle: %.1f KiB (working set %.1f KiB)\n",
                        memory.PrivateUsage / 1024.0, memory.WorkingSetSize / 1024.0);
            std::printf("CPU over %d idle seconds: %.3f s\n", idleSeconds, cpuAfter - cpuBefore);
        }
        ::TerminateProcess(info.hProcess, 0);
        ::WaitForSingleObject(info.hProcess, 5000);
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
        while (::FindWindowA("MirelleAppletClass", nullptr))
            ::Sleep(10);
    }
    std::sort(startMs.begin(), startMs.end());
    std::printf("start to tray icon and idle: median %.0f ms, min %.0f, max %.0f (%d runs)\n",
                startMs[startMs.size() / 2], startMs.front(), startMs.back(), runs);
    return 0;
}
