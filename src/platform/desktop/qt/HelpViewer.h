#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

namespace ostrelin::platform::desktop {

// Commands of the help viewer.
inline constexpr unsigned HELP_CONTEXT = 1;   // show the topic whose context number is `data`
inline constexpr unsigned HELP_QUIT = 2;      // close the viewer
inline constexpr unsigned HELP_CONTENTS = 3;  // show the book from its top

// The folders searched for a help book, in order: the executable's own folder, then
// ../share/ostrelin beside it (where an installed copy keeps its data).
std::vector<std::string> HelpBookSearchPath();

// The path of the help book `helpFile`: taken as it is when it is a path (contains '/'), otherwise
// the first of `directories` that holds a file of that name. Nothing when there is no such file.
std::optional<std::string> FindHelpBook(const std::string& helpFile,
                                        const std::vector<std::string>& directories);

// Shows the help book `helpFile` (HTML, found along HelpBookSearchPath) in a non-modal help
// window owned by `owner` (object name "HelpViewer"; one per owner, reused). Context 0 is the
// top of the book; context n scrolls to the anchor "context-n". A missing book is reported in the
// window itself. HELP_QUIT closes the window. Returns the window shown, or null for HELP_QUIT.
QWidget* WinHelp(QWidget* owner, const std::string& helpFile, unsigned command, unsigned data);

}  // namespace ostrelin::platform::desktop
