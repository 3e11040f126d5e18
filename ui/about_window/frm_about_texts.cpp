#include "frm_about_texts.h"

#include "app_info.h"

namespace qm::about {

std::wstring AboutCaption() {
    return std::wstring(L"About ") + kAppTitle;
}

std::wstring VersionLine(int major, int minor, int revision) {
    return L"Version " + std::to_wstring(major) + L"." + std::to_wstring(minor) + L"." +
           std::to_wstring(revision);
}

} // namespace qm::about
