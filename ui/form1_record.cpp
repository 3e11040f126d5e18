#include "form1_record.h"

#include "form1.h"

#include <string>

namespace qm::form1 {
namespace {

struct FieldBinding {
    int boxId;
    std::wstring OemInfoRecord::*field;
};

constexpr FieldBinding kFieldBindings[] = {
    {Text1, &OemInfoRecord::Manufacturer},     {Text2, &OemInfoRecord::Model},
    {Text3, &OemInfoRecord::SupportName},      {Text4, &OemInfoRecord::SupportEMail},
    {Text5, &OemInfoRecord::SupportPhone},     {Text6, &OemInfoRecord::SupportFax},
    {Text14, &OemInfoRecord::SupportAddress1}, {Text15, &OemInfoRecord::SupportAddress2},
    {Text19, &OemInfoRecord::SupportWebsite},
};

std::wstring BoxText(HWND form, int id) {
    HWND box = GetDlgItem(form, id);
    const int length = GetWindowTextLengthW(box);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(box, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

} // namespace

OemInfoRecord ReadOemInfoRecord(HWND form) {
    OemInfoRecord record;
    for (const FieldBinding& binding : kFieldBindings) {
        record.*binding.field = BoxText(form, binding.boxId);
    }
    record.Quote = BoxText(form, Text13);
    return record;
}

} // namespace qm::form1
