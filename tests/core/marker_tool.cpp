// A stand-in graphics program for the launch tests: it writes, beside itself,
// "<own file name>.ran" with its argument count and the command line it got.

#include <windows.h>

#include <iterator>
#include <string>

int main(int argc, char**) {
    wchar_t self[32768] = {};
    const DWORD length = GetModuleFileNameW(nullptr, self, static_cast<DWORD>(std::size(self)));
    if (length == 0 || length >= std::size(self)) {
        return 1;
    }
    const std::wstring marker = std::wstring(self) + L".ran";

    const wchar_t* commandLine = GetCommandLineW();
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, nullptr, 0, nullptr, nullptr);
    std::string text = "argc=" + std::to_string(argc) + "\n";
    std::string utf8(static_cast<std::size_t>(needed > 0 ? needed : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, utf8.data(), needed, nullptr, nullptr);
    text += utf8.c_str();

    HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return ok ? 0 : 1;
}
