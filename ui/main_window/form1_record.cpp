#include "form1_record.h"

#include "form1.h"
#include "window_text.h"

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

} // namespace

OemInfoRecord ReadOemInfoRecord(HWND form) {
    OemInfoRecord record;
    for (const FieldBinding& binding : kFieldBindings) {
        record.*binding.field = WindowText(GetDlgItem(form, binding.boxId));
    }
    record.Quote = WindowText(GetDlgItem(form, Text13));
    return record;
}

} // namespace qm::form1
