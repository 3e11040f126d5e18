#include "frm_main_paths.h"

#include <cwctype>

namespace qm::frmmain {
namespace {

// Length of the root: "C:\" (3), "C:" (2) or "\\server\share" (without the
// backslash after it); 0 for a relative path.
std::size_t RootLength(const std::wstring& path) {
    if (path.size() >= 2 && path[1] == L':') {
        return path.size() >= 3 && path[2] == L'\\' ? 3 : 2;
    }
    if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') {
        const std::size_t server = path.find(L'\\', 2);
        if (server == std::wstring::npos) {
            return path.size();
        }
        const std::size_t share = path.find(L'\\', server + 1);
        return share == std::wstring::npos ? path.size() : share;
    }
    return 0;
}

} // namespace

std::wstring NormalizeFolder(std::wstring path) {
    if (path.size() == 2 && path[1] == L':') {
        path += L'\\';
    }
    const std::size_t root = RootLength(path);
    while (path.size() > root && !path.empty() && path.back() == L'\\') {
        path.pop_back();
    }
    return path;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty() || folder.back() == L'\\') {
        return folder + name;
    }
    return folder + L'\\' + name;
}

std::vector<std::wstring> FolderChain(const std::wstring& folder) {
    std::vector<std::wstring> chain;
    const std::size_t root = RootLength(folder);
    if (root == 0) {
        return chain;
    }
    std::wstring path = folder.substr(0, root);
    chain.push_back(path);
    std::size_t start = root;
    while (start < folder.size()) {
        if (folder[start] == L'\\') {
            ++start;
            continue;
        }
        std::size_t end = folder.find(L'\\', start);
        if (end == std::wstring::npos) {
            end = folder.size();
        }
        path = JoinPath(path, folder.substr(start, end - start));
        chain.push_back(path);
        start = end;
    }
    return chain;
}

std::wstring FolderName(const std::wstring& folder) {
    const std::size_t root = RootLength(folder);
    if (folder.size() <= root) {
        return folder;
    }
    const std::size_t slash = folder.rfind(L'\\');
    return slash == std::wstring::npos ? folder : folder.substr(slash + 1);
}

wchar_t DriveLetterOf(const std::wstring& path) {
    if (path.size() >= 2 && path[1] == L':' && std::iswalpha(path[0])) {
        return static_cast<wchar_t>(std::towupper(path[0]));
    }
    return 0;
}

} // namespace qm::frmmain
