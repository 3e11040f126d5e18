#include "command_line.h"

namespace qm {
namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

} // namespace

bool HasArguments(const wchar_t* afterProgramName) {
    if (afterProgramName == nullptr) {
        return false;
    }
    for (const wchar_t* c = afterProgramName; *c != L'\0'; ++c) {
        if (!IsBlank(*c)) {
            return true;
        }
    }
    return false;
}

std::vector<std::wstring> SplitArguments(const std::wstring& text) {
    std::vector<std::wstring> arguments;
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && IsBlank(text[i])) {
            ++i;
        }
        if (i == text.size()) {
            return arguments;
        }
        std::wstring argument;
        bool quoted = false;
        while (i < text.size() && (quoted || !IsBlank(text[i]))) {
            if (text[i] == L'\\') {
                std::size_t backslashes = 0;
                while (i < text.size() && text[i] == L'\\') {
                    ++backslashes;
                    ++i;
                }
                if (i < text.size() && text[i] == L'"') {
                    argument.append(backslashes / 2, L'\\');
                    if (backslashes % 2 == 1) {
                        argument.push_back(L'"');
                        ++i;
                    }
                } else {
                    argument.append(backslashes, L'\\');
                }
            } else if (text[i] == L'"') {
                if (quoted && i + 1 < text.size() && text[i + 1] == L'"') {
                    argument.push_back(L'"');
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument.push_back(text[i]);
                ++i;
            }
        }
        arguments.push_back(std::move(argument));
    }
}

} // namespace qm
