#include "resource_probe.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>

#include "platform/code_page.h"

namespace tolvarc_test {

HMODULE Library() {
    static HMODULE module = LoadLibraryA("Tolvarc.dll");
    return module;
}

std::string LoadText(UINT id) {
    char buffer[4096];
    int n = LoadStringA(Library(), id, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, n) : std::string();
}

bool HasStringResource(UINT id) {
    // Strings are stored sixteen to a block; a block entry of length 0 means
    // the string is absent. LoadStringW with a zero buffer size returns a
    // pointer to the entry, its result is the entry's length.
    const wchar_t *entry = nullptr;
    int n = LoadStringW(Library(), id, reinterpret_cast<LPWSTR>(&entry), 0);
    return n > 0 && entry != nullptr;
}

std::string FormatOne(const std::string &text, const std::string &arg) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        if (text.compare(i, 2, "%1") == 0) {
            out += arg;
            i += 2;
        } else {
            out += text[i++];
        }
    }
    return out;
}

int CountOf(const std::string &text, const std::string &needle) {
    int n = 0;
    for (size_t at = text.find(needle); at != std::string::npos;
         at = text.find(needle, at + needle.size()))
        ++n;
    return n;
}

std::string WithoutMnemonic(const std::string &text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&')
                out += '&';
            ++i;
            if (i < text.size() && text[i] != '&')
                out += text[i];
            continue;
        }
        out += text[i];
    }
    return out;
}

char MnemonicOf(const std::string &text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
    }
    return 0;
}

const TemplateItem *DialogTemplate::Find(int id) const {
    for (const TemplateItem &item : items)
        if (item.id == id)
            return &item;
    return nullptr;
}

namespace {

// Cursor over the bytes of a template.
struct Reader {
    const BYTE *at;
    const BYTE *end;
    bool ok = true;

    template <typename T>
    T Take() {
        T value{};
        if (at + sizeof(T) > end) {
            ok = false;
            return value;
        }
        std::memcpy(&value, at, sizeof(T));
        at += sizeof(T);
        return value;
    }
    void AlignTo(size_t n, const BYTE *base) {
        size_t offset = static_cast<size_t>(at - base);
        at = base + (offset + n - 1) / n * n;
    }
    std::string TakeWideString() {
        std::wstring wide;
        for (;;) {
            wchar_t c = Take<wchar_t>();
            if (!ok || c == 0)
                break;
            wide += c;
        }
        return platform::WideToCodePage(wide);
    }
    // sz_Or_Ord: returns the text, or sets *ordinal.
    std::string TakeNameOrOrdinal(int *ordinal) {
        *ordinal = -1;
        if (at + 2 > end) {
            ok = false;
            return std::string();
        }
        WORD first;
        std::memcpy(&first, at, 2);
        if (first == 0x0000) {
            at += 2;
            return std::string();
        }
        if (first == 0xFFFF) {
            at += 2;
            *ordinal = Take<WORD>();
            return std::string();
        }
        return TakeWideString();
    }
};

std::string ClassFromAtom(int atom) {
    switch (atom) {
    case 0x80:
        return "Button";
    case 0x81:
        return "Edit";
    case 0x82:
        return "Static";
    case 0x83:
        return "ListBox";
    case 0x84:
        return "ScrollBar";
    case 0x85:
        return "ComboBox";
    default:
        return "#" + std::to_string(atom);
    }
}

}  // namespace

bool ReadDialogTemplate(int id, DialogTemplate *out) {
    HMODULE module = Library();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (!found) {
        ADD_FAILURE() << "dialog template " << id << " not found";
        return false;
    }
    const BYTE *base = static_cast<const BYTE *>(LockResource(LoadResource(module, found)));
    DWORD size = SizeofResource(module, found);
    Reader r{base, base + size};
    *out = DialogTemplate();
    WORD version = r.Take<WORD>();
    WORD signature = r.Take<WORD>();
    int count = 0;
    out->extended = version == 1 && signature == 0xFFFF;
    if (out->extended) {
        r.Take<DWORD>();  // help id
        out->exStyle = r.Take<DWORD>();
        out->style = r.Take<DWORD>();
    } else {
        r.at = base;
        out->style = r.Take<DWORD>();
        out->exStyle = r.Take<DWORD>();
    }
    count = r.Take<WORD>();
    out->x = r.Take<short>();
    out->y = r.Take<short>();
    out->cx = r.Take<short>();
    out->cy = r.Take<short>();
    int ordinal;
    r.TakeNameOrOrdinal(&ordinal);  // menu
    r.TakeNameOrOrdinal(&ordinal);  // class
    out->caption = r.TakeWideString();
    if (out->style & DS_SETFONT) {
        out->pointSize = r.Take<WORD>();
        if (out->extended) {
            r.Take<WORD>();  // weight
            r.Take<BYTE>();  // italic
            r.Take<BYTE>();  // charset
        }
        out->typeface = r.TakeWideString();
    }
    for (int i = 0; i < count && r.ok; ++i) {
        r.AlignTo(4, base);
        TemplateItem item;
        if (out->extended) {
            r.Take<DWORD>();  // help id
            item.exStyle = r.Take<DWORD>();
            item.style = r.Take<DWORD>();
        } else {
            item.style = r.Take<DWORD>();
            item.exStyle = r.Take<DWORD>();
        }
        item.x = r.Take<short>();
        item.y = r.Take<short>();
        item.cx = r.Take<short>();
        item.cy = r.Take<short>();
        item.id =
            out->extended ? static_cast<int>(r.Take<DWORD>()) : static_cast<short>(r.Take<WORD>());
        int atom;
        item.cls = r.TakeNameOrOrdinal(&atom);
        if (atom >= 0)
            item.cls = ClassFromAtom(atom);
        item.text = r.TakeNameOrOrdinal(&item.titleOrdinal);
        WORD extra = r.Take<WORD>();
        r.at += extra;
        out->items.push_back(item);
    }
    if (!r.ok)
        ADD_FAILURE() << "dialog template " << id << " is truncated";
    return r.ok;
}

INT_PTR CALLBACK PassiveDialogProc(HWND, UINT msg, WPARAM, LPARAM) {
    return msg == WM_INITDIALOG ? TRUE : FALSE;
}

HWND CreateDialogFromLibrary(int id) {
    return CreateDialogParamA(Library(), MAKEINTRESOURCEA(id), nullptr, PassiveDialogProc, 0);
}

std::string ClassOf(HWND hwnd) {
    char name[256] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::string TextOf(HWND hwnd) {
    char text[1024] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace tolvarc_test
