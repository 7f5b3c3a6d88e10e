// Helpers shared by the Tolvarc.dll tests: loading the library, its strings,
// and a reader for its dialog templates.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tolvarc_test {

// Tolvarc.dll loaded by name, as the applet loads it (its own folder first).
// Loaded once per process and never freed.
HMODULE Library();

// String resource `id`, or an empty text when it is missing.
std::string LoadText(UINT id);

// True when string resource `id` exists (even if empty).
bool HasStringResource(UINT id);

// `text` with every "%1" replaced by `arg`.
std::string FormatOne(const std::string &text, const std::string &arg);

// Number of times `needle` occurs in `text`.
int CountOf(const std::string &text, const std::string &needle);

// `text` with mnemonic markers removed ("&&" stays as one "&").
std::string WithoutMnemonic(const std::string &text);

// The mnemonic letter of `text` in lower case, or 0 when it has none.
char MnemonicOf(const std::string &text);

// One control of a dialog template, in dialog units.
struct TemplateItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    std::string cls;   // "Button", "Edit", "Static", ... for the predefined atoms
    std::string text;  // empty when the title is an ordinal
    int titleOrdinal = -1;

    bool IsButtonType(DWORD type) const { return cls == "Button" && (style & BS_TYPEMASK) == type; }
    bool IsPushButton() const {
        return IsButtonType(BS_PUSHBUTTON) || IsButtonType(BS_DEFPUSHBUTTON);
    }
    bool IsGroupBox() const { return IsButtonType(BS_GROUPBOX); }
};

// A dialog template as stored in the library (DLGTEMPLATEEX or DLGTEMPLATE).
struct DialogTemplate {
    bool extended = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    int pointSize = 0;
    std::string typeface;
    std::vector<TemplateItem> items;

    const TemplateItem *Find(int id) const;
};

// Reads template `id`; false (with a gtest failure) when it cannot be read.
bool ReadDialogTemplate(int id, DialogTemplate *out);

// Dialog procedure that does nothing but accept WM_INITDIALOG.
INT_PTR CALLBACK PassiveDialogProc(HWND, UINT msg, WPARAM, LPARAM);

// Creates dialog `id` modeless, without parent, invisible unless the
// template says otherwise.
HWND CreateDialogFromLibrary(int id);

// Window class name of `hwnd`.
std::string ClassOf(HWND hwnd);

// Window text of `hwnd`.
std::string TextOf(HWND hwnd);

// Lets queued and sent messages through (paints, posted messages).
void PumpMessages();

}  // namespace tolvarc_test
