#include "backed_up_commands.h"

#include "branding_backup.h"
#include "branding_commands.h"
#include "logo_installation.h"

#include <iterator>

namespace qm {
namespace {

// The backup's step, if any, then the command's own steps.
template <typename Command> CommandReport BackUpThen(Platform& platform, Command command) {
    CommandReport report;
    if (!TakeBackupOnce(platform, report)) {
        return report;
    }
    CommandReport changes = command();
    report.steps.insert(report.steps.end(), std::make_move_iterator(changes.steps.begin()),
                        std::make_move_iterator(changes.steps.end()));
    return report;
}

} // namespace

CommandReport BackUpThenApply(Platform& platform, const OemInfoRecord& record) {
    return BackUpThen(platform, [&] { return ApplyChanges(platform, record); });
}

CommandReport BackUpThenPreview(Platform& platform, const OemInfoRecord& record) {
    return BackUpThen(platform, [&] { return PreviewChanges(platform, record); });
}

CommandReport BackUpThenRemove(Platform& platform) {
    return BackUpThen(platform, [&] { return RemoveOemFiles(platform); });
}

CommandReport BackUpThenInstallLogo(Platform& platform, const std::wstring& folder,
                                    const std::wstring& fileName) {
    return BackUpThen(platform, [&] { return InstallOemLogo(platform, folder, fileName); });
}

} // namespace qm
