// Texts both programs show: the title of every failure message, and what the about box and the
// menus say when the shell finds no program for a web or e-mail address.
#pragma once

namespace velmora {

// The title of the messages that say an operation could not be done.
inline constexpr const wchar_t* kProblemTitle = L"Problem";
inline constexpr const wchar_t* kOopsTitle = L"Oops!";
inline constexpr const wchar_t* kNoBrowserText = L"Could not start your web browser.";
inline constexpr const wchar_t* kNoEmailProgramText = L"Could not start your email program.";

}  // namespace velmora
