#pragma once
// The user's graphics program: its path, kept between runs in program.cng beside
// the executable, chosen with the Open dialog and started on request.

#include <string>

namespace qm {

class Platform;

// Where the picture browser keeps the current path (its hidden Text1), and the
// window that owns the Open dialog.
class CurrentProgramPath {
public:
    virtual ~CurrentProgramPath() = default;
    virtual std::wstring Get() const = 0;
    virtual void Set(const std::wstring& path) = 0;
    virtual void* DialogOwner() const { return nullptr; }
};

extern const wchar_t kProgramFilter[]; // "Programs (*.exe)|*.exe"

// The first field of program.cng; empty when the file is missing, empty or unreadable.
std::wstring LoadGraphicsProgramPath(Platform& platform);
// The first field of the file's bytes, by the same rules.
std::string FirstFieldOf(const std::string& bytes);
// Replaces program.cng with one line: the path between double quotes, then CR LF.
bool SaveGraphicsProgramPath(Platform& platform, const std::wstring& path);
// Shows the Open dialog, makes its answer the current path and saves it. Starts nothing.
void ChooseGraphicsProgram(Platform& platform, CurrentProgramPath& current);
// Starts the current program, choosing one first when none is known.
void LaunchGraphicsProgram(Platform& platform, CurrentProgramPath& current);
// Starts exactly the file at path, with no arguments; does nothing for an empty path.
bool StartGraphicsProgram(Platform& platform, const std::wstring& path);

} // namespace qm
