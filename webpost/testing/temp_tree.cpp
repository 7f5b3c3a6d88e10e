#include "temp_tree.h"

#include <windows.h>
#include <bcrypt.h>
#include <wincrypt.h>

#include <stdexcept>
#include <vector>

#include "platform/code_page.h"

namespace testsupport {

namespace {

std::string Windows(const std::string &relative) {
    std::string out = relative;
    for (char &c : out) {
        if (c == '/')
            c = '\\';
    }
    return out;
}

std::wstring Wide(const std::string &utf8) {
    return platform::CodePageToWide(utf8, CP_UTF8);
}

void ReadInto(const std::string &folder, const std::string &prefix,
              std::map<std::string, std::string> &out) {
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW(Wide(folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = platform::WideToCodePage(data.cFileName, CP_UTF8);
        if (name == "." || name == "..")
            continue;
        const std::string path = folder + "\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out[prefix + name + "/"] = "";
            ReadInto(path, prefix + name + "/", out);
        } else {
            HANDLE file = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
            std::string bytes;
            if (file != INVALID_HANDLE_VALUE) {
                char buffer[65536];
                DWORD got = 0;
                while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got)
                    bytes.append(buffer, got);
                ::CloseHandle(file);
            }
            out[prefix + name] = bytes;
        }
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
}

// Through the wide calls, for names the system code page cannot spell.
void RemoveWideTree(const std::string &path) {
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW(Wide(path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::string child = path + "\\" + platform::WideToCodePage(name, CP_UTF8);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveWideTree(child);
            else
                ::DeleteFileW(Wide(child).c_str());
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(Wide(path).c_str());
}

}  // namespace

TempTree::TempTree(const std::string &tag) {
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "webpost-" + tag + "-" + std::to_string(::GetCurrentProcessId()) +
            "-" + std::to_string(::GetTickCount());
    RemoveWideTree(path_);
    if (!::CreateDirectoryA(path_.c_str(), nullptr))
        throw std::runtime_error("cannot create " + path_);
}

TempTree::~TempTree() {
    RemoveWideTree(path_);
}

std::string TempTree::Below(const std::string &relative) const {
    return relative.empty() ? path_ : path_ + "\\" + Windows(relative);
}

std::string TempTree::MakeFolder(const std::string &relative) const {
    std::string path = path_;
    std::string rest = relative;
    while (!rest.empty()) {
        const auto slash = rest.find('/');
        path += "\\" + rest.substr(0, slash);
        ::CreateDirectoryW(Wide(path).c_str(), nullptr);
        rest = slash == std::string::npos ? "" : rest.substr(slash + 1);
    }
    return path;
}

std::string TempTree::Write(const std::string &relative, const std::string &bytes) const {
    const auto slash = relative.rfind('/');
    if (slash != std::string::npos)
        MakeFolder(relative.substr(0, slash));
    const std::string path = Below(relative);
    HANDLE file =
        ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot write " + path);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    return path;
}

std::map<std::string, std::string> ReadTree(const std::string &folder) {
    std::map<std::string, std::string> out;
    ReadInto(folder, "", out);
    return out;
}

namespace {
const char *const kMemoryName = ".webpost-manifest";
}  // namespace

std::map<std::string, std::string> PostedTree(const std::string &folder) {
    std::map<std::string, std::string> tree = ReadTree(folder);
    tree.erase(kMemoryName);
    return tree;
}

std::string SiteMemory(const std::string &folder) {
    const std::map<std::string, std::string> tree = ReadTree(folder);
    const auto memory = tree.find(kMemoryName);
    return memory == tree.end() ? "<missing>" : memory->second;
}

std::string MemoryLines(const std::string &folder, const std::string &path) {
    const std::string memory = SiteMemory(folder);
    std::string found;
    std::size_t start = 0;
    while (start < memory.size()) {
        std::size_t end = memory.find('\n', start);
        if (end == std::string::npos)
            end = memory.size();
        const std::string line = memory.substr(start, end - start);
        const bool names =
            line == "D " + path ||
            (line.rfind("F ", 0) == 0 && line.size() > path.size() + 1 &&
             line.compare(line.size() - path.size() - 1, std::string::npos, " " + path) == 0);
        if (names)
            found += (found.empty() ? "" : "|") + line;
        start = end + 1;
    }
    return found;
}

std::string Sha256Hex(const std::string &bytes) {
    // The platform's one-call hash: another way to the digest than the
    // library's, which hashes the file in pieces.
    BYTE digest[32] = {};
    DWORD length = sizeof digest;
    if (!::CryptHashCertificate2(BCRYPT_SHA256_ALGORITHM, 0, nullptr,
                                 reinterpret_cast<const BYTE *>(bytes.data()),
                                 static_cast<DWORD>(bytes.size()), digest, &length))
        return "no digest";
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    for (BYTE byte : digest) {
        hex += kHex[byte >> 4];
        hex += kHex[byte & 15];
    }
    return hex;
}

std::string PatternBytes(std::size_t size, unsigned salt) {
    std::string bytes(size, '\0');
    unsigned state = 2166136261u ^ salt;
    for (std::size_t i = 0; i < size; ++i) {
        state = state * 16777619u + 12345u;
        bytes[i] = static_cast<char>(state >> 24);
    }
    return bytes;
}

std::map<std::string, std::string> SampleSite() {
    return {
        {"index.html", "<html><body><a href=\"pics/index.html\">pictures</a></body></html>\n"},
        {"style sheet.css", "body { color: #123; }\n"},
        {"empty.txt", ""},
        {"pics/", ""},
        {"pics/index.html", "<html>pictures</html>\n"},
        {"pics/large.jpg", PatternBytes(700000, 1)},
        {"pics/thumbs/", ""},
        {"pics/thumbs/small.jpg", PatternBytes(3000, 2)},
        {"pics/thumbs/deeper/", ""},
        {"pics/thumbs/deeper/note.txt", "three levels down\r\n"},
    };
}

std::map<std::string, std::string> NamesSite() {
    return {
        // 0x80-0x9F of code page 1252: euro sign, S and o-e with carons and ligature
        {"\xe2\x82\xac uro \xc5\xa0\xc5\x93.txt", "euro"},
        // 0xA0-0xBF: degree, copyright, one half
        {"\xc2\xb0"
         "C \xc2\xa9 \xc2\xbd.html",
         "<p>degrees</p>\n"},
        // 0xC0-0xFF: e acute, O slash, sharp s
        {"caf\xc3\xa9.txt", "coffee"},
        {"\xc3\x98re \xc3\x9f.bin", PatternBytes(64, 7)},
        // What a URL gives a meaning of its own, which must arrive as written.
        {"a#b%c+d=e f&g;h.txt", "reserved"},
        // Outside the code page: only the wide file calls see it.
        {"\xce\xa9mega.txt", "omega"},
        {"dossier \xc3\xa9\xe2\x82\xac\xc2\xb0/", ""},
        {"dossier \xc3\xa9\xe2\x82\xac\xc2\xb0/inner \xc3\x9f.txt", "inside"},
        {"dossier \xc3\xa9\xe2\x82\xac\xc2\xb0/\xc3\x9c/", ""},
        {"dossier \xc3\xa9\xe2\x82\xac\xc2\xb0/\xc3\x9c/%41.txt", "not A"},
    };
}

void WriteTree(const TempTree &tree, const std::string &under,
               const std::map<std::string, std::string> &files) {
    const std::string prefix = under.empty() ? "" : under + "/";
    tree.MakeFolder(under);
    for (const auto &entry : files) {
        if (entry.first.back() == '/')
            tree.MakeFolder(prefix + entry.first.substr(0, entry.first.size() - 1));
        else
            tree.Write(prefix + entry.first, entry.second);
    }
}

}  // namespace testsupport
